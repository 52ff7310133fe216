// Reading rate files: the line, row and field rules and the failures they imply.

#include "core/shipping/calculators.h"
#include "core/shipping/rate_file.h"
#include "core/shipping/rate_fixture.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace hanamori {
namespace {
using test::RateFixture;
using test::Sj;

// Rows of section "s" with 2 fields each, collected as integers; nullopt on failure.
std::optional<std::vector<std::vector<int>>> Read(const std::string& text, int rows = 2,
                                                  int fields = 2) {
    std::vector<std::vector<int>> out;
    bool ok = ReadSection(text, "s", rows, fields, [&](int index, const RateRow& row) {
        if (row.Int(0) != index) {
            return false;
        }
        std::vector<int> values;
        for (std::size_t i = 0; i < row.fields.size(); ++i) {
            values.push_back(row.Int(i));
        }
        out.push_back(values);
        return true;
    });
    if (!ok) {
        return std::nullopt;
    }
    return out;
}

TEST(RateFile, LinesRowsAndFields) {
    using Rows = std::vector<std::vector<int>>;
    // Spaces around values, extra text after the last needed comma, a comment between
    // rows, other text between the rows and the end marker.
    EXPECT_EQ(Read("x\r\n@start_s\r\n 0 , 7 ,junk\r\n// note\r\n1,-3,\r\nmore\r\n@end_s\r\n"),
              (Rows{{0, 7}, {1, -3}}));
    EXPECT_EQ(Read("@start_s\r\n0,+5x,\r\n1,abc,\r\n@end_s\r\n"), (Rows{{0, 5}, {1, 0}}));
    // A blank line between rows is a row with too few commas.
    EXPECT_FALSE(Read("@start_s\r\n0,1,\r\n\r\n1,2,\r\n@end_s\r\n"));
    // The last value needs its comma.
    EXPECT_FALSE(Read("@start_s\r\n0,1,\r\n1,2\r\n@end_s\r\n"));
    // The end marker needs its CR LF; LF alone does not end a line.
    EXPECT_FALSE(Read("@start_s\r\n0,1,\r\n1,2,\r\n@end_s"));
    EXPECT_FALSE(Read("@start_s\n0,1,\n1,2,\n@end_s\n"));
    // Markers are compared exactly.
    EXPECT_FALSE(Read("@start_s \r\n0,1,\r\n1,2,\r\n@end_s\r\n"));
    EXPECT_FALSE(Read("@start_s\r\n0,1,\r\n1,2,\r\n@end_sx\r\n"));
    EXPECT_FALSE(Read("@start_s\r\n0,1,\r\n@end_s\r\n"));
    // Row numbers are checked; a comment does not take a number.
    EXPECT_FALSE(Read("@start_s\r\n0,1,\r\n2,2,\r\n@end_s\r\n"));
    // A section given twice: the first one is read.
    EXPECT_EQ(Read("@start_s\r\n0,1,\r\n1,2,\r\n@end_s\r\n@start_s\r\n0,8,\r\n1,9,\r\n@end_s\r\n"),
              (Rows{{0, 1}, {1, 2}}));
    // A field longer than 127 bytes fails; 127 bytes is read.
    std::string long_field(127, ' ');
    EXPECT_TRUE(Read("@start_s\r\n0," + long_field + ",\r\n1,2,\r\n@end_s\r\n"));
    EXPECT_FALSE(Read("@start_s\r\n0," + long_field + " ,\r\n1,2,\r\n@end_s\r\n"));
    // A NUL byte ends the text.
    EXPECT_FALSE(Read(std::string("@start_s\r\n0,1,\r\n1,2,\r\n\0@end_s\r\n", 24)));
    EXPECT_EQ(RateInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(RateInt("4294967297"), 1); // wraps like a 32-bit reader, never overflows
}

class RateFileLoad : public ::testing::Test {
protected:
    template <typename Calculator, typename... Carrier>
    bool Load(const RateFixture& fixture, const Carrier&... carrier) {
        fixture.WriteAll(m_dir.path());
        Calculator calculator(carrier...);
        calculator.SetRateDirectory(m_dir.path());
        return calculator.Load();
    }
    test::TempDir m_dir;
};

TEST_F(RateFileLoad, NamesRowNumbersAndZonesAreChecked) {
    RateFixture fixture;
    EXPECT_TRUE(Load<YuPackCalculator>(fixture));
    EXPECT_TRUE(Load<YahooYuPackCalculator>(fixture));
    EXPECT_TRUE(Load<RegionCarrierCalculator>(fixture, kYamatoCarrier));
    EXPECT_TRUE(Load<RegionCarrierCalculator>(fixture, kSagawaCarrier));
    EXPECT_TRUE(Load<RegionCarrierCalculator>(fixture, kPelicanCarrier));

    RateFixture no_space;
    RateFixture::Replace(no_space.yupack2, "1,東　北,", "1,東北,");
    EXPECT_FALSE(Load<YuPackCalculator>(no_space));

    RateFixture padded; // spaces around the name are trimmed
    RateFixture::Replace(padded.yupack2, "1,東　北,", "1,  東　北 ,");
    EXPECT_TRUE(Load<YuPackCalculator>(padded));

    RateFixture wrong_pref;
    RateFixture::Replace(wrong_pref.yupack, "5,宮城県,", "5,山形県,");
    EXPECT_FALSE(Load<YahooYuPackCalculator>(wrong_pref));

    RateFixture wrong_origin; // the per-region rows carry their origin number
    RateFixture::Replace(wrong_origin.yamato, "1,北東北,x,", "2,北東北,x,");
    EXPECT_FALSE(Load<RegionCarrierCalculator>(wrong_origin, kYamatoCarrier));

    // A zone number the price table has no column for fails the load.
    RateFixture zone_out;
    RateFixture::Replace(zone_out.yupack2, "0,北海道, 1,", "0,北海道, 8,");
    EXPECT_FALSE(Load<YuPackCalculator>(zone_out));
    RateFixture yahoo_zone_out;
    RateFixture::Replace(yahoo_zone_out.yupack, "0,北海道, 1,", "0,北海道, 5,");
    EXPECT_FALSE(Load<YahooYuPackCalculator>(yahoo_zone_out));
    RateFixture negative_zone;
    RateFixture::Replace(negative_zone.yupack, "0,北海道, 1,", "0,北海道, -1,");
    EXPECT_FALSE(Load<YahooYuPackCalculator>(negative_zone));

    // Sections may stand in any order: each is found from the start of the file.
    RateFixture reordered;
    std::size_t cost = reordered.yamato.find("@start_yamato_sub");
    reordered.yamato = reordered.yamato.substr(cost) + reordered.yamato.substr(0, cost);
    EXPECT_TRUE(Load<RegionCarrierCalculator>(reordered, kYamatoCarrier));

    RateFixture missing_section;
    RateFixture::Replace(missing_section.nittu, "@start_perikan_sub", "@start_perikan_subs");
    EXPECT_FALSE(Load<RegionCarrierCalculator>(missing_section, kPelicanCarrier));
}

TEST_F(RateFileLoad, MissingFileFailsAndUnloadedCalculatorPricesNothing) {
    RegionCarrierCalculator yamato(kYamatoCarrier);
    yamato.SetRateDirectory(m_dir.path());
    yamato.SetParcel(10, 10, 10, 1000);
    EXPECT_FALSE(yamato.Load());
    EXPECT_EQ(yamato.Cost(Sj("東京都"), Sj("大阪府")), -1);

    RateFixture fixture;
    fixture.WriteAll(m_dir.path());
    ASSERT_TRUE(yamato.Load());
    EXPECT_GT(yamato.Cost(Sj("東京都"), Sj("大阪府")), 0);

    // A later failed load leaves the old tables unused (no cost, no list).
    RateFixture broken;
    RateFixture::Replace(broken.yamato, "@end_yamato_sub", "@end_yamato_sub_");
    broken.WriteAll(m_dir.path());
    EXPECT_FALSE(yamato.Load());
    EXPECT_EQ(yamato.Cost(Sj("東京都"), Sj("大阪府")), -1);
    EXPECT_FALSE(yamato.IsAvailable(Sj("東京都")));
    EXPECT_FALSE(yamato.BuildList(Sj("東京都"), 0, -1));
    EXPECT_EQ(yamato.ListText(), "");

    // A directory standing where the file should be fails the load like a missing file.
    std::filesystem::remove(m_dir / "yamato.dat");
    std::filesystem::create_directory(m_dir / "yamato.dat");
    EXPECT_FALSE(yamato.Load());
}

} // namespace
} // namespace hanamori
