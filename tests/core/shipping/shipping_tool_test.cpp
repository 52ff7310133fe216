// The shipping tool's decisions: its requests, how it reads the rate tables, its
// remarks, what OK accepts, what 送る sends and the cheapest method.

#include "core/settings/user_settings.h"
#include "core/shipping/rate_fixture.h"
#include "core/shipping/shipping_tool.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {
using test::RateFixture;
using test::Sj;
using test::Utf8;

TEST(ShippingTool, RequestsCarryTheListingAndTheBidder) {
    SaleMaster l;
    l.auction.weight_g = 2000;
    l.auction.length_cm = 30;
    l.auction.origin_pref = Sj("東京都");
    l.mail.seller_nickname = "seller";
    CustomerRecord c;
    c.name = Sj("山田");
    c.nickname = "taro";
    c.pref = Sj("大阪府");
    c.ship_cost = 800;
    ShippingToolRequest s = StandaloneToolRequest(l);
    EXPECT_FALSE(s.bidder_mode);
    EXPECT_EQ(s.seller_id, "--------");
    EXPECT_EQ(s.destination, "");
    EXPECT_EQ(s.side2, -1);
    ShippingToolRequest b = BidderToolRequest(l, c);
    EXPECT_TRUE(b.bidder_mode);
    EXPECT_EQ(b.seller_id, "seller");
    EXPECT_EQ(b.weight, 2000);
    EXPECT_EQ(b.side1, 30);
    EXPECT_EQ(b.origin, Sj("東京都"));
    EXPECT_EQ(b.destination, Sj("大阪府"));
    EXPECT_EQ(b.bidder_name, Sj("山田"));
    EXPECT_EQ(b.charge, 800);
}

// Breaks one section so that exactly `method` fails to load.
void WriteWithBroken(const std::string& dir, std::string RateFixture::*file, const char* section) {
    RateFixture fixture;
    std::string end = std::string("@end_") + section + "\r\n";
    std::string& text = fixture.*file;
    text.replace(text.find(end), end.size(), "@end\r\n");
    fixture.WriteAll(dir);
}

