#include "core/page/color_list.h"
#include "core/page/design_catalog.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sys/stat.h>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

TEST(ColorListTest, LinesEndInCrLfAndCutAtFourCommas) {
    ColorList list;
    ASSERT_TRUE(ParseColorList(Sj("ブルー,#000080,#3366cc,#99ccff,#ffffff\r\n"
                                  "赤,#ff0000,#ff8080,#ffc0c0,#fff0f0,extra\r\n"
                                  " 紫 ,#ff00ff00, #abc,,#1\r\n"
                                  "no line end,#1,#2,#3,#4"),
                               list));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(Utf8(list[0].name), "ブルー");
    EXPECT_EQ(list[0].color1, "#000080");
    EXPECT_EQ(list[0].color4, "#ffffff");
    // The fifth field is the rest of the line, cut to 7 bytes.
    EXPECT_EQ(list[1].color4, "#fff0f0");
    // Nothing trimmed; long colours cut, short and empty ones kept.
    EXPECT_EQ(Utf8(list[2].name), " 紫 ");
    EXPECT_EQ(list[2].color1, "#ff00ff");
    EXPECT_EQ(list[2].color2, " #abc");
    EXPECT_EQ(list[2].color3, "");
    EXPECT_EQ(list[2].color4, "#1");
}

TEST(ColorListTest, MalformedLineEmptiesTheWholeList) {
    ColorList list;
    ASSERT_TRUE(ParseColorList(Sj("a,1,2,3,4\r\n"), list));
    // An empty line at the end.
    EXPECT_FALSE(ParseColorList(Sj("a,1,2,3,4\r\nb,1,2,3,4\r\n\r\n"), list));
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(ParseColorList("a,1,2,3,4\r\nb,1,2,3\r\nc,1,2,3,4\r\n", list));
    EXPECT_EQ(list.count(), 0);
    // LF-only lines are no lines at all: an empty list, but a good load.
    EXPECT_TRUE(ParseColorList("a,1,2,3,4\nb,1,2,3,4\n", list));
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(ParseColorList("", list));
    EXPECT_EQ(list.count(), 0);
}

TEST(ColorListTest, LongNameIsCutTo255Bytes) {
    ColorList list;
    std::string name(300, 'x');
    ASSERT_TRUE(ParseColorList(name + ",1,2,3,4\r\n", list));
    EXPECT_EQ(list[0].name, std::string(255, 'x'));
    // Never in the middle of a double-byte character.
    std::string wide = "x";
    for (int i = 0; i < 150; ++i) {
        wide += Sj("あ");
    }
    ASSERT_TRUE(ParseColorList(wide + ",1,2,3,4\r\n", list));
    EXPECT_EQ(list[0].name.size(), 255u);
    EXPECT_EQ(list[0].name, wide.substr(0, 255));
    std::string even = wide.substr(1);
    ASSERT_TRUE(ParseColorList(even + ",1,2,3,4\r\n", list));
    EXPECT_EQ(list[0].name.size(), 254u);
}

TEST(ColorListTest, LoadFromTemplateDirectory) {
    test::TempDir dir;
    ColorList list;
    // Missing file: failure, empty list (the old entries are gone).
    ParseColorList("a,1,2,3,4\r\n", list);
    EXPECT_FALSE(LoadColorList(list, dir.path() + "template"));
    EXPECT_EQ(list.count(), 0);

    ::mkdir((dir / "template").c_str(), 0755);
    test::WriteFile(dir / "template/color.lst", Sj("グレー,#404040,#808080,#c0c0c0,#f0f0f0\r\n"));
    // A read-only file is enough.
    test::MakeUnwritable(dir / "template/color.lst");
    EXPECT_TRUE(LoadColorList(list, dir.path() + "template"));
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(Utf8(list[0].name), "グレー");
}

TEST(ColorListTest, LookUpsTakeTheFirstExactMatch) {
    ColorList list;
    ASSERT_TRUE(
        ParseColorList(Sj("青,#1,#2,#3,#4\r\nBlue,#5,#6,#7,#8\r\n青,#9,#9,#9,#9\r\n"), list));
    EXPECT_EQ(FindColorSet(list, Sj("青")), 0);
    EXPECT_EQ(FindColorSet(list, "Blue"), 1);
    EXPECT_EQ(FindColorSet(list, "blue"), -1);
    EXPECT_EQ(FindColorSet(ColorList(), ""), -1);

    EXPECT_EQ(FindDesign(Sj("デザイン１")), 0);
    EXPECT_EQ(FindDesign(Sj("デザイン３")), 2);
    EXPECT_EQ(FindDesign(Sj("簡易表示（カラー対応）")), 3);
    EXPECT_EQ(FindDesign(Sj("簡易表示(カラー非対応)")), 4);
    EXPECT_EQ(FindDesign(Sj("デザイン1")), -1);
    EXPECT_EQ(FindDesign(Sj("簡易表示(カラー対応)")), -1);
    EXPECT_EQ(FindDesign(""), -1);
}

// Relative luminance of "#rrggbb".
double Luminance(const std::string& color) {
    auto channel = [&](int pos) {
        double c = std::stoi(color.substr(static_cast<std::size_t>(pos), 2), nullptr, 16) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(1) + 0.7152 * channel(3) + 0.0722 * channel(5);
}

TEST(ColorListTest, ShippedColourSetsAreReadable) {
    std::string bytes = test::ReadFile(test::SourceDir() + "/data/template/color.lst");
    ASSERT_FALSE(bytes.empty());
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    ColorList list;
    ASSERT_TRUE(ParseColorList(bytes, list));
    ASSERT_GE(list.count(), 10);
    std::set<std::string> names;
    for (const ColorSet& set : list.sets()) {
        SCOPED_TRACE(Utf8(set.name));
        EXPECT_TRUE(names.insert(set.name).second) << "duplicate name";
        for (const std::string* c : {&set.color1, &set.color2, &set.color3, &set.color4}) {
            ASSERT_EQ(c->size(), 7u);
            ASSERT_EQ((*c)[0], '#');
            ASSERT_EQ(c->find_first_not_of("0123456789abcdefABCDEF", 1), std::string::npos);
        }
        // Black text sits on color2 (titles), color3 (headings) and color4 (content).
        auto against_black = [](const std::string& c) { return (Luminance(c) + 0.05) / 0.05; };
        EXPECT_GE(against_black(set.color2), 4.5);
        EXPECT_GE(against_black(set.color3), 7.0);
        EXPECT_GE(against_black(set.color4), 7.0);
        // color2 also draws the simple design's frame on a white page.
        EXPECT_GE(1.05 / (Luminance(set.color2) + 0.05), 1.5);
    }
}

} // namespace
} // namespace hanamori
