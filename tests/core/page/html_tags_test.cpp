#include "core/page/html_tags.h"
#include "core/page/product_form.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <climits>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

TEST(HtmlTagsTest, WrappingTagsKeepTheSelectionByteForByte) {
    std::string sel = Sj("新品<&>\"");
    EXPECT_EQ(Utf8(WrapTag(TagCommand::Bold, sel)), "<b>新品<&>\"</b>");
    EXPECT_EQ(Utf8(WrapTag(TagCommand::Italic, sel)), "<i>新品<&>\"</i>");
    EXPECT_EQ(Utf8(WrapTag(TagCommand::Center, sel)), "<center>新品<&>\"</center>");
    // Every wrapping command has its own message; the image tag needs no selection.
    EXPECT_EQ(Utf8(NoSelectionMessage(TagCommand::Bold)),
              "文字が選択されていません。\n太字にしたい文字を１文字以上選択してください。");
    EXPECT_EQ(Utf8(NoSelectionMessage(TagCommand::Center)),
              "文字が選択されていません。\n中央揃えにしたい文字を１文字以上選択してください。");
    EXPECT_EQ(Utf8(NoSelectionMessage(TagCommand::Link)),
              "文字が選択されていません。\nリンクにしたい文字を１文字以上選択してください。");
    EXPECT_TRUE(NoSelectionMessage(TagCommand::Image).empty());
    EXPECT_FALSE(NeedsSelection(TagCommand::Image));
    EXPECT_TRUE(NeedsSelection(TagCommand::Font));

    TagCommand c{};
    EXPECT_TRUE(TagCommandFromNumber(35004, c));
    EXPECT_EQ(c, TagCommand::Image);
    EXPECT_FALSE(TagCommandFromNumber(35006, c));
    EXPECT_FALSE(TagCommandFromNumber(57643, c));
}

TEST(HtmlTagsTest, FontTagSizePartsIncludingMinusOne) {
    // 標準 (0): the colour attribute follows "font " directly.
    EXPECT_EQ(Utf8(FontTag(0, "#FF0000", Sj("赤字"))), "<font color=\"#FF0000\">赤字</font>");
    EXPECT_EQ(FontTag(2, "#000000", "x"), "<font size=\"+2\" color=\"#000000\">x</font>");
    EXPECT_EQ(FontTag(6, "red", "x"), "<font size=\"+6\" color=\"red\">x</font>");
    EXPECT_EQ(FontTag(-1, "#123456", "x"), "<font size=\"-1\" color=\"#123456\">x</font>");
    // The colour text is whatever the seller typed.
    EXPECT_EQ(FontTag(1, "\"><script>", "x"), "<font size=\"+1\" color=\"\"><script>\">x</font>");
    EXPECT_EQ(FontSizePart(7), "");
    EXPECT_EQ(FontSizePart(-2), "");
}

TEST(HtmlTagsTest, LinkAndImageTags) {
    const std::string url = "http://example.jp/item?q=%E3%81&b=1";
    EXPECT_EQ(Utf8(LinkTag(url, kLinkNewWindow, Sj("詳細"))),
              "<a href=\"" + url + "\" target=\"_blank\">詳細</a>");
    EXPECT_EQ(Utf8(LinkTag(url, kLinkCurrentWindow, Sj("詳細"))),
              "<a href=\"" + url + "\">詳細</a>");

    EXPECT_EQ(ImageTag("a.jpg", 0, 0, 2), "<img src=\"a.jpg\" border=\"2\">");
    EXPECT_EQ(ImageTag("a.jpg", 120, 80, 0), "<img src=\"a.jpg\" width=\"120\" height=\"80\">");
    EXPECT_EQ(ImageTag("a.jpg", 0, 5, 3), "<img src=\"a.jpg\" height=\"5\" border=\"3\">");
    EXPECT_EQ(ImageTag("a.jpg", -4, 0, 0), "<img src=\"a.jpg\">");
}

TEST(HtmlTagsTest, ReplaceSelectionPutsTheCaretAfterTheInsertion) {
    std::string text = Sj("この新品です");
    std::string sel = Sj("新品");
    std::size_t start = text.find(sel);
    TextReplacement r =
        ReplaceSelection(text, start, start + sel.size(), WrapTag(TagCommand::Bold, sel));
    EXPECT_EQ(Utf8(r.text), "この<b>新品</b>です");
    EXPECT_EQ(r.caret, start + sel.size() + 7);
    // Backwards and out-of-range positions.
    r = ReplaceSelection("abcdef", 4, 2, "X");
    EXPECT_EQ(r.text, "abXef");
    EXPECT_EQ(r.caret, 3u);
    r = ReplaceSelection("abc", 1, 99, "<img>");
    EXPECT_EQ(r.text, "a<img>");
    r = ReplaceSelection("abc", 3, 3, "!");
    EXPECT_EQ(r.text, "abc!");
    EXPECT_EQ(r.caret, 4u);
}

