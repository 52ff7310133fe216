#pragma once
// The mail service's bulk label application CSV (クリックポスト まとめ申込): code page 932,
// CR LF, its fixed header row, one row per parcel.

#include <string>
#include <vector>

namespace hanamori {

inline constexpr std::size_t kClickPostMaxRows = 40;

struct ClickPostSale {
    std::string nickname, name, zip, pref, address, contents; // CP932
};

struct ClickPostCsv {
    std::string bytes; // the whole file
    std::string error; // CP932, naming the bidder and the field; empty when built
};

// The file for `sales`. A postcode that is not seven digits, an empty name, a name over
// 40 half-width units, an address that needs a fifth line of 40 units, contents over
// 30 units, or more than 40 sales give an error and no bytes.
ClickPostCsv BuildClickPostCsv(const std::vector<ClickPostSale>& sales);

} // namespace hanamori
