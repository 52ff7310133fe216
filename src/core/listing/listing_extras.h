#pragma once
// The extras section of a listing file: values the older layout has no place for,
// after the mail section. After its tag come a 32-bit count and that many values, each
// a key text and a value text (a length and the bytes, as the file's other texts):
//   unit_cost                 what one item cost, decimal yen
//   service                   the id of one offered service (repeated, in order)
//   bidder.N.shipping_paid    what sending it cost, decimal yen (N: the bidder's
//                             position in the file, from 0)
//   bidder.N.tracking_no      the parcel's tracking number
// The section is written only when one of its values is set, so a listing without
// them is the older layout byte for byte, and a reader of that layout stops after the
// mail section without meeting it. Keys this version does not know are kept as read.

#include "core/listing/listing_file.h"
#include "core/listing/records.h"

#include <cstdint>
#include <ostream>

namespace hanamori {

inline constexpr const char kExtrasTag[] = "@Extras                        @";
static_assert(sizeof(kExtrasTag) == kTagLength + 1);

// True when the listing holds a value that only the extras section can store.
bool HasExtras(const SaleMaster& listing);

// Sets every value of the section to "not entered" in the listing and its stored
// bidders, as for a file without the section.
void ClearExtras(SaleMaster& listing);

// Writes the section (tag included); false on a failed write.
bool WriteExtrasSection(std::ostream& out, const SaleMaster& listing);

// Reads the section from its tag into the listing, whose stored bidders were read
// before it (`bidder_count`: how many the file holds, kept or not). A value that does
// not read as its key says, or one of a bidder the file does not hold, fails the read
// as any other damage does.
bool ReadExtrasSection(ListingReader& in, SaleMaster& listing, std::int32_t bidder_count);

} // namespace hanamori
