#pragma once
// The seller's expenses that belong to no one sale (packing material, the payment
// service's fees, travel to the post office), kept in Datas/expenses.csv beside the
// listings: code page 932 like every file of the program, a header line and one line
// per expense, so a spreadsheet opens it and a copy of Datas/ carries it.

#include "core/document/dealings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

struct Expense {
    std::int64_t id = 0; // given once, never reused while the file holds a later one
    CivilDate date;
    std::string category; // CP932
    std::int64_t amount = 0;
    std::string note; // CP932

    bool operator==(const Expense&) const = default;
};

// "<install_dir>Datas/expenses.csv".
std::string ExpensesPath(const std::string& install_dir);

// The categories offered first (CP932): 荷造運賃, 消耗品費, 通信費, 旅費交通費,
// 支払手数料, 雑費.
const std::vector<std::string>& UsualExpenseCategories();

struct ExpensesRead {
    std::vector<Expense> expenses; // in file order
    // Empty when every line read; else why (CP932), naming the file and the line.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Reads the file's text. A missing file is no expenses. `file_name` names it in errors.
ExpensesRead ReadExpenses(std::string_view text, const std::string& file_name);
// Reads the file at `path`; one that does not exist holds no expenses.
ExpensesRead LoadExpenses(const std::string& path);

// A whole number of yen as the file and the CLI write it: optional minus sign and ASCII
// digits, within 64 bits; nullopt for anything else.
std::optional<std::int64_t> ParseYen(std::string_view text);

// The file's text for `expenses`, in that order.
std::string ExpensesText(const std::vector<Expense>& expenses);

// What is wrong with an expense the seller entered (CP932), or empty: the amount must
// be above 0, the category must not be empty, and no text may hold a line break.
std::string ExpenseProblem(const Expense& expense);

// The expenses sorted by date, then id.
std::vector<Expense> SortedExpenses(std::vector<Expense> expenses);

// One change of the expense file.
struct ExpenseChange {
    enum Kind { Add, Replace, Remove } kind = Add;
    Expense expense; // Add: id is given here; Replace: by id; Remove: only id counts
};

struct ExpenseChangeResult {
    bool ok = false;
    std::int64_t id = 0;    // the expense added, replaced or removed
    std::string error;      // CP932, naming the file where it concerns one
    bool not_found = false; // Replace or Remove of an id the file does not hold
};

// Applies `change` to the file at `path` under its lock (path + ".lock", waiting as
// long as a listing change waits): reads the file again, changes it, saves it
// atomically. A file with a line that does not read is left as it is (its error is
// returned), so nothing the seller wrote into it is lost.
ExpenseChangeResult ChangeExpenses(const std::string& path, const ExpenseChange& change);

} // namespace hanamori
