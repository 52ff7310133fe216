#include "core/page/product_form.h"

#include "core/page/html_tags.h"
#include "core/shipping/calculators.h"

#include <algorithm>
#include <climits>

namespace hanamori {

int ReadFieldNumber(std::string_view text) {
    if (text.empty()) {
        return -1;
    }
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    }
    if (negative && value > 0) {
        return -1;
    }
    return static_cast<int>(value);
}

std::string FieldNumberText(int value) {
    return value < 0 ? std::string() : std::to_string(value);
}

int SizeTotal(int length, int width, int height) {
    long long sum = 0LL + std::max(length, 0) + std::max(width, 0) + std::max(height, 0);
    return static_cast<int>(std::min<long long>(sum, INT_MAX));
}

int SizeTotal(std::string_view length, std::string_view width, std::string_view height) {
    return SizeTotal(DigitsValue(length), DigitsValue(width), DigitsValue(height));
}

std::array<int, kMailKindCount> MailTypeCosts(const std::string& cost_dir, int length, int width,
                                              int height, int grams, const std::string& origin) {
    std::array<int, kMailKindCount> costs{};
    PostalCalculator calculator;
    calculator.SetRateDirectory(cost_dir);
    calculator.SetParcel(length, width, height, grams);
    for (int kind = 0; kind < kMailKindCount; ++kind) {
        calculator.SetPostalKind(kind);
        costs[kind] = calculator.Load() ? calculator.Cost(origin, std::string()) : -1;
    }
    return costs;
}

MailTypeFields MailTypeAfterCosting(int cost, bool ticked) {
    return {FieldNumberText(cost), cost < 0 && ticked};
}

} // namespace hanamori
