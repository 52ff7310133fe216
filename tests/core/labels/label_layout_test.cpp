// Address labels on every shipped sheet: text inside its cell's padding, the first label
// where the seller asked for it, pages counted, lines broken but never cut.

#include "core/document/label_layout.h"
#include "core/text/cp932.h"

#include <gtest/gtest.h>
#include <sstream>

namespace hanamori {
namespace {

LabelSheetList ShippedSheets() {
    return LoadLabelSheets(std::string(HANAMORI_SOURCE_DIR) + "/data/" + kLabelSheetsFile);
}

LabelAddress Sale(int i) {
    return {"1000001", "東京都"_sj, "千代田区千代田1-1-1\r\nパークハウス千代田101号室"_sj,
            "山田 太郎"_sj + std::to_string(i), "taro" + std::to_string(i)};
}

TEST(LabelLayout, EveryShippedSheetKeepsEachLabelInsideItsPadding) {
    LabelSheetList list = ShippedSheets();
    ASSERT_TRUE(list.problems.empty()) << list.problems.front();
    ASSERT_EQ(list.sheets.size(), 9u);
    LabelAddress seller{"1500001", "東京都渋谷区"_sj, "神宮前1-2-3"_sj, "花森 一郎"_sj, "me"};
    for (const LabelSheet& sheet : list.sheets) {
        const int start = sheet.count() > 2 ? 3 : 2;
        const int n = sheet.count() + 1; // one more than a page from `start` holds
        std::vector<LabelAddress> sales;
        for (int i = 0; i < n; ++i) {
            sales.push_back(Sale(i));
        }
        LabelLayout layout = LayOutLabels(sheet, sales, seller, {start, true, 0, 0});
        const std::string name = Cp932ToUtf8(sheet.name);
        ASSERT_EQ(layout.error, "") << name << ": " << Cp932ToUtf8(layout.error);
        ASSERT_EQ(layout.labels.size(), sales.size());
        EXPECT_EQ(layout.pages.size(), 2u) << name;
        const LabelPadding pad = PaddingOf(sheet);
        for (std::size_t i = 0; i < layout.labels.size(); ++i) {
            const PlacedLabel& label = layout.labels[i];
            const int slot = start - 1 + static_cast<int>(i);
            EXPECT_EQ(label.page, slot / sheet.count());
            EXPECT_DOUBLE_EQ(label.x, sheet.LabelX(slot % sheet.count())) << name;
            EXPECT_DOUBLE_EQ(label.y, sheet.LabelY(slot % sheet.count())) << name;
            std::string all;
            for (std::size_t t = 0; t < label.text_count; ++t) {
                const PlacedText& text =
                    layout.pages[static_cast<std::size_t>(label.page)].texts[label.first_text + t];
                all += text.text;
                EXPECT_GE(text.size_pt, kMinLabelTextPt);
                EXPECT_GE(text.x, label.x + pad.left - 1e-6) << name;
                EXPECT_LE(text.x + text.Width(), label.x + label.width - pad.right + 1e-6) << name;
                EXPECT_GE(text.Top(), label.y + pad.top - 1e-6) << name;
                EXPECT_LE(text.Bottom(), label.y + label.height - pad.bottom + 1e-6) << name;
            }
            // Broken at the width, perhaps, but every character is printed.
            for (const char* part : {"〒100-0001", "パークハウス", "101号室", "様", "花森"}) {
                EXPECT_NE(all.find(*Utf8ToCp932(part)), std::string::npos) << name << ": " << part;
            }
        }
    }
}

TEST(LabelLayout, RefusesWhatCannotFitOrHasNoAddressNamingTheBidder) {
    const auto sheets = ShippedSheets();
    const LabelSheet* small = sheets.Find("A4 44面"_sj);
    ASSERT_NE(small, nullptr);
    LabelAddress huge = Sale(0);
    for (int i = 0; i < 8; ++i) {
        huge.address += "\r\n"_sj + "建物"_sj;
    }
    LabelLayout layout = LayOutLabels(*small, {Sale(1), huge}, {}, {});
    EXPECT_TRUE(layout.pages.empty());
    EXPECT_NE(layout.error.find("taro0"), std::string::npos) << Cp932ToUtf8(layout.error);

    LabelAddress none = Sale(2);
    none.pref.clear();
    none.address.clear();
    layout = LayOutLabels(*small, {none}, {}, {});
    EXPECT_EQ(Cp932ToUtf8(layout.error), "落札者「taro2」の住所がありません。");
}

TEST(LabelLayout, WrapsAtTheWidthButNeverInsideANumber) {
    EXPECT_EQ(WrapLine("千代田区1-23-45"_sj, 6),
              (std::vector<std::string>{"千代田区"_sj, "1-23-45"}));
    EXPECT_TRUE(WrapLine("12345678901234", 6).empty());
    EXPECT_EQ(PostcodeText("１２３－４５６７"_sj), "〒123-4567"_sj);
    EXPECT_EQ(PostcodeText("12345"), "12345");
}

TEST(LabelSheets, ABadLineIsNamedByFileAndLineAndTheRestIsKept) {
    std::istringstream in("# comment\nA,2,6,86.4,42.3,18.6,21.2,86.4,42.3\n"
                          "B,2,6,86.4,42.3\nC,3,6,86.4,42.3,18.6,21.2,86.4,42.3\n"
                          "A,1,1,10,10,0,0,10,10\n");
    LabelSheetList list = ReadLabelSheets(in, "sheets.csv");
    ASSERT_EQ(list.sheets.size(), 1u);
    ASSERT_EQ(list.problems.size(), 3u);
    EXPECT_EQ(list.problems[0].rfind("sheets.csv:3: 9 fields expected", 0), 0u);
    EXPECT_EQ(list.problems[1], "sheets.csv:4: the labels run off the A4 page (210 x 297 mm)");
    EXPECT_EQ(list.problems[2], "sheets.csv:5: a sheet of this name is already listed");
}

} // namespace
} // namespace hanamori
