#pragma once
// Walking a record's field list with a reader or writer that takes references.
//
// Each record names its fields once, in a static `Fields(f)`, as calls with the field's
// key, a pointer to the member and what the field holds:
//   f.Text(key, member, capacity)             a text; capacity 0: unbounded
//   f.Flag(key, member)                       a check box or stage, one byte
//   f.Int(key, member)                        a 32-bit number
//   f.Line(key, member, capacity)             a one-line value of a settings file
//   f.Int(key, member, section)               ... kept in an INI section of its own
//   f.SideText(key, member, file, capacity)   a text kept in a side file of its own
// Capacities count the terminator, so a field holds at most capacity - 1 bytes.

#include <cstddef>
#include <type_traits>

namespace hanamori {

// Turns a field list's member pointers into references into one record (const when the
// record is) and hands them to `io`, under the same call names.
template <class Record, class Io> struct FieldBinder {
    Record& r;
    Io& io;
    template <class M> void Text(const char* key, M m, std::size_t capacity = 0) {
        io.Text(key, r.*m, capacity);
    }
    template <class M> void Flag(const char* key, M m) { io.Flag(key, r.*m); }
    // The INI section matters to the settings files alone, which walk the list
    // themselves.
    template <class M> void Int(const char* key, M m, const char* = nullptr) { io.Int(key, r.*m); }
    template <class M> void Line(const char* key, M m, std::size_t capacity) {
        io.Line(key, r.*m, capacity);
    }
    template <class M> void SideText(const char* key, M m, const char* file, std::size_t capacity) {
        io.SideText(key, r.*m, file, capacity);
    }
};

// Runs `io` over the fields of `record`: `io` gets each field's key and a reference to
// the member, with the call names above.
template <class Record, class Io> void VisitFields(Record& record, Io&& io) {
    std::remove_const_t<Record>::Fields(
        FieldBinder<Record, std::remove_reference_t<Io>>{record, io});
}

} // namespace hanamori
