#pragma once
// Width folding of names: the full-width forms of digits, Latin letters, brackets and
// the ideographic space stand for their ASCII counterparts, so that a name typed with
// either width finds the other. Used where names are typed on a command line; the
// desktop program's look-ups stay exact.

#include "core/text/cp932.h"

#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// The ASCII digit or letter a full-width one (CP932 `lead`, `trail`) stands for, in
// its own case; 0 for any other character.
char FoldWideAlnum(unsigned char lead, unsigned char trail);

// `cp932` character by character, added to the end of `out`: a double-byte character
// becomes the ASCII character `fold_double(lead, trail)` gives, or stays as it is when
// that gives 0; a single byte becomes `fold_single(byte)`.
template <class FoldDouble, class FoldSingle>
void AppendFoldedChars(std::string& out, std::string_view cp932, FoldDouble fold_double,
                       FoldSingle fold_single) {
    // Folding never makes a text longer: written in place, then cut to what was written.
    const std::size_t start = out.size();
    out.resize(start + cp932.size());
    char* at = out.data() + start;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto c = static_cast<unsigned char>(cp932[i]);
        if (IsLeadByte(c) && i + 1 < cp932.size()) {
            if (const char ascii = fold_double(c, static_cast<unsigned char>(cp932[i + 1]))) {
                *at++ = ascii;
            } else {
                *at++ = cp932[i];
                *at++ = cp932[i + 1];
            }
            ++i;
        } else {
            *at++ = fold_single(cp932[i]);
        }
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
}

template <class FoldDouble, class FoldSingle>
std::string FoldChars(std::string_view cp932, FoldDouble fold_double, FoldSingle fold_single) {
    std::string out;
    AppendFoldedChars(out, cp932, fold_double, fold_single);
    return out;
}

// `cp932` with every full-width digit (０-９), letter (Ａ-Ｚ, ａ-ｚ), bracket (（）［］｛｝)
// and ideographic space replaced by the ASCII character; everything else, the other
// full-width signs included, is kept as it is.
std::string FoldWidth(std::string_view cp932);

// `cp932` with every full-width digit (０-９) and the full-width minus (－) replaced by
// the ASCII character, as a number typed through a Japanese input method means them.
std::string FoldWideDigits(std::string_view cp932);

// Index of the name in `names` equal to `wanted`: an exact match first, else the first
// that is equal after FoldWidth on both; -1 when none is.
int FindFoldedName(const std::vector<std::string>& names, std::string_view wanted);

// The text with every LF that does not follow a CR written as CR LF, as the program's
// multi-line fields store line breaks.
std::string BareLfToCrLf(std::string_view text);

} // namespace hanamori
