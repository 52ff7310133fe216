#include "core/text/text_search.h"

#include "core/text/cp932.h"
#include "core/text/width_fold.h"

namespace hanamori {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void AppendFoldedForSearch(std::string& out, std::string_view cp932) {
    AppendFoldedChars(
        out, cp932,
        [](unsigned char lead, unsigned char trail) { return Lower(FoldWideAlnum(lead, trail)); },
        Lower);
}

std::string FoldForSearch(std::string_view cp932) {
    std::string out;
    AppendFoldedForSearch(out, cp932);
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
