#pragma once
// The rules of the product description tab that need no window: how its number fields
// read, the size total, and the mail-type costs of "送料計算".

#include <array>
#include <string>
#include <string_view>

namespace hanamori {

// A number field as the listing stores it: the leading decimal digits after optional
// blanks and sign (text without digits reads 0, values beyond the int range are held
// at its end); -1 for the empty text or a negative number.
int ReadFieldNumber(std::string_view text);

// A stored number as a field shows it: "" for a negative value, else the number.
std::string FieldNumberText(int value);

// The total of the three sizes as stored (an unset size, -1, counts 0), held at the
// largest int.
int SizeTotal(int length, int width, int height);
// The same for the three size fields: each an ASCII-digit text (empty counts 0).
int SizeTotal(std::string_view length, std::string_view width, std::string_view height);

// The six mail types of "送料計算", in order: 定形郵便, 定形外郵便, 冊子小包,
// EXPACK500, クロネコメール便, 飛脚メール便.
inline constexpr int kMailKindCount = 6;

// The cost of the parcel by each mail type from `origin`, read from the rate files in
// `cost_dir`; a negative cost where the type cannot carry the parcel (or its rates do
// not load).
std::array<int, kMailKindCount> MailTypeCosts(const std::string& cost_dir, int length, int width,
                                              int height, int grams, const std::string& origin);

// What "送料計算" does to one mail type's fields: the cost it shows ("" where the type
// cannot carry the parcel), and whether its tick comes off (a type that cannot carry the
// parcel is no longer offered).
struct MailTypeFields {
    std::string cost_text;
    bool untick = false;
};
MailTypeFields MailTypeAfterCosting(int cost, bool ticked);

} // namespace hanamori
