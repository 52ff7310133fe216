// Stage, days, overdue and filter rules of the dealings rows.

#include "core/document/dealings.h"
#include "core/document/file_list.h"
#include "core/listing/records.h"
#include "core/text/text_search.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori::test {
namespace {

CustomerRecord Bidder(const char* nickname_utf8,
                      std::initializer_list<std::pair<int, const char*>> stages = {}) {
    CustomerRecord c;
    c.nickname = Sj(nickname_utf8);
    for (auto [stage, date] : stages) {
        std::int32_t* ticks[] = {&c.notice_sent, &c.method_told, &c.paid, &c.shipped, &c.closed};
        std::string* dates[] = {&c.notice_sent_date, &c.method_told_date, &c.paid_date,
                                &c.shipped_date, &c.closed_date};
        *ticks[stage - 1] = 1;
        *dates[stage - 1] = Sj(date);
    }
    return c;
}

DealingRow Row(const CustomerRecord& c, CivilDate today = {2026, 12, 8},
               const char* product_utf8 = "腕時計") {
    return MakeDealingRow("261201000000", Sj(product_utf8), 0, c, today);
}

TEST(DealingDates, ParsesTheBidderTabsFormatAndNothingElse) {
    EXPECT_EQ(ParseStageDate("2026/12/08"), (CivilDate{2026, 12, 8}));
    EXPECT_EQ(ParseStageDate("2026/1/5"), (CivilDate{2026, 1, 5}));
    EXPECT_EQ(ParseStageDate(" 2024/02/29 "), (CivilDate{2024, 2, 29}));
    for (const char* bad : {"", "2026/02/29", "2026/13/01", "2026/12/32", "2026/00/10", "26/12/08",
                            "2026-12-08", "2026/12/08 10:00", "2026/12/", "12/08", "２０２６/12/08",
                            "20261/12/08", "2026/012/08", "未定"}) {
        EXPECT_FALSE(ParseStageDate(Sj(bad))) << bad;
    }
}

TEST(DealingDates, ATypedTextThatIsNoDateIsWarnedAboutNamingTheStage) {
    EXPECT_EQ(StageDateWarning(kStagePaid, "2026/12/08"), "");
    EXPECT_EQ(StageDateWarning(kStagePaid, " "), "");
    EXPECT_EQ(Utf8(StageDateWarning(kStagePaid, Sj("来週くらい"))),
              "「入金確認済み」の日付「来週くらい」は日付として読めません。\n"
              "入力のまま保存しますが、取引一覧では経過日数を数えられず、遅れていても強調され"
              "ません。\n日付は 2026/12/09 のように年/月/日で入力してください。");
}

TEST(DealingDates, DaysCountAcrossMonthAndYearEnds) {
    auto days = [](const char* date, CivilDate today) {
        return Row(Bidder("a", {{1, date}}), today).days;
    };
    EXPECT_EQ(days("2026/02/28", {2026, 3, 1}), 1);
    EXPECT_EQ(days("2024/02/28", {2024, 3, 1}), 2); // leap year
    EXPECT_EQ(days("2026/01/31", {2026, 2, 1}), 1);
    EXPECT_EQ(days("2026/12/30", {2027, 1, 2}), 3);
    EXPECT_EQ(days("2025/12/31", {2026, 12, 31}), 365);
    EXPECT_EQ(days("2026/12/08", {2026, 12, 8}), 0);
    EXPECT_EQ(days("2026/12/10", {2026, 12, 8}), -2); // typed ahead: shown as it is
    EXPECT_EQ(days("2026/12/8", {2026, 12, 18}), 10);
    EXPECT_FALSE(days("先週", {2026, 12, 8}));
    EXPECT_FALSE(days("", {2026, 12, 8}));
}

TEST(DealingStages, TheLastTickedStageWithItsDate) {
    DealingRow none = Row(Bidder("a"));
    EXPECT_EQ(none.stage, kStageNone);
    EXPECT_EQ(Utf8(StageName(none.stage)), "未連絡");
    EXPECT_EQ(none.stage_date(), "");
    EXPECT_FALSE(none.days);

    // A date left behind by an earlier tick does not count.
    CustomerRecord c = Bidder("b", {{1, "2026/12/01"}, {3, "2026/12/05"}});
    c.shipped_date = Sj("2026/12/06");
    DealingRow paid = Row(c);
    EXPECT_EQ(paid.stage, kStagePaid);
    EXPECT_EQ(Utf8(StageName(paid.stage)), "入金確認済み");
    EXPECT_EQ(Utf8(paid.stage_date()), "2026/12/05");
    EXPECT_EQ(paid.days, 3);

    // Gaps count too: a closed dealing whose earlier boxes were never ticked.
    DealingRow closed = Row(Bidder("c", {{5, "2026/11/30"}}));
    EXPECT_EQ(closed.stage, kStageClosed);
    EXPECT_EQ(Utf8(StageName(closed.stage)), "取引終了");
    EXPECT_EQ(closed.days, 8);

    // Ticked with an unreadable date: the stage stands, no days.
    DealingRow odd = Row(Bidder("d", {{2, "12月1日"}}));
    EXPECT_EQ(odd.stage, kStageMethodTold);
    EXPECT_EQ(Utf8(odd.stage_date()), "12月1日");
    EXPECT_FALSE(odd.days);
}

TEST(DealingStages, TotalIsSixtyFourBit) {
    CustomerRecord c = Bidder("big");
    c.price = 2'000'000'000;
    c.count = 3;
    c.ship_cost = 800;
    c.other_charge = -300;
    EXPECT_EQ(Row(c).total, 6'000'000'500LL);
}

TEST(DealingFilters, WaitingOverdueAndText) {
    std::vector<DealingRow> rows = {
        Row(Bidder("none")),                                            // 0
        Row(Bidder("notice", {{1, "2026/11/30"}})),                     // 1: 8 days
        Row(Bidder("told", {{2, "2026/12/01"}})),                       // 2: 7 days
        Row(Bidder("paid", {{1, "2026/11/01"}, {3, "2026/11/02"}})),    // 3
        Row(Bidder("shipped", {{3, "2026/11/02"}, {4, "2026/11/03"}})), // 4
        Row(Bidder("closed", {{4, "2026/11/03"}, {5, "2026/11/04"}})),  // 5
        Row(Bidder("cod", {{1, "2026/11/01"}, {4, "2026/11/20"}})),     // 6: shipped, unpaid
        Row(Bidder("undated", {{1, "いつか"}})),                        // 7
    };
    auto kept = [&](DealingFilter f) { return FilterDealings(rows, f); };
    using V = std::vector<std::size_t>;
    EXPECT_EQ(kept({}).size(), rows.size());
    EXPECT_EQ(kept({DealingWaiting::Payment}), (V{1, 2, 6, 7}));
    EXPECT_EQ(kept({DealingWaiting::Shipping}), (V{3}));
    EXPECT_EQ(kept({DealingWaiting::Closing}), (V{4, 6}));

    // More than N days: 8 is overdue after 7, exactly 7 is not; no days, never.
    EXPECT_TRUE(IsOverdue(rows[1], 7));
    EXPECT_FALSE(IsOverdue(rows[2], 7));
    EXPECT_TRUE(IsOverdue(rows[2], 6));
    EXPECT_FALSE(IsOverdue(rows[3], 0));
    EXPECT_FALSE(IsOverdue(rows[7], 0));
    EXPECT_EQ(kept({DealingWaiting::Any, "", 7}), (V{1, 6}));
    EXPECT_EQ(kept({DealingWaiting::Shipping, "", 0}), (V{}));

    EXPECT_EQ(kept({DealingWaiting::Any, "TOLD"}), (V{2}));
    EXPECT_EQ(kept({DealingWaiting::Payment, "o"}), (V{1, 2, 6}));
}

TEST(DealingFilters, TextMatchesNamesWholeCharactersAndFullWidth) {
    CustomerRecord c = Bidder("Taro_77");
    c.name = Sj("山田 太郎");
    DealingRow row = Row(c, {2026, 12, 8}, "スーパーカブ");
    auto match = [&](const char* text) {
        return !FilterDealings({row}, {DealingWaiting::Any, Sj(text)}).empty();
    };
    EXPECT_TRUE(match(""));
    EXPECT_TRUE(match("taro"));
    EXPECT_TRUE(match("ＴＡＲＯ_７７"));
    EXPECT_TRUE(match("ｔａｒｏ"));
    EXPECT_TRUE(match("_７７"));
    EXPECT_TRUE(match("太郎"));
    EXPECT_TRUE(match("カブ"));
    EXPECT_FALSE(match("花子"));
    // "ー" is 81 5B: its trail byte is "[" and must not be found.
    EXPECT_FALSE(match("["));
    // A match never runs from one field into the next.
    EXPECT_FALSE(match("カブt"));
}

TEST(FileListFilter, NameOrNumber) {
    FileRow row;
    row.manage_no = "261207153000";
    row.name = Sj("Ｎikon カメラ");
    EXPECT_TRUE(FileRowMatches(row, ""));
    EXPECT_TRUE(FileRowMatches(row, Sj("nikon")));
    EXPECT_TRUE(FileRowMatches(row, Sj("カメラ")));
    EXPECT_TRUE(FileRowMatches(row, Sj("１５３")));
    EXPECT_FALSE(FileRowMatches(row, Sj("レンズ")));
    FileRow unreadable;
    unreadable.manage_no = "261207153001";
    EXPECT_TRUE(FileRowMatches(unreadable, "3001"));
}

} // namespace
} // namespace hanamori::test
