#include "core/document/expenses.h"

#include "core/app/atomic_file.h"
#include "core/document/site_fees.h"
#include "core/listing/listing_file.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

namespace hanamori {
namespace {

constexpr std::size_t kExpenseFileLimit = std::size_t{64} << 20;

// Splits CSV text into rows of cells: quoted cells may hold commas, quotes (doubled)
// and line breaks. Each row keeps the number of its first line. False on a quote that
// never closes. CP932's second bytes never fall on a comma, quote or line break.
struct CsvRow {
    int line = 0;
    std::vector<std::string> cells;
};

bool SplitCsv(std::string_view text, std::vector<CsvRow>& rows, int& bad_line) {
    int line = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        CsvRow row;
        row.line = line;
        std::string cell;
        bool row_done = false;
        while (!row_done) {
            cell.clear();
            if (pos < text.size() && text[pos] == '"') {
                ++pos;
                for (;;) {
                    if (pos >= text.size()) {
                        bad_line = row.line;
                        return false;
                    }
                    const char c = text[pos++];
                    if (c == '"') {
                        if (pos < text.size() && text[pos] == '"') {
                            cell += '"';
                            ++pos;
                            continue;
                        }
                        break;
                    }
                    line += c == '\n' ? 1 : 0;
                    cell += c;
                }
            }
            while (pos < text.size() && text[pos] != ',' && text[pos] != '\n') {
                if (text[pos] != '\r') {
                    cell += text[pos];
                }
                ++pos;
            }
            row.cells.push_back(cell);
            if (pos >= text.size() || text[pos] == '\n') {
                row_done = true;
                ++line;
            }
            ++pos;
        }
        rows.push_back(std::move(row));
    }
    return true;
}

// One cell of the file: quoted when it holds a comma, a quote or a line break.
std::string FileCell(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

const std::string& HeaderLine() {
    return "ID,日付,科目,金額,摘要"_sj;
}

} // namespace

std::optional<std::int64_t> ParseYen(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end) {
        return std::nullopt;
    }
    return value;
}

std::string ExpensesPath(const std::string& install_dir) {
    return install_dir + "Datas/expenses.csv";
}

const std::vector<std::string>& UsualExpenseCategories() {
    static const std::vector<std::string> kCategories = {
        "荷造運賃"_sj, "消耗品費"_sj, "通信費"_sj, "旅費交通費"_sj, "支払手数料"_sj, "雑費"_sj,
    };
    return kCategories;
}

ExpensesRead ReadExpenses(std::string_view text, const std::string& file_name) {
    ExpensesRead read;
    std::vector<CsvRow> rows;
    int bad_line = 0;
    auto fail = [&](int line) {
        read.expenses.clear();
        read.error = file_name + " " + std::to_string(line) +
                     "行目: 経費の行として読めません（ID,日付,科目,金額,摘要）。"_sj;
        return read;
    };
    if (!SplitCsv(text, rows, bad_line)) {
        return fail(bad_line);
    }
    for (const CsvRow& row : rows) {
        const auto& c = row.cells;
        if (c.size() == 1 && c[0].empty()) {
            continue; // a blank line
        }
        if (row.line == 1 && !c.empty() && c[0] == "ID") {
            continue; // the header
        }
        Expense e;
        std::optional<std::int64_t> id = c.size() == 5 ? ParseYen(c[0]) : std::nullopt;
        std::optional<CivilDate> date = id ? ParseBooksDate(c[1]) : std::nullopt;
        std::optional<std::int64_t> amount = date ? ParseYen(c[3]) : std::nullopt;
        if (!amount || *id <= 0) {
            return fail(row.line);
        }
        e.id = *id;
        e.date = *date;
        e.category = c[2];
        e.amount = *amount;
        e.note = c[4];
        read.expenses.push_back(std::move(e));
    }
    return read;
}

ExpensesRead LoadExpenses(const std::string& path) {
    std::string bytes;
    errno = 0;
    if (!ReadFilePrefix(path, kExpenseFileLimit, bytes)) {
        ExpensesRead read;
        if (errno != ENOENT) {
            read.error = "ファイルの読み込みに失敗しました。"_sj + ": " + path;
        }
        return read;
    }
    if (bytes.size() >= kExpenseFileLimit) {
        ExpensesRead read;
        read.error = "ファイルの読み込みに失敗しました。"_sj + ": " + path;
        return read;
    }
    return ReadExpenses(bytes, path);
}

std::string ExpensesText(const std::vector<Expense>& expenses) {
    std::string text = HeaderLine() + "\r\n";
    for (const Expense& e : expenses) {
        text += std::to_string(e.id) + ',' + IsoDateText(e.date) + ',' + FileCell(e.category) +
                ',' + std::to_string(e.amount) + ',' + FileCell(e.note) + "\r\n";
    }
    return text;
}

std::string ExpenseProblem(const Expense& e) {
    if (e.amount <= 0) {
        return "金額は1円以上の整数(半角)を入力してください。"_sj;
    }
    if (e.category.empty()) {
        return "科目を入力してください。"_sj;
    }
    if (e.category.find_first_of("\r\n") != std::string::npos ||
        e.note.find_first_of("\r\n") != std::string::npos) {
        return "科目と摘要には改行を入れられません。"_sj;
    }
    return {};
}

std::vector<Expense> SortedExpenses(std::vector<Expense> expenses) {
    std::stable_sort(expenses.begin(), expenses.end(), [](const Expense& a, const Expense& b) {
        const auto da = DayNumber(a.date), db = DayNumber(b.date);
        return da != db ? da < db : a.id < b.id;
    });
    return expenses;
}

ExpenseChangeResult ChangeExpenses(const std::string& path, const ExpenseChange& change) {
    ExpenseChangeResult result;
    FileLock lock = LockFile(path + ".lock", kListingLockWait);
    if (!lock.held()) {
        result.error = (lock.busy() ? ListingBusyMessage() : "ファイルの保存に失敗しました。"_sj) +
                       ": " + path;
        return result;
    }
    ExpensesRead read = LoadExpenses(path);
    if (!read.ok()) {
        result.error = read.error;
        return result;
    }
    std::vector<Expense>& list = read.expenses;
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const Expense& e) { return e.id == change.expense.id; });
    switch (change.kind) {
    case ExpenseChange::Add: {
        Expense added = change.expense;
        added.id = 1;
        for (const Expense& e : list) {
            added.id = std::max(added.id, e.id + 1);
        }
        list.push_back(added);
        result.id = added.id;
        break;
    }
    case ExpenseChange::Replace:
    case ExpenseChange::Remove:
        if (found == list.end()) {
            result.not_found = true;
            result.error = "その経費はありません。"_sj + ": " + std::to_string(change.expense.id);
            return result;
        }
        result.id = found->id;
        if (change.kind == ExpenseChange::Replace) {
            *found = change.expense;
        } else {
            list.erase(found);
        }
        break;
    }
    if (IsWriteProtected(path)) {
        result.error = ReadOnlySaveMessage() + ": " + path;
        return result;
    }
    if (!SaveBytesAtomically(path, ExpensesText(list))) {
        result.error = "ファイルの保存に失敗しました。"_sj + ": " + path;
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace hanamori
