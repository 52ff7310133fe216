#include "core/mail/payment_block.h"
#include "mail_fixture.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

class PaymentBlock : public ::testing::Test, public test::MailFixture {
protected:
    std::string Block() { return Utf8(PaymentDestinationBlock(listing.mail, settings)); }
};

const char kBank2[] = "▼支払い先1(銀行口座)\r\n　銀行名：ゆうちょ銀行\r\n　支店名：〇一八店\r\n"
                      "　種別：普通\r\n　口座番号：7654321\r\n　口座名義：ヤマダ ハナコ";

TEST_F(PaymentBlock, RunningNumbersCountOnlyWrittenAccounts) {
    listing.mail.bank2 = 1;
    EXPECT_EQ(Block(), kBank2);

    listing.mail.bank1 = 1;
    listing.mail.bank3 = 1; // account 3 is empty in the settings
    listing.mail.postal1 = 1;
    listing.mail.use_other_payment = 1;
    listing.mail.other_payment_text = Sj("代金引換(手数料 100%)");
    EXPECT_EQ(Block(), "▼支払い先1(銀行口座)\r\n　銀行名：みずほ銀行\r\n　支店名：渋谷支店\r\n"
                       "　種別：普通\r\n　口座番号：1234567\r\n　口座名義：ヤマダ ハナコ\r\n\r\n"
                       "▼支払い先2(銀行口座)\r\n　銀行名：ゆうちょ銀行\r\n　支店名：〇一八店\r\n"
                       "　種別：普通\r\n　口座番号：7654321\r\n　口座名義：ヤマダ ハナコ\r\n\r\n"
                       "▼支払い先3(郵便口座)\r\n　口座種別：振替口座\r\n　記号：00120-3\r\n"
                       "　番号：456789\r\n　口座名義：ヤマダ ハナコ\r\n\r\n"
                       "▼支払い先 その他\r\n代金引換(手数料 100%)");
}

TEST_F(PaymentBlock, UntickedAndIncompleteAccountsAreLeftOut) {
    // Ticks without a visible control play no part; other payment needs its text.
    listing.mail.bank5 = listing.mail.bank6 = listing.mail.postal3 = 1;
    listing.mail.use_other_payment = 1;
    EXPECT_EQ(Block(), "");
    listing.mail.use_other_payment = 0;

    listing.mail.bank1 = listing.mail.bank2 = 1;
    settings.bank[0].sub_name.clear(); // branch name missing
    EXPECT_EQ(Block(), kBank2);

    settings.bank[1].user_name.clear();
    listing.mail.postal2 = 1;
    settings.yuubin[1] = {1, Sj("振替口座"), "00100-1", "", Sj("ヤマダ")}; // no number
    EXPECT_EQ(Block(), "");

    // Only the other payment: it carries no number and no leading break.
    listing.mail.use_other_payment = 1;
    listing.mail.other_payment_text = Sj("現金書留");
    EXPECT_EQ(Block(), "▼支払い先 その他\r\n現金書留");
}

} // namespace
} // namespace hanamori
