#pragma once
// The shipping cost lists of a guidance mail: the fixed-price methods ticked on the
// listing, and the parcel carriers' lists written by the shipping engine.

#include <string>

namespace hanamori {

struct AuctionRecord;
struct CustomerRecord;
struct MailContext;

// "▼発送方法(送料固定)" and one line per ticked fixed-price method whose cost is 0 or
// more. Empty when no fixed-price method is ticked and no named other method is.
std::string FixedCostList(const AuctionRecord& auction);

// The same with the payment total per line (cost + price x count + other charge).
// Empty without a bidder or when the bidder's price or count is not above 0.
std::string FixedCostTotalList(const AuctionRecord& auction, const CustomerRecord* bidder);

// The lists of the ticked parcel carriers, plain text, from the mail block's seller
// prefecture; with totals only for a selected bidder. Empty when no carrier is ticked.
std::string VariableCostList(const MailContext& ctx, bool with_totals);

} // namespace hanamori
