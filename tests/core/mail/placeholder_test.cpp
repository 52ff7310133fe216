#include "core/mail/mail_writer.h"
#include "core/mail/placeholders.h"
#include "mail_fixture.h"

#include <gtest/gtest.h>
#include <sstream>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

class Placeholders : public ::testing::Test, public test::MailFixture {};

TEST_F(Placeholders, ProductValues) {
    EXPECT_EQ(Value(Placeholder::ProductName), "木製カトラリーセット");
    EXPECT_EQ(Value(Placeholder::ProductSize), "30cm×20cm×10cm　1.5kg");

    EXPECT_EQ(WeightText(1000), "1000g");
    EXPECT_EQ(WeightText(1001), "1.0kg");
    EXPECT_EQ(WeightText(1500), "1.5kg");
    EXPECT_EQ(WeightText(9999999), "10000.0kg"); // the "30kg超" class
    AuctionRecord& a = listing.auction;
    a.length_cm = a.width_cm = a.height_cm = a.weight_g = -1;
    EXPECT_EQ(Value(Placeholder::ProductSize), "-1cm×-1cm×-1cm　-1g");

    // Payment texts of the product: only when chosen and not empty.
    a.bank_text = Sj("銀行振込(手数料はご負担ください)");
    a.use_bank = 0;
    EXPECT_EQ(Value(Placeholder::PaymentBankText), "");
    a.use_bank = 1;
    EXPECT_EQ(Value(Placeholder::PaymentBankText), "銀行振込(手数料はご負担ください)");
    a.postal_text = "P";
    a.use_postal = 1;
    a.other_payment_text = "";
    a.use_other_payment = 1;
    EXPECT_EQ(Value(Placeholder::PaymentPostalText), "P");
    EXPECT_EQ(Value(Placeholder::PaymentOtherText), "");
}

TEST_F(Placeholders, BidderValuesComeFromTheSelectedBidder) {
    CustomerRecord second = Bidder();
    second.name = Sj("鈴木 次郎");
    second.price = 2147483647;
    second.count = 3;
    second.other_charge = -300;
    second.ship_cost = 1000;
    listing.customers_edit.Append(second);

    EXPECT_EQ(Value(Placeholder::BidderName), "佐藤 一郎");
    EXPECT_EQ(Value(Placeholder::BidderMail), "ichiro@example.com");
    EXPECT_EQ(Value(Placeholder::BidderPrice), "1000");
    EXPECT_EQ(Value(Placeholder::BidderCount), "2");
    EXPECT_EQ(Value(Placeholder::BidderShipMethod), "ゆうパック");
    EXPECT_EQ(Value(Placeholder::GoodsAmount), "2000");
    EXPECT_EQ(Value(Placeholder::TotalAmount), "2800");
    EXPECT_EQ(Value(Placeholder::BidderAddress), "大阪市北区梅田1-1");

    listing.customers_edit.current = 1;
    EXPECT_EQ(Value(Placeholder::BidderName), "鈴木 次郎");
    EXPECT_EQ(Value(Placeholder::BidderOtherCharge), "-300");
    // Amounts beyond 32 bits print exactly.
    EXPECT_EQ(Value(Placeholder::GoodsAmount), "6442450641");
    EXPECT_EQ(Value(Placeholder::TotalAmount), "6442451641");

    Bidder().comment = Sj("箱に小さな傷があります。");
    listing.customers_edit.current = 0;
    EXPECT_EQ(Value(Placeholder::BidderComment), "");
    Bidder().mail_comment = 1;
    EXPECT_EQ(Value(Placeholder::BidderComment), "箱に小さな傷があります。");
}

