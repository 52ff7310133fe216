// The rate files that ship with the program: they load, and their tariffs hang together.

#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {
using test::Sj;

class ShippedRates : public ::testing::Test {
protected:
    void SetUp() override {
        test::ScriptedHost host;
        ASSERT_TRUE(m_engine.LoadAll(test::SourceDir() + "/data/CostData", host));
        ASSERT_TRUE(host.messages.empty());
    }
    int Cost(ShippingMethod m, int from, int to) {
        return m_engine.Cost(m, PrefectureName(from), PrefectureName(to));
    }
    UserSettings m_settings;
    ShippingEngine m_engine{m_settings};
};

TEST(ShippedRatesReadOnly, RateFilesThatRefuseWritesStillLoad) {
    test::TempInstall inst(/*with_shipped_data=*/true);
    for (const char* name :
         {"yupack.dat", "yupack2.dat", "yubin.dat", "yamato.dat", "sagawa.dat", "nittu.dat"}) {
        test::MakeUnwritable(inst / (std::string("CostData/") + name));
    }
    UserSettings settings;
    ShippingEngine engine(settings);
    test::ScriptedHost host;
    EXPECT_TRUE(engine.LoadAll(inst / "CostData", host));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ShippedRates, FilesAreCrLfCp932) {
    for (const char* name :
         {"yupack.dat", "yupack2.dat", "yubin.dat", "yamato.dat", "sagawa.dat", "nittu.dat"}) {
        std::string text = test::ReadFile(test::SourceDir() + "/data/CostData/" + name);
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << name << " byte " << i;
            }
        }
        EXPECT_TRUE(Utf8ToCp932(Cp932ToUtf8(text)) == text) << name;
    }
}

TEST_F(ShippedRates, PricesRiseWithSizeAndWeight) {
    const ShippingMethod parcels[] = {ShippingMethod::YuPack, ShippingMethod::Yamato,
                                      ShippingMethod::Sagawa, ShippingMethod::Pelican,
                                      ShippingMethod::YahooYuPack};
    for (ShippingMethod m : parcels) {
        for (int from = 0; from < kPrefectureCount; from += 3) {
            for (int to = 0; to < kPrefectureCount; to += 2) {
                int previous = 0;
                for (int step = 0; step < 8; ++step) {
                    int side = 20 + 5 * step; // 60 to 165 cm
                    m_engine.SetParcel(side, side, side, 1000 + 3000 * step);
                    int cost = Cost(m, from, to);
                    if (cost < 0) {
                        continue;
                    }
                    EXPECT_GE(cost, previous) << static_cast<int>(m) << " " << from << " " << to;
                    previous = cost;
                }
            }
        }
    }
}

TEST_F(ShippedRates, DistanceSymmetryAndPlausibleValues) {
    m_engine.SetParcel(30, 20, 10, 2000);
    const int tokyo = 13, osaka = 26, sapporo = 0, naha = 46, kagoshima = 45;
    for (int a = 0; a < kPrefectureCount; ++a) {
        for (int b = 0; b < kPrefectureCount; ++b) {
            EXPECT_EQ(Cost(ShippingMethod::Yamato, a, b), Cost(ShippingMethod::Yamato, b, a));
            EXPECT_EQ(Cost(ShippingMethod::YuPack, a, b) < 0, false) << a << " " << b;
            int yamato = Cost(ShippingMethod::Yamato, a, b);
            EXPECT_GE(yamato, 740);
            EXPECT_LE(yamato, 4520);
        }
    }
    // Farther costs more, from Tokyo.
    for (ShippingMethod m : {ShippingMethod::YuPack, ShippingMethod::Yamato, ShippingMethod::Sagawa,
                             ShippingMethod::Pelican, ShippingMethod::YahooYuPack}) {
        EXPECT_LE(Cost(m, tokyo, tokyo), Cost(m, tokyo, osaka)) << static_cast<int>(m);
        EXPECT_LE(Cost(m, tokyo, osaka), Cost(m, tokyo, kagoshima)) << static_cast<int>(m);
        EXPECT_LE(Cost(m, tokyo, osaka), Cost(m, tokyo, sapporo)) << static_cast<int>(m);
    }
    // Published figures: ヤマト 60 size 関東 to 関西 rank 2; ゆうパック within a prefecture 600.
    EXPECT_EQ(Cost(ShippingMethod::Yamato, tokyo, osaka), 840);
    EXPECT_EQ(Cost(ShippingMethod::YuPack, tokyo, tokyo), 600);
    EXPECT_EQ(Cost(ShippingMethod::Sagawa, tokyo, naha), -1);
    EXPECT_EQ(Cost(ShippingMethod::Pelican, tokyo, naha), 1260);
    // Postal kinds at their published prices.
    m_engine.SetParcel(23, 12, 1, 25);
    EXPECT_EQ(Cost(ShippingMethod::Teikei, 0, 0), 80);
    m_engine.SetParcel(30, 20, 3, 500);
    EXPECT_EQ(Cost(ShippingMethod::Teikeigai, 0, 0), 390);
    m_engine.SetParcel(34, 25, 2, 900);
    EXPECT_EQ(Cost(ShippingMethod::Expack, 0, 0), 500);
}

} // namespace
} // namespace hanamori
