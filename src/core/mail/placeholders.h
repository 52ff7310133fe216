#pragma once
// The placeholders of the guidance mails ("<<@name>>") and the value each stands for.

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace hanamori {

struct SaleMaster;
struct UserSettings;
struct CustomerRecord;
class ShippingEngine;

// The placeholders in table order; the number chooses the value rule.
enum class Placeholder : int {
    ProductName = 0,
    ProductSize,
    PaymentBankText,
    PaymentPostalText,
    PaymentOtherText,
    BidderName,
    BidderNickname,
    BidderMail,
    BidderPrice,
    BidderCount,
    BidderShipMethod,
    BidderShipCost,
    BidderOtherCharge,
    GoodsAmount,
    TotalAmount,
    BidderZip,
    BidderPref,
    BidderAddress,
    BidderPhone,
    BidderComment,
    PaymentDestinations,
    SellerName,
    SellerSurname,
    SellerNickname,
    SellerMail,
    SellerZip,
    SellerPref,
    SellerAddress,
    SellerPhone,
    FixedCostList,
    FixedCostTotalList,
    VariableCostList,
    VariableCostTotalList,
};
inline constexpr int kPlaceholderCount = 33;

// Where the values come from: the open listing (its working bidder list and mail
// block), the seller's settings (payment accounts, shipping options, profiles) and the
// shipping engine that writes the variable cost lists.
struct MailContext {
    const SaleMaster& listing;
    const UserSettings& settings;
    ShippingEngine& engine;
};

// The 33 names ("<<@商品名>>" ...) as CP932 bytes, in table order.
const std::array<std::string, kPlaceholderCount>& PlaceholderNames();
// The table number of a placeholder name (compared byte for byte), or -1.
int PlaceholderIndex(std::string_view name);

// The value of one placeholder; empty when its data is missing or not chosen.
std::string PlaceholderValue(Placeholder which, const MailContext& ctx);

// Writes the value of the placeholder called `name` to `out`. False for an unknown name
// or a failed write; a value that is empty because data is missing is a success.
bool WritePlaceholderValue(std::string_view name, std::ostream& out, const MailContext& ctx);

// The selected bidder of the working list, or nullptr.
const CustomerRecord* SelectedBidder(const SaleMaster& listing);

// "1000g" up to 1000 g, above it kilograms with one decimal ("1.5kg").
std::string WeightText(std::int32_t weight_g);
// The name up to its first half-width space; the whole name when it has none.
std::string SurnameOf(std::string_view name);

} // namespace hanamori
