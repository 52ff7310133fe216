#include "core/document/receipt_layout.h"

#include "core/document/label_layout.h"
#include "core/document/label_sheets.h"
#include "core/text/cp932.h"

namespace hanamori {
namespace {

constexpr double kMargin = 25.0;

// Adds `text` broken at the page's width from baseline `y` down; returns the next
// baseline.
double AddLines(LayoutPage& page, const std::string& text, double x, double y, double size,
                double width) {
    const double em = size * kMmPerPt;
    for (const std::string& paragraph : TextLines(text)) {
        std::vector<std::string> pieces = WrapLine(paragraph, width / em);
        if (pieces.empty()) { // nothing breaks it: let it run to the edge rather than drop it
            pieces.push_back(paragraph);
        }
        for (const std::string& piece : pieces) {
            page.texts.push_back({x, y, size, piece});
            y += 1.5 * em;
        }
    }
    return y;
}

} // namespace

std::string ReceiptAmountText(std::int64_t amount) {
    std::string digits = std::to_string(amount < 0 ? -amount : amount);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    return "￥"_sj + (amount < 0 ? "-" : "") + grouped + "-";
}

LayoutPage LayOutReceipt(const ReceiptContent& r) {
    LayoutPage page{kA4WidthMm, kA4HeightMm, {}, {}};
    const double width = kA4WidthMm - 2 * kMargin;
    const std::string title = "領　収　書"_sj;
    page.texts.push_back({(kA4WidthMm - TextWidthMm(title, 24)) / 2, kMargin + 10, 24, title});
    const std::string date = std::to_string(r.date.year) + "年"_sj + std::to_string(r.date.month) +
                             "月"_sj + std::to_string(r.date.day) + "日"_sj;
    const std::string number = "No. " + r.number;
    for (auto [text, y] : {std::pair{date, kMargin + 22.0}, std::pair{number, kMargin + 28.0}}) {
        page.texts.push_back({kA4WidthMm - kMargin - TextWidthMm(text, 10.5), y, 10.5, text});
    }
    const std::string buyer = r.buyer + "　様"_sj;
    page.texts.push_back({kMargin, kMargin + 45, 16, buyer});
    page.rules.push_back({kMargin, kMargin + 47, kMargin + 100, kMargin + 47, 0.7});
    const std::string amount = ReceiptAmountText(r.amount);
    page.texts.push_back({(kA4WidthMm - TextWidthMm(amount, 24)) / 2, kMargin + 70, 24, amount});
    page.rules.push_back(
        {kMargin + 30, kMargin + 73, kA4WidthMm - kMargin - 30, kMargin + 73, 0.7});
    double y = AddLines(page, "但し　"_sj + r.product_name + "代として"_sj, kMargin, kMargin + 88,
                        11, width);
    y = AddLines(page, "上記正に領収いたしました。"_sj, kMargin, y + 4, 11, width);
    const double x = kA4WidthMm / 2;
    y = AddLines(page, r.seller_name, x, y + 20, 11, width / 2);
    y = AddLines(page, PostcodeText(r.seller_zip), x, y, 10, width / 2);
    AddLines(page, r.seller_address, x, y, 10, width / 2);
    return page;
}

} // namespace hanamori
