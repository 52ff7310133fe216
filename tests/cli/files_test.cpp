// hanamori-cli list, copy, delete and overview, run as a process.

#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

namespace hanamori::test {
namespace {

class CliFiles : public ::testing::Test {
protected:
    TempInstall inst;
    TempDir scratch;

    CliResult Cli(const std::vector<std::string>& args) { return RunCli(inst.dir(), args); }

    void Put(const std::string& number, const std::string& name_utf8, int listed = 0) {
        SaleMaster m;
        m.manage_no = number;
        m.product_name = Sj(name_utf8);
        m.auction.listed = listed;
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), number)));
    }
};

std::vector<std::vector<std::string>> Lines(const std::string& out) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream cols(line);
        for (std::string cell; std::getline(cols, cell, '\t');) {
            cells.push_back(cell);
        }
        lines.push_back(cells);
    }
    return lines;
}

TEST_F(CliFiles, ListShowsRowsAndSortsLikeTheHeaderClick) {
    Put("400000000001", "出品中の壺", 1);
    Put("400000000002", "箱");
    WriteFile(inst / "Datas/junk.rks", "junk");
    std::filesystem::create_directory(inst / "Datas/dir.rks");

    CliResult asc = Cli({"list", "--sort", "4"});
    ASSERT_EQ(asc.status, 0) << asc.err;
    auto lines = Lines(asc.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0][0], "出");
    EXPECT_EQ(lines[0][1], "400000000001");
    EXPECT_EQ(lines[0][2].size(), 14u); // "%y/%m/%d %H:%M"
    EXPECT_EQ(lines[0][3].size(), 14u);
    EXPECT_EQ(lines[0][4], "出品中の壺");
    EXPECT_EQ(lines[1][0], "未");
    EXPECT_EQ(lines[2][0], "?");
    EXPECT_EQ(lines[2][1], "junk");
    EXPECT_EQ(lines[2].size(), 4u); // no name

    CliResult desc = Cli({"list", "--sort", "4", "--desc"});
    ASSERT_EQ(desc.status, 0);
    EXPECT_EQ(Lines(desc.out)[0][1], "junk");
    CliResult by_status = Cli({"list", "--sort", "0"});
    EXPECT_EQ(Lines(by_status.out)[0][1], "400000000002");

    EXPECT_EQ(Cli({"list", "--desc"}).status, 2);
    EXPECT_EQ(Cli({"list", "--sort", "5"}).status, 2);
    EXPECT_EQ(Cli({"list", "extra"}).status, 2);
}

TEST_F(CliFiles, CopyAndDelete) {
    Put("400000000003", "箱");
    CliResult copy = Cli({"copy", "400000000003"});
    ASSERT_EQ(copy.status, 0) << copy.err;
    std::string number = copy.out.substr(0, copy.out.find('\n'));
    ASSERT_EQ(number.size(), 12u);
    SaleMaster made;
    ASSERT_TRUE(ReadListing(made, ListingPath(inst.dir(), number)));
    EXPECT_EQ(Utf8(made.product_name), "ｺﾋﾟｰ ～ 箱");
    CliResult by_path = Cli({"copy", ListingPath(inst.dir(), "400000000003")});
    EXPECT_EQ(by_path.status, 0);
    EXPECT_NE(by_path.out, copy.out);

    CliResult missing = Cli({"copy", "499999999999"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("ファイルのコピーに失敗しました。"), std::string::npos);

    EXPECT_EQ(Cli({"delete", number}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(ListingPath(inst.dir(), number)));
    CliResult again = Cli({"delete", number});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("削除に失敗しました。: " + ListingPath(inst.dir(), number) +
                             ": No such file or directory"),
              std::string::npos)
        << again.err;
    // A path to anything but a listing file deletes nothing.
    WriteFile(scratch / "keep.txt", "x");
    EXPECT_EQ(Cli({"delete", scratch / "keep.txt"}).status, 1);
    EXPECT_TRUE(std::filesystem::exists(scratch / "keep.txt"));
    EXPECT_EQ(Cli({"delete"}).status, 2);
}

TEST_F(CliFiles, ListAsJsonCarriesTheBiddersAndTheirStages) {
    SaleMaster m;
    m.manage_no = "400000000005";
    m.product_name = Sj("壺");
    m.auction.ended = 1;
    CustomerRecord c;
    c.nickname = "taro";
    c.name = Sj("山田");
    c.price = 1500;
    c.count = 2;
    c.ship_cost = 800;
    c.paid = 1;
    c.paid_date = "2026/12/01";
    m.customers.Append(c);
    ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));
    WriteFile(inst / "Datas/junk.rks", "junk");

    CliResult r = Cli({"list", "--json", "--sort", "4"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0]["manage_no"], "400000000005");
    EXPECT_EQ(json[0]["status"], "終");
    EXPECT_EQ(json[0]["name"], "壺");
    EXPECT_EQ(json[0]["saved"].get<std::string>().size(), 14u);
    const auto& bidder = json[0]["bidders"][0];
    EXPECT_EQ(bidder["nickname"], "taro");
    EXPECT_EQ(bidder["name"], "山田");
    EXPECT_EQ(bidder["total"], 3800);
    EXPECT_EQ(bidder["paid"]["done"], 1);
    EXPECT_EQ(bidder["paid"]["date"], "2026/12/01");
    EXPECT_EQ(bidder["shipped"]["done"], 0);
    EXPECT_EQ(json[1]["status"], "?");
    EXPECT_EQ(json[1]["bidders"].size(), 0u);
}

TEST_F(CliFiles, ConcurrentCopiesNeverShareANumber) {
    Put("400000000006", "箱");
    auto runs = RunCliConcurrently(HANAMORI_CLI_PATH, inst.dir(), {"copy", "400000000006"}, 20);
    std::set<std::string> numbers;
    for (const CliResult& r : runs) {
        EXPECT_EQ(r.status, 0) << r.err;
        numbers.insert(r.out);
    }
    EXPECT_EQ(numbers.size(), 20u);
    auto lines = Lines(Cli({"list"}).out);
    EXPECT_EQ(lines.size(), 21u);
    for (const auto& line : lines) {
        EXPECT_NE(line[0], "?") << line[1];
    }
}

TEST_F(CliFiles, OverviewWritesThePage) {
    Put("400000000004", "箱", 1);
    ASSERT_EQ(Cli({"overview"}).status, 0);
    std::string page = Utf8(ReadFile(inst / "work/filelist.html"));
    EXPECT_EQ(page.rfind("<html><head>", 0), 0u);
    EXPECT_NE(page.find("<b>出</b></td><td valign=\"top\" rowspan=\"1\">箱</td>"),
              std::string::npos);
    std::string total = "<b>合計</b><td align=\"right\">0</td></tr>";
    EXPECT_EQ(page.substr(page.size() - total.size()), total);

    ASSERT_EQ(Cli({"overview", "-o", scratch / "o.html"}).status, 0);
    EXPECT_EQ(Utf8(ReadFile(scratch / "o.html")).size(), page.size());
    CliResult fail = Cli({"overview", "-o", scratch / "no/such/o.html"});
    EXPECT_EQ(fail.status, 1);
    EXPECT_NE(fail.err.find("ファイルリストの作成に失敗しました。: " + scratch / "no/such/o.html"),
              std::string::npos);
    CliResult out = Cli({"overview", "-o", "-"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(Utf8(out.out).size(), page.size());
}

} // namespace
} // namespace hanamori::test
