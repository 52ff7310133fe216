#pragma once
// The books' sales and the expenses as CSV for a spreadsheet, written as the dealings
// CSV is: UTF-8 with a byte order mark, CR LF line ends, a header line, texts guarded
// against being taken for formulas.

#include "core/document/books.h"

#include <ostream>
#include <string>
#include <vector>

namespace hanamori {

// One line per sale: 日付 (empty when undated), 管理No, 商品名, ニックネーム, 落札金額,
// 送料, その他の料金, 売上, 手数料率(%), 手数料, 送料実費, 仕入, 利益. False when a
// write fails.
bool WriteBookSalesCsv(const std::vector<BookSale>& sales, std::ostream& out);
// One line per expense: ID, 日付, 科目, 金額, 摘要.
bool WriteExpensesCsv(const std::vector<Expense>& expenses, std::ostream& out);

// The same into `path`, saved atomically.
bool SaveBookSalesCsv(const std::vector<BookSale>& sales, const std::string& path);
bool SaveExpensesCsv(const std::vector<Expense>& expenses, const std::string& path);

} // namespace hanamori
