#include "core/text/width_fold.h"

#include "core/text/cp932.h"

namespace hanamori {
namespace {

// The ASCII character a full-width CP932 character folds to, or 0.
char FoldedChar(unsigned char lead, unsigned char trail) {
    if (lead == 0x81) {
        switch (trail) {
        case 0x40:
            return ' ';
        case 0x69:
            return '(';
        case 0x6A:
            return ')';
        case 0x6D:
            return '[';
        case 0x6E:
            return ']';
        case 0x6F:
            return '{';
        case 0x70:
            return '}';
        default:
            return 0;
        }
    }
    return FoldWideAlnum(lead, trail);
}

} // namespace

char FoldWideAlnum(unsigned char lead, unsigned char trail) {
    // Digits 82 4F-58, capitals 82 60-79, small letters 82 81-9A.
    if (lead != 0x82) {
        return 0;
    }
    if (trail >= 0x4F && trail <= 0x58) {
        return static_cast<char>('0' + (trail - 0x4F));
    }
    if (trail >= 0x60 && trail <= 0x79) {
        return static_cast<char>('A' + (trail - 0x60));
    }
    if (trail >= 0x81 && trail <= 0x9A) {
        return static_cast<char>('a' + (trail - 0x81));
    }
    return 0;
}

std::string FoldWidth(std::string_view cp932) {
    return FoldChars(cp932, FoldedChar, [](char c) { return c; });
}

std::string FoldWideDigits(std::string_view cp932) {
    return FoldChars(
        cp932,
        [](unsigned char lead, unsigned char trail) -> char {
            if (lead == 0x81 && trail == 0x7C) {
                return '-';
            }
            return lead == 0x82 && trail >= 0x4F && trail <= 0x58 ? FoldWideAlnum(lead, trail) : 0;
        },
        [](char c) { return c; });
}

int FindFoldedName(const std::vector<std::string>& names, std::string_view wanted) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == wanted) {
            return static_cast<int>(i);
        }
    }
    const std::string folded = FoldWidth(wanted);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (FoldWidth(names[i]) == folded) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string BareLfToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

} // namespace hanamori
