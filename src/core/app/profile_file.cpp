#include "core/app/profile_file.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

namespace hanamori {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The section name of a "[name]" line, or nullopt for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    t.remove_prefix(1);
    auto close = t.find(']');
    if (close != std::string_view::npos) {
        t = t.substr(0, close);
    }
    return Trim(t);
}

// Splits a "key=value" line; nullopt when the line has no '='.
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return std::make_pair(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
}

std::string_view Unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

} // namespace

bool ProfileFile::Load(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        m_lines.clear();
        return false;
    }
    Parse(text);
    return true;
}

void ProfileFile::Parse(std::string_view text) {
    m_lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        auto nl = text.find('\n', start);
        std::string_view line = text.substr(start, nl == std::string_view::npos ? text.npos
                                                                                : nl - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        m_lines.emplace_back(line);
        if (nl == std::string_view::npos) {
            break;
        }
        start = nl + 1;
    }
}

std::optional<std::string> ProfileFile::Value(std::string_view section,
                                              std::string_view key) const {
    bool in_section = false;
    bool seen_section = false;
    for (const std::string& line : m_lines) {
        if (auto name = SectionName(line)) {
            if (in_section) {
                // Only the first matching section counts.
                return std::nullopt;
            }
            in_section = !seen_section && EqualsIgnoreAsciiCase(*name, Trim(section));
            seen_section = seen_section || in_section;
            continue;
        }
        if (!in_section) {
            continue;
        }
        if (auto kv = KeyValue(line); kv && EqualsIgnoreAsciiCase(kv->first, Trim(key))) {
            return std::string(Unquote(kv->second));
        }
    }
    return std::nullopt;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view fallback, std::size_t capacity) const {
    auto v = Value(section, key);
    return FitField(v ? std::string_view(*v) : fallback, capacity);
}

std::int32_t ParseProfileInt(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < s.size() && s[i] == '0') {
        char p = s[i + 1];
        // Only the lower-case prefixes count: "0X10" reads as the 0 before the X.
        if (p == 'x') base = 16;
        else if (p == 'o') base = 8;
        else if (p == 'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        unsigned d;
        if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') d = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') d = static_cast<unsigned>(c - 'A' + 10);
        else break;
        if (d >= base) break;
        value = value * base + d;
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::int32_t ProfileFile::GetInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const {
    auto v = Value(section, key);
    if (!v || v->empty()) {
        return fallback;
    }
    return ParseProfileInt(*v);
}

void ProfileFile::SetString(std::string_view section, std::string_view key,
                            std::string_view value) {
    std::string new_line = std::string(Trim(key)) + "=" + std::string(Trim(value));
    std::size_t section_line = m_lines.size();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (auto name = SectionName(m_lines[i]); name && EqualsIgnoreAsciiCase(*name, Trim(section))) {
            section_line = i;
            break;
        }
    }
    if (section_line == m_lines.size()) {
        m_lines.push_back("[" + std::string(Trim(section)) + "]");
        m_lines.push_back(new_line);
        return;
    }
    std::size_t last_content = section_line;
    for (std::size_t i = section_line + 1; i < m_lines.size(); ++i) {
        if (SectionName(m_lines[i])) {
            break;
        }
        if (auto kv = KeyValue(m_lines[i]); kv && EqualsIgnoreAsciiCase(kv->first, Trim(key))) {
            // Only the value changes; the key keeps the spelling the file gave it.
            m_lines[i] = std::string(kv->first) + "=" + std::string(Trim(value));
            return;
        }
        if (!Trim(m_lines[i]).empty()) {
            last_content = i;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(last_content + 1), new_line);
}

void ProfileFile::SetInt(std::string_view section, std::string_view key, std::int32_t value) {
    SetString(section, key, std::to_string(value));
}

std::string ProfileFile::Text() const {
    std::string out;
    for (const std::string& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool ProfileFile::Save(const std::string& path) const { return SaveBytesAtomically(path, Text()); }

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t capacity) {
    ProfileFile file;
    file.Load(path);
    return file.GetString(section, key, fallback, capacity);
}

std::int32_t ReadProfileInt(const std::string& path, std::string_view section,
                            std::string_view key, std::int32_t fallback) {
    ProfileFile file;
    file.Load(path);
    return file.GetInt(section, key, fallback);
}

bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value) {
    ProfileFile file;
    file.Load(path);
    file.SetString(section, key, value);
    return file.Save(path);
}

bool WriteIniInt(const std::string& path, std::string_view section, std::string_view key,
                 std::int32_t value) {
    return WriteProfileString(path, section, key, std::to_string(value));
}

} // namespace hanamori