TEST_F(Placeholders, WithoutASelectedBidderOnlyBidderValuesVanish) {
    for (int current : {-1, 1}) {
        listing.customers_edit.current = current;
        for (int i = 5; i <= 19; ++i) {
            EXPECT_EQ(Value(static_cast<Placeholder>(i)), "") << i;
        }
        listing.auction.use_teikeigai = 1;
        listing.auction.teikeigai_cost = 290;
        EXPECT_EQ(Value(Placeholder::FixedCostTotalList), "");
        EXPECT_NE(Value(Placeholder::FixedCostList), "");
        EXPECT_EQ(Value(Placeholder::ProductName), "木製カトラリーセット");
        EXPECT_EQ(Value(Placeholder::SellerPhone), "03-1234-5678");
        listing.mail.bank1 = 1;
        EXPECT_NE(Value(Placeholder::PaymentDestinations), "");
    }
}

TEST_F(Placeholders, SellerValuesAndTheSurname) {
    EXPECT_EQ(Value(Placeholder::SellerName), "山田 花子");
    EXPECT_EQ(Value(Placeholder::SellerSurname), "山田");
    EXPECT_EQ(Value(Placeholder::SellerPref), "東京都");
    EXPECT_EQ(Value(Placeholder::SellerNickname), "hanako_shop");
    listing.mail.seller_name = Sj("山田　花子"); // a full-width space does not cut
    EXPECT_EQ(Value(Placeholder::SellerSurname), "山田　花子");
    listing.mail.seller_name = Sj("ソ 表"); // trail byte 0x5C before the space
    EXPECT_EQ(Value(Placeholder::SellerSurname), "ソ");
    EXPECT_EQ(SurnameOf(""), "");
}

TEST_F(Placeholders, WriteReportsUnknownNamesAndShortWrites) {
    std::ostringstream out;
    EXPECT_FALSE(WritePlaceholderValue(Sj("<<@落札社名>>"), out, Context()));
    Bidder().name.clear();
    EXPECT_TRUE(WritePlaceholderValue(Sj("<<@落札者名>>"), out, Context())); // empty is fine
    EXPECT_EQ(out.str(), "");

    test::LimitedBuffer buffer(4);
    std::ostream limited(&buffer);
    EXPECT_FALSE(WritePlaceholderValue(Sj("<<@商品名>>"), limited, Context()));
}

TEST_F(Placeholders, ExpansionReplacesEveryOccurrenceInTextOrder) {
    auto expand = [&](const std::string& utf8) {
        std::ostringstream out;
        EXPECT_TRUE(ExpandMailText(Sj(utf8), out, Context()));
        return Utf8(out.str());
    };
    EXPECT_EQ(expand("<<@落札者名>>様 <<@商品名>>、<<@落札者名>>様"),
              "佐藤 一郎様 木製カトラリーセット、佐藤 一郎様");
    // Misspelt or unfinished names stay as typed; adjacent placeholders both expand.
    EXPECT_EQ(expand("<<@落札社名>> <<@商品名> <<@<<@落札数>>>>"),
              "<<@落札社名>> <<@商品名> <<@2>>");
    EXPECT_EQ(expand("<<@落札金額>><<@落札数>>"), "10002");
    EXPECT_EQ(expand(""), "");
    EXPECT_EQ(expand("no placeholder"), "no placeholder");

    // Values are never searched for placeholders.
    listing.product_name = Sj("<<@落札者名>>");
    EXPECT_EQ(expand("[<<@商品名>>] <<@落札者名>>"), "[<<@落札者名>>] 佐藤 一郎");
}

TEST_F(Placeholders, ALongValueIsWrittenWhole) {
    std::string address(40000, 'x');
    address += Sj("番地");
    Bidder().address = address;
    std::ostringstream out;
    ASSERT_TRUE(ExpandMailText(Sj("住所：<<@落札者住所>>。"), out, Context()));
    EXPECT_EQ(out.str(), Sj("住所：") + address + Sj("。"));
}

TEST_F(Placeholders, AFailedWriteStopsTheExpansion) {
    for (std::size_t capacity : {0u, 3u, 10u}) {
        test::LimitedBuffer buffer(capacity);
        std::ostream limited(&buffer);
        EXPECT_FALSE(ExpandMailText(Sj("abc<<@商品名>>def"), limited, Context())) << capacity;
    }
}

} // namespace
} // namespace hanamori
