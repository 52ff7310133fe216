// The compiled-in geography: prefecture order, the four region schemes, weight classes.

#include "core/shipping/prefectures.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace hanamori {
namespace {
using test::Sj;
using test::Utf8;

std::string Region(RegionScheme scheme, const char* prefecture) {
    std::string region = "unchanged";
    RegionOf(scheme, Sj(prefecture), region);
    return Utf8(region);
}

TEST(Prefectures, ProgramOrderAndLookup) {
    EXPECT_EQ(PrefectureIndex(Sj("北海道")), 0);
    EXPECT_EQ(PrefectureIndex(Sj("山形県")), 4);
    EXPECT_EQ(PrefectureIndex(Sj("宮城県")), 5);
    EXPECT_EQ(PrefectureIndex(Sj("長野県")), 16);
    EXPECT_EQ(PrefectureIndex(Sj("岡山県")), 31);
    EXPECT_EQ(PrefectureIndex(Sj("沖縄県")), 46);
    EXPECT_EQ(PrefectureIndex(Sj("長野")), -1);
    EXPECT_EQ(PrefectureIndex(""), -1);
    EXPECT_EQ(PrefectureIndex(Sj(" 長野県")), -1);
    for (int i = 0; i < kPrefectureCount; ++i) {
        EXPECT_EQ(PrefectureIndex(PrefectureName(i)), i);
    }
    EXPECT_EQ(PrefectureName(47), "");
}

TEST(Prefectures, RegionSchemes) {
    EXPECT_EQ(Region(RegionScheme::YuPack, "新潟県"), "信　越");
    EXPECT_EQ(Region(RegionScheme::Yamato, "新潟県"), "信　越");
    EXPECT_EQ(Region(RegionScheme::Sagawa, "新潟県"), "信　越");
    EXPECT_EQ(Region(RegionScheme::Pelican, "新潟県"), "関　東");
    EXPECT_EQ(Region(RegionScheme::YuPack, "山梨県"), "南関東");
    EXPECT_EQ(Region(RegionScheme::Yamato, "山梨県"), "関　東");
    EXPECT_EQ(Region(RegionScheme::Pelican, "山梨県"), "関　東");
    EXPECT_EQ(Region(RegionScheme::Sagawa, "長崎県"), "北九州");
    EXPECT_EQ(Region(RegionScheme::Sagawa, "熊本県"), "南九州");
    EXPECT_EQ(Region(RegionScheme::YuPack, "東京都"), "東　京");
    EXPECT_EQ(Region(RegionScheme::Yamato, "静岡県"), "中　部");
    EXPECT_EQ(Region(RegionScheme::Sagawa, "静岡県"), "東　海");
    EXPECT_EQ(Region(RegionScheme::Yamato, "東京"), "unchanged");

    for (RegionScheme s : {RegionScheme::YuPack, RegionScheme::Yamato, RegionScheme::Sagawa,
                           RegionScheme::Pelican}) {
        EXPECT_EQ(RegionIndex(s, Sj("東北")), -1);
        EXPECT_EQ(RegionIndex(s, Sj("北海道")), 0);
        EXPECT_EQ(RegionIndex(s, Sj("沖　縄")), RegionCount(s) - 1);
        // Every region holds at least one prefecture, and the table order is a
        // permutation of the prefectures.
        std::vector<int> members(static_cast<std::size_t>(RegionCount(s)), 0);
        std::vector<int> seen(kPrefectureCount, 0);
        for (int p : RegionTableOrder(s)) {
            ++seen[static_cast<std::size_t>(p)];
            ++members[static_cast<std::size_t>(RegionIndexOfPrefecture(s, p))];
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), kPrefectureCount);
        EXPECT_EQ(std::count(members.begin(), members.end(), 0), 0);
    }
    EXPECT_EQ(RegionCount(RegionScheme::YuPack), 13);
    EXPECT_EQ(RegionCount(RegionScheme::Yamato), 12);
    EXPECT_EQ(RegionCount(RegionScheme::Sagawa), 13);
    EXPECT_EQ(RegionCount(RegionScheme::Pelican), 9);
    EXPECT_EQ(RegionIndex(RegionScheme::YuPack, Sj("北東北")), -1);
    EXPECT_EQ(RegionIndex(RegionScheme::Pelican, Sj("北東北")), -1);
    EXPECT_EQ(RegionIndex(RegionScheme::Yamato, Sj("北東北")), 1);
    EXPECT_EQ(RegionIndex(RegionScheme::Sagawa, Sj("北東北")), 1);
    // 長野県 follows 新潟県 in the tables; Sagawa's also has 長崎県 before 熊本県.
    EXPECT_EQ(RegionTableOrder(RegionScheme::Yamato)[8], 16);
    EXPECT_EQ(RegionTableOrder(RegionScheme::Sagawa)[42], 43);
    EXPECT_EQ(RegionTableOrder(RegionScheme::Pelican)[8], 8);
}

TEST(Prefectures, WeightClasses) {
    EXPECT_EQ(Utf8(WeightClassLabel(25)), "～25g");
    EXPECT_EQ(Utf8(WeightClassLabel(26)), "～50g");
    EXPECT_EQ(Utf8(WeightClassLabel(0)), "～25g");
    EXPECT_EQ(Utf8(WeightClassLabel(30001)), "30kg超");
    EXPECT_EQ(Utf8(WeightClassLabel(9999999)), "30kg超");
    EXPECT_EQ(WeightClassLabel(10000000), "");
    EXPECT_EQ(WeightClasses()[0].label.substr(0, 2), "\x81\x60");
    EXPECT_EQ(WeightClasses()[28].limit, 9999999);
}

TEST(Prefectures, SmallHelpers) {
    int a = 5, b = 3;
    OrderPair(a, b);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 5);
    OrderPair(a, b);
    EXPECT_EQ(a, 3);
    std::string text = "  a b \t ";
    TrimSpaces(text);
    EXPECT_EQ(text, "a b \t");
    text = "   ";
    TrimSpaces(text);
    EXPECT_EQ(text, "");
    text = Sj("　東北　");
    TrimSpaces(text);
    EXPECT_EQ(Utf8(text), "　東北　");
}

} // namespace
} // namespace hanamori
