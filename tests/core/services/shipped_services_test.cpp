// The service files that ship with the program: they load, every price in them is the
// price of the tariff sheet's csv blocks (services-2025-blocks.md, kept as copied), and
// the hand-checked parcels come out right.

#include "core/shipping/services/service_catalogue.h"
#include "core/text/cp932.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>

namespace hanamori {
namespace {

using Block = std::vector<std::vector<std::string>>; // rows of cells, header first

std::map<std::string, Block> SheetBlocks() {
    std::istringstream in(
        test::ReadFile(test::SourceDir() + "/tests/core/services/services-2025-blocks.md"));
    std::map<std::string, Block> blocks;
    const std::regex start("^```csv (\\S+)$");
    Block* open = nullptr;
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_match(line, m, start)) {
            open = &blocks[m[1]];
        } else if (line == "```") {
            open = nullptr;
        } else if (open) {
            Block::value_type cells(1);
            for (char c : line) {
                if (c == ',') {
                    cells.emplace_back();
                } else {
                    cells.back().push_back(c);
                }
            }
            open->push_back(cells);
        }
    }
    return blocks;
}

class ShippedServices : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(catalogue.problems.empty()); }

    const ServiceTariff& Service(const std::string& name) {
        for (const ServiceTariff& s : catalogue.services) {
            if (Cp932ToUtf8(s.name) == name) {
                return s;
            }
        }
        ADD_FAILURE() << name;
        return catalogue.services.at(0);
    }

    // The regions and the prices of a region carrier, cell by cell, against the sheet.
    void ExpectRegionTable(const ServiceTariff& s, const std::string& carrier,
                           const std::vector<std::pair<std::string, std::string>>& classes) {
        int column = carrier == "yamato" ? 2 : 3;
        ASSERT_EQ(s.classes.size(), classes.size());
        for (int p = 0; p < kPrefectureCount; ++p) {
            const auto& row = blocks["prefecture_regions"].at(static_cast<std::size_t>(p) + 1);
            int region = s.region_of[static_cast<std::size_t>(PrefectureIndex(test::Sj(row[1])))];
            ASSERT_GE(region, 0) << row[1];
            EXPECT_EQ(s.regions[static_cast<std::size_t>(region)].id,
                      row[static_cast<std::size_t>(column)]);
        }
        for (std::size_t c = 0; c < classes.size(); ++c) {
            EXPECT_EQ(Cp932ToUtf8(s.classes[c].name), classes[c].first);
            const Block& b = blocks.at(classes[c].second);
            ASSERT_EQ(b.size(), s.regions.size() + 1);
            for (std::size_t o = 0; o < s.regions.size(); ++o) {
                EXPECT_EQ(b[o + 1][0], s.regions[o].id);
                for (std::size_t d = 0; d < s.regions.size(); ++d) {
                    EXPECT_EQ(b[0][d + 1], s.regions[d].id);
                    EXPECT_EQ(std::to_string(s.Rate(int(c), int(o), int(d))), b[o + 1][d + 1])
                        << classes[c].second << " " << s.regions[o].id << " " << s.regions[d].id;
                }
            }
        }
    }

    void ExpectSteps(const ServiceTariff& s, const std::string& block, int unit) {
        const Block& b = blocks.at(block);
        ASSERT_EQ(s.steps.size() + 1, b.size()) << block;
        for (std::size_t i = 0; i < s.steps.size(); ++i) {
            EXPECT_EQ(std::to_string(s.steps[i].up_to / unit), b[i + 1][0]) << block;
            EXPECT_EQ(std::to_string(s.steps[i].price), b[i + 1][1]) << block;
        }
    }

    std::map<std::string, Block> blocks = SheetBlocks();
    ServiceCatalogue catalogue = LoadServiceCatalogue(test::SourceDir() + "/data/ServiceData");
};

