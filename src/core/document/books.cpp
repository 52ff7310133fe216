#include "core/document/books.h"

#include "core/listing/listing_dir.h"
#include "core/listing/records.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace hanamori {

std::optional<CivilDate> SaleDate(const CustomerRecord& c) {
    for (const std::string* text : {&c.closed_date, &c.paid_date, &c.shipped_date}) {
        if (auto date = ParseBooksDate(*text)) {
            return date;
        }
    }
    return std::nullopt;
}

const std::string& UndatedSaleReason() {
    return "取引終了日・入金日・発送日のいずれもありません"_sj;
}

std::optional<BookSale> MakeBookSale(const SaleMaster& listing, const std::string& manage_no,
                                     int index, const BooksRules& rules) {
    const CustomerRecord& c = listing.customers[static_cast<std::size_t>(index)];
    if (c.price <= 0) {
        return std::nullopt;
    }
    BookSale sale;
    sale.date = SaleDate(c);
    sale.manage_no = manage_no;
    sale.product_name = listing.product_name;
    sale.bidder_index = index;
    sale.nickname = c.nickname;
    sale.price = std::int64_t{c.price} * c.count;
    sale.shipping_charged = c.ship_cost;
    sale.other = c.other_charge;
    sale.revenue = sale.price + sale.shipping_charged + sale.other;
    const CivilDate fee_day =
        ParseBooksDate(listing.auction.ended_date).value_or(sale.date.value_or(rules.today));
    sale.fee_rate = rules.fees ? rules.fees->RateOn(fee_day, rules.member) : 0;
    sale.fee = SiteFee(sale.price, sale.fee_rate);
    sale.shipping_paid = c.shipping_paid >= 0 ? c.shipping_paid : sale.shipping_charged;
    sale.cost =
        listing.auction.unit_cost >= 0 ? std::int64_t{listing.auction.unit_cost} * c.count : 0;
    sale.profit = sale.revenue - sale.fee - sale.shipping_paid - sale.cost;
    return sale;
}

void SortBookSales(std::vector<BookSale>& sales) {
    std::stable_sort(sales.begin(), sales.end(), [](const BookSale& a, const BookSale& b) {
        if (a.date.has_value() != b.date.has_value()) {
            return a.date.has_value();
        }
        if (a.date && *a.date != *b.date) {
            return DayNumber(*a.date) < DayNumber(*b.date);
        }
        if (a.manage_no != b.manage_no) {
            return a.manage_no < b.manage_no;
        }
        return a.bidder_index < b.bidder_index;
    });
}

BooksLoad LoadBooks(const std::string& datas_dir, const BooksRules& rules,
                    const DealingsProgress& progress) {
    BooksLoad load;
    ListingDirectory datas(datas_dir);
    const std::vector<std::string> names = datas.FileNames();
    load.files = names.size();
    load.sales.reserve(names.size());
    SaleMaster listing;
    std::size_t done = 0;
    for (const std::string& name : names) {
        if (datas.Read(name, listing, nullptr, ListingTexts::All())) {
            const std::string stem = ListingStem(name);
            for (std::int32_t b = 0; b < listing.customers.count(); ++b) {
                if (auto sale = MakeBookSale(listing, stem, b, rules)) {
                    load.sales.push_back(std::move(*sale));
                }
            }
        } else {
            ++load.unreadable;
        }
        ++done;
        if (progress && !progress(done, names.size())) {
            load.cancelled = true;
            break;
        }
    }
    SortBookSales(load.sales);
    return load;
}

void BooksLine::Add(const BookSale& sale) {
    ++sales;
    revenue += sale.revenue;
    fee += sale.fee;
    shipping_paid += sale.shipping_paid;
    cost += sale.cost;
    profit += sale.profit;
}

void BooksLine::Add(const Expense& expense) {
    expenses += expense.amount;
    profit -= expense.amount;
}

void BooksLine::Add(const BooksLine& line) {
    sales += line.sales;
    revenue += line.revenue;
    fee += line.fee;
    shipping_paid += line.shipping_paid;
    cost += line.cost;
    expenses += line.expenses;
    profit += line.profit;
}

BooksSummary SummarizeBooks(const std::vector<BookSale>& sales,
                            const std::vector<Expense>& expenses, std::optional<int> year) {
    BooksSummary summary;
    std::map<int, BooksLine> months;
    auto month_of = [&](const CivilDate& date) -> BooksLine& {
        BooksLine& line = months[date.year * 100 + date.month];
        line.year = date.year;
        line.month = date.month;
        return line;
    };
    for (const BookSale& sale : sales) {
        if (!sale.date) {
            summary.undated += year ? 0 : 1;
        } else if (!year || sale.date->year == *year) {
            month_of(*sale.date).Add(sale);
        }
    }
    for (const Expense& expense : expenses) {
        if (!year || expense.date.year == *year) {
            month_of(expense.date).Add(expense);
        }
    }
    summary.total.year = year.value_or(0);
    for (auto& [key, line] : months) {
        summary.total.Add(line);
        summary.months.push_back(line);
    }
    return summary;
}

bool HasRecentSales(const SaleMaster& listing, const CivilDate& today) {
    for (const CustomerRecord& c : listing.customers.records()) {
        if (c.price <= 0) {
            continue;
        }
        if (std::optional<CivilDate> date = SaleDate(c);
            date && (date->year == today.year || date->year == today.year - 1)) {
            return true;
        }
    }
    return false;
}

bool ListingFileHasRecentSales(const std::string& path, const CivilDate& today) {
    SaleMaster listing;
    return ReadListingWithTimes(path, listing, nullptr) && HasRecentSales(listing, today);
}

const std::string& RecentSalesDeleteQuestion() {
    return "この出品には今年または昨年の売上があります。削除すると帳簿から消えます。削除しますか？"_sj;
}

std::string MonthText(int year, int month) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", year, month);
    return text;
}

std::string UndatedSalesText(std::size_t count) {
    return "取引終了日・入金日・発送日のいずれもない売上: "_sj + std::to_string(count) +
           "件（月ごとの集計と合計には入っていません）"_sj;
}

} // namespace hanamori
