#pragma once
// The decisions of the shipping calculation tool that need no window: what it is opened
// with, how it reads the rate tables, its remarks, what OK accepts, what "送る" sends and
// the cheapest of the methods it priced.

#include "core/listing/records.h"
#include "core/shipping/services/service_catalogue.h"
#include "core/shipping/shipping_engine.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

class Host;
struct ShippingOptions;

// The seller id of the standalone tool: it matches no seller profile, so its lists carry
// no origin note, no ※ line and no city line.
inline constexpr const char* kStandaloneSellerId = "--------";

// What the tool is opened with.
struct ShippingToolRequest {
    std::int32_t weight = -1; // g, a weight-class limit
    std::int32_t side1 = -1;  // cm; negative when not set
    std::int32_t side2 = -1;
    std::int32_t side3 = -1;
    std::string origin;      // prefecture name, CP932
    std::string seller_id;   // the seller's nickname; kStandaloneSellerId standalone
    std::string bidder_name; // bidder mode only, from here on
    std::string bidder_nickname;
    std::string ship_method;
    std::string destination; // prefecture name
    std::int32_t charge = 0; // the bidder's shipping charge
    bool bidder_mode = false;
};

// What the tool hands back after OK in bidder mode: the charge in "送料" and the text of
// "発送方法" (the bidder's own, or the name of a current service sent to the bidder).
struct ShippingToolResult {
    std::int32_t charge = -1;
    std::string ship_method;
};

// The tool from the main window: the listing's parcel and origin.
ShippingToolRequest StandaloneToolRequest(const SaleMaster& listing);
// The tool from the bidder tab: the listing's parcel, origin and seller nickname, and
// the bidder's destination, name, nickname, shipping method and charge.
ShippingToolRequest BidderToolRequest(const SaleMaster& listing, const CustomerRecord& bidder);

// Reads the engine's rate tables as the tool does, in the engine's load order, each
// failure reported with its message. A failure of ゆうパック, Yahoo!ゆうパック or a postal
// kind ends the reading there and returns false (the tool stops preparing); a failure of
// ヤマト宅急便, 佐川急便 or ペリカン便 is reported and the reading goes on. Calculators not
// read price nothing.
bool LoadToolRates(ShippingEngine& engine, const std::string& cost_dir, Host& host);

// The "備考" text: the hand-in options that are switched on (CP932, CR LF).
std::string ToolRemarks(const ShippingOptions& options);

// The charge typed into "送料" when OK is pressed in bidder mode: a non-empty text of
// digits with an optional leading minus gives its value; anything else (or a value a
// 32-bit amount cannot hold) gives -1 with `refused` set.
struct ToolCharge {
    std::int32_t charge = -1;
    bool refused = false;
};
ToolCharge CheckToolCharge(std::string_view text);

// OK of the tool. Standalone it closes, handing nothing back (charge -1). In bidder mode
// it reads `charge_text` with CheckToolCharge, says "正しい送料を入力してください。"
// (exclamation) through `host` when the text is refused, and closes only for a charge
// of 0 or more.
struct ToolOk {
    bool closes = false;
    std::int32_t charge = -1;
};
ToolOk ConfirmToolOk(bool bidder_mode, std::string_view charge_text, Host& host);

// The costs of the tool's last calculation, indexed by ShippingMethod: -1 for a method
// that cannot take the parcel, and for every method before the first calculation.
using ToolCosts = std::array<int, kShippingMethodCount>;
ToolCosts UncalculatedCosts();

// What "送る" of a method puts into "送料": the cost the tool calculated for it, in
// bidder mode and when the method can take the parcel; nothing otherwise (its button is
// then disabled).
std::optional<std::int32_t> CostToSend(bool bidder_mode, const ToolCosts& costs,
                                       ShippingMethod method);

// The current service that "送る" hands to the bidder for the chosen row of `quotes`
// (-1: none chosen): in bidder mode, a quote with a cost of 0 or more; nullptr otherwise
// (the button is then disabled).
const ServiceQuote* QuoteToSend(bool bidder_mode, const std::vector<ServiceQuote>& quotes, int row);

// The methods with the lowest cost of 0 or more among `costs` (indexed by
// ShippingMethod); all of them when several share it; none when no method can take
// the parcel.
std::vector<ShippingMethod> CheapestMethods(const ToolCosts& costs);

} // namespace hanamori
