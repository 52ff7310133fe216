#include "core/shipping/rate_file.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace hanamori {
namespace {

constexpr std::size_t kMaxFieldBytes = 127;

// Walks the CR LF lines of a text; text after the last CR LF is not a line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line) {
        std::size_t end = m_text.find("\r\n", m_pos);
        if (end == std::string_view::npos) {
            return false;
        }
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 2;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsMarker(std::string_view line, std::string_view marker, std::string_view name) {
    return line.size() == marker.size() + name.size() && StartsWith(line, marker) &&
           line.substr(marker.size()) == name;
}

// Splits the first `count` comma-terminated fields of `line`; false when a comma is
// missing or a field is too long for the reader's field buffer.
bool SplitRow(std::string_view line, int count, RateRow& row) {
    row.fields.clear();
    std::size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos || comma - pos > kMaxFieldBytes) {
            return false;
        }
        std::string_view field = line.substr(pos, comma - pos);
        std::size_t begin = field.find_first_not_of(' ');
        field = begin == std::string_view::npos
                    ? std::string_view()
                    : field.substr(begin, field.find_last_not_of(' ') - begin + 1);
        row.fields.push_back(field);
        pos = comma + 1;
    }
    return true;
}

} // namespace

RateFiles::RateFiles(std::string directory) : m_dir(std::move(directory)) {}

const std::string* RateFiles::Contents(const std::string& file_name) {
    if (auto it = m_files.find(file_name); it != m_files.end()) {
        return &it->second;
    }
    if (m_failed.count(file_name) != 0) {
        return nullptr;
    }
    std::string path = m_dir + "/" + file_name;
    // Only a plain file: a directory opens for reading but reports no usable size.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        m_failed[file_name] = true;
        return nullptr;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    std::string data;
    bool ok = file != nullptr && std::fseek(file.get(), 0, SEEK_END) == 0;
    long size = ok ? std::ftell(file.get()) : -1;
    ok = ok && size >= 0 && std::fseek(file.get(), 0, SEEK_SET) == 0;
    if (ok) {
        data.resize(static_cast<std::size_t>(size));
        ok = std::fread(data.data(), 1, data.size(), file.get()) == data.size();
    }
    if (!ok) {
        m_failed[file_name] = true;
        return nullptr;
    }
    return &(m_files[file_name] = std::move(data));
}

std::int32_t RateInt(std::string_view field) {
    std::size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    // Wraps like a 32-bit accumulator instead of overflowing.
    std::uint32_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(field[i] - '0');
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

std::int32_t RateRow::Int(std::size_t i) const {
    return i < fields.size() ? RateInt(fields[i]) : 0;
}

bool ReadSection(std::string_view text, std::string_view name, int row_count, int field_count,
                 const RowReader& reader) {
    // The reader works on a NUL-terminated copy of the file: a NUL byte ends the text.
    text = text.substr(0, text.find('\0'));
    LineCursor lines(text);
    std::string_view line;
    bool found = false;
    while (!found && lines.Next(line)) {
        found = IsMarker(line, "@start_", name);
    }
    if (!found) {
        return false;
    }
    RateRow row;
    row.fields.reserve(static_cast<std::size_t>(field_count));
    for (int index = 0; index < row_count;) {
        if (!lines.Next(line)) {
            return false;
        }
        if (StartsWith(line, "//")) {
            continue;
        }
        if (!SplitRow(line, field_count, row) || !reader(index, row)) {
            return false;
        }
        ++index;
    }
    while (lines.Next(line)) {
        if (IsMarker(line, "@end_", name)) {
            return true;
        }
    }
    return false;
}

} // namespace hanamori
