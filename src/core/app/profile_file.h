#pragma once
// Profile (INI) files with the semantics sellers' files were written under: section and
// key names compared without regard to ASCII case, blanks around names and values
// trimmed, one pair of matching quotes around a value removed, the first matching
// section and key win. Writes keep every other line of the file and are atomic.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

class ProfileFile {
public:
    // Loads `path`; a missing or unreadable file loads as empty. Returns whether the
    // file was read.
    bool Load(const std::string& path);
    // Parses text already in memory (CR LF or LF lines).
    void Parse(std::string_view text);

    // The value of the first matching key, trimmed and unquoted; nullopt when the
    // section or key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // The value cut to capacity - 1 bytes, or `fallback` when missing.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view fallback, std::size_t capacity) const;
    // The integer reading: `fallback` for a missing key or empty value; otherwise an
    // optional sign and the digits as far as they go (0x, 0o, 0b prefixes, lower case
    // only), wrapping to 32 bits; no digits gives 0.
    std::int32_t GetInt(std::string_view section, std::string_view key,
                        std::int32_t fallback) const;

    // Replaces the value in place, or adds the key at the end of its section, or the
    // section at the end of the file. The value loses its outer blanks.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, std::int32_t value);

    // The whole file as CR LF lines.
    std::string Text() const;
    // Writes the file atomically; false when it cannot be written.
    bool Save(const std::string& path) const;

private:
    std::vector<std::string> m_lines;
};

// One-shot forms of the above, each reading (and writing) the file.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view fallback,
                              std::size_t capacity);
std::int32_t ReadProfileInt(const std::string& path, std::string_view section,
                            std::string_view key, std::int32_t fallback);
bool WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value);
// Writes an integer as decimal text.
bool WriteIniInt(const std::string& path, std::string_view section, std::string_view key,
                 std::int32_t value);

// Integer reading of a profile value (see GetInt), for a value that is present.
std::int32_t ParseProfileInt(std::string_view value);

} // namespace hanamori
