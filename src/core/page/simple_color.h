#pragma once
// The colour of 簡易表示（カラー対応）: "#rrggbb" taken apart into its three pieces,
// and the heading rule that fades from that colour towards white.

#include <string>
#include <string_view>

namespace hanamori {

struct SimpleColor {
    // The texts of characters 2-3, 4-5 and 6-7, each up to two bytes (shorter or empty
    // when the colour text is shorter).
    std::string red, green, blue;
    // Each piece read as hexadecimal as far as it has hex digits; 0 without a leading one.
    int r = 0, g = 0, b = 0;
};

SimpleColor SplitSimpleColor(std::string_view color);

// 16 segments "━━", the first in the colour itself and each next one 16 lighter in
// every component, capped at 255.
std::string FadingRule(const SimpleColor& color);

} // namespace hanamori
