#pragma once
// What `books` and `expense` share: the --year option and the JSON of an expense.

#include "core/document/expenses.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace hanamori::cli {

// Takes "--year YYYY" out of `args`. False after reporting a usage error of `command`
// (the exit status is then in `status`).
bool TakeYear(std::vector<std::string>& args, const std::string& command, std::optional<int>& year,
              int& status);

// An expense as `expense list --json` prints it: id, date, category, amount, note.
nlohmann::ordered_json ExpenseJson(const Expense& expense);

} // namespace hanamori::cli
