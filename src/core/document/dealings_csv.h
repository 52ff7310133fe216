#pragma once
// The dealings as CSV for bookkeeping: UTF-8 with a byte order mark (so spreadsheet
// programs read the Japanese text), CR LF line ends, a header line, then one line per
// row with every amount and the five stage dates.

#include "core/document/dealings.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// One CSV field: quoted (quotes doubled) when it holds a comma, a quote or a line
// break. A text that a spreadsheet would take for a formula (leading =, +, -, @, tab
// or CR) gets a leading apostrophe first, so a bidder's name is never run as one.
std::string CsvTextField(std::string_view utf8);

// Writes the header and the rows `shown` (indexes into `rows`, in that order). A stage
// that is not ticked gives an empty date, whatever text its date field keeps. False
// when a write fails.
bool WriteDealingsCsv(const std::vector<DealingRow>& rows, const std::vector<std::size_t>& shown,
                      std::ostream& out);

// The same into `path`, saved atomically: on failure an existing file stays whole.
bool SaveDealingsCsv(const std::vector<DealingRow>& rows, const std::vector<std::size_t>& shown,
                     const std::string& path);

} // namespace hanamori
