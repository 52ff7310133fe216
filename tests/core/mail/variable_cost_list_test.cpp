#include "core/mail/cost_lists.h"
#include "core/shipping/carrier_calculator.h"
#include "mail_fixture.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

const char kHeading[] = "▼発送方法(以下は発送先によって送料が異なります)\r\n\r\n";

class VariableCostLists : public ::testing::Test, public test::MailFixture {
protected:
    void SetUp() override {
        settings.personal[0].chk_kenname = 1; // origin note "東京都より発送"
        test::ScriptedHost host;
        ASSERT_TRUE(engine->LoadAll(test::SourceDir() + "/data/CostData", host));
    }
    std::string Plain() { return Utf8(VariableCostList(Context(), false)); }
    std::string Totals() { return Utf8(VariableCostList(Context(), true)); }
    // What the engine itself writes for one carrier, on a fresh engine.
    std::string EngineList(ShippingMethod method, bool totals) {
        ShippingEngine fresh(settings);
        test::ScriptedHost host;
        fresh.LoadAll(test::SourceDir() + "/data/CostData", host);
        fresh.SetParcel(30, 20, 10, 1500);
        fresh.SetOrigin(Sj("東京都"));
        fresh.SetSellerId("hanako_shop");
        fresh.SetTotalBasis(totals ? 1000 : 0, totals ? 2 : 0, 0);
        fresh.List(method, kListPlain, totals);
        return Utf8(fresh.ListText(method));
    }
};

TEST_F(VariableCostLists, TickedCarriersInOrderWithSeparators) {
    EXPECT_EQ(Plain(), "");
    AuctionRecord& a = listing.auction;
    a.use_sagawa = 1;
    a.use_yamato = 1;
    a.origin_pref = Sj("北海道"); // pages use this; mails go from the seller's prefecture
    std::string yamato = EngineList(ShippingMethod::Yamato, false);
    std::string sagawa = EngineList(ShippingMethod::Sagawa, false);
    ASSERT_NE(yamato.find("・ヤマト宅急便"), std::string::npos);
    ASSERT_NE(yamato.find("東京都より発送"), std::string::npos);
    ASSERT_EQ(yamato.find("お支払総額"), std::string::npos);
    EXPECT_EQ(Plain(), kHeading + yamato + "\r\n\r\n" + sagawa);

    // A carrier that cannot take the parcel still counts as handled.
    a.use_yahoo_yupack = 1;
    listing.mail.seller_pref = Sj("宮崎県");
    std::string plain = Plain();
    EXPECT_EQ(plain.rfind(kHeading + std::string("\r\n\r\n"), 0), 0u) << plain;
}

TEST_F(VariableCostLists, YahooYuPackHidesYuPackWhenTheOptionIsOn) {
    AuctionRecord& a = listing.auction;
    a.use_yupack = 1;
    a.use_yahoo_yupack = 1;
    std::string yupack = EngineList(ShippingMethod::YuPack, false);
    std::string yahoo = EngineList(ShippingMethod::YahooYuPack, false);
    ASSERT_FALSE(yupack.empty());
    ASSERT_FALSE(yahoo.empty());
    settings.send_opt.chk_yuupack_opt = 1;
    EXPECT_EQ(Plain(), kHeading + yahoo);
    settings.send_opt.chk_yuupack_opt = 0;
    EXPECT_EQ(Plain(), kHeading + yupack + "\r\n\r\n" + yahoo);
    a.use_yahoo_yupack = 0;
    settings.send_opt.chk_yuupack_opt = 1;
    EXPECT_EQ(Plain(), kHeading + yupack);
}

TEST_F(VariableCostLists, TotalsForTheSelectedBidder) {
    AuctionRecord& a = listing.auction;
    a.use_yamato = 1;
    a.use_pelican = 1;
    std::string yamato = EngineList(ShippingMethod::Yamato, true);
    std::string pelican = EngineList(ShippingMethod::Pelican, true);
    ASSERT_NE(yamato.find("お支払総額"), std::string::npos);
    // The seller profile is found on a fresh engine too: the totals variant names the
    // seller itself.
    ASSERT_NE(yamato.find("東京都より発送"), std::string::npos);
    EXPECT_EQ(Totals(), kHeading + yamato + "\r\n\r\n\r\n" + pelican);
    EXPECT_EQ(engine->SellerId(), "hanako_shop");
    EXPECT_EQ(engine->TotalBase(), 2000);

    Bidder().count = 0;
    EXPECT_EQ(Totals(), kHeading);
    Bidder().count = 1;
    Bidder().price = -1;
    EXPECT_EQ(Totals(), kHeading);
    Bidder().price = 0;
    EXPECT_NE(Totals(), kHeading);
    listing.customers_edit.current = 5;
    EXPECT_EQ(Totals(), "");
    EXPECT_NE(Plain(), "");
}

TEST_F(VariableCostLists, UnenteredMeasuresReachTheEngineAsZero) {
    AuctionRecord& a = listing.auction;
    a.use_yamato = 1;
    a.length_cm = a.width_cm = a.height_cm = a.weight_g = -1;
    Plain();
    EXPECT_EQ(engine->Weight(), 0);
    EXPECT_EQ(Utf8(engine->Origin()), "東京都");
    EXPECT_EQ(engine->TotalBase(), 0);
}

} // namespace
} // namespace hanamori
