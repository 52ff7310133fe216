#include "core/document/clickpost_csv.h"

#include "core/document/label_layout.h"
#include "core/text/cp932.h"

namespace hanamori {
namespace {

constexpr double kNameEms = 20; // 40 half-width units
constexpr double kAddressEms = 20;
constexpr double kContentsEms = 15; // 30 units
constexpr std::size_t kAddressLines = 4;

// A field as CSV: quoted when it holds a comma or a quote, so that no text moves columns.
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return out + "\"";
}

} // namespace

ClickPostCsv BuildClickPostCsv(const std::vector<ClickPostSale>& sales) {
    ClickPostCsv csv;
    if (sales.size() > kClickPostMaxRows) {
        csv.error = "クリックポストのまとめ申込は1ファイル40件までです（"_sj +
                    std::to_string(sales.size()) + "件が選ばれています）。"_sj;
        return csv;
    }
    std::string bytes =
        "お届け先郵便番号,お届け先氏名,お届け先敬称,お届け先住所1行目,お届け先住所2行目,"
        "お届け先住所3行目,お届け先住所4行目,内容品\r\n"_sj;
    for (const ClickPostSale& sale : sales) {
        auto refuse = [&](const char* field_utf8) {
            csv.error = "落札者「"_sj + sale.nickname + "」の"_sj + *Utf8ToCp932(field_utf8) +
                        "がクリックポストの欄に収まりません。"_sj;
        };
        std::string zip = PostcodeText(sale.zip);
        if (zip.rfind("〒"_sj, 0) != 0) {
            refuse("郵便番号");
            return csv;
        }
        if (sale.name.empty() || TextEms(sale.name) > kNameEms) {
            refuse("お届け先氏名");
            return csv;
        }
        std::vector<std::string> lines;
        std::vector<std::string> paragraphs = TextLines(sale.address);
        if (paragraphs.empty()) {
            paragraphs.push_back({});
        }
        paragraphs.front() = sale.pref + paragraphs.front();
        for (const std::string& p : paragraphs) {
            std::vector<std::string> pieces = WrapLine(p, kAddressEms);
            if (pieces.empty() && !p.empty()) {
                refuse("住所");
                return csv;
            }
            lines.insert(lines.end(), pieces.begin(), pieces.end());
        }
        if (lines.empty() || lines.size() > kAddressLines) {
            refuse("住所");
            return csv;
        }
        lines.resize(kAddressLines);
        if (TextEms(sale.contents) > kContentsEms) {
            refuse("内容品");
            return csv;
        }
        bytes += zip.substr(2) + "," + Field(sale.name) + ","_sj + "様"_sj;
        for (const std::string& line : lines) {
            bytes += "," + Field(line);
        }
        bytes += "," + Field(sale.contents) + "\r\n";
    }
    csv.bytes = std::move(bytes);
    return csv;
}

} // namespace hanamori
