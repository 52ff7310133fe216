// Width folding of names typed on a command line, and LF line breaks made CR LF.

#include "core/text/width_fold.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::Sj;

TEST(WidthFold, DigitsLettersBracketsAndSpacesFoldOthersStay) {
    EXPECT_EQ(FoldWidth(Sj("デザイン１")), Sj("デザイン1"));
    EXPECT_EQ(FoldWidth(Sj("簡易表示（カラー対応）")), Sj("簡易表示(カラー対応)"));
    EXPECT_EQ(FoldWidth(Sj("０９ＡＺａｚ［］｛｝　")), "09AZaz[]{} ");
    // Other full-width signs are different characters, and so is the letter case.
    EXPECT_EQ(FoldWidth(Sj("！～＃")), Sj("！～＃"));
    EXPECT_NE(FoldWidth(Sj("ａ")), FoldWidth("A"));
    // A trail byte that looks like ASCII is never taken for a character of its own:
    // ソ is 83 5C, 表 is 95 5C.
    EXPECT_EQ(FoldWidth(Sj("ソ表")), Sj("ソ表"));
}

TEST(WidthFold, ExactNameWinsThenTheFoldedOne) {
    std::vector<std::string> names = {Sj("デザイン１"), Sj("簡易表示（カラー対応）"),
                                      Sj("簡易表示(カラー非対応)"), "ABC", Sj("ＡＢＣ")};
    EXPECT_EQ(FindFoldedName(names, Sj("デザイン1")), 0);
    EXPECT_EQ(FindFoldedName(names, Sj("簡易表示(カラー対応)")), 1);
    EXPECT_EQ(FindFoldedName(names, Sj("簡易表示（カラー非対応）")), 2);
    EXPECT_EQ(FindFoldedName(names, Sj("ＡＢＣ")), 4);
    EXPECT_EQ(FindFoldedName(names, "ABC"), 3);
    EXPECT_EQ(FindFoldedName(names, Sj("デザイン4")), -1);
    EXPECT_EQ(FindFoldedName({}, "x"), -1);
}

TEST(WidthFold, BareLineFeedsBecomeCrLf) {
    EXPECT_EQ(BareLfToCrLf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(BareLfToCrLf("\n\n"), "\r\n\r\n");
    EXPECT_EQ(BareLfToCrLf("a\rb"), "a\rb");
}

} // namespace
} // namespace hanamori
