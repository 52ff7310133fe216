// Costs and availability of the eleven calculators over the fixture's tariffs.

#include "core/settings/user_settings.h"
#include "core/shipping/rate_fixture.h"
#include "core/shipping/shipping_engine.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {
using test::RateFixture;
using test::Sj;

class Calculators : public ::testing::Test {
protected:
    void Load(const RateFixture& fixture = RateFixture()) {
        fixture.WriteAll(m_dir.path());
        test::ScriptedHost host;
        ASSERT_TRUE(m_engine.LoadAll(m_dir.path(), host));
        ASSERT_TRUE(host.messages.empty());
    }
    int Cost(ShippingMethod method, const char* from, const char* to) {
        return m_engine.Cost(method, Sj(from), Sj(to));
    }
    test::TempDir m_dir;
    UserSettings m_settings;
    ShippingEngine m_engine{m_settings};
};

TEST_F(Calculators, YuPackWeightSizeAndZones) {
    Load();
    m_engine.SetParcel(20, 20, 20, 30000); // 60 size
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "東京都", "東京都"), 1000);
    // 東　京 (3) to 南関東 (4): zone 2 of the fixture.
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "東京都", "神奈川県"), 1020);
    // Two prefectures of one region are priced by the zone, not as one prefecture.
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "神奈川県", "山梨県"), 1010);
    m_engine.SetParcel(20, 20, 20, 30001);
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "東京都", "東京都"), -1);
    EXPECT_FALSE(m_engine.IsAvailable(ShippingMethod::YuPack, Sj("東京都")));

    m_engine.SetParcel(100, 50, 20, 1000); // exactly the largest size, 170
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "東京都", "東京都"), 1600);
    EXPECT_TRUE(m_engine.IsAvailable(ShippingMethod::YuPack, Sj("東京都")));
    m_engine.SetOrigin(Sj("東京都"));
    ASSERT_TRUE(m_engine.List(ShippingMethod::YuPack, 0, false));
    EXPECT_NE(test::Utf8(m_engine.ListText(ShippingMethod::YuPack)).find("170サイズ"),
              std::string::npos);
    m_engine.SetParcel(100, 50, 21, 1000);
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "東京都", "東京都"), -1);
    EXPECT_FALSE(m_engine.List(ShippingMethod::YuPack, 0, false));
    EXPECT_EQ(m_engine.ListText(ShippingMethod::YuPack), "");
}

TEST_F(Calculators, HandInDiscountKeepsNegativePricesNegative) {
    RateFixture fixture;
    RateFixture::Replace(fixture.yupack2, "1,80, 1100,", "1,80, -1,");
    Load(fixture);
    m_settings.send_opt.chk_yuupack_opt100 = 1;
    m_settings.send_opt.chk_yamato_opt100 = 1;
    m_settings.send_opt.chk_sagawa_opt100 = 1;
    m_settings.send_opt.chk_perikan_opt100 = 1;
    m_engine.SetParcel(20, 20, 20, 1000);
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "東京都", "東京都"), 900);
    EXPECT_EQ(Cost(ShippingMethod::Yamato, "北海道", "北海道"), 900);
    EXPECT_EQ(Cost(ShippingMethod::Sagawa, "北海道", "北海道"), 1900);
    EXPECT_EQ(Cost(ShippingMethod::Pelican, "北海道", "北海道"), 2900);
    // Yahoo!ゆうパック and the postal kinds have no hand-in discount.
    EXPECT_EQ(Cost(ShippingMethod::YahooYuPack, "北海道", "北海道"), 600);
    EXPECT_EQ(Cost(ShippingMethod::Sassi, "北海道", "北海道"), 340);
    m_engine.SetParcel(30, 30, 20, 1000); // 80 size, priced -1 within a prefecture
    EXPECT_EQ(Cost(ShippingMethod::YuPack, "東京都", "東京都"), -101);
}

TEST_F(Calculators, YahooYuPackOriginsAndSize) {
    Load();
    m_engine.SetParcel(50, 50, 50, 2000); // size 150, weight class 1
    // 東京都 (13) and 鹿児島県 (45): zone 1 + 58 % 4 = 3.
    EXPECT_EQ(Cost(ShippingMethod::YahooYuPack, "東京都", "鹿児島県"), 801);
    EXPECT_EQ(Cost(ShippingMethod::YahooYuPack, "鹿児島県", "東京都"), -1);
    EXPECT_EQ(Cost(ShippingMethod::YahooYuPack, "宮崎県", "宮崎県"), -1);
    EXPECT_FALSE(m_engine.IsAvailable(ShippingMethod::YahooYuPack, Sj("鹿児島県")));
    EXPECT_FALSE(m_engine.IsAvailable(ShippingMethod::YahooYuPack, Sj("宮崎県")));
    EXPECT_TRUE(m_engine.IsAvailable(ShippingMethod::YahooYuPack, Sj("熊本県")));
    m_engine.SetParcel(50, 50, 51, 2000);
    EXPECT_EQ(Cost(ShippingMethod::YahooYuPack, "東京都", "鹿児島県"), -1);
    EXPECT_FALSE(m_engine.IsAvailable(ShippingMethod::YahooYuPack, Sj("東京都")));
    m_engine.SetParcel(10, 10, 10, 13001); // heavier than every class
    EXPECT_EQ(Cost(ShippingMethod::YahooYuPack, "東京都", "東京都"), -1);
    EXPECT_FALSE(m_engine.IsAvailable(ShippingMethod::YahooYuPack, Sj("東京都")));
}