TEST_F(ShippedServices, EveryPriceIsTheSheetsPrice) {
    std::vector<std::pair<std::string, std::string>> yamato, sagawa, large;
    for (const char* size : {"60", "80", "100", "120", "140", "160", "180", "200"}) {
        yamato.push_back({size, std::string("yamato_cash_") + size});
    }
    for (const char* size : {"60", "80", "100", "140", "160"}) {
        sagawa.push_back({size, std::string("sagawa_") + size});
    }
    for (const char* size : {"170", "180", "200", "220", "240", "260"}) {
        large.push_back({size, std::string("sagawa_") + size});
    }
    ExpectRegionTable(Service("宅急便"), "yamato", yamato);
    ExpectRegionTable(Service("宅急便コンパクト"), "yamato", {{"コンパクト", "yamato_compact"}});
    ExpectRegionTable(Service("飛脚宅配便"), "sagawa", sagawa);
    ExpectRegionTable(Service("飛脚ラージサイズ宅配便"), "sagawa", large);
    ExpectSteps(Service("定形外郵便物 規格内"), "jp_teikeigai_kikakunai", 1);
    ExpectSteps(Service("定形外郵便物 規格外"), "jp_teikeigai_kikakugai", 1);
    // ゆうメール: the 2025-11-01 revision, and the prices before it as the earlier period.
    ExpectSteps(Service("ゆうメール"), "jp_yumail_2025_11", 1);
    ASSERT_EQ(Service("ゆうメール").earlier.size(), 1u);
    ExpectSteps(Service("ゆうメール").earlier[0], "jp_yumail", 1);
    ExpectSteps(Service("ゆうパケット"), "jp_yupacket", 10);
    std::size_t flat = 0;
    for (const auto& row : blocks.at("jp_flat")) {
        for (const ServiceTariff& s : catalogue.services) {
            if (Cp932ToUtf8(s.name) == row[1]) {
                EXPECT_EQ(s.kind, PriceTableKind::Flat);
                EXPECT_EQ(std::to_string(s.flat_price), row[2]) << row[1];
                EXPECT_EQ(std::to_string(s.limits.weight_g), row[3]) << row[1];
                ++flat;
            }
        }
    }
    EXPECT_EQ(flat, 5u);
    // Nothing else ships a price: 5 flat, 4 step and 4 region services; ゆうパック none.
    EXPECT_EQ(catalogue.services.size(), 14u);
    EXPECT_EQ(Service("ゆうパック").kind, PriceTableKind::None);
    EXPECT_FALSE(Service("ゆうパック").withheld.empty());
    for (const ServiceTariff& s : catalogue.services) {
        EXPECT_EQ(s.unconfirmed, Cp932ToUtf8(s.name) == "宅急便コンパクト") << Cp932ToUtf8(s.name);
    }
}

TEST_F(ShippedServices, HandCheckedParcels) {
    auto costs = [&](ServiceParcel parcel, const std::string& date = "2026-12-09") {
        std::map<std::string, std::string> shown;
        for (const ServiceQuote& q :
             QuoteServices(catalogue, parcel, 13, 26, date)) { // 東京 → 大阪
            shown[Cp932ToUtf8(q.service->name)] =
                Cp932ToUtf8(QuoteCostText(q)) + (q.cheapest ? " 最安" : "");
        }
        return shown;
    };
    auto box = costs({{30, 20, 10}, 2000});
    EXPECT_EQ(box["宅急便"], "1060");
    EXPECT_EQ(box["飛脚宅配便"], "1040");
    EXPECT_EQ(box["飛脚ラージサイズ宅配便"], "発送不可");
    EXPECT_EQ(box["ゆうパック"], "料金表未確認");

    auto book = costs({{30, 22, 3}, 800});
    EXPECT_EQ(book["クリックポスト"], "185 最安");
    EXPECT_EQ(book["ゆうパケット"], "360");
    EXPECT_EQ(book["ゆうメール"], "380");
    EXPECT_EQ(costs({{30, 22, 3}, 500}, "2025-10-31")["ゆうメール"], "310");
    EXPECT_EQ(costs({{30, 22, 3}, 500}, "2025-11-01")["ゆうメール"], "320");
    EXPECT_EQ(book["定形外郵便物 規格内"], "750");
    EXPECT_EQ(book["定形外郵便物 規格外"], "発送不可");
    EXPECT_EQ(book["レターパックライト"], "430");
    EXPECT_EQ(book["スマートレター"], "発送不可");
    EXPECT_EQ(book["定形郵便物"], "発送不可");

    auto wide = costs({{34, 25, 3}, 800});
    EXPECT_EQ(wide["ゆうパケット"], "発送不可"); // 62 cm of sides
    EXPECT_EQ(wide["クリックポスト"], "185 最安");
}

} // namespace
} // namespace hanamori
