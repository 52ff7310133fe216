#pragma once
// Records to JSON and back, field by field: a record's field list (VisitFields) runs
// with a JsonWriter (record to JSON) or a JsonReader (JSON to record, refusing what the
// record cannot hold and naming the field).

#include "core/app/record_fields.h"
#include "core/text/cp932.h"
#include "core/text/width_fold.h"

#include <climits>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

namespace hanamori::cli {

// Record to JSON: texts in UTF-8 (wherever the record keeps them), numbers and flags as
// integers.
struct JsonWriter {
    nlohmann::ordered_json& out;
    void Text(const char* key, const std::string& value, std::size_t = 0) {
        out[key] = Cp932ToUtf8(value);
    }
    void Line(const char* key, const std::string& value, std::size_t = 0) { Text(key, value); }
    void SideText(const char* key, const std::string& value, const char*, std::size_t) {
        Text(key, value);
    }
    void Int(const char* key, std::int32_t value) { out[key] = value; }
    void Flag(const char* key, std::int32_t value) { out[key] = value; }
};

// The JSON object of one record, its fields in the order of its field list.
template <class Record> nlohmann::ordered_json RecordJson(const Record& record) {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    VisitFields(record, JsonWriter{out});
    return out;
}

// JSON to record; remembers the first error and ignores everything after it. Keys the
// JSON leaves out keep the record's value.
struct JsonReader {
    const nlohmann::json& in;
    std::string prefix;
    std::string& error;
    std::set<std::string> used;

    bool Has(const char* key) {
        if (!error.empty() || !in.contains(key)) {
            return false;
        }
        used.insert(key);
        return true;
    }
    // A text for a field of `capacity` bytes (terminator included; 0: unbounded). Line
    // breaks written as a bare LF are stored as CR LF, as the program's text fields
    // store them. False when the key is absent or refused.
    bool Text(const char* key, std::string& field, std::size_t capacity = 0) {
        if (!Has(key))
            return false;
        const auto& v = in[key];
        if (!v.is_string()) {
            error = prefix + key + ": must be a string";
            return false;
        }
        // A text ends at its first zero byte wherever the program keeps it: one that
        // holds U+0000 would be stored cut short.
        if (v.get_ref<const std::string&>().find('\0') != std::string::npos) {
            error = prefix + key + ": holds the character U+0000, which a text cannot hold";
            return false;
        }
        auto converted = Utf8ToCp932(BareLfToCrLf(v.get<std::string>()));
        if (!converted) {
            error = prefix + key + ": the character \"" +
                    FirstUnencodableChar(v.get<std::string>()) + "\" cannot be stored (Shift-JIS)";
            return false;
        }
        if (capacity != 0 && converted->size() >= capacity) {
            error = prefix + key + ": longer than the field holds (" +
                    std::to_string(capacity - 1) + " bytes)";
            return false;
        }
        field = *converted;
        return true;
    }
    // A one-line text (a value of a settings file, where a line break would end it).
    bool Line(const char* key, std::string& field, std::size_t capacity) {
        if (!Has(key))
            return false;
        const auto& v = in[key];
        if (v.is_string() && v.get<std::string>().find_first_of("\r\n") != std::string::npos) {
            error = prefix + key + ": must be one line";
            return false;
        }
        used.erase(key);
        return Text(key, field, capacity);
    }
    // An integer of the JSON from `low` to `high`. Integers above the signed 64-bit
    // range are held unsigned and must not be read as signed, where they would wrap.
    static bool IntegerIn(const nlohmann::json& v, std::int64_t low, std::int64_t high,
                          std::int32_t& value) {
        if (v.is_number_unsigned()) {
            if (v.get<std::uint64_t>() > static_cast<std::uint64_t>(high)) {
                return false;
            }
        } else if (!v.is_number_integer() || v.get<std::int64_t>() < low ||
                   v.get<std::int64_t>() > high) {
            return false;
        }
        value = static_cast<std::int32_t>(v.get<std::int64_t>());
        return true;
    }
    void Int(const char* key, std::int32_t& field) {
        if (Has(key) && !IntegerIn(in[key], INT32_MIN, INT32_MAX, field)) {
            error = prefix + key + ": must be a 32-bit integer";
        }
    }
    void Flag(const char* key, std::int32_t& field) {
        if (Has(key) && !IntegerIn(in[key], 0, 255, field)) {
            error = prefix + key + ": must be an integer from 0 to 255";
        }
    }
    // Every key of the object must have been one of the record's fields.
    void CheckNoUnknownKeys() {
        if (!error.empty())
            return;
        for (const auto& item : in.items()) {
            if (used.count(item.key()) == 0) {
                error = prefix + item.key() + ": unknown key";
                return;
            }
        }
    }
};

// Runs `bind` on a nested object `key` of the reader's object.
template <class Bind> void ReadObject(JsonReader& parent, const char* key, Bind bind) {
    if (!parent.Has(key))
        return;
    const auto& v = parent.in[key];
    if (!v.is_object()) {
        parent.error = parent.prefix + key + ": must be an object";
        return;
    }
    JsonReader child{v, parent.prefix + key + ".", parent.error, {}};
    bind(child);
    child.CheckNoUnknownKeys();
}

// Runs `bind(reader, index)` on each object of the array `key`, which may hold at
// most `max_size` of them.
template <class Bind>
void ReadArray(JsonReader& parent, const char* key, std::size_t max_size, Bind bind) {
    if (!parent.Has(key))
        return;
    const auto& v = parent.in[key];
    if (!v.is_array() || v.size() > max_size) {
        parent.error = parent.prefix + key + ": must be an array of at most " +
                       std::to_string(max_size) + " objects";
        return;
    }
    for (std::size_t i = 0; i < v.size() && parent.error.empty(); ++i) {
        std::string name = parent.prefix + key + "[" + std::to_string(i) + "]";
        if (!v[i].is_object()) {
            parent.error = name + ": must be an object";
            return;
        }
        JsonReader child{v[i], name + ".", parent.error, {}};
        bind(child, i);
        child.CheckNoUnknownKeys();
    }
}

} // namespace hanamori::cli
