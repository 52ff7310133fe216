#include "core/shipping/shipping_tool.h"

#include "core/app/helpers.h"
#include "core/app/host.h"
#include "core/listing/bidders.h"
#include "core/settings/user_settings.h"
#include "core/shipping/rate_file.h"
#include "core/text/cp932.h"

namespace hanamori {

ShippingToolRequest StandaloneToolRequest(const SaleMaster& listing) {
    ShippingToolRequest r;
    const AuctionRecord& a = listing.auction;
    r.weight = a.weight_g;
    r.side1 = a.length_cm;
    r.side2 = a.width_cm;
    r.side3 = a.height_cm;
    r.origin = FitField(a.origin_pref, kPrefCapacity);
    r.seller_id = kStandaloneSellerId;
    return r;
}

ShippingToolRequest BidderToolRequest(const SaleMaster& listing, const CustomerRecord& bidder) {
    ShippingToolRequest r = StandaloneToolRequest(listing);
    r.seller_id = FitField(listing.mail.seller_nickname, kPersonTextCapacity);
    r.bidder_name = FitField(bidder.name, kPersonTextCapacity);
    r.bidder_nickname = FitField(bidder.nickname, kPersonTextCapacity);
    r.ship_method = FitField(bidder.ship_method, kDisplayNameCapacity);
    r.destination = FitField(bidder.pref, kPrefCapacity);
    r.charge = bidder.ship_cost;
    r.bidder_mode = true;
    return r;
}

bool LoadToolRates(ShippingEngine& engine, const std::string& cost_dir, Host& host) {
    RateFiles files(cost_dir);
    for (ShippingMethod method : kRateLoadOrder) {
        engine.Calculator(method).SetRateDirectory(cost_dir);
        engine.Calculator(method).SetUnloaded();
    }
    for (ShippingMethod method : kRateLoadOrder) {
        if (engine.Calculator(method).LoadFrom(files)) {
            continue;
        }
        host.ShowMessage(RateLoadMessage(method), MessageIcon::Stop);
        bool parcel_carrier = method == ShippingMethod::Yamato ||
                              method == ShippingMethod::Sagawa || method == ShippingMethod::Pelican;
        if (!parcel_carrier) {
            return false;
        }
    }
    return true;
}

std::string ToolRemarks(const ShippingOptions& o) {
    std::string text = "▼設定されているオプション\r\n\r\n"_sj;
    if (o.chk_yuupack_opt100) {
        text += "・ゆうパック持込(-100円)\r\n"_sj;
    }
    if (o.chk_yamato_opt100) {
        text += "・ヤマト急便持込(-100円)\r\n"_sj;
    }
    if (o.chk_sagawa_opt100) {
        text += "・佐川急便持込(-100円)\r\n"_sj;
    }
    if (o.chk_perikan_opt100) {
        text += "・ペリカン便持込\r\n 又はネットから集荷依頼(-100円)\r\n"_sj;
    }
    return text;
}

ToolCharge CheckToolCharge(std::string_view text) {
    // A lone "-" holds no number: it is refused like any other text.
    bool has_digit = !text.empty() && text != "-";
    std::optional<std::int32_t> value;
    if (has_digit) {
        value = ParseAmountField(text, true);
    }
    if (!value) {
        return {-1, true};
    }
    return {*value, false};
}

ToolOk ConfirmToolOk(bool bidder_mode, std::string_view charge_text, Host& host) {
    if (!bidder_mode) {
        return {true, -1};
    }
    ToolCharge checked = CheckToolCharge(charge_text);
    if (checked.refused) {
        host.ShowMessage("正しい送料を入力してください。"_sj, MessageIcon::Exclamation);
    }
    return {checked.charge >= 0, checked.charge};
}

ToolCosts UncalculatedCosts() {
    ToolCosts costs;
    costs.fill(-1);
    return costs;
}

std::optional<std::int32_t> CostToSend(bool bidder_mode, const ToolCosts& costs,
                                       ShippingMethod method) {
    int cost = costs[static_cast<std::size_t>(method)];
    if (!bidder_mode || cost < 0) {
        return std::nullopt;
    }
    return cost;
}

const ServiceQuote* QuoteToSend(bool bidder_mode, const std::vector<ServiceQuote>& quotes,
                                int row) {
    if (!bidder_mode || row < 0 || static_cast<std::size_t>(row) >= quotes.size()) {
        return nullptr;
    }
    const ServiceQuote& quote = quotes[static_cast<std::size_t>(row)];
    return quote.cost >= 0 ? &quote : nullptr;
}

std::vector<ShippingMethod> CheapestMethods(const ToolCosts& costs) {
    int lowest = -1;
    for (int cost : costs) {
        if (cost >= 0 && (lowest < 0 || cost < lowest)) {
            lowest = cost;
        }
    }
    std::vector<ShippingMethod> cheapest;
    if (lowest < 0) {
        return cheapest;
    }
    for (int i = 0; i < kShippingMethodCount; ++i) {
        if (costs[static_cast<std::size_t>(i)] == lowest) {
            cheapest.push_back(static_cast<ShippingMethod>(i));
        }
    }
    return cheapest;
}

} // namespace hanamori
