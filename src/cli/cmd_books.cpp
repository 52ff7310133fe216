// books: what each sale earned after the site's fee, the shipping and the goods' cost,
// month by month, with the seller's expenses, for the tax return.

#include "cli/books_args.h"
#include "cli/command.h"
#include "core/document/books.h"
#include "core/document/books_csv.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

Json SaleJson(const BookSale& s) {
    return {{"date", s.date ? Json(IsoDateText(*s.date)) : Json(nullptr)},
            {"manage_no", FileNameText(s.manage_no)},
            {"product_name", Cp932ToUtf8(s.product_name)},
            {"nickname", Cp932ToUtf8(s.nickname)},
            {"price", s.price},
            {"shipping_charged", s.shipping_charged},
            {"other", s.other},
            {"revenue", s.revenue},
            {"fee_rate", s.fee_rate % 100 == 0 ? Json(s.fee_rate / 100) : Json(s.fee_rate / 100.0)},
            {"fee", s.fee},
            {"shipping_paid", s.shipping_paid},
            {"cost", s.cost},
            {"profit", s.profit}};
}

Json LineJson(const BooksLine& line, bool month) {
    Json out;
    if (month) {
        out["month"] = MonthText(line.year, line.month);
    }
    out["sales"] = line.sales;
    out["revenue"] = line.revenue;
    out["fee"] = line.fee;
    out["shipping_paid"] = line.shipping_paid;
    out["cost"] = line.cost;
    out["expenses"] = line.expenses;
    out["profit"] = line.profit;
    return out;
}

void PrintLine(const std::string& label, const BooksLine& l) {
    std::cout << label << '\t' << l.sales << '\t' << l.revenue << '\t' << l.fee << '\t'
              << l.shipping_paid << '\t' << l.cost << '\t' << l.expenses << '\t' << l.profit
              << '\n';
}

int RunBooks(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    std::optional<int> year;
    int status = kExitOk;
    if (!TakeYear(args, "books", year, status)) {
        return status;
    }
    const bool json = TakeFlag(args, "--json");
    const bool csv = TakeFlag(args, "--csv");
    if (std::string problem = LeftoverProblem(args, 0); !problem.empty()) {
        return UsageError("books", problem);
    }
    if (json && csv) {
        return UsageError("books", "--json and --csv cannot be combined");
    }
    if (!RequireSubdir(ctx, "Datas")) {
        return kExitFailure;
    }
    ExpensesRead expenses = LoadExpenses(ExpensesPath(ctx.dir));
    if (!expenses.ok()) {
        return Fail(Cp932ToUtf8(expenses.error));
    }
    SiteFeesLoad fees = LoadSiteFees(SiteFeesPath(ctx.dir));
    for (const std::string& problem : fees.problems) {
        std::cerr << "hanamori-cli: " << Cp932ToUtf8(problem) << '\n';
    }
    const BooksRules rules{&fees.fees, ctx.settings.hanamo.premium_member != 0, LocalToday()};
    BooksLoad load = LoadBooks(ctx.dir + "Datas", rules);
    if (year) {
        std::erase_if(load.sales,
                      [&](const BookSale& s) { return !s.date || s.date->year != *year; });
        std::erase_if(expenses.expenses, [&](const Expense& e) { return e.date.year != *year; });
    }
    const std::vector<Expense> sorted = SortedExpenses(std::move(expenses.expenses));
    const BooksSummary summary = SummarizeBooks(load.sales, sorted, year);

    if (csv) {
        WriteBookSalesCsv(load.sales, std::cout);
    } else if (json) {
        Json out{{"sales", Json::array()}, {"expenses", Json::array()}, {"months", Json::array()}};
        for (const BookSale& s : load.sales) {
            out["sales"].push_back(SaleJson(s));
        }
        for (const Expense& e : sorted) {
            out["expenses"].push_back(ExpenseJson(e));
        }
        for (const BooksLine& line : summary.months) {
            out["months"].push_back(LineJson(line, true));
        }
        out["total"] = LineJson(summary.total, false);
        std::cout << out.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    } else {
        for (const BooksLine& line : summary.months) {
            PrintLine(MonthText(line.year, line.month), line);
        }
        PrintLine("合計", summary.total);
    }
    if (summary.undated > 0) {
        std::cerr << Cp932ToUtf8(UndatedSalesText(summary.undated)) << '\n';
    }
    if (load.unreadable > 0) {
        std::cerr << Cp932ToUtf8(UnreadableFilesText(load.unreadable)) << '\n';
    }
    return kExitOk; // a failed write of the output is reported when the command ends
}

void BooksHelp(const Context&, std::ostream& out) {
    out << "The seller's books from every listing of Datas/ and the expenses\n"
           "(Datas/expenses.csv): one line per month (month, sales, revenue, fee,\n"
           "shipping_paid, cost, expenses, profit), then 合計. The site's fee rates are read\n"
           "from ServiceData/fees/site_fees.csv; hanamo.premium_member chooses the members'\n"
           "rate. --json prints sales, expenses, months and total; --csv the sales.\n";
}

const CommandRegistration kBooks("books", "books [--year YYYY] [--json | --csv]", RunBooks,
                                 BooksHelp);

} // namespace
} // namespace hanamori::cli
