// The expense file: what a spreadsheet may have written reads, a damaged line is named
// and keeps the file as it is, and ids stay with their expenses.

#include "core/document/books_csv.h"
#include "core/document/expenses.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sstream>

namespace hanamori::test {
namespace {

TEST(Expenses, ChangesKeepIdsAndTheFileReadsBack) {
    TempInstall inst;
    const std::string path = ExpensesPath(inst.dir());
    Expense e;
    e.date = {2026, 4, 1};
    e.category = Sj("荷造運賃");
    e.amount = 5'000'000'000;
    e.note = Sj("箱 \"大\", 3枚");
    EXPECT_EQ(ChangeExpenses(path, {ExpenseChange::Add, e}).id, 1);
    e.date = {2026, 3, 1};
    EXPECT_EQ(ChangeExpenses(path, {ExpenseChange::Add, e}).id, 2);
    EXPECT_EQ(ChangeExpenses(path, {ExpenseChange::Add, e}).id, 3);
    Expense gone;
    gone.id = 2;
    EXPECT_TRUE(ChangeExpenses(path, {ExpenseChange::Remove, gone}).ok);
    EXPECT_TRUE(ChangeExpenses(path, {ExpenseChange::Remove, gone}).not_found);
    e.id = 3;
    e.amount = 7;
    EXPECT_TRUE(ChangeExpenses(path, {ExpenseChange::Replace, e}).ok);
    EXPECT_EQ(ChangeExpenses(path, {ExpenseChange::Add, e}).id, 4);

    ExpensesRead read = LoadExpenses(path);
    ASSERT_TRUE(read.ok()) << read.error;
    ASSERT_EQ(read.expenses.size(), 3u);
    EXPECT_EQ(read.expenses[0].amount, 5'000'000'000);
    EXPECT_EQ(read.expenses[0].note, e.note);
    EXPECT_EQ(read.expenses[1].id, 3);
    EXPECT_EQ(read.expenses[1].amount, 7);
    EXPECT_EQ(SortedExpenses(read.expenses)[0].id, 3);

    std::ostringstream csv;
    ASSERT_TRUE(WriteExpensesCsv(read.expenses, csv));
    EXPECT_NE(csv.str().find("\r\n1,2026-04-01,荷造運賃,5000000000,\"箱 \"\"大\"\", 3枚\"\r\n"),
              std::string::npos);
}

TEST(Expenses, ADamagedFileIsNamedAndLeftAsItIs) {
    TempInstall inst;
    const std::string path = ExpensesPath(inst.dir());
    EXPECT_TRUE(LoadExpenses(path).ok()); // no file: no expenses
    const std::string text = "ID,a,b,c,d\n1,2026/1/2,x,\"multi\nline\",n\n2,2026-01-02,x,5\n";
    WriteFile(path, text);
    ExpensesRead read = LoadExpenses(path);
    EXPECT_NE(read.error.find(" 2"), std::string::npos) << read.error; // the amount of line 2
    Expense e;
    e.date = {2026, 1, 1};
    e.category = "x";
    e.amount = 1;
    EXPECT_FALSE(ChangeExpenses(path, {ExpenseChange::Add, e}).ok);
    EXPECT_EQ(ReadFile(path), text);
    EXPECT_NE(ReadExpenses("1,2026-01-02,x,5,\"open\n", "f").error.find("f 1"), std::string::npos);
    EXPECT_FALSE(ExpenseProblem(Expense{}).empty());
}

} // namespace
} // namespace hanamori::test
