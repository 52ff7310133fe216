// Reading the dealings of a Datas directory, writing them as CSV, and the overdue
// setting in hanamo.ini.

#include "core/app/profile_file.h"
#include "core/document/dealings.h"
#include "core/document/dealings_csv.h"
#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace hanamori::test {
namespace {

class DealingsTest : public ::testing::Test {
protected:
    TempInstall inst;
    std::string datas = inst / "Datas";

    void Put(const std::string& number, const char* name_utf8,
             std::initializer_list<CustomerRecord> bidders) {
        SaleMaster m;
        m.manage_no = number;
        m.product_name = Sj(name_utf8);
        for (const CustomerRecord& c : bidders) {
            m.customers.Append(c);
        }
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), number)));
    }
    static CustomerRecord Bidder(const char* nickname, const char* name = "") {
        CustomerRecord c;
        c.nickname = Sj(nickname);
        c.name = Sj(name);
        return c;
    }
};

TEST_F(DealingsTest, OneRowPerBidderInFileOrderUnreadableSkippedAndCounted) {
    Put("261203000000", "カメラ", {Bidder("c1"), Bidder("c2")});
    Put("261201000000", "時計", {Bidder("w1")});
    Put("261202000000", "入札なし", {});
    WriteFile(inst / "Datas/261204000000.rks", "not a listing");
    WriteFile(inst / "Datas/261205000000.rks", "");

    DealingsLoad load = LoadDealings(datas, {2026, 12, 8});
    EXPECT_EQ(load.files, 5u);
    EXPECT_EQ(load.unreadable, 2u);
    ASSERT_EQ(load.rows.size(), 3u);
    EXPECT_EQ(load.rows[0].manage_no, "261201000000");
    EXPECT_EQ(Utf8(load.rows[0].product_name), "時計");
    EXPECT_EQ(load.rows[1].manage_no, "261203000000");
    EXPECT_EQ(load.rows[1].bidder_index, 0);
    EXPECT_EQ(Utf8(load.rows[2].nickname), "c2");
    EXPECT_EQ(load.rows[2].bidder_index, 1);

    // The progress callback sees every file and can stop the load.
    std::size_t calls = 0;
    DealingsLoad stopped =
        LoadDealings(datas, {2026, 12, 8}, [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(total, 5u);
            EXPECT_EQ(done, ++calls);
            return done < 2;
        });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(calls, 2u);
    EXPECT_EQ(stopped.rows.size(), 1u);

    EXPECT_TRUE(LoadDealings(inst / "NoSuchDir", {2026, 12, 8}).rows.empty());
}

TEST(DealingsCsv, FieldsQuotedWhereNeededAndFormulasDefused) {
    EXPECT_EQ(CsvTextField("plain"), "plain");
    EXPECT_EQ(CsvTextField(""), "");
    EXPECT_EQ(CsvTextField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvTextField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvTextField("line1\r\nline2"), "\"line1\r\nline2\"");
    EXPECT_EQ(CsvTextField("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
    EXPECT_EQ(CsvTextField("+81"), "'+81");
    EXPECT_EQ(CsvTextField("@home"), "'@home");
    EXPECT_EQ(CsvTextField("山田,太郎"), "\"山田,太郎\"");
}

TEST(DealingsCsv, BomCrLfHeaderAmountsAndTheFiveDates) {
    CustomerRecord c;
    c.nickname = Sj("taro,jr");
    c.name = Sj("山田 \"太郎\"");
    c.price = 1500;
    c.count = 2;
    c.ship_cost = 800;
    c.other_charge = -300;
    c.notice_sent = 1;
    c.notice_sent_date = Sj("2026/12/01");
    c.paid = 1;
    c.paid_date = Sj("2026/12/03");
    c.shipped_date = Sj("2026/12/04"); // not ticked: not written
    std::vector<DealingRow> rows = {
        MakeDealingRow("261201000000", Sj("腕時計\nセイコー"), 0, c, {2026, 12, 8}),
        MakeDealingRow("261202000000", "", 0, CustomerRecord(), {2026, 12, 8}),
    };
    std::ostringstream out;
    ASSERT_TRUE(WriteDealingsCsv(rows, {1, 0}, out));
    const std::string csv = out.str();
    const std::string expected =
        "\xEF\xBB\xBF"
        "管理No,商品名,ニックネーム,落札者名,落札金額,落札数,送料,その他の料金,合計金額,"
        "取引状況,日付,経過日数,落札案内送信済み,送金方法連絡済み,入金確認済み,商品発送済み,"
        "取引終了\r\n"
        "261202000000,,,,0,1,0,0,0,未連絡,,,,,,,\r\n"
        "261201000000,\"腕時計\nセイコー\",\"taro,jr\",\"山田 \"\"太郎\"\"\",1500,2,800,-300,"
        "3500,入金確認済み,2026/12/03,5,2026/12/01,,2026/12/03,,\r\n";
    EXPECT_EQ(csv, expected);
}

TEST(DealingsCsv, FailuresReportedAndTheOldFileKept) {
    std::vector<DealingRow> rows = {
        MakeDealingRow("261201000000", "x", 0, CustomerRecord(), {2026, 12, 8})};
    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    EXPECT_FALSE(WriteDealingsCsv(rows, {0}, broken));

    TempDir dir;
    WriteFile(dir / "books.csv", "old");
    EXPECT_FALSE(SaveDealingsCsv(rows, {0}, dir / "missing/books.csv"));
    ASSERT_TRUE(SaveDealingsCsv(rows, {0}, dir / "books.csv"));
    EXPECT_EQ(ReadFile(dir / "books.csv").rfind("\xEF\xBB\xBF", 0), 0u);
}

TEST(OverdueSetting, DefaultStoredAndRereadFromHanamoIni) {
    TempDir dir;
    UserSettings s;
    LoadMainSettings(s, dir.path());
    EXPECT_EQ(s.hanamo.overdue_days, 7);
    s.hanamo.overdue_days = 14;
    std::filesystem::create_directories(dir / "user.ini");
    ASSERT_TRUE(SaveAllSettings(s, dir.path())); // what the program saves at exit
    EXPECT_NE(ReadFile(dir / "hanamo.ini").find("overdue_days=14\r\n"), std::string::npos);
    UserSettings t;
    LoadMainSettings(t, dir.path());
    EXPECT_EQ(t.hanamo.overdue_days, 14);

    // A value a seller mistyped by hand falls back to the default.
    WriteFile(dir / "hanamo.ini", "[HANAMO_SETTING]\r\noverdue_days=-3\r\n");
    LoadMainSettings(t, dir.path());
    EXPECT_EQ(t.hanamo.overdue_days, 7);
}

} // namespace
} // namespace hanamori::test
