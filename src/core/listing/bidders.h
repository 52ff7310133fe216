#pragma once
// The rules of the bidder side of a listing that need no window: registering a winning
// bidder, reading the amount fields, removing a bidder. The bidder tab's registration
// dialog and `hanamori-cli bidder` both follow them.

#include "core/listing/records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hanamori {

// Bytes the registration reads from its fields, and the page from a bidder field.
inline constexpr std::size_t kRegistrationAmountMax = 63;
inline constexpr std::size_t kRegistrationNicknameMax = 127;
inline constexpr std::size_t kRegistrationMailMax = 255;
inline constexpr std::size_t kBidderFieldMax = 511;

// The amount a registration takes from a typed price, read as the seller means it:
// full-width digits, commas, signs and full stops count as their ASCII forms; commas,
// "¥" "￥" "円" and blanks are dropped; then an optional sign, digits and an optional
// fraction must remain, and the value is the whole part ("1,500円" gives 1500, "12.5"
// gives 12, "１８５００" gives 18500, "" gives 0), held at the nearest 32-bit limit.
// nullopt when anything else remains ("1万8千円", "約300円", "1-2").
std::optional<std::int32_t> CleanAmount(std::string_view text);

// The quantity a registration takes from its field: the decimal value (full-width
// digits count, held at the 32-bit limits); 0 or less, or no digits, become 1.
std::int32_t RegistrationCount(std::string_view text);

// The message that refuses a registration's price text that is no amount (CP932).
const std::string& PriceRefusal();

// Position of the bidder whose nickname equals `nickname` ignoring the case of ASCII
// letters (double-byte characters compare exactly), or -1.
int NicknameIndex(const CustomerList& list, std::string_view nickname);

// Why a nickname cannot be registered (the dialog's warning, CP932): empty, or already
// registered; nullopt when it can.
std::optional<std::string> RegistrationRefusal(const CustomerList& list, std::string_view nickname);

// A bidder as the registration dialog hands it over.
struct NewBidder {
    std::string nickname; // at most 127 bytes
    std::string mail;     // at most 255 bytes
    std::int32_t price = 0;
    std::int32_t count = 1;
};

// Takes the registration fields as typed (CP932) into a NewBidder: texts cut to what the
// dialog reads, amount cleaned (a price that is no amount gives 0: callers refuse it
// first, see CleanAmount), quantity at least 1.
NewBidder ReadRegistration(std::string_view nickname, std::string_view mail, std::string_view price,
                           std::string_view count);

// Appends a fresh record for `bidder` (every other field empty, no stage ticked) and
// makes it the current bidder; returns its index.
int RegisterBidder(CustomerList& list, const NewBidder& bidder);

// Removes the current bidder; the one after it moves up, and when it was the last one
// the new last becomes current (-1 when the list is now empty). False, without change,
// when no bidder is selected.
bool RemoveCurrentBidder(CustomerList& list);

// The value of one of the page's amount fields: digits only ("送料", "落札数",
// "落札金額"), or with one leading minus sign when `signed_allowed` ("その他の料金").
// An empty text (or a lone minus) counts as 0. nullopt for any other text, and for a
// number that a 32-bit amount cannot hold.
std::optional<std::int32_t> ParseAmountField(std::string_view text, bool signed_allowed);

// The total shown for a bidder, "%lld" of CustomerRecord::Total().
std::string TotalText(const CustomerRecord& record);

// The range within which the up-down buttons step a quantity (the product's 出品個数, a
// bidder's 落札数, the registration's 落札数).
inline constexpr int kCountMin = 1;
inline constexpr int kCountMax = 1000;

// The quantity after one step of `delta` from `current`, held within the count range.
int StepCount(int current, int delta);

// The date a stage shows after its box was clicked: ticking a stage whose date is empty
// dates it `today`; a date already there stays, and so does any date on unticking.
std::string StageDateAfterClick(bool ticked, std::string_view date, std::string_view today);

} // namespace hanamori
