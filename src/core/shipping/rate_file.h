#pragma once
// The rate files in CostData: CR LF text in CP932, sections between "@start_NAME" and
// "@end_NAME" lines, rows of comma-terminated fields, "//" comment lines.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// The rate files of one rate directory, each read from disk at most once for as long as
// the object lives (the engine shares one over a whole LoadAll).
class RateFiles {
public:
    explicit RateFiles(std::string directory);
    // The whole file, unchanged; nullptr when it cannot be opened or read in full.
    const std::string* Contents(const std::string& file_name);

private:
    std::string m_dir;
    std::map<std::string, std::string> m_files;
    std::map<std::string, bool> m_failed;
};

// One data row of a section, its fields trimmed of ASCII spaces.
struct RateRow {
    std::vector<std::string_view> fields;
    // Field `i` as a decimal integer: optional sign, digits up to the first other
    // character; no digits reads as 0.
    std::int32_t Int(std::size_t i) const;
};

// Called for row `index` (0, 1, ...); returns false to fail the read (a wrong row
// number or name, or a value its table cannot take).
using RowReader = std::function<bool(int index, const RateRow& row)>;

// Reads section `name` of `text` (found from the start of the text): `row_count` rows of
// at least `field_count` comma-terminated fields each, then the "@end_" line. False when
// the section or its end is missing, a row is short or has a field over 127 bytes, or
// `reader` refuses a row.
bool ReadSection(std::string_view text, std::string_view name, int row_count, int field_count,
                 const RowReader& reader);

// Decimal reading as above, for a single field.
std::int32_t RateInt(std::string_view field);

} // namespace hanamori
