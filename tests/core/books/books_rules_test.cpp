// The books' rules: which date a sale counts on, the fee period and its rounding,
// what a field left empty means, and the month and year sums.

#include "core/document/books.h"
#include "core/listing/records.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <limits>

namespace hanamori::test {
namespace {

const SiteFees& ShippedFees() {
    static const SiteFeesLoad load =
        LoadSiteFees(SiteFeesPath(std::string(HANAMORI_SOURCE_DIR) + "/data/"));
    return load.fees;
}

TEST(BooksRules, FeePeriodsOfTheShippedTableAndRounding) {
    const SiteFees& fees = ShippedFees();
    EXPECT_EQ(fees.RateOn({2024, 6, 3}, true), 880);
    EXPECT_EQ(fees.RateOn({2024, 6, 3}, false), 1000);
    EXPECT_EQ(fees.RateOn({2024, 6, 4}, true), 1000);
    EXPECT_EQ(fees.RateOn({2015, 1, 1}, true), 880); // before the table: its earliest
    EXPECT_EQ(SiteFee(1999, 880), 175);              // 175.912 rounds down
    EXPECT_EQ(SiteFee(-1999, 880), -176);
    const std::int64_t most = std::int64_t{std::numeric_limits<std::int32_t>::max()} *
                              std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(SiteFee(most, 1000), most / 10);
    EXPECT_EQ(RatePercentText(880), "8.8");
    EXPECT_EQ(RatePercentText(1000), "10");
}

TEST(BooksRules, BadFeeLinesAreNamedAndLeftOut) {
    SiteFeesLoad load = ReadSiteFees("# comment\r\nstart,rate,applies\r\n2020-01-01,5,all\r\n"
                                     "2021-13-01,5,all\r\n2022-01-01,5.555,all\r\n"
                                     "2023-01-01,5,friends\r\n\r\n2024/01/01,7.25,members\r\n",
                                     "fees.csv");
    ASSERT_EQ(load.problems.size(), 3u);
    EXPECT_EQ(load.problems[0].rfind("fees.csv 4", 0), 0u) << load.problems[0];
    EXPECT_EQ(load.problems[2].rfind("fees.csv 6", 0), 0u);
    EXPECT_EQ(load.fees.RateOn({2024, 2, 1}, true), 725);
    EXPECT_EQ(load.fees.RateOn({2024, 2, 1}, false), 500);
    EXPECT_EQ(SiteFees().RateOn({2024, 1, 1}, false), 0);
}

TEST(BooksRules, SaleDateTakesTheFirstDateThatReads) {
    CustomerRecord c;
    c.closed_date = "未定";
    c.paid_date = "2026-1-5";
    c.shipped_date = "2026/01/07";
    EXPECT_EQ(SaleDate(c), (CivilDate{2026, 1, 5}));
    c.closed_date = " 2026/02/30";
    EXPECT_EQ(SaleDate(c), (CivilDate{2026, 1, 5})); // no 30 February
    c.paid_date.clear();
    c.shipped_date = "26/01/07";
    EXPECT_FALSE(SaleDate(c));
    EXPECT_EQ(ParseBooksDate("2024/02/29"), (CivilDate{2024, 2, 29}));
}

TEST(BooksRules, ASaleAndWhatAnEmptyFieldMeans) {
    SaleMaster m;
    m.product_name = "x";
    m.auction.ended_date = "2024/06/03"; // the fee goes by the listing's end
    CustomerRecord c;
    c.price = 1000;
    c.count = 3;
    c.ship_cost = 500;
    c.other_charge = 100;
    c.closed_date = "2024/06/10";
    m.customers.Append(c);
    c.price = 0; // no sale
    m.customers.Append(c);
    BooksRules rules{&ShippedFees(), true, {2026, 12, 9}};

    std::optional<BookSale> s = MakeBookSale(m, "1", 0, rules);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->price, 3000);
    EXPECT_EQ(s->revenue, 3600);
    EXPECT_EQ(s->fee_rate, 880);
    EXPECT_EQ(s->fee, 264);
    EXPECT_EQ(s->shipping_paid, 500); // not entered: what was charged
    EXPECT_EQ(s->cost, 0);            // not entered
    EXPECT_EQ(s->profit, 3600 - 264 - 500);
    EXPECT_FALSE(MakeBookSale(m, "1", 1, rules));

