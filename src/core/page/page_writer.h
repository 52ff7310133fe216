#pragma once
// Small pieces shared by the page builders: checked writes and the section rules.

#include "core/listing/records.h"

#include <ostream>
#include <string_view>

namespace hanamori {

// Writes `bytes` whole; false when the stream took fewer (or had failed before).
bool Put(std::ostream& out, std::string_view bytes);
// Formats like printf and writes the result whole.
bool PutF(std::ostream& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Which sections a listing's page has; the same rules in every design.
struct PageSections {
    bool title = false;
    bool description = false;
    bool quantity = false;
    bool notes = false;
    bool other = false;
    bool shipping = false;
    bool payment = false;
};
PageSections SectionsOf(const AuctionRecord& a);

// Whether any of the five parcel carriers is ticked.
bool AnyCarrierTicked(const AuctionRecord& a);

// The note after a 冊子小包 entry: "(着払可+20円)" when cash on delivery is offered.
const std::string& BookletNote(std::int32_t chk_sassi_cod);

} // namespace hanamori
