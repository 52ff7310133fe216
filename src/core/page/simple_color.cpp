#include "core/page/simple_color.h"

#include "core/text/cp932.h"
#include "core/text/format.h"

#include <algorithm>

namespace hanamori {
namespace {

std::string Piece(std::string_view color, std::size_t pos) {
    if (pos >= color.size()) {
        return {};
    }
    return std::string(color.substr(pos, 2));
}

int HexValue(std::string_view piece) {
    int value = 0;
    for (char c : piece) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

SimpleColor SplitSimpleColor(std::string_view color) {
    SimpleColor c;
    c.red = Piece(color, 1);
    c.green = Piece(color, 3);
    c.blue = Piece(color, 5);
    c.r = HexValue(c.red);
    c.g = HexValue(c.green);
    c.b = HexValue(c.blue);
    return c;
}

std::string FadingRule(const SimpleColor& color) {
    std::string rule;
    for (int i = 0; i < 16; ++i) {
        rule += StrPrintf("<font color=\"#%02X%02X%02X\">━━</font>"_sj.c_str(),
                          std::min(255, color.r + 16 * i), std::min(255, color.g + 16 * i),
                          std::min(255, color.b + 16 * i));
    }
    return rule;
}

} // namespace hanamori