TEST(HtmlTagsTest, ColourTextTakesEachComponentModulo256) {
    EXPECT_EQ(ColorText(255, 0, 0), "#FF0000");
    EXPECT_EQ(ColorText(ColorComponent("300"), 0, 0), "#2C0000");
    EXPECT_EQ(ColorComponent("300"), 44);
    EXPECT_EQ(ColorComponent(""), 0);
    EXPECT_EQ(ColorComponent("12a"), 12);
    // Long digit strings stay in range instead of overflowing.
    EXPECT_EQ(ColorComponent("9999999999999999999"),
              static_cast<int>(9999999999999999999ULL % 256));
    EXPECT_EQ(ColorText(256, 511, -1), "#00FFFF");

    const auto& s = Swatches();
    ASSERT_EQ(s.size(), 28u);
    EXPECT_EQ(ColorText(s[0].red, s[0].green, s[0].blue), "#000000");
    EXPECT_EQ(ColorText(s[13].red, s[13].green, s[13].blue), "#806040");
    // The third of the bottom row is pure red.
    const Swatch& red = s[kSwatchesPerRow + 2];
    EXPECT_EQ(ColorText(red.red, red.green, red.blue), "#FF0000");
    EXPECT_EQ(ColorText(s[27].red, s[27].green, s[27].blue), "#FFC080");
}

TEST(ProductFormTest, NumberFieldsReadAsTheListingStoresThem) {
    EXPECT_EQ(ReadFieldNumber(""), -1);
    EXPECT_EQ(ReadFieldNumber("120"), 120);
    EXPECT_EQ(ReadFieldNumber("12a"), 12);
    EXPECT_EQ(ReadFieldNumber("abc"), 0);
    EXPECT_EQ(ReadFieldNumber("-5"), -1);
    EXPECT_EQ(ReadFieldNumber(" 7"), 7);
    EXPECT_EQ(ReadFieldNumber("99999999999"), INT_MAX);
    EXPECT_EQ(FieldNumberText(-1), "");
    EXPECT_EQ(FieldNumberText(0), "0");

    EXPECT_EQ(SizeTotal("10", "20", "30"), 60);
    EXPECT_EQ(SizeTotal("10", "20", ""), 30);
    EXPECT_EQ(SizeTotal("2147483647", "1", "1"), INT_MAX);
    EXPECT_EQ(SizeTotal(30, -1, 5), 35); // an unset size counts 0
    EXPECT_EQ(SizeTotal(INT_MAX, INT_MAX, 1), INT_MAX);

    // 送料計算 offers only the mail types that can carry the parcel.
    EXPECT_EQ(MailTypeAfterCosting(390, true).cost_text, "390");
    EXPECT_FALSE(MailTypeAfterCosting(390, true).untick);
    EXPECT_EQ(MailTypeAfterCosting(0, false).cost_text, "0");
    EXPECT_EQ(MailTypeAfterCosting(-1, true).cost_text, "");
    EXPECT_TRUE(MailTypeAfterCosting(-1, true).untick);
    EXPECT_FALSE(MailTypeAfterCosting(-1, false).untick);
    EXPECT_TRUE(IsAsciiDigits(""));
    EXPECT_TRUE(IsAsciiDigits("0123"));
    EXPECT_FALSE(IsAsciiDigits("12a"));
    EXPECT_FALSE(IsAsciiDigits("-1"));
    EXPECT_FALSE(IsAsciiDigits(Sj("１２")));
    EXPECT_EQ(DigitsValue("99999999999"), INT_MAX);
}

TEST(ProductFormTest, MailTypeCostsFromTheShippedRates) {
    const std::string dir = test::SourceDir() + "/data/CostData";
    const std::string tokyo = Sj("東京都");
    auto costs = MailTypeCosts(dir, 23, 12, 1, 25, tokyo);
    EXPECT_EQ(costs[0], 80);
    costs = MailTypeCosts(dir, 30, 20, 3, 500, tokyo);
    EXPECT_LT(costs[0], 0); // too large for 定形郵便
    EXPECT_EQ(costs[1], 390);
    costs = MailTypeCosts(dir, 34, 25, 2, 900, tokyo);
    EXPECT_EQ(costs[3], 500);
    // A parcel nothing carries, and a directory without rate files.
    for (int c : MailTypeCosts(dir, 200, 200, 200, 40000, tokyo)) {
        EXPECT_LT(c, 0);
    }
    test::TempDir empty;
    for (int c : MailTypeCosts(empty.path(), 23, 12, 1, 25, tokyo)) {
        EXPECT_LT(c, 0);
    }
}

} // namespace
} // namespace hanamori
