#include "core/listing/manage_no.h"

#include "core/app/helpers.h"
#include "core/listing/listing_dir.h"
#include "core/listing/listing_file.h"

#include <algorithm>
#include <set>

namespace hanamori {
namespace {

// How far a claim walks before it gives up: a day of seconds, far more listings than
// a directory ever holds.
constexpr int kMaxClaimSteps = 86400;

// Numbers handed out in this run, so two unsaved listings never share one either.
std::set<std::string>& IssuedNumbers() {
    static std::set<std::string> issued;
    return issued;
}

std::string ListingFileIn(const std::string& datas_dir, const std::string& number) {
    return JoinDatasPath(datas_dir, number + ".rks");
}

} // namespace

std::string ManageNoAt(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::size_t n = std::strftime(buf, sizeof buf, "%y%m%d%H%M%S", &local);
    return std::string(buf, n);
}

std::optional<std::time_t> ManageNoTime(std::string_view number) {
    if (number.size() != kManageNoLength ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    auto field = [&](int i) { return (number[2 * i] - '0') * 10 + (number[2 * i + 1] - '0'); };
    std::tm tm{};
    tm.tm_year = 100 + field(0);
    tm.tm_mon = field(1) - 1;
    tm.tm_mday = field(2);
    tm.tm_hour = field(3);
    tm.tm_min = field(4);
    tm.tm_sec = field(5);
    tm.tm_isdst = -1;
    // mktime would move such a month or day into another, which the check below refuses.
    if (tm.tm_mon < 0 || tm.tm_mon > 11 || tm.tm_mday < 1 || tm.tm_mday > 31) {
        return std::nullopt;
    }
    // mktime looks at the time zone file again on every call (a system call per listing
    // in the file list); localtime_r does not. The time is guessed from the offset at
    // that moment and kept when it reads back as the same local time; else mktime
    // decides, as it always did.
    std::tm utc = tm;
    const std::time_t guess = timegm(&utc);
    std::tm local{};
    if (guess != static_cast<std::time_t>(-1) && localtime_r(&guess, &local)) {
        const std::time_t t = guess - local.tm_gmtoff;
        if (localtime_r(&t, &local) && local.tm_year == tm.tm_year && local.tm_mon == tm.tm_mon &&
            local.tm_mday == tm.tm_mday && local.tm_hour == tm.tm_hour &&
            local.tm_min == tm.tm_min && local.tm_sec == tm.tm_sec) {
            return t;
        }
    }
    std::tm check = tm;
    std::time_t t = std::mktime(&check);
    if (t == static_cast<std::time_t>(-1) || check.tm_mon != tm.tm_mon ||
        check.tm_mday != tm.tm_mday) {
        return std::nullopt;
    }
    return t;
}

std::string NewManageNo() {
    const std::string datas = InstallDir() + "Datas";
    for (std::time_t t = std::time(nullptr);; ++t) {
        std::string number = ManageNoAt(t);
        if (IssuedNumbers().count(number) == 0 && !FileExists(ListingFileIn(datas, number))) {
            IssuedNumbers().insert(number);
            return number;
        }
    }
}

bool SaveNewListing(SaleMaster& listing, const std::string& datas_dir) {
    const std::string first = listing.manage_no;
    std::string number = first;
    std::optional<std::time_t> t = ManageNoTime(first);
    if (!t) {
        t = std::time(nullptr);
        number = ManageNoAt(*t);
    }
    for (int step = 0; step < kMaxClaimSteps; ++step, number = ManageNoAt(++*t)) {
        // `first` may be a number this process handed out for this very listing.
        const std::string path = ListingFileIn(datas_dir, number);
        if ((number != first && IssuedNumbers().count(number) != 0) || FileExists(path)) {
            continue;
        }
        listing.manage_no = number; // the file holds its own number
        switch (WriteNewListing(listing, path)) {
        case ClaimResult::Claimed:
            IssuedNumbers().insert(number);
            return true;
        case ClaimResult::Failed:
            listing.manage_no = first;
            return false;
        case ClaimResult::Taken:
            break;
        }
    }
    listing.manage_no = first;
    return false;
}

} // namespace hanamori
