// The shipping and payment cells of the three table designs.

#include "core/page/table_cells.h"
#include "core/page/page_writer.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"

#include <algorithm>

namespace hanamori {
namespace {

const char* Separator(bool written, const char* separator) {
    return written ? separator : "";
}

} // namespace

bool WriteShippingCell(std::ostream& out, const PageSources& src) {
    const AuctionRecord& a = src.listing.auction;
    const ShippingOptions& opt = src.settings.send_opt;
    constexpr const char* kSep = "<br><br>";
    bool written = false;

    // Mail-type methods, each only with a cost. Note where "</b>" stands for 定形郵便.
    struct MailMethod {
        std::int32_t use;
        std::int32_t cost;
        const std::string& format;
    };
    const MailMethod mail_methods[] = {
        {a.use_teikei, a.teikei_cost, "%s<b>・定形郵便(%d円)</b>"_sj},
        {a.use_teikeigai, a.teikeigai_cost, "%s<b>・定形外郵便</b>(%d円)"_sj},
    };
    for (const MailMethod& m : mail_methods) {
        if (m.use == 1 && m.cost >= 0) {
            if (!PutF(out, m.format.c_str(), Separator(written, kSep), m.cost)) {
                return false;
            }
            written = true;
        }
    }
    if (a.use_booklet == 1 && a.booklet_cost >= 0) {
        if (!PutF(out, "%s<b>・冊子小包</b>(%d円)%s"_sj.c_str(), Separator(written, kSep),
                  a.booklet_cost, BookletNote(opt.chk_sassi_cod).c_str())) {
            return false;
        }
        written = true;
    }
    const MailMethod later_methods[] = {
        {a.use_expack, a.expack_cost, "%s<b>・EXPACK500</b>(%d円)"_sj},
        {a.use_kuroneko_mail, a.kuroneko_mail_cost, "%s<b>・クロネコメール便</b>(%d円)"_sj},
        {a.use_hikyaku_mail, a.hikyaku_mail_cost, "%s<b>・飛脚メール便</b>(%d円)"_sj},
    };
    for (const MailMethod& m : later_methods) {
        if (m.use == 1 && m.cost >= 0) {
            if (!PutF(out, m.format.c_str(), Separator(written, kSep), m.cost)) {
                return false;
            }
            written = true;
        }
    }
    if (a.use_other_ship == 1 && a.other_ship_cost >= 0 && !a.other_ship_name.empty()) {
        if (!PutF(out, "%s<b>・その他</b>(%s %d円)"_sj.c_str(), Separator(written, kSep),
                  a.other_ship_name.c_str(), a.other_ship_cost)) {
            return false;
        }
        written = true;
    }

    // Parcel carriers: the request is set up even when none is ticked.
    src.shipping.SetTotalBasis(0, 0, 0);
    src.shipping.SetParcel(std::max(a.length_cm, 0), std::max(a.width_cm, 0),
                           std::max(a.height_cm, 0), std::max(a.weight_g, 0));
    src.shipping.SetOrigin(a.origin_pref);
    const bool yupack = a.use_yupack == 1 && !(a.use_yahoo_yupack == 1 && opt.chk_yuupack_opt != 0);
    const std::pair<bool, ShippingMethod> carriers[] = {
        {yupack, ShippingMethod::YuPack},
        {a.use_yahoo_yupack == 1, ShippingMethod::YahooYuPack},
        {a.use_yamato == 1, ShippingMethod::Yamato},
        {a.use_sagawa == 1, ShippingMethod::Sagawa},
        {a.use_pelican == 1, ShippingMethod::Pelican},
    };
    for (const auto& [ticked, carrier] : carriers) {
        if (!ticked) {
            continue;
        }
        const std::string& list = src.shipping.CostList(carrier);
        if (list.empty()) {
            continue;
        }
        if (!Put(out, Separator(written, kSep)) || !Put(out, list)) {
            return false;
        }
        written = true;
    }

    if (!a.shipping_notes.empty()) {
        if (!Put(out, Separator(written, kSep)) || !WriteTextBlock(out, a.shipping_notes)) {
            return false;
        }
    }
    return true;
}

bool WritePaymentCell(std::ostream& out, const PageSources& src) {
    const AuctionRecord& a = src.listing.auction;
    struct Payment {
        std::int32_t use;
        const std::string& text;
        const std::string& format;
    };
    const Payment payments[] = {
        {a.use_bank, a.bank_text, "%s<b>・銀行振込</b><br>"_sj},
        {a.use_postal, a.postal_text, "%s<b>・郵便振替</b><br>"_sj},
        {a.use_other_payment, a.other_payment_text, "%s<b>・その他の支払い方法</b><br>"_sj},
    };
    bool written = false;
    for (const Payment& p : payments) {
        if (p.use != 1 || p.text.empty()) {
            continue;
        }
        if (!PutF(out, p.format.c_str(), Separator(written, "<br>")) ||
            !WriteTextBlock(out, p.text)) {
            return false;
        }
        written = true;
    }
    return true;
}

} // namespace hanamori
