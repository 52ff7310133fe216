#include "core/shipping/rate_fixture.h"

#include "core/shipping/prefectures.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace hanamori::test {
namespace {

std::string Values(const std::vector<int>& values) {
    std::string out;
    for (int v : values) {
        out += " " + std::to_string(v) + ",";
    }
    return out;
}

std::string Section(const std::string& name, const std::vector<std::string>& rows) {
    std::string out = "@start_" + name + "\r\n";
    for (const std::string& row : rows) {
        out += row + "\r\n";
    }
    return out + "@end_" + name + "\r\n";
}

std::string Postal(const std::string& name, std::vector<int> limits, std::vector<int> prices) {
    // The value after the last class never takes part; make it one that would show.
    limits.push_back(99999);
    prices.push_back(7);
    return Section(name, {"0,w," + Values(limits), "1,p," + Values(prices)});
}

template <typename Price>
std::string RegionCost(const std::string& name, RegionScheme scheme, int classes, bool reversed,
                       Price price) {
    std::vector<std::string> rows;
    int regions = RegionCount(scheme);
    for (int o = 0; o < regions; ++o) {
        for (int c = 0; c < classes; ++c) {
            std::vector<int> values;
            for (int d = 0; d < regions; ++d) {
                values.push_back(price(o, c, d));
            }
            if (reversed) {
                std::reverse(values.begin(), values.end());
            }
            rows.push_back(std::to_string(o) + "," + RegionName(scheme, o) + ",x," +
                           Values(values));
        }
    }
    return Section(name, rows);
}

} // namespace

int FixtureYuPackZone(int from_region, int to_region) {
    return std::min(std::abs(from_region - to_region), 6) + 1;
}

int FixtureYahooZone(int a, int b) {
    return 1 + (std::min(a, b) + std::max(a, b)) % 4;
}

RateFixture::RateFixture() {
    std::vector<std::string> rows;
    for (int p = 0; p < kPrefectureCount; ++p) {
        std::vector<int> zones;
        for (int q = 0; q < kPrefectureCount; ++q) {
            zones.push_back(FixtureYahooZone(p, q));
        }
        rows.push_back(std::to_string(p) + "," + PrefectureName(p) + "," + Values(zones));
    }
    yupack = "// fixture\r\n" + Section("yupack_sub", rows);
    rows.clear();
    std::vector<int> limits;
    for (int w = 0; w < 13; ++w) {
        limits.push_back(1000 * (w + 1));
    }
    rows.push_back("0,w," + Values(limits));
    for (int z = 0; z < 5; ++z) {
        std::vector<int> prices;
        for (int w = 0; w < 13; ++w) {
            prices.push_back(500 + 100 * z + w);
        }
        rows.push_back(std::to_string(z + 1) + ",z," + Values(prices));
    }
    yupack += Section("yahoo_yupack_cost", rows);

    rows.clear();
    for (int r = 0; r < 13; ++r) {
        std::vector<int> zones;
        for (int d = 0; d < 13; ++d) {
            zones.push_back(FixtureYuPackZone(r, d));
        }
        rows.push_back(std::to_string(r) + "," + RegionName(RegionScheme::YuPack, r) + "," +
                       Values(zones));
    }
    yupack2 = Section("yupack2_sub", rows);
    rows.clear();
    const int sizes[7] = {60, 80, 100, 120, 140, 160, 170};
    for (int s = 0; s < 7; ++s) {
        std::vector<int> prices;
        for (int z = 0; z < 8; ++z) {
            prices.push_back(1000 + 100 * s + 10 * z);
        }
        rows.push_back(std::to_string(s) + "," + std::to_string(sizes[s]) + "," + Values(prices));
    }
    yupack2 += Section("yupack2_cost", rows);

    yubin =
        Postal("teikei_yubin_cost", {25, 50}, {80, 90}) +
        Postal("teikeigai_yubin_cost", {50, 100, 150, 250, 500, 1000, 2000, 4000},
               {120, 140, 200, 240, 390, 580, 850, 1150}) +
        Postal("sassi_kodutumi_cost", {50, 100, 150, 250, 300, 500, 1000, 1500, 2000, 2500, 3000},
               {140, 160, 180, 210, 290, 290, 340, 450, 450, 610, 610}) +
        Postal("expack500_cost", {30000}, {500});

    yamato = RegionCost(
                 "yamato_cost", RegionScheme::Yamato, 6, false,
                 [](int o, int c, int d) { return o <= d ? 1000 + 100 * c + 10 * d + o : 9999; }) +
             Section("yamato_sub", {"0,w," + Values({2000, 5000, 10000, 15000, 20000, 25000}),
                                    "1,s," + Values({60, 80, 100, 120, 140, 160})}) +
             Postal("kuroneko_mail_cost", {50, 100, 250, 500, 1000}, {80, 80, 160, 160, 240});
    sagawa = RegionCost("sagawa_cost", RegionScheme::Sagawa, 5, true,
                        [](int o, int c, int d) { return 2000 + 100 * c + 10 * o + d; }) +
             Section("sagawa_sub", {"0,w," + Values({2000, 5000, 10000, 20000, 30000}),
                                    "1,s," + Values({60, 80, 100, 140, 160})}) +
             Postal("hikyaku_mail_cost", {150, 500, 1000}, {80, 160, 240});
    nittu = RegionCost("perikan_cost", RegionScheme::Pelican, 6, false,
                       [](int o, int c, int d) { return 3000 + 100 * c + 10 * o + d; }) +
            Section("perikan_sub", {"0,w," + Values({2000, 5000, 10000, 15000, 20000, 30000}),
                                    "1,s," + Values({60, 80, 100, 120, 140, 170})});
}

void RateFixture::WriteAll(const std::string& dir) const {
    WriteFile(dir + "yupack.dat", yupack);
    WriteFile(dir + "yupack2.dat", yupack2);
    WriteFile(dir + "yubin.dat", yubin);
    WriteFile(dir + "yamato.dat", yamato);
    WriteFile(dir + "sagawa.dat", sagawa);
    WriteFile(dir + "nittu.dat", nittu);
}

void RateFixture::Replace(std::string& file, const std::string& from_utf8,
                          const std::string& to_utf8) {
    std::string from = Sj(from_utf8);
    std::size_t at = file.find(from);
    ASSERT_NE(at, std::string::npos) << from_utf8;
    file.replace(at, from.size(), Sj(to_utf8));
}

} // namespace hanamori::test
