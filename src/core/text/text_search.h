#pragma once
// Finding what a seller types in names and numbers: ASCII letters match in either
// case and full-width digits and letters match their ASCII forms, on CP932 text.

#include <string>
#include <string_view>

namespace hanamori {

// The text in the form searches compare: full-width digits and Latin letters become
// ASCII, ASCII letters lower case; every other character is kept as it is.
std::string FoldForSearch(std::string_view cp932);
// The same, added to the end of `out`.
void AppendFoldedForSearch(std::string& out, std::string_view cp932);

// True when `folded_needle` occurs in `folded_haystack` starting on a character
// boundary (so a trail byte and the next lead byte never form a match). Both come
// from FoldForSearch; the empty needle is found everywhere.
bool ContainsFolded(std::string_view folded_haystack, std::string_view folded_needle);

} // namespace hanamori
