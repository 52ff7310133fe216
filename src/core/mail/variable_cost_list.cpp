// The parcel carriers' cost lists of a guidance mail, written by the shipping engine.

#include "core/listing/records.h"
#include "core/mail/cost_lists.h"
#include "core/mail/placeholders.h"
#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"

#include <algorithm>

namespace hanamori {

namespace {

struct Carrier {
    std::int32_t ticked;
    ShippingMethod method;
};

} // namespace

std::string VariableCostList(const MailContext& ctx, bool with_totals) {
    const AuctionRecord& a = ctx.listing.auction;
    const MailRecord& m = ctx.listing.mail;
    const Carrier carriers[] = {
        {a.use_yupack, ShippingMethod::YuPack},   {a.use_yahoo_yupack, ShippingMethod::YahooYuPack},
        {a.use_yamato, ShippingMethod::Yamato},   {a.use_sagawa, ShippingMethod::Sagawa},
        {a.use_pelican, ShippingMethod::Pelican},
    };
    bool any = std::any_of(std::begin(carriers), std::end(carriers),
                           [](const Carrier& c) { return c.ticked != 0; });
    const CustomerRecord* bidder = SelectedBidder(ctx.listing);
    if (!any || (with_totals && bidder == nullptr)) {
        return {};
    }
    std::string out = "▼発送方法(以下は発送先によって送料が異なります)\r\n\r\n"_sj;
    if (with_totals && (bidder->price < 0 || bidder->count < 1)) {
        return out;
    }

    ShippingEngine& engine = ctx.engine;
    engine.SetParcel(std::max(a.length_cm, 0), std::max(a.width_cm, 0), std::max(a.height_cm, 0),
                     std::max(a.weight_g, 0));
    if (with_totals) {
        engine.SetTotalBasis(bidder->price, bidder->count, bidder->other_charge);
    } else {
        engine.SetTotalBasis(0, 0, 0);
    }
    // The mail goes out from where the seller is now, so the mail tab's prefecture is
    // the origin, not the listing's. Both variants name the seller, so the lists find
    // the seller's profile whichever is built first.
    engine.SetOrigin(m.seller_pref);
    engine.SetSellerId(m.seller_nickname);

    // Offering Yahoo!ゆうパック usually replaces plain ゆうパック; the option hides the
    // plain list then.
    bool skip_yupack = a.use_yahoo_yupack != 0 && ctx.settings.send_opt.chk_yuupack_opt != 0;
    const char* separator = with_totals ? "\r\n\r\n\r\n" : "\r\n\r\n";
    bool handled = false;
    for (const Carrier& c : carriers) {
        if (c.ticked == 0 || (skip_yupack && c.method == ShippingMethod::YuPack)) {
            continue;
        }
        if (handled) {
            out += separator;
        }
        handled = true;
        engine.List(c.method, kListPlain, with_totals);
        out += engine.ListText(c.method);
    }
    return out;
}

} // namespace hanamori
