#include "core/text/text_search.h"

#include "core/text/cp932.h"

namespace hanamori {
namespace {

// Full-width forms in CP932: digits 82 4F-58, capitals 82 60-79, small letters 82 81-9A.
char FoldWide(unsigned char lead, unsigned char trail) {
    if (lead != 0x82) {
        return 0;
    }
    if (trail >= 0x4F && trail <= 0x58) {
        return static_cast<char>('0' + (trail - 0x4F));
    }
    if (trail >= 0x60 && trail <= 0x79) {
        return static_cast<char>('a' + (trail - 0x60));
    }
    if (trail >= 0x81 && trail <= 0x9A) {
        return static_cast<char>('a' + (trail - 0x81));
    }
    return 0;
}

} // namespace

std::string FoldForSearch(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        auto c = static_cast<unsigned char>(cp932[i]);
        if (IsLeadByte(c) && i + 1 < cp932.size()) {
            auto trail = static_cast<unsigned char>(cp932[i + 1]);
            if (char ascii = FoldWide(c, trail)) {
                out.push_back(ascii);
            } else {
                out.push_back(static_cast<char>(c));
                out.push_back(static_cast<char>(trail));
            }
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            out.push_back(static_cast<char>(c - 'A' + 'a'));
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

bool ContainsFolded(std::string_view folded_haystack, std::string_view folded_needle) {
    if (folded_needle.empty()) {
        return true;
    }
    const std::size_t n = folded_haystack.size();
    const std::size_t m = folded_needle.size();
    for (std::size_t i = 0; i + m <= n;) {
        if (folded_haystack.compare(i, m, folded_needle) == 0) {
            return true;
        }
        // Step over whole characters only.
        i += IsLeadByte(static_cast<unsigned char>(folded_haystack[i])) && i + 1 < n ? 2 : 1;
    }
    return false;
}

} // namespace hanamori