TEST_F(Calculators, PostalMeasureRules) {
    Load();
    m_engine.SetParcel(23, 12, 1, 25);
    EXPECT_EQ(Cost(ShippingMethod::Teikei, "", ""), 80);
    m_engine.SetParcel(23, 12, 2, 10);
    EXPECT_EQ(Cost(ShippingMethod::Teikei, "", ""), -1);
    m_engine.SetParcel(23, 12, 1, 51); // the third value of a row never takes part
    EXPECT_EQ(Cost(ShippingMethod::Teikei, "", ""), -1);
    m_engine.SetParcel(34, 25, 2, 1000);
    EXPECT_EQ(Cost(ShippingMethod::Expack, "", "nowhere"), 500);
    m_engine.SetParcel(34, 26, 2, 1000);
    EXPECT_EQ(Cost(ShippingMethod::Expack, "", ""), -1);
    m_engine.SetParcel(60, 20, 10, 4000);
    EXPECT_EQ(Cost(ShippingMethod::Teikeigai, "", ""), 1150);
    m_engine.SetParcel(61, 20, 9, 100);
    EXPECT_EQ(Cost(ShippingMethod::Teikeigai, "", ""), -1);
    m_engine.SetParcel(40, 28, 2, 1000);
    EXPECT_EQ(Cost(ShippingMethod::Kuroneko, "", ""), 240);
    EXPECT_EQ(Cost(ShippingMethod::Hikyaku, "", ""), 240);
    m_engine.SetParcel(40, 29, 2, 100);
    EXPECT_EQ(Cost(ShippingMethod::Kuroneko, "", ""), -1);
    m_engine.SetParcel(100, 100, 100, 3000);
    EXPECT_EQ(Cost(ShippingMethod::Sassi, "", ""), 610);
    m_engine.SetParcel(100, 100, 100, 3001);
    EXPECT_EQ(Cost(ShippingMethod::Sassi, "", ""), -1);
}

TEST_F(Calculators, RegionCarriersClassesAndDirections) {
    Load();
    m_engine.SetParcel(40, 40, 40, 5000); // weight class 1, size class 3 (120)
    // Yamato reads the upper triangle only (the fixture's lower one holds 9999).
    EXPECT_EQ(Cost(ShippingMethod::Yamato, "沖縄県", "北海道"), 1410);
    EXPECT_EQ(Cost(ShippingMethod::Yamato, "北海道", "沖縄県"), 1410);
    // 佐川: origin row, destination column, read back from the reversed file row.
    m_engine.SetParcel(10, 10, 10, 1000);
    EXPECT_EQ(Cost(ShippingMethod::Sagawa, "北海道", "北海道"), 2000);
    EXPECT_EQ(Cost(ShippingMethod::Sagawa, "北海道", "沖縄県"), 2012);
    EXPECT_EQ(Cost(ShippingMethod::Sagawa, "沖縄県", "北海道"), 2120);
    EXPECT_EQ(Cost(ShippingMethod::Sagawa, "長崎県", "熊本県"), 2111);
    EXPECT_EQ(Cost(ShippingMethod::Pelican, "東京都", "大阪府"), 3024);
    EXPECT_EQ(Cost(ShippingMethod::Pelican, "大阪府", "東京都"), 3042);
    // Heavier than every weight class: not sent.
    m_engine.SetParcel(10, 10, 10, 25001);
    EXPECT_EQ(Cost(ShippingMethod::Yamato, "東京都", "東京都"), -1);
    EXPECT_FALSE(m_engine.IsAvailable(ShippingMethod::Yamato, Sj("東京都")));
    EXPECT_EQ(Cost(ShippingMethod::Sagawa, "東京都", "東京都"), 2433);
}

TEST_F(Calculators, HugeMeasuresDoNotOverflow) {
    Load();
    m_engine.SetParcel(2147483647, 2147483647, 2, 1000);
    for (int m = 0; m < kShippingMethodCount; ++m) {
        auto method = static_cast<ShippingMethod>(m);
        if (method != ShippingMethod::Sassi) { // 冊子小包 has no measure rule
            EXPECT_EQ(Cost(method, "東京都", "大阪府"), -1) << m;
        }
    }
}

TEST_F(Calculators, UnknownPrefecturesCostNothingExceptByPost) {
    Load();
    m_engine.SetParcel(10, 10, 1, 20);
    for (const char* to : {"", "東京", "東京都 "}) {
        for (ShippingMethod m :
             {ShippingMethod::YuPack, ShippingMethod::YahooYuPack, ShippingMethod::Yamato,
              ShippingMethod::Sagawa, ShippingMethod::Pelican}) {
            EXPECT_EQ(Cost(m, "東京都", to), -1) << to;
            EXPECT_EQ(Cost(m, to, "東京都"), -1) << to;
        }
        EXPECT_EQ(Cost(ShippingMethod::Teikei, "東京都", to), 80);
    }
}

} // namespace
} // namespace hanamori
