#pragma once
// Code page 932 (Shift-JIS) text. Inside the program every text is a std::string of
// CP932 bytes; conversion to and from UTF-8 happens only at the edges (terminal, files
// typed by people, the window system).

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// True for a byte that starts a double-byte CP932 character.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// UTF-8 to CP932; nullopt when a character has no CP932 form or the input is not UTF-8.
// The characters that CP932 holds only in a form that Japanese fonts show alike are
// stored in that form: 〜 U+301C as 81 60 (～), − U+2212 as 81 7C (－), — U+2014 as
// 81 5C (―), ‖ U+2016 as 81 61 (∥), ¢ £ ¬ as 81 91, 81 92, 81 CA (￠ ￡ ￢), ¥ U+00A5
// as 5C and ‾ U+203E as 7E; no other character changes. U+0000 is never held: a text
// cannot carry it through a terminated field.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
// UTF-8 to CP932, leaving out every character CP932 cannot hold and every byte that is
// not UTF-8.
std::string Utf8ToCp932Lossy(std::string_view utf8);
// CP932 to UTF-8; bytes that are not valid CP932 come out as U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// The first character (as UTF-8) of a UTF-8 text that CP932 cannot hold, or empty.
std::string FirstUnencodableChar(std::string_view utf8);
// Every character (as UTF-8) of a UTF-8 text that CP932 cannot hold, each once, in the
// order they first appear; a byte that is not UTF-8 counts as such a character.
std::vector<std::string> UnencodableChars(std::string_view utf8);

// Bytes of the UTF-8 character at the start of `utf8` (not empty); 1 for a byte that
// starts no well-formed character.
std::size_t Utf8CharSize(std::string_view utf8);

// Length of the longest prefix of `text` that is at most `max_bytes` long and does not
// end inside a double-byte character.
std::size_t SafeCutLength(std::string_view text, std::size_t max_bytes);

// The text as a fixed field of `capacity` bytes (terminator included) holds it: cut to
// capacity - 1 bytes, never inside a double-byte character.
std::string FitField(std::string_view text, std::size_t capacity);

// Compares ignoring the case of ASCII letters; trail bytes of double-byte characters
// are compared exactly.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

// A UTF-8 string literal in the source, usable as a template argument.
template <std::size_t N> struct Utf8Literal {
    char data[N];
    constexpr Utf8Literal(const char (&s)[N]) { std::copy_n(s, N, data); }
    constexpr std::string_view view() const { return {data, N - 1}; }
};

namespace detail {
// Converts a literal of the program's own source; a literal that CP932 cannot hold is
// a programming error and stops the program with a message naming it.
std::string ConvertSourceLiteral(std::string_view utf8);
} // namespace detail

// "商品名"_sj: the CP932 bytes of a UTF-8 source literal, converted once per literal.
template <Utf8Literal L> const std::string& operator""_sj() {
    static const std::string converted = detail::ConvertSourceLiteral(L.view());
    return converted;
}

} // namespace hanamori
