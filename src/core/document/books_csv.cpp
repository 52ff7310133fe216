#include "core/document/books_csv.h"

#include "core/app/atomic_file.h"
#include "core/document/dealings_csv.h"
#include "core/text/cp932.h"

#include <initializer_list>

namespace hanamori {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kLineEnd[] = "\r\n";

std::string Text(const std::string& cp932) {
    return CsvTextField(Cp932ToUtf8(cp932));
}

bool PutLine(std::ostream& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& field : fields) {
        if (!first) {
            out << ',';
        }
        out << field;
        first = false;
    }
    out << kLineEnd;
    return static_cast<bool>(out);
}

} // namespace

bool WriteBookSalesCsv(const std::vector<BookSale>& sales, std::ostream& out) {
    out << kBom;
    PutLine(out, {"日付", "管理No", "商品名", "ニックネーム", "落札金額", "送料", "その他の料金",
                  "売上", "手数料率(%)", "手数料", "送料実費", "仕入", "利益"});
    for (const BookSale& s : sales) {
        if (!PutLine(out, {s.date ? IsoDateText(*s.date) : std::string(), Text(s.manage_no),
                           Text(s.product_name), Text(s.nickname), std::to_string(s.price),
                           std::to_string(s.shipping_charged), std::to_string(s.other),
                           std::to_string(s.revenue), RatePercentText(s.fee_rate),
                           std::to_string(s.fee), std::to_string(s.shipping_paid),
                           std::to_string(s.cost), std::to_string(s.profit)})) {
            return false;
        }
    }
    out.flush();
    return static_cast<bool>(out);
}

bool WriteExpensesCsv(const std::vector<Expense>& expenses, std::ostream& out) {
    out << kBom;
    PutLine(out, {"ID", "日付", "科目", "金額", "摘要"});
    for (const Expense& e : expenses) {
        if (!PutLine(out, {std::to_string(e.id), IsoDateText(e.date), Text(e.category),
                           std::to_string(e.amount), Text(e.note)})) {
            return false;
        }
    }
    out.flush();
    return static_cast<bool>(out);
}

bool SaveBookSalesCsv(const std::vector<BookSale>& sales, const std::string& path) {
    return SaveFileAtomically(path,
                              [&](std::ostream& out) { return WriteBookSalesCsv(sales, out); });
}

bool SaveExpensesCsv(const std::vector<Expense>& expenses, const std::string& path) {
    return SaveFileAtomically(path,
                              [&](std::ostream& out) { return WriteExpensesCsv(expenses, out); });
}

} // namespace hanamori
