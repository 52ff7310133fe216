#pragma once
// A page or dialog that edits a record binds its fields in one table: for each field its
// widget, control identifier, field code, record member, how the member is shown and
// stored, and the abilities of its context menu. Showing, storing and wiring walk the
// table, so a field is added in one line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
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
    // A check box: 1 ticked, 0 not.
    Flag,
    // A drop-down list of names: the chosen name, cut to a field of `limit` bytes. A
    // stored name that is not in the list keeps the choice as it is.
    Name,
    // The same, but a stored name that is not in the list leaves nothing chosen.
    NameOrNone,
    // A drop-down list whose items carry upper bounds: the first item whose bound holds
    // the value is chosen; the chosen item's bound is stored, -1 when none is chosen.
    UpperBound,
    // Shows its member (or, without one, what the page computes); stores nothing.
    Shown,
};

template <typename Record> struct BoundField {
    using Member = std::variant<std::monostate, std::string Record::*, std::int32_t Record::*>;
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

// Keeps characters CP932 cannot hold out of a text field; other widgets need no guard.
void GuardTextField(QWidget* widget, Host& host);

template <typename Record> void ShowField(const BoundField<Record>& f, const Record& record) {
    if (auto* text = std::get_if<std::string Record::*>(&f.member)) {
        ShowBoundText(f.widget, f.shape, record.**text);
    } else if (auto* number = std::get_if<std::int32_t Record::*>(&f.member)) {
        ShowBoundNumber(f.widget, f.shape, record.**number);
    }
}

template <typename Record> void StoreField(const BoundField<Record>& f, Record& record) {
    if (auto* text = std::get_if<std::string Record::*>(&f.member)) {
        if (auto value = ReadBoundText(f.widget, f.shape, f.limit)) {
            record.** text = std::move(*value);
        }
    } else if (auto* number = std::get_if<std::int32_t Record::*>(&f.member)) {
        if (auto value = ReadBoundNumber(f.widget, f.shape)) {
            record.** number = *value;
        }
    }
}

// Shows every bound member of `record`; fields without a member are left as they are.
template <typename Record>
void ShowFields(std::span<const BoundField<Record>> fields, const Record& record) {
    for (const BoundField<Record>& f : fields) {
        ShowField(f, record);
    }
}

// Stores every field with a member into `record`.
template <typename Record>
void StoreFields(std::span<const BoundField<Record>> fields, Record& record) {
    for (const BoundField<Record>& f : fields) {
        StoreField(f, record);
    }
}

// Empties every field with a member.
template <typename Record> void ClearFields(std::span<const BoundField<Record>> fields) {
    for (const BoundField<Record>& f : fields) {
        if (f.HasMember()) {
            ClearBoundField(f.widget);
        }
    }
}

// Guards every text field of a table.
template <typename Record>
void GuardTextFields(std::span<const BoundField<Record>> fields, Host& host) {
    for (const BoundField<Record>& f : fields) {
        GuardTextField(f.widget, host);
    }
}

// The field with field code `code`, or the one on `widget`; nullptr when none.
template <typename Record>
const BoundField<Record>* FieldWithCode(std::span<const BoundField<Record>> fields, int code) {
    for (const BoundField<Record>& f : fields) {
        if (f.code == code) {
            return &f;
        }
    }
    return nullptr;
}
template <typename Record>
const BoundField<Record>* FieldOn(std::span<const BoundField<Record>> fields,
                                  const QWidget* widget) {
    for (const BoundField<Record>& f : fields) {
        if (f.widget == widget) {
            return &f;
        }
    }
    return nullptr;
}

} // namespace hanamori
