#pragma once
// A page or dialog that edits a record binds its fields in one table: for each field its
// widget, control identifier, field code, record member, how the member is shown and
// stored, and the abilities of its context menu. Showing, storing and wiring walk the
// table, so a field is added in one line.

#include "core/text/field_input.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

class QWidget;

namespace hanamori {

class Host;

// How a field shows its member and stores it back.
enum class FieldShape {
    // One-line text, stored as a fixed field of `limit` bytes (terminator included).
    Line,
    // Many-lined text: CR LF line ends in the record, at most `limit` bytes.
    Lines,
    // A number: a negative value shows empty, an empty field stores -1.
    Number,
    // A quantity: a number shown as at least 1, stored as a Number.
    Count,
    // An amount of digits only; a text that is none is refused (kept out of the record).
    Amount,
    // An amount that may carry one leading minus sign.
    SignedAmount,
    // A check box: 1 ticked, 0 not; any value but 0 shows ticked.
    Flag,
    // The same, but only the value 1 shows ticked.
    FlagIsOne,
    // A drop-down list of names: the chosen name, cut to a field of `limit` bytes. A
    // stored name that is not in the list keeps the choice as it is.
    Name,
    // The same, but a stored name that is not in the list leaves nothing chosen.
    NameOrNone,
    // The same, but a stored name that is not in the list chooses the first item.
    NameOrFirst,
    // A drop-down list storing the position of the chosen item: a value with no item
    // leaves nothing chosen, and while nothing is chosen the stored value stays.
    Index,
    // A drop-down list whose items carry upper bounds: the first item whose bound holds
    // the value is chosen; the chosen item's bound is stored, -1 when none is chosen.
    UpperBound,
    // Shows its member (or, without one, what the page computes); stores nothing.
    Shown,
};

// The record of a table whose fields edit values in place, through plain pointers.
struct InPlace {};
inline constexpr InPlace kInPlace{};

template <typename Record> struct BoundField {
    // A member of the record, or a value edited in place.
    using Member = std::variant<std::monostate, std::string Record::*, std::int32_t Record::*,
                                std::string*, std::int32_t*>;
    QWidget* widget;
    int control_id; // 0: none
    int code;       // the field code its changes report; 0: none
    Member member;
    FieldShape shape;
    std::size_t limit = 0;
    int abilities = 0; // its context menu's items (kEditAbility...); 0: as the 編集 menu stands
    // The message (UTF-8) that refuses a typed text the field cannot take; nullptr: none.
    const char* refusal = nullptr;

    bool HasMember() const { return !std::holds_alternative<std::monostate>(member); }
};

// Shows one value in a field of the given shape, without reporting a change.
void ShowBoundText(QWidget* widget, FieldShape shape, const std::string& value);
void ShowBoundNumber(QWidget* widget, FieldShape shape, std::int32_t value);
// Empties a field: no text, no tick, nothing chosen.
void ClearBoundField(QWidget* widget);
// What a field holds, as its shape stores it; nullopt when it holds nothing storable (a
// refused amount, or a field that only shows).
std::optional<std::string> ReadBoundText(const QWidget* widget, FieldShape shape,
                                         std::size_t limit);
std::optional<std::int32_t> ReadBoundNumber(const QWidget* widget, FieldShape shape);

// How a text field of this shape and limit takes what is typed into it: a one-line
// text or name up to its field's capacity, a many-lined one up to its limit, a number
// with full-width digits taken as digits.
FieldInput InputOf(FieldShape shape, std::size_t limit);
// Guards a text field against what it cannot store (see GuardCp932Input); other widgets
// need no guard.
void GuardTextField(QWidget* widget, FieldInput input, Host& host);

// True when a check box of this shape shows `value` ticked.
bool ShowsTicked(FieldShape shape, std::int32_t value);
// True when a field of this shape that now reads `read` still shows `stored` as it was
// shown: a check box left as it showed keeps the value stored (a flag of 2 stays 2).
bool KeepsStored(FieldShape shape, std::int32_t stored, std::int32_t read);

// The value of type T a field edits in `record` (a member, or a value in place); nullptr
// when it edits no T. `R` is the record type, const or not.
template <typename T, typename Record, typename R>
auto BoundValue(const BoundField<Record>& f, R& record)
    -> decltype(&(record.*std::declval<T Record::*>())) {
    if (auto* member = std::get_if<T Record::*>(&f.member)) {
        return &(record.**member);
    }
    auto* value = std::get_if<T*>(&f.member);
    return value ? *value : nullptr;
}

template <typename Record> void ShowField(const BoundField<Record>& f, const Record& record) {
    if (const std::string* text = BoundValue<std::string>(f, record)) {
        ShowBoundText(f.widget, f.shape, *text);
    } else if (const std::int32_t* number = BoundValue<std::int32_t>(f, record)) {
        ShowBoundNumber(f.widget, f.shape, *number);
    }
}

template <typename Record> void StoreField(const BoundField<Record>& f, Record& record) {
    if (std::string* text = BoundValue<std::string>(f, record)) {
        if (auto value = ReadBoundText(f.widget, f.shape, f.limit)) {
            *text = std::move(*value);
        }
    } else if (std::int32_t* number = BoundValue<std::int32_t>(f, record)) {
        if (auto value = ReadBoundNumber(f.widget, f.shape);
            value && !KeepsStored(f.shape, *number, *value)) {
            *number = *value;
        }
    }
}

// The functions below walk a whole table: a vector or span of BoundField.

// Shows every bound value of `record`; fields without one are left as they are.
template <typename Fields, typename Record>
void ShowFields(const Fields& fields, const Record& record) {
    for (const auto& f : fields) {
        ShowField(f, record);
    }
}

// Stores every field that edits a value into `record`.
template <typename Fields, typename Record> void StoreFields(const Fields& fields, Record& record) {
    for (const auto& f : fields) {
        StoreField(f, record);
    }
}

// Empties every field that edits a value.
template <typename Fields> void ClearFields(const Fields& fields) {
    for (const auto& f : fields) {
        if (f.HasMember()) {
            ClearBoundField(f.widget);
        }
    }
}

// Guards every text field of a table.
template <typename Fields> void GuardTextFields(const Fields& fields, Host& host) {
    for (const auto& f : fields) {
        GuardTextField(f.widget, InputOf(f.shape, f.limit), host);
    }
}

// The field with field code `code`, or the one on `widget`; nullptr when none.
template <typename Fields>
auto FieldWithCode(const Fields& fields, int code) -> decltype(&*std::begin(fields)) {
    for (const auto& f : fields) {
        if (f.code == code) {
            return &f;
        }
    }
    return nullptr;
}
template <typename Fields>
auto FieldOn(const Fields& fields, const QWidget* widget) -> decltype(&*std::begin(fields)) {
    for (const auto& f : fields) {
        if (f.widget == widget) {
            return &f;
        }
    }
    return nullptr;
}

} // namespace hanamori
