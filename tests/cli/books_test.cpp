// hanamori-cli books and expense, run as a process: the commands reach the books and
// the expense file, and their output forms are as documented.

#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace hanamori::test {
namespace {

TEST(CliBooks, ExpensesAndBooksTogether) {
    TempInstall inst(true);
    SaleMaster m;
    m.manage_no = "250101000000";
    m.product_name = Sj("=皿");
    m.auction.unit_cost = 100;
    CustomerRecord c;
    c.nickname = "a";
    c.price = 2000;
    c.ship_cost = 500;
    c.shipping_paid = 450;
    c.paid_date = "2025/02/03";
    m.customers.Append(c);
    c.nickname = "b";
    c.paid_date.clear();
    m.customers.Append(c);
    ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));

    auto cli = [&](const std::vector<std::string>& args) { return RunCli(inst.dir(), args); };
    EXPECT_EQ(
        cli({"expense", "add", "--date", "2025/02/10", "--amount", "50", "--category", "雑費"}).out,
        "1\n");
    EXPECT_EQ(
        cli({"expense", "add", "--date", "2025/02/10", "--amount", "0", "--category", "x"}).status,
        2);
    EXPECT_EQ(cli({"expense", "list"}).out, "1\t2025-02-10\t雑費\t50\t\n");

    CliResult books = cli({"books"});
    EXPECT_EQ(books.status, 0) << books.err;
    EXPECT_EQ(books.out, "2025-02\t1\t2500\t200\t450\t100\t50\t1700\n"
                         "合計\t1\t2500\t200\t450\t100\t50\t1700\n");
    EXPECT_NE(books.err.find("いずれもない売上: 1件"), std::string::npos);

    auto json = nlohmann::json::parse(cli({"books", "--year", "2025", "--json"}).out);
    EXPECT_EQ(json["sales"].size(), 1u);
    EXPECT_EQ(json["sales"][0]["fee_rate"], 10);
    EXPECT_EQ(json["expenses"][0]["category"], "雑費");
    EXPECT_EQ(json["total"]["profit"], 1700);
    EXPECT_NE(cli({"books", "--csv"}).out.find("\r\n,250101000000,'=皿,b,"), std::string::npos);

    EXPECT_EQ(cli({"expense", "remove", "1"}).status, 0);
    EXPECT_EQ(cli({"expense", "remove", "1"}).status, 1);
    EXPECT_EQ(cli({"books", "--year", "25"}).status, 2);

    c.paid_date = DaysAgo(0);
    m.customers.Append(c);
    ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));
    CliResult refused = cli({"delete", m.manage_no});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("帳簿から消えます"), std::string::npos);
    EXPECT_EQ(cli({"delete", m.manage_no, "--force"}).status, 0);
}

} // namespace
} // namespace hanamori::test
