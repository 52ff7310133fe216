// expense: the seller's expenses that belong to no one sale, kept in Datas/expenses.csv.

#include "cli/books_args.h"
#include "cli/command.h"
#include "core/document/books_csv.h"
#include "core/document/expenses.h"
#include "core/document/site_fees.h"
#include "core/text/cp932.h"

#include <iostream>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

int ExpenseUsage(const std::string& problem) {
    return UsageError("expense", problem);
}

int Add(Context& ctx, std::vector<std::string> args) {
    bool missing = false;
    auto date = TakeOption(args, "--date", missing);
    auto amount = missing ? std::nullopt : TakeOption(args, "--amount", missing);
    auto category = missing ? std::nullopt : TakeOption(args, "--category", missing);
    auto note = missing ? std::nullopt : TakeOption(args, "--note", missing);
    if (missing) {
        return ExpenseUsage("an option without its value");
    }
    if (std::string problem = LeftoverProblem(args, 0); !problem.empty()) {
        return ExpenseUsage(problem);
    }
    if (!date || !amount || !category) {
        return ExpenseUsage("add needs --date, --amount and --category");
    }
    Expense e;
    std::optional<CivilDate> day = ParseBooksDate(*date);
    if (!day) {
        return ExpenseUsage("--date \"" + *date + "\": a date YYYY/MM/DD");
    }
    e.date = *day;
    std::optional<std::int64_t> yen = ParseYen(*amount);
    if (!yen || *yen <= 0) {
        return ExpenseUsage("--amount \"" + *amount + "\": an amount in yen above 0");
    }
    e.amount = *yen;
    auto category_text = ArgToCp932(*category, "--category");
    auto note_text = ArgToCp932(note.value_or(""), "--note");
    if (!category_text || !note_text) {
        return kExitFailure;
    }
    e.category = *category_text;
    e.note = *note_text;
    if (std::string problem = ExpenseProblem(e); !problem.empty()) {
        return Fail(Cp932ToUtf8(problem));
    }
    if (!RequireSubdir(ctx, "Datas")) {
        return kExitFailure;
    }
    ExpenseChangeResult result = ChangeExpenses(ExpensesPath(ctx.dir), {ExpenseChange::Add, e});
    if (!result.ok) {
        return Fail(Cp932ToUtf8(result.error));
    }
    std::cout << result.id << '\n';
    return kExitOk;
}

int Remove(Context& ctx, std::vector<std::string> args) {
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return ExpenseUsage(problem);
    }
    std::optional<std::int64_t> id = ParseYen(args.front());
    if (!id || *id <= 0) {
        return ExpenseUsage("\"" + args.front() + "\": an expense id (a number)");
    }
    if (!RequireSubdir(ctx, "Datas")) {
        return kExitFailure;
    }
    Expense e;
    e.id = *id;
    ExpenseChangeResult result = ChangeExpenses(ExpensesPath(ctx.dir), {ExpenseChange::Remove, e});
    return result.ok ? kExitOk : Fail(Cp932ToUtf8(result.error));
}

int List(Context& ctx, std::vector<std::string> args) {
    std::optional<int> year;
    int status = kExitOk;
    if (!TakeYear(args, "expense", year, status)) {
        return status;
    }
    const bool json = TakeFlag(args, "--json");
    const bool csv = TakeFlag(args, "--csv");
    if (std::string problem = LeftoverProblem(args, 0); !problem.empty()) {
        return ExpenseUsage(problem);
    }
    if (json && csv) {
        return ExpenseUsage("--json and --csv cannot be combined");
    }
    if (!RequireSubdir(ctx, "Datas")) {
        return kExitFailure;
    }
    ExpensesRead read = LoadExpenses(ExpensesPath(ctx.dir));
    if (!read.ok()) {
        return Fail(Cp932ToUtf8(read.error));
    }
    std::vector<Expense> shown;
    for (Expense& e : SortedExpenses(std::move(read.expenses))) {
        if (!year || e.date.year == *year) {
            shown.push_back(std::move(e));
        }
    }
    if (csv) {
        WriteExpensesCsv(shown, std::cout);
    } else if (json) {
        Json out = Json::array();
        for (const Expense& e : shown) {
            out.push_back(ExpenseJson(e));
        }
        std::cout << out.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    } else {
        for (const Expense& e : shown) {
            std::cout << e.id << '\t' << IsoDateText(e.date) << '\t' << TabField(e.category) << '\t'
                      << e.amount << '\t' << TabField(e.note) << '\n';
        }
    }
    return kExitOk;
}

int RunExpense(Context& ctx, const std::vector<std::string>& in) {
    if (in.empty()) {
        return ExpenseUsage("add, remove or list?");
    }
    std::vector<std::string> rest(in.begin() + 1, in.end());
    if (in.front() == "add") {
        return Add(ctx, std::move(rest));
    }
    if (in.front() == "remove") {
        return Remove(ctx, std::move(rest));
    }
    if (in.front() == "list") {
        return List(ctx, std::move(rest));
    }
    return ExpenseUsage("unknown argument \"" + in.front() + "\": use add, remove or list");
}

void ExpenseHelp(const Context&, std::ostream& out) {
    out << "The seller's expenses that belong to no one sale, kept in Datas/expenses.csv.\n"
           "add prints the new expense's id; list prints id, date, category, amount, note.\n"
           "Usual categories:";
    for (const std::string& category : UsualExpenseCategories()) {
        out << ' ' << Cp932ToUtf8(category);
    }
    out << '\n';
}

const CommandRegistration
    kExpense("expense",
             "expense add --date YYYY/MM/DD --amount YEN --category NAME [--note TEXT]\n"
             "       expense remove EXPENSE_ID\n"
             "       expense list [--year YYYY] [--json | --csv]",
             RunExpense, ExpenseHelp);

} // namespace
} // namespace hanamori::cli
