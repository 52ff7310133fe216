#include "core/text/cp932.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace hanamori {
namespace {

TEST(Cp932, SourceLiteralsWithBackslashTrailBytesReachFilesAsCp932) {
    // 表 and ソ end in 0x5C, the byte that naive code treats as a path separator.
    EXPECT_EQ("表"_sj, std::string("\x95\x5C"));
    EXPECT_EQ("ソ"_sj, std::string("\x83\x5C"));
    EXPECT_EQ("～"_sj, std::string("\x81\x60"));
    EXPECT_EQ("　"_sj, std::string("\x81\x40"));
    EXPECT_EQ(Cp932ToUtf8("\x95\x5C\x83\x5C"), "表ソ");
}

TEST(Cp932, FitFieldNeverSplitsADoubleByteCharacter) {
    std::string text = "a" + "表表"_sj; // 1 + 2 + 2 bytes
    EXPECT_EQ(FitField(text, 6), text);
    EXPECT_EQ(FitField(text, 5), "a" + "表"_sj); // 4 bytes fit, the cut is clean
    EXPECT_EQ(FitField(text, 4), "a" + "表"_sj); // 3 bytes fit
    EXPECT_EQ(FitField(text, 3), "a");           // 2 bytes would split 表
    EXPECT_EQ(FitField(text, 1), "");
    EXPECT_EQ(FitField("ｺﾋﾟｰ"_sj, 3), "ｺﾋ"_sj); // half-width kana are single bytes
}

TEST(Cp932, CaseInsensitiveComparisonLeavesTrailBytesAlone) {
    EXPECT_TRUE(EqualsIgnoreAsciiCase("Seller", "sELLER"));
    // ソ is 83 5C and 1 + \ would not match it; "ア" (83 41) must not equal 83 61.
    EXPECT_FALSE(EqualsIgnoreAsciiCase("ア"_sj, std::string("\x83\x61")));
    EXPECT_TRUE(EqualsIgnoreAsciiCase("", ""));
}

TEST(Cp932, UnencodableCharactersAreNamed) {
    EXPECT_FALSE(Utf8ToCp932("emoji 😀").has_value());
    EXPECT_EQ(FirstUnencodableChar("ok 😀 no"), "😀");
    EXPECT_EQ(FirstUnencodableChar("全部大丈夫"), "");
    // Every one, each once, in order; a byte that is not UTF-8 is one too.
    EXPECT_EQ(UnencodableChars("📷 ♥€50相当 €𠮷野家 📷"),
              (std::vector<std::string>{"📷", "♥", "€", "𠮷"}));
    EXPECT_EQ(UnencodableChars("a\xFF"
                               "b"),
              (std::vector<std::string>{"\xFF"}));
    EXPECT_TRUE(UnencodableChars("〜−全部").empty());
}

// The UTF-8 form of a code point.
std::string Utf8Of(char32_t cp) {
    const int n = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    std::string out(static_cast<std::size_t>(n), '\0');
    for (int i = n - 1; i > 0; --i, cp >>= 6) {
        out[static_cast<std::size_t>(i)] = static_cast<char>(0x80 | (cp & 0x3F));
    }
    out[0] = static_cast<char>((n == 1 ? 0 : (0xFF << (8 - n)) & 0xFF) | cp);
    return out;
}

// The characters held only in another form are stored in it, and those alone: every
// other character that converts reads back as itself. U+0000 and the tag characters
// (which the system's converter drops without a word) are never held.
TEST(Cp932, OnlyTheSettledEquivalentsChangeOnTheWayIn) {
    const std::pair<const char*, const char*> equivalents[] = {
        {"〜", "\x81\x60"}, {"−", "\x81\x7C"}, {"—", "\x81\x5C"},
        {"‖", "\x81\x61"},  {"¢", "\x81\x91"}, {"£", "\x81\x92"},
        {"¬", "\x81\xCA"},  {"¥", "\x5C"},     {"‾", "\x7E"}};
    for (const auto& [from, to] : equivalents) {
        EXPECT_EQ(Utf8ToCp932Lossy(std::string("a") + from), "a" + std::string(to)) << from;
    }
    std::size_t changed = 0;
    for (char32_t cp = 1; cp < 0x110000; cp = cp == 0xD7FF ? 0xE000 : cp + 1) {
        const std::string ch = Utf8Of(cp);
        const std::optional<std::string> held = Utf8ToCp932(ch);
        changed += held && Cp932ToUtf8(*held) != ch;
    }
    EXPECT_EQ(changed, std::size(equivalents));
    using namespace std::string_view_literals;
    EXPECT_FALSE(Utf8ToCp932("a\0b"sv));
    EXPECT_FALSE(Utf8ToCp932(Utf8Of(0xE0001)));
    EXPECT_EQ(Utf8ToCp932Lossy(std::string("a\0b", 3) + Utf8Of(0xE007F) + "c"), "abc");
}

TEST(Cp932, LossyConversionLeavesOutOnlyWhatCannotBeHeld) {
    EXPECT_EQ(Utf8ToCp932Lossy("花😀瓶\r\n€x"), "花瓶\r\nx"_sj);
    // A broken sequence costs its first byte only, not the characters after it.
    EXPECT_EQ(Utf8ToCp932Lossy("a\xE3"
                               "A"
                               "b\xF0\x9F"),
              "aAb");
    EXPECT_EQ(Utf8ToCp932Lossy(""), "");
    std::string many(20000, 'x');
    many += "😀";
    EXPECT_EQ(Utf8ToCp932Lossy(many), std::string(20000, 'x'));
}

// The converters are kept between conversions: nothing one leaves behind reaches the
// next, and each thread has its own.
TEST(Cp932, EachConversionStartsAfresh) {
    EXPECT_FALSE(Utf8ToCp932("\xE3\x81").has_value());
    EXPECT_EQ(Utf8ToCp932("あ"), "あ"_sj);
    EXPECT_EQ(Cp932ToUtf8(std::string("\x82")), "\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8("花瓶"_sj), "花瓶");
    std::string other;
    std::thread([&other] { other = Cp932ToUtf8("花瓶"_sj) + Utf8ToCp932Lossy("x😀"); }).join();
    EXPECT_EQ(other, "花瓶x");
}

} // namespace
} // namespace hanamori
