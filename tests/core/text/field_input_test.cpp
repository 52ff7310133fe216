// What a text field takes of a text typed or pasted into it.

#include "core/text/field_input.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using Chars = std::vector<std::string>;

TEST(FieldInput, EveryCharacterThatCannotBeStoredIsKeptOutAndNamed) {
    TakenInput t = TakeInput("📷€50相当 ♥𠮷野家€", kNoCapacity, {});
    EXPECT_EQ(t.text, "50相当 野家");
    EXPECT_EQ(t.refused, (Chars{"📷", "€", "♥", "𠮷"}));
    EXPECT_FALSE(t.cut);
    EXPECT_EQ(UnencodableMessage(t.refused), "「📷」「€」「♥」「𠮷」の文字は使用できません。\n"
                                             "これらの文字は入力できないため取り除きました。");
    EXPECT_EQ(UnencodableMessage({"€"}),
              "「€」の文字は使用できません。\nこの文字は入力できないため取り除きました。");
}

TEST(FieldInput, AFieldTakesWhatFitsItsCapacityInStoredBytes) {
    const FieldInput name{10};
    // Full-width characters take two bytes; the one that would split is left out.
    TakenInput t = TakeInput("あいうえおか", 9, name);
    EXPECT_EQ(t.text, "あいうえ");
    EXPECT_TRUE(t.cut);
    EXPECT_FALSE(TakeInput("abc", 3, name).cut);
    // A line break is stored as CR LF.
    EXPECT_EQ(TakeInput("a\nb\r\nc", 5, name).text, "a\nb");
    EXPECT_EQ(StoredBytes("a\nb\r\nあ"), 3u + 3u + 2u);
    EXPECT_EQ(CapacityNote(127), "この欄に入力できるのは半角127文字（全角63文字）までです。");
}

TEST(FieldInput, ANumberFieldTakesFullWidthDigitsAsDigits) {
    const FieldInput number{kNoCapacity, true};
    EXPECT_EQ(TakeInput("１８５００", kNoCapacity, number).text, "18500");
    EXPECT_EQ(TakeInput("－３個", kNoCapacity, number).text, "-3個");
}

} // namespace
} // namespace hanamori
