#pragma once
// The cells of a service file's line and the values they hold.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// One line's cells: commas separate them; a cell in double quotes may hold commas and
// doubled quotes, as spreadsheets write them. Cells are trimmed of spaces, and empty
// cells at the end are dropped.
std::vector<std::string> SplitCells(std::string_view line);

// A whole number of 0 or more (yen, grams), at most eight digits; nullopt otherwise.
std::optional<std::int32_t> WholeNumber(std::string_view text);

// Centimetres with at most one decimal ("23.5"), as millimetres; nullopt otherwise.
std::optional<std::int32_t> Centimetres(std::string_view text);

// Whether the text is a date written YYYY-MM-DD.
bool IsDate(std::string_view text);

} // namespace hanamori
