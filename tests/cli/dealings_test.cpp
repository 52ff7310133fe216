// hanamori-cli dealings, run as a process: each option on a small set of listings.

#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <ctime>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace hanamori::test {
namespace {

class CliDealings : public ::testing::Test {
protected:
    TempInstall inst;

    CliResult Cli(const std::vector<std::string>& args) { return RunCli(inst.dir(), args); }

    void SetUp() override {
        SaleMaster m;
        m.manage_no = "261201000000";
        m.product_name = Sj("腕時計, 金色");
        CustomerRecord late;
        late.nickname = "late";
        late.name = Sj("山田 太郎");
        late.price = 1500;
        late.count = 2;
        late.ship_cost = 800;
        late.other_charge = -300;
        late.notice_sent = 1;
        late.notice_sent_date = DaysAgo(10);
        m.customers.Append(late);
        CustomerRecord fresh;
        fresh.nickname = "fresh";
        fresh.method_told = 1;
        fresh.method_told_date = DaysAgo(3);
        m.customers.Append(fresh);
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));

        SaleMaster n;
        n.manage_no = "261202000000";
        n.product_name = Sj("カメラ");
        CustomerRecord paid;
        paid.nickname = "paid";
        paid.paid = 1;
        paid.paid_date = Sj("先週");
        n.customers.Append(paid);
        CustomerRecord shipped;
        shipped.nickname = "shipped";
        shipped.paid = 1;
        shipped.shipped = 1;
        shipped.shipped_date = DaysAgo(1);
        n.customers.Append(shipped);
        n.customers.Append(CustomerRecord()); // no stage yet
        ASSERT_TRUE(WriteListing(n, ListingPath(inst.dir(), n.manage_no)));
        WriteFile(inst / "Datas/261203000000.rks", "broken");
    }

    static std::vector<std::string> Nicknames(const std::string& tsv) {
        std::vector<std::string> out;
        std::istringstream in(tsv);
        for (std::string line; std::getline(in, line);) {
            std::istringstream cells(line);
            std::string cell;
            for (int i = 0; i < 3; ++i) {
                std::getline(cells, cell, '\t');
            }
            out.push_back(cell);
        }
        return out;
    }
};

using Names = std::vector<std::string>;

TEST_F(CliDealings, TabSeparatedRowsAndTheUnreadableCount) {
    CliResult r = Cli({"dealings"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "261201000000\t腕時計, 金色\tlate\t山田 太郎\t3500\t落札案内送信済み\t" +
                         DaysAgo(10) + "\t10");
    EXPECT_EQ(Nicknames(r.out), (Names{"late", "fresh", "paid", "shipped", ""}));
    EXPECT_NE(r.out.find("\tpaid\t\t0\t入金確認済み\t先週\t\n"), std::string::npos);
    EXPECT_NE(r.out.find("\t\t\t0\t未連絡\t\t\n"), std::string::npos);
    EXPECT_EQ(r.err, "読み込めないファイル: 1件\n");
}

TEST_F(CliDealings, WaitingAndOverdueFilters) {
    EXPECT_EQ(Nicknames(Cli({"dealings", "--waiting", "payment"}).out), (Names{"late", "fresh"}));
    EXPECT_EQ(Nicknames(Cli({"dealings", "--waiting", "shipping"}).out), (Names{"paid"}));
    EXPECT_EQ(Nicknames(Cli({"dealings", "--waiting", "closing"}).out), (Names{"shipped"}));
    EXPECT_EQ(Nicknames(Cli({"dealings", "--overdue", "7"}).out), (Names{"late"}));
    EXPECT_EQ(Nicknames(Cli({"dealings", "--overdue", "2"}).out), (Names{"late", "fresh"}));
    EXPECT_EQ(Nicknames(Cli({"dealings", "--overdue", "10"}).out), (Names{}));
    EXPECT_EQ(Nicknames(Cli({"dealings", "--waiting", "shipping", "--overdue", "0"}).out),
              (Names{}));
}

TEST_F(CliDealings, JsonWithAmountsStagesAndTheSettingsOverdueDays) {
    WriteFile(inst / "hanamo.ini", "[HANAMO_SETTING]\r\noverdue_days=2\r\n");
    CliResult r = Cli({"dealings", "--json", "--waiting", "payment"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto rows = nlohmann::json::parse(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["manage_no"], "261201000000");
    EXPECT_EQ(rows[0]["product_name"], "腕時計, 金色");
    EXPECT_EQ(rows[0]["total"], 3500);
    EXPECT_EQ(rows[0]["other_charge"], -300);
    EXPECT_EQ(rows[0]["stage"], "落札案内送信済み");
    EXPECT_EQ(rows[0]["days"], 10);
    EXPECT_EQ(rows[0]["notice_sent"], 1);
    EXPECT_EQ(rows[0]["notice_sent_date"], DaysAgo(10));
    EXPECT_EQ(rows[0]["paid"], 0);
    EXPECT_EQ(rows[0]["overdue"], true);
    EXPECT_EQ(rows[1]["overdue"], true); // 3 days, more than the 2 of hanamo.ini

    auto all = nlohmann::json::parse(Cli({"dealings", "--json"}).out);
    EXPECT_TRUE(all[2]["days"].is_null()); // "先週" counts no days
}

TEST_F(CliDealings, CsvWithBomAndCrLf) {
    CliResult r = Cli({"dealings", "--csv", "--waiting", "closing"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.rfind("\xEF\xBB\xBF管理No,商品名,", 0), 0u);
    std::string line = r.out.substr(r.out.find("\r\n") + 2);
    EXPECT_EQ(line, "261202000000,カメラ,shipped,,0,1,0,0,0,商品発送済み," + DaysAgo(1) + ",1,,,," +
                        DaysAgo(1) + ",\r\n");
}

TEST_F(CliDealings, UsageErrorsNameTheArgument) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"dealings", "--waiting", "soon"},
                                                                  {"dealings", "--waiting"},
                                                                  {"dealings", "--overdue", "-1"},
                                                                  {"dealings", "--overdue", "x"},
                                                                  {"dealings", "--json", "--csv"},
                                                                  {"dealings", "extra"}}) {
        CliResult r = Cli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(args.back() == "--waiting" ? "--waiting" : args.back()),
                  std::string::npos)
            << r.err;
    }
}

} // namespace
} // namespace hanamori::test