    m.auction.ended_date.clear(); // then the sale's date
    m.auction.unit_cost = 200;
    m.customers[0].shipping_paid = 0; // entered as 0: sent for nothing
    s = MakeBookSale(m, "1", 0, rules);
    EXPECT_EQ(s->fee_rate, 1000);
    EXPECT_EQ(s->shipping_paid, 0);
    EXPECT_EQ(s->cost, 600);
    EXPECT_EQ(s->profit, 3600 - 300 - 0 - 600);

    m.customers[0].closed_date.clear(); // undated: the fee of today
    rules.today = {2023, 1, 1};
    s = MakeBookSale(m, "1", 0, rules);
    EXPECT_FALSE(s->date);
    EXPECT_EQ(s->fee_rate, 880);

    m.customers[0].price = std::numeric_limits<std::int32_t>::max();
    m.customers[0].count = std::numeric_limits<std::int32_t>::max();
    m.auction.unit_cost = std::numeric_limits<std::int32_t>::max();
    s = MakeBookSale(m, "1", 0, rules);
    EXPECT_EQ(s->price, std::int64_t{std::numeric_limits<std::int32_t>::max()} *
                            std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(s->cost, s->price);
}

TEST(BooksRules, MonthsYearsUndatedAndExpenses) {
    auto sale = [](std::optional<CivilDate> date, std::int64_t revenue, std::int64_t profit,
                   std::string no) {
        BookSale s;
        s.date = date;
        s.revenue = revenue;
        s.profit = profit;
        s.manage_no = std::move(no);
        return s;
    };
    std::vector<BookSale> sales = {
        sale(std::nullopt, 5, 5, "a"),
        sale(CivilDate{2026, 1, 1}, 10, 7, "b"),
        sale(CivilDate{2025, 12, 31}, 20, 15, "c"),
        sale(CivilDate{2026, 1, 31}, 30, 20, "a"),
        sale(CivilDate{2026, 1, 1}, 40, 30, "a"),
    };
    SortBookSales(sales);
    EXPECT_EQ(sales[0].manage_no, "c");
    EXPECT_EQ(sales[1].revenue, 40); // same date: by management number
    EXPECT_FALSE(sales[4].date);

    std::vector<Expense> expenses(2);
    expenses[0].date = {2026, 3, 1};
    expenses[0].amount = 4;
    expenses[1].date = {2025, 12, 1};
    expenses[1].amount = 1;

    BooksSummary all = SummarizeBooks(sales, expenses);
    ASSERT_EQ(all.months.size(), 3u);
    EXPECT_EQ(MonthText(all.months[0].year, all.months[0].month), "2025-12");
    EXPECT_EQ(all.months[0].profit, 14);
    EXPECT_EQ(all.months[1].sales, 3);
    EXPECT_EQ(all.months[2].sales, 0);
    EXPECT_EQ(all.months[2].profit, -4);
    EXPECT_EQ(all.total.revenue, 100);
    EXPECT_EQ(all.total.expenses, 5);
    EXPECT_EQ(all.total.profit, 72 - 5);
    EXPECT_EQ(all.undated, 1u);

    BooksSummary year = SummarizeBooks(sales, expenses, 2026);
    EXPECT_EQ(year.months.size(), 2u);
    EXPECT_EQ(year.total.revenue, 80);
    EXPECT_EQ(year.total.profit, 57 - 4);
    EXPECT_EQ(year.undated, 0u);

    const std::vector<BookSale> big(3, sale(CivilDate{2026, 5, 5}, 3'000'000'000, 0, "x"));
    EXPECT_EQ(SummarizeBooks(big, {}).total.revenue, 9'000'000'000);
}

TEST(BooksRules, RecentSalesAreThisYearsAndLastYears) {
    SaleMaster m;
    CustomerRecord c;
    c.price = 1;
    c.closed_date = "2024/12/31";
    m.customers.Append(c);
    EXPECT_FALSE(HasRecentSales(m, {2026, 1, 1}));
    EXPECT_TRUE(HasRecentSales(m, {2025, 1, 1}));
    m.customers[0].price = 0;
    EXPECT_FALSE(HasRecentSales(m, {2025, 1, 1}));
}

} // namespace
} // namespace hanamori::test
