#pragma once
// The auction site's fee on a sale (落札システム利用料) as dated periods read from a data
// file the seller can edit: from a start date on, a rate in percent for the members of
// the site's paid membership, for the others, or for all sellers.

#include "core/document/dealings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// A date as the books read it: year, month and day in digits separated by "/" or "-"
// (2026/12/09, 2026-12-9), a real calendar date, blanks around it allowed; else nullopt.
std::optional<CivilDate> ParseBooksDate(std::string_view text);
// "YYYY-MM-DD".
std::string IsoDateText(const CivilDate& date);

// Whom a fee period applies to.
enum class FeeApplies { All, Members, Others };

struct FeePeriod {
    CivilDate start;
    std::int32_t rate = 0; // hundredths of a percent: 880 is 8.8 %
    FeeApplies applies = FeeApplies::All;
};

// The fee file's place in the installation: "<install_dir>ServiceData/fees/site_fees.csv".
// It lies in a folder of its own, so that the service catalogue never reads it as a
// service.
std::string SiteFeesPath(const std::string& install_dir);

class SiteFees {
public:
    SiteFees() = default;
    explicit SiteFees(std::vector<FeePeriod> periods) : m_periods(std::move(periods)) {}

    // The rate in force on `date` for a seller who is (or is not) a paid member: of the
    // periods that apply to them, the one started last on or before the date. A date
    // before every period takes the earliest one; 0 when no period applies at all.
    std::int32_t RateOn(const CivilDate& date, bool member) const;
    bool empty() const { return m_periods.empty(); }
    const std::vector<FeePeriod>& periods() const { return m_periods; }

private:
    std::vector<FeePeriod> m_periods;
};

// The fee on `price` at `rate` (hundredths of a percent), rounded down to whole yen.
// Exact for every 64-bit price.
std::int64_t SiteFee(std::int64_t price, std::int32_t rate);

struct SiteFeesLoad {
    SiteFees fees;
    bool read = false; // the file could be read at all
    // One message per line left out (CP932), each naming the file and the line.
    std::vector<std::string> problems;
};

// Reads the fee periods from CSV text (CP932 or UTF-8 with a byte order mark), one
// per line: start date (YYYY-MM-DD or YYYY/MM/DD), rate in percent (up to two decimals,
// 0 to 100), and members, others or all. Blank lines, lines starting with # and a
// header line starting with "start" are skipped; a line that does not read is left out
// and named in `problems` with `file_name`.
SiteFeesLoad ReadSiteFees(std::string_view text, const std::string& file_name);
// The same from the file at `path`; a file that cannot be read gives `read` false and
// one problem naming it.
SiteFeesLoad LoadSiteFees(const std::string& path);

// The rate as a seller reads it: "8.8", "10".
std::string RatePercentText(std::int32_t rate);

} // namespace hanamori
