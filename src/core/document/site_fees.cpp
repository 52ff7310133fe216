#include "core/document/site_fees.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <cstdio>

namespace hanamori {
namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads 1 to `most` digits at `pos`.
bool Digits(std::string_view text, std::size_t& pos, std::size_t most, int& out) {
    const std::size_t start = pos;
    out = 0;
    while (pos < text.size() && pos - start < most && IsDigit(text[pos])) {
        out = out * 10 + (text[pos++] - '0');
    }
    return pos > start;
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// "8.8" as 880: digits, an optional point and at most two decimals, 0 to 100 %.
std::optional<std::int32_t> ReadRate(std::string_view text) {
    std::int64_t whole = 0;
    std::size_t pos = 0;
    while (pos < text.size() && IsDigit(text[pos]) && pos < 4) {
        whole = whole * 10 + (text[pos++] - '0');
    }
    if (pos == 0) {
        return std::nullopt;
    }
    std::int64_t hundredths = whole * 100;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        int scale = 10;
        const std::size_t first = pos;
        while (pos < text.size() && IsDigit(text[pos]) && pos - first < 2) {
            hundredths += (text[pos++] - '0') * scale;
            scale /= 10;
        }
    }
    if (pos != text.size() || hundredths > 10000) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(hundredths);
}

std::optional<FeeApplies> ReadApplies(std::string_view text) {
    if (text == "all") {
        return FeeApplies::All;
    }
    if (text == "members") {
        return FeeApplies::Members;
    }
    if (text == "others") {
        return FeeApplies::Others;
    }
    return std::nullopt;
}

std::vector<std::string_view> SplitCommas(std::string_view line) {
    std::vector<std::string_view> cells;
    for (;;) {
        const std::size_t comma = line.find(',');
        cells.push_back(Trim(line.substr(0, comma)));
        if (comma == std::string_view::npos) {
            return cells;
        }
        line.remove_prefix(comma + 1);
    }
}

bool Before(const CivilDate& a, const CivilDate& b) {
    return DayNumber(a) < DayNumber(b);
}

} // namespace

std::optional<CivilDate> ParseBooksDate(std::string_view text) {
    text = Trim(text);
    std::size_t pos = 0;
    CivilDate date;
    auto separator = [&] { return pos < text.size() && (text[pos] == '/' || text[pos] == '-'); };
    if (!Digits(text, pos, 4, date.year) || pos != 4 || !separator()) {
        return std::nullopt;
    }
    ++pos;
    if (!Digits(text, pos, 2, date.month) || !separator()) {
        return std::nullopt;
    }
    ++pos;
    if (!Digits(text, pos, 2, date.day) || pos != text.size()) {
        return std::nullopt;
    }
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) {
        return std::nullopt;
    }
    const int days = date.month == 2 && IsLeap(date.year) ? 29 : kDays[date.month - 1];
    if (date.day > days) {
        return std::nullopt;
    }
    return date;
}

std::string IsoDateText(const CivilDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string SiteFeesPath(const std::string& install_dir) {
    return install_dir + "ServiceData/fees/site_fees.csv";
}

std::int32_t SiteFees::RateOn(const CivilDate& date, bool member) const {
    const FeePeriod* in_force = nullptr;
    const FeePeriod* earliest = nullptr;
    for (const FeePeriod& period : m_periods) {
        if (period.applies != FeeApplies::All &&
            (period.applies == FeeApplies::Members) != member) {
            continue;
        }
        if (!earliest || Before(period.start, earliest->start)) {
            earliest = &period;
        }
        // On the same start date a later line overrides an earlier one.
        if (!Before(date, period.start) && (!in_force || !Before(period.start, in_force->start))) {
            in_force = &period;
        }
    }
    const FeePeriod* chosen = in_force ? in_force : earliest;
    return chosen ? chosen->rate : 0;
}

std::int64_t SiteFee(std::int64_t price, std::int32_t rate) {
    const __int128 scaled = static_cast<__int128>(price) * rate;
    __int128 fee = scaled / 10000;
    if (scaled % 10000 != 0 && scaled < 0) {
        --fee; // down, also for a negative amount
    }
    return static_cast<std::int64_t>(fee);
}

SiteFeesLoad ReadSiteFees(std::string_view text, const std::string& file_name) {
    SiteFeesLoad load;
    load.read = true;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::vector<FeePeriod> periods;
    int line_number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++line_number;
        if (line.empty() || line.front() == '#' || line.substr(0, 5) == "start") {
            continue;
        }
        const std::vector<std::string_view> cells = SplitCommas(line);
        std::optional<CivilDate> start =
            cells.size() == 3 ? ParseBooksDate(cells[0]) : std::nullopt;
        std::optional<std::int32_t> rate = start ? ReadRate(cells[1]) : std::nullopt;
        std::optional<FeeApplies> applies = rate ? ReadApplies(cells[2]) : std::nullopt;
        if (!applies) {
            load.problems.push_back(
                file_name + " " + std::to_string(line_number) +
                "行目: 「開始日,料率(%),対象(members, others, all)」として読めません。"_sj);
            continue;
        }
        periods.push_back({*start, *rate, *applies});
    }
    load.fees = SiteFees(std::move(periods));
    return load;
}

SiteFeesLoad LoadSiteFees(const std::string& path) {
    std::string bytes;
    if (!ReadFilePrefix(path, std::size_t{1} << 20, bytes)) {
        SiteFeesLoad load;
        load.problems.push_back(path + ": "_sj +
                                "手数料の表を読み込めません。手数料は0円として計算します。"_sj);
        return load;
    }
    return ReadSiteFees(bytes, path);
}

std::string RatePercentText(std::int32_t rate) {
    std::string text = std::to_string(rate / 100);
    if (const int rest = rate % 100; rest != 0) {
        text += '.';
        text += static_cast<char>('0' + rest / 10);
        if (rest % 10 != 0) {
            text += static_cast<char>('0' + rest % 10);
        }
    }
    return text;
}

} // namespace hanamori
