#pragma once
// What a text field takes of a text typed or pasted into it. A field stores CP932 bytes
// and may have a capacity: the characters CP932 cannot hold are kept out (and the seller
// is told every one of them), and a field that is full takes no more. The texts here are
// UTF-8, as the window system hands them over.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// A field without a capacity.
inline constexpr std::size_t kNoCapacity = static_cast<std::size_t>(-1);

// How a field takes what is typed into it.
struct FieldInput {
    // The most bytes it stores as CP932, a line break counted as CR LF; kNoCapacity:
    // no limit.
    std::size_t max_bytes = kNoCapacity;
    // A number field: full-width digits and minus signs are taken as ASCII ones.
    bool digits = false;
};

// What a field takes of an insertion.
struct TakenInput {
    std::string text;                 // what goes in (UTF-8)
    std::vector<std::string> refused; // the characters CP932 cannot hold, each once
    bool cut = false;                 // the capacity stopped the rest
};

// The part of `inserted` (UTF-8) that the field takes when `room` bytes are left in it:
// every character CP932 can hold, in order, until the next would not fit; full-width
// digits folded in a number field.
TakenInput TakeInput(std::string_view inserted, std::size_t room, const FieldInput& input);

// The bytes a field's text takes when stored: its CP932 form, a line break as CR LF.
std::size_t StoredBytes(std::string_view utf8);

// The message that tells which characters were kept out (UTF-8), naming each as itself:
// 「📷」「€」の文字は使用できません。
std::string UnencodableMessage(const std::vector<std::string>& chars);

// The status bar note of a field that stopped taking input at its capacity (UTF-8).
std::string CapacityNote(std::size_t max_bytes);

} // namespace hanamori
