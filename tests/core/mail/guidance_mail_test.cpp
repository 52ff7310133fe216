// "案内メール作成" without the window: which builds fail, a mail without a bidder, and
// what the tab shows of the bidder and takes from a seller profile.

#include "core/mail/guidance_mail.h"
#include "core/mail/mail_template_list.h"
#include "core/mail/mail_writer.h"
#include "mail_fixture.h"

#include <gtest/gtest.h>

#include <climits>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

class GuidanceMail : public ::testing::Test, public test::MailFixture {
protected:
    test::TempInstall install;
    MailTemplateList templates;

    void SetUp() override {
        test::WriteFile(install / "template/template.lst",
                        Sj("お礼[\t]thanks.txt[\t]<<@落札者名>>様\r\n"));
        test::WriteFile(install / "template/thanks.txt",
                        Sj("<<@落札者ニックネーム>>様\r\n<<@支払方法>>\r\n--"));
        ASSERT_TRUE(templates.LoadMailTemplates(TemplateDirectory(install.dir())));
    }
    std::string Body() { return Utf8(test::ReadFile(MailBodyPath(install.dir()))); }
};

TEST_F(GuidanceMail, NoTemplateChosenOrAnEmptyListFails) {
    test::WriteFile(MailBodyPath(install.dir()), "earlier");
    EXPECT_FALSE(BuildGuidanceMail(templates, std::nullopt, Context(), install.dir()));
    MailTemplateList empty;
    EXPECT_FALSE(BuildGuidanceMail(empty, Sj("お礼"), Context(), install.dir()));
    EXPECT_EQ(Body(), "earlier");
}

TEST_F(GuidanceMail, WithoutABidderTheBidderFieldsAreEmpty) {
    listing.customers_edit.Clear();
    ASSERT_TRUE(BuildGuidanceMail(templates, Sj("お礼"), Context(), install.dir()));
    EXPECT_EQ(Body(), "様\r\n\r\n--");
    EXPECT_EQ(Utf8(test::ReadFile(MailTitlePath(install.dir()))), "様");
    BidderView v = ViewOfBidder(SelectedBidder(listing));
    EXPECT_EQ(v.name, "");
    EXPECT_EQ(v.total, "");
    EXPECT_FALSE(v.mail_comment);
}

TEST_F(GuidanceMail, EmptyNamesAreNamedInTheWarning) {
    EXPECT_EQ(MissingMailNamesWarning(listing), "");
    listing.mail.seller_name.clear();
    EXPECT_EQ(Utf8(MissingMailNamesWarning(listing)),
              "出品者名が空欄のままメールを作成しました。\n"
              "メールのその部分は空欄になっています。送る前に確かめてください。");
    listing.product_name.clear();
    listing.customers_edit[0].name.clear();
    EXPECT_EQ(Utf8(MissingMailNamesWarning(listing)).rfind("出品者名、商品名、落札者名が空欄", 0),
              0u);
    listing.mail.seller_name = Sj("花森");
    listing.product_name = Sj("壺");
    listing.customers_edit.Clear();
    EXPECT_EQ(Utf8(MissingMailNamesWarning(listing)).rfind("落札者名が空欄", 0), 0u);
}

TEST_F(GuidanceMail, ATickedBankWithoutBranchNameGivesNoBlock) {
    listing.mail.bank1 = 1;
    listing.mail.bank2 = 1;
    settings.bank[0].sub_name.clear();
    ASSERT_TRUE(BuildGuidanceMail(templates, Sj("お礼"), Context(), install.dir()));
    std::string body = Body();
    EXPECT_EQ(body.find("みずほ銀行"), std::string::npos);
    EXPECT_NE(body.find("ゆうちょ銀行"), std::string::npos);
}

TEST_F(GuidanceMail, BidderViewPrintsNumbersAndA64BitTotal) {
    Bidder().price = INT_MAX;
    Bidder().count = 3;
    Bidder().ship_cost = 800;
    Bidder().other_charge = -300;
    Bidder().mail_comment = 1;
    BidderView v = ViewOfBidder(&Bidder());
    EXPECT_EQ(v.price, "2147483647");
    EXPECT_EQ(v.other_charge, "-300");
    EXPECT_EQ(v.total, "6442451441"); // 3 x 2147483647 + 800 - 300
    EXPECT_EQ(Utf8(v.pref), "大阪府");
    EXPECT_TRUE(v.mail_comment);
}

TEST_F(GuidanceMail, ImportedProfileFillsTheSellerBlock) {
    SellerProfile p;
    p.post = "100-0001";
    p.nickname = "Taro";
    p.name = std::string(200, 'n');
    p.mail = "taro@example.jp";
    p.address1 = Sj("北海道");
    p.address = Sj("札幌市\r\n中央区");
    p.phone = "011-000-0000";
    p.address2 = "city";
    CopySellerProfile(p, listing.mail);
    EXPECT_EQ(listing.mail.seller_zip, "100-0001");
    EXPECT_EQ(listing.mail.seller_nickname, "Taro");
    EXPECT_EQ(listing.mail.seller_name, std::string(127, 'n'));
    EXPECT_EQ(Utf8(listing.mail.seller_pref), "北海道");
    EXPECT_EQ(Utf8(listing.mail.seller_address), "札幌市\r\n中央区");
    EXPECT_EQ(listing.mail.seller_phone, "011-000-0000");
}

} // namespace
} // namespace hanamori
