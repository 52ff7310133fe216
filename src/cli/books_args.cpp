#include "cli/books_args.h"

#include "cli/command.h"
#include "core/document/site_fees.h"
#include "core/text/cp932.h"

namespace hanamori::cli {

bool TakeYear(std::vector<std::string>& args, const std::string& command, std::optional<int>& year,
              int& status) {
    bool missing = false;
    std::optional<std::string> text = TakeOption(args, "--year", missing);
    if (missing) {
        status = UsageError(command, "--year needs a year (YYYY)");
        return false;
    }
    if (!text) {
        return true;
    }
    std::optional<int> value = ParseInt(*text);
    if (text->size() != 4 || text->find_first_not_of("0123456789") != std::string::npos || !value ||
        *value < 1) {
        status = UsageError(command, "--year \"" + *text + "\": a year of four digits");
        return false;
    }
    year = *value;
    return true;
}

nlohmann::ordered_json ExpenseJson(const Expense& e) {
    return {{"id", e.id},
            {"date", IsoDateText(e.date)},
            {"category", Cp932ToUtf8(e.category)},
            {"amount", e.amount},
            {"note", Cp932ToUtf8(e.note)}};
}

} // namespace hanamori::cli
