#include "core/document/dealings_csv.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

namespace hanamori {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kLineEnd[] = "\r\n";

const char* const kHeader[] = {
    "管理No",       "商品名",   "ニックネーム",     "落札者名",         "落札金額",
    "落札数",       "送料",     "その他の料金",     "合計金額",         "取引状況",
    "日付",         "経過日数", "落札案内送信済み", "送金方法連絡済み", "入金確認済み",
    "商品発送済み", "取引終了",
};

// One line of fields; an empty field still takes its place.
class CsvLine {
public:
    void Put(const std::string& field) {
        if (m_fields++ > 0) {
            m_text += ',';
        }
        m_text += field;
    }
    void PutText(const std::string& cp932) { Put(CsvTextField(Cp932ToUtf8(cp932))); }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
    int m_fields = 0;
};

} // namespace

std::string CsvTextField(std::string_view utf8) {
    std::string text;
    if (!utf8.empty() && (utf8.front() == '=' || utf8.front() == '+' || utf8.front() == '-' ||
                          utf8.front() == '@' || utf8.front() == '\t' || utf8.front() == '\r')) {
        text = "'";
    }
    text += utf8;
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

bool WriteDealingsCsv(const std::vector<DealingRow>& rows, const std::vector<std::size_t>& shown,
                      std::ostream& out) {
    CsvLine header;
    for (const char* text : kHeader) {
        header.Put(text);
    }
    out << kBom << header.text() << kLineEnd;
    for (std::size_t index : shown) {
        const DealingRow& row = rows.at(index);
        CsvLine line;
        line.PutText(row.manage_no);
        line.PutText(row.product_name);
        line.PutText(row.nickname);
        line.PutText(row.name);
        line.Put(std::to_string(row.price));
        line.Put(std::to_string(row.count));
        line.Put(std::to_string(row.ship_cost));
        line.Put(std::to_string(row.other_charge));
        line.Put(std::to_string(row.total));
        line.PutText(StageName(row.stage));
        line.PutText(row.stage_date());
        line.Put(row.days ? std::to_string(*row.days) : std::string());
        for (int stage = 1; stage <= kStageCount; ++stage) {
            line.PutText(row.ticked(stage) ? row.dates[static_cast<std::size_t>(stage - 1)]
                                           : std::string());
        }
        out << line.text() << kLineEnd;
        if (!out) {
            return false;
        }
    }
    out.flush();
    return static_cast<bool>(out);
}

bool SaveDealingsCsv(const std::vector<DealingRow>& rows, const std::vector<std::size_t>& shown,
                     const std::string& path) {
    return SaveFileAtomically(
        path, [&](std::ostream& out) { return WriteDealingsCsv(rows, shown, out); });
}

} // namespace hanamori