TEST(ShippingTool, AParcelCarrierFailureIsReportedAndReadingGoesOn) {
    test::TempDir dir;
    WriteWithBroken(dir.path(), &RateFixture::yamato, "yamato_sub");
    UserSettings settings;
    ShippingEngine engine(settings);
    test::ScriptedHost host;
    EXPECT_TRUE(LoadToolRates(engine, dir.path(), host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.MessagesUtf8()[0], "料金データの読み込みが出来ません。\n[ヤマト急便]");
    EXPECT_FALSE(engine.Calculator(ShippingMethod::Yamato).IsLoaded());
    EXPECT_TRUE(engine.Calculator(ShippingMethod::Sagawa).IsLoaded());
    EXPECT_TRUE(engine.Calculator(ShippingMethod::Pelican).IsLoaded());
    engine.SetParcel(30, 20, 10, 2000);
    EXPECT_LT(engine.Cost(ShippingMethod::Yamato, Sj("東京都"), Sj("大阪府")), 0);
    EXPECT_GE(engine.Cost(ShippingMethod::Pelican, Sj("東京都"), Sj("大阪府")), 0);
}

TEST(ShippingTool, AnEarlierFailureEndsThePreparation) {
    test::TempDir dir;
    WriteWithBroken(dir.path(), &RateFixture::yupack, "yupack_sub");
    UserSettings settings;
    ShippingEngine engine(settings);
    test::ScriptedHost host;
    EXPECT_FALSE(LoadToolRates(engine, dir.path(), host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.MessagesUtf8()[0], "料金データの読み込みが出来ません。\n[Yahoo!ゆうパック]");
    EXPECT_TRUE(engine.Calculator(ShippingMethod::YuPack).IsLoaded());
    EXPECT_FALSE(engine.Calculator(ShippingMethod::Teikei).IsLoaded());
    EXPECT_FALSE(engine.Calculator(ShippingMethod::Pelican).IsLoaded());
}

TEST(ShippingTool, RemarksListTheHandInOptionsInOrder) {
    ShippingOptions o;
    EXPECT_EQ(Utf8(ToolRemarks(o)), "▼設定されているオプション\r\n\r\n");
    o.chk_perikan_opt100 = 1;
    o.chk_yuupack_opt100 = 1;
    o.chk_yuupack_cod = 1; // cash on delivery is no remark
    EXPECT_EQ(Utf8(ToolRemarks(o)), "▼設定されているオプション\r\n\r\n"
                                    "・ゆうパック持込(-100円)\r\n"
                                    "・ペリカン便持込\r\n 又はネットから集荷依頼(-100円)\r\n");
}

TEST(ShippingTool, OkAcceptsASignedNumberAndClosesOnlyWhenNotNegative) {
    test::ScriptedHost host;
    ToolOk ok = ConfirmToolOk(true, "800", host);
    EXPECT_TRUE(ok.closes);
    EXPECT_EQ(ok.charge, 800);
    // -1 is a number: no message, but the tool stays open.
    ok = ConfirmToolOk(true, "-1", host);
    EXPECT_FALSE(ok.closes);
    EXPECT_EQ(ok.charge, -1);
    EXPECT_TRUE(host.messages.empty());
    for (const char* bad : {"", "-", "8a", " 8", "99999999999"}) {
        SCOPED_TRACE(bad);
        host.messages.clear();
        ok = ConfirmToolOk(true, bad, host);
        EXPECT_FALSE(ok.closes);
        EXPECT_EQ(ok.charge, -1);
        ASSERT_EQ(host.MessagesUtf8(), std::vector<std::string>{"正しい送料を入力してください。"});
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
    }
    // Standalone, OK closes whatever "送料" holds.
    host.messages.clear();
    EXPECT_TRUE(ConfirmToolOk(false, "8a", host).closes);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ShippingTool, SendHandsOverOnlyACalculatedCostInBidderMode) {
    ToolCosts costs = UncalculatedCosts();
    EXPECT_EQ(CostToSend(true, costs, ShippingMethod::Sassi), std::nullopt);
    costs[static_cast<int>(ShippingMethod::Sassi)] = 0;
    EXPECT_EQ(CostToSend(true, costs, ShippingMethod::Sassi), 0);
    EXPECT_EQ(CostToSend(false, costs, ShippingMethod::Sassi), std::nullopt);

    ServiceTariff service;
    const std::vector<ServiceQuote> quotes = {{&service, -1, false}, {&service, 1650, true}};
    EXPECT_EQ(QuoteToSend(true, quotes, 1), &quotes[1]);
    for (int row : {-1, 0, 2}) { // none chosen, 発送不可, beyond the quotes
        EXPECT_EQ(QuoteToSend(true, quotes, row), nullptr) << row;
    }
    EXPECT_EQ(QuoteToSend(false, quotes, 1), nullptr);
}

TEST(ShippingTool, CheapestMarksEveryMethodSharingTheLowestCost) {
    ToolCosts costs = UncalculatedCosts();
    EXPECT_TRUE(CheapestMethods(costs).empty());
    costs[static_cast<int>(ShippingMethod::YuPack)] = 800;
    costs[static_cast<int>(ShippingMethod::Yamato)] = 740;
    costs[static_cast<int>(ShippingMethod::Sagawa)] = 740;
    costs[static_cast<int>(ShippingMethod::Teikeigai)] = 1040;
    EXPECT_EQ(CheapestMethods(costs),
              (std::vector<ShippingMethod>{ShippingMethod::Yamato, ShippingMethod::Sagawa}));
    costs[static_cast<int>(ShippingMethod::Hikyaku)] = 0;
    EXPECT_EQ(CheapestMethods(costs), std::vector<ShippingMethod>{ShippingMethod::Hikyaku});
}

} // namespace
} // namespace hanamori
