#include "core/text/text_search.h"

#include "core/text/cp932.h"
#include "core/text/width_fold.h"

namespace hanamori {

std::string FoldForSearch(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        auto c = static_cast<unsigned char>(cp932[i]);
        if (IsLeadByte(c) && i + 1 < cp932.size()) {
            auto trail = static_cast<unsigned char>(cp932[i + 1]);
            if (char ascii = FoldWideAlnum(c, trail)) {
                out.push_back(ascii >= 'A' && ascii <= 'Z' ? static_cast<char>(ascii - 'A' + 'a')
                                                           : ascii);
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
