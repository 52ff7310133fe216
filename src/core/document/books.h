#pragma once
// The seller's books: what each sale earned after the site's fee, the shipping paid and
// the goods' cost, month by month, for the tax return. A sale is a winning bidder whose
// price is above 0; every amount is whole yen, summed in 64 bits.

#include "core/document/dealings.h"
#include "core/document/expenses.h"
#include "core/document/site_fees.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hanamori {

struct SaleMaster;

struct BookSale {
    std::optional<CivilDate> date; // nullopt: undated
    std::string manage_no;         // the listing file's stem
    std::string product_name;      // CP932
    int bidder_index = 0;
    std::string nickname;              // CP932
    std::int64_t price = 0;            // price x count
    std::int64_t shipping_charged = 0; // ship_cost
    std::int64_t other = 0;            // other_charge
    std::int64_t revenue = 0;          // price + shipping_charged + other
    std::int32_t fee_rate = 0;         // hundredths of a percent
    std::int64_t fee = 0;              // price at fee_rate, rounded down
    std::int64_t shipping_paid = 0;    // as entered, else what was charged
    std::int64_t cost = 0;             // unit_cost x count, 0 when not entered
    std::int64_t profit = 0;           // revenue - fee - shipping_paid - cost
};

// The date a sale counts on: its closed date, else its paid date, else its shipped
// date, the first that reads as a date (ParseBooksDate); nullopt when none does.
std::optional<CivilDate> SaleDate(const CustomerRecord& bidder);

// What the seller is told of a sale without a date (CP932).
const std::string& UndatedSaleReason();

// Whom the fees charge: a paid member of the site or not.
struct BooksRules {
    const SiteFees* fees = nullptr;
    bool member = false;
    CivilDate today;
};

// The books' row of bidder `index` of `listing`, or nullopt when it is no sale (price 0
// or less). The fee's rate is the one in force on the listing's ended date, else on the
// sale's date, else today.
std::optional<BookSale> MakeBookSale(const SaleMaster& listing, const std::string& manage_no,
                                     int index, const BooksRules& rules);

// Orders sales by date, then management number, then bidder; undated ones last.
void SortBookSales(std::vector<BookSale>& sales);

struct BooksLoad {
    std::vector<BookSale> sales; // sorted (SortBookSales)
    std::size_t files = 0;
    std::size_t unreadable = 0;
    bool cancelled = false;
};

// Reads every listing of `datas_dir` and makes the sales. Unreadable files are skipped
// and counted; `progress` as for LoadDealings.
BooksLoad LoadBooks(const std::string& datas_dir, const BooksRules& rules,
                    const DealingsProgress& progress = {});

// One line of the books: a month, or the total.
struct BooksLine {
    int year = 0;
    int month = 0; // 1 to 12; 0 for a total
    std::int64_t sales = 0;
    std::int64_t revenue = 0;
    std::int64_t fee = 0;
    std::int64_t shipping_paid = 0;
    std::int64_t cost = 0;
    std::int64_t expenses = 0;
    std::int64_t profit = 0; // the sales' profit less the expenses

    void Add(const BookSale& sale);
    void Add(const Expense& expense);
    void Add(const BooksLine& line);
};

struct BooksSummary {
    std::vector<BooksLine> months; // the months with a sale or an expense, oldest first
    BooksLine total;               // the dated sales and the expenses of the selection
    std::size_t undated = 0;       // undated sales (not in the months nor the total)
};

// Sums the sales and the expenses by month. With `year`, only what is dated in that
// year counts (undated sales then count nowhere, not even in `undated`).
BooksSummary SummarizeBooks(const std::vector<BookSale>& sales,
                            const std::vector<Expense>& expenses, std::optional<int> year = {});

// True when a sale of `listing` is dated in the year of `today` or the year before: the
// sales a seller still needs for the tax return.
bool HasRecentSales(const SaleMaster& listing, const CivilDate& today);
// The same for the listing file at `path`; false when it cannot be read.
bool ListingFileHasRecentSales(const std::string& path, const CivilDate& today);
// The question asked before such a listing is deleted (CP932).
const std::string& RecentSalesDeleteQuestion();

// "YYYY-MM".
std::string MonthText(int year, int month);

// The text for the undated sales left out of the months (CP932):
// "取引終了日・入金日・発送日のいずれもない売上: N件（月ごとの集計と合計には入っていません）".
std::string UndatedSalesText(std::size_t count);

} // namespace hanamori
