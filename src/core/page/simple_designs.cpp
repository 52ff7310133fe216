// The two simple designs without layout tables: 簡易表示（カラー対応）, framed with
// box-drawing characters in one colour, and 簡易表示(カラー非対応), plain text.

#include "core/page/page_builders.h"
#include "core/page/page_writer.h"
#include "core/page/simple_color.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <functional>

namespace hanamori {
namespace {

// Mail-type methods by name, with the cost when there is one; each ends in "　".
bool WriteSimpleMailMethods(std::ostream& out, const PageSources& src) {
    const AuctionRecord& a = src.listing.auction;
    const std::string& note = BookletNote(src.settings.send_opt.chk_sassi_cod);
    struct Method {
        std::int32_t use;
        std::int32_t cost;
        const std::string& with_cost;
        const std::string& without_cost;
    };
    const Method before[] = {
        {a.use_teikei, a.teikei_cost, "・定形郵便(%d円)　"_sj, "・定形郵便　"_sj},
        {a.use_teikeigai, a.teikeigai_cost, "・定形外郵便(%d円)　"_sj, "・定形外郵便　"_sj},
    };
    const Method after[] = {
        {a.use_expack, a.expack_cost, "・EXPACK500(%d円)　"_sj, "・EXPACK500　"_sj},
        {a.use_kuroneko_mail, a.kuroneko_mail_cost, "・クロネコメール便(%d円)　"_sj,
         "・クロネコメール便　"_sj},
        {a.use_hikyaku_mail, a.hikyaku_mail_cost, "・飛脚メール便(%d円)　"_sj,
         "・飛脚メール便　"_sj},
    };
    auto write = [&](const Method& m) {
        if (m.use != 1) {
            return true;
        }
        return m.cost >= 0 ? PutF(out, m.with_cost.c_str(), m.cost) : Put(out, m.without_cost);
    };
    for (const Method& m : before) {
        if (!write(m)) {
            return false;
        }
    }
    if (a.use_booklet == 1) {
        bool ok = a.booklet_cost >= 0
                      ? PutF(out, "・冊子小包(%d円)%s　"_sj.c_str(), a.booklet_cost, note.c_str())
                      : PutF(out, "・冊子小包%s　"_sj.c_str(), note.c_str());
        if (!ok) {
            return false;
        }
    }
    for (const Method& m : after) {
        if (!write(m)) {
            return false;
        }
    }
    if (a.use_other_ship == 1 && !a.other_ship_name.empty()) {
        bool ok = a.other_ship_cost >= 0
                      ? PutF(out, "・その他(%s %d円)　"_sj.c_str(), a.other_ship_name.c_str(),
                             a.other_ship_cost)
                      : PutF(out, "・その他(%s)　"_sj.c_str(), a.other_ship_name.c_str());
        if (!ok) {
            return false;
        }
    }
    return true;
}

// The shipping content: mail-type methods, carrier names, shipping notes.
bool WriteSimpleShipping(std::ostream& out, const PageSources& src) {
    const AuctionRecord& a = src.listing.auction;
    if (!WriteSimpleMailMethods(out, src) || !Put(out, "<br>")) {
        return false;
    }
    if (a.use_yupack == 1 || a.use_yahoo_yupack == 1) {
        if (!Put(out, a.use_yahoo_yupack == 1 ? "・ゆうパック(Yahoo!ゆうパック可)　"_sj
                                              : "・ゆうパック　"_sj)) {
            return false;
        }
    }
    if ((a.use_yamato == 1 && !Put(out, "・ヤマト宅急便　"_sj)) ||
        (a.use_sagawa == 1 && !Put(out, "・佐川急便　"_sj)) ||
        (a.use_pelican == 1 && !Put(out, "・ペリカン便　"_sj))) {
        return false;
    }
    if (AnyCarrierTicked(a) && !Put(out, "<br>")) {
        return false;
    }
    return a.shipping_notes.empty() || WriteTextBlock(out, a.shipping_notes);
}

// The payment content: each ticked method with a text, no separator.
bool WriteSimplePayment(std::ostream& out, const PageSources& src) {
    const AuctionRecord& a = src.listing.auction;
    if (a.use_bank == 1 && !a.bank_text.empty() &&
        !(Put(out, "・銀行振込<br>"_sj) && WriteTextBlock(out, a.bank_text))) {
        return false;
    }
    if (a.use_postal == 1 && !a.postal_text.empty() &&
        !(Put(out, "・郵便振替<br>"_sj) && WriteTextBlock(out, a.postal_text))) {
        return false;
    }
    if (a.use_other_payment == 1 && !a.other_payment_text.empty() &&
        !(Put(out, "・その他の支払い方法<br>"_sj) && WriteTextBlock(out, a.other_payment_text))) {
        return false;
    }
    return true;
}

} // namespace

bool BuildSimplePlain(std::ostream& out, const PageSources& src, const ColorSet&) {
    const AuctionRecord& a = src.listing.auction;
    const PageSections s = SectionsOf(a);
    if (s.title && !PutF(out, "%s<br><br>", a.display_name.c_str())) {
        return false;
    }
    if (s.description && !(Put(out, "■商品の説明<br>"_sj) && WriteTextBlock(out, a.description) &&
                           Put(out, "<br>"))) {
        return false;
    }
    if (s.quantity && !(Put(out, "■出品個数<br>"_sj) &&
                        PutF(out, "%d 個<br>"_sj.c_str(), a.quantity) && Put(out, "<br>"))) {
        return false;
    }
    if (s.notes &&
        !(Put(out, "■注意事項<br>"_sj) && WriteTextBlock(out, a.notes) && Put(out, "<br>"))) {
        return false;
    }
    if (s.other &&
        !(Put(out, "■その他<br>"_sj) && WriteTextBlock(out, a.other) && Put(out, "<br>"))) {
        return false;
    }
    if (s.shipping && !(Put(out, "■発送方法<br>"_sj) && WriteSimpleShipping(out, src) &&
                        (a.shipping_notes.empty() || Put(out, "<br>")) && Put(out, "<br>"))) {
        return false;
    }
    if (s.payment &&
        !(Put(out, "■支払い方法<br>"_sj) && WriteSimplePayment(out, src) && Put(out, "<br>"))) {
        return false;
    }
    return true;
}

bool BuildSimpleColor(std::ostream& out, const PageSources& src, const ColorSet& colors) {
    const AuctionRecord& a = src.listing.auction;
    const PageSections s = SectionsOf(a);
    const SimpleColor color = SplitSimpleColor(colors.color2);
    const char* r = color.red.c_str();
    const char* g = color.green.c_str();
    const char* b = color.blue.c_str();

    if (s.title &&
        !(PutF(out, "<font color=\"#%s%s%s\">┏━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━</font><br>"_sj.c_str(),
               r, g, b) &&
          PutF(out, "<font color=\"#%s%s%s\">┃</font><b>%s</b><br>"_sj.c_str(), r, g, b,
               a.display_name.c_str()) &&
          PutF(out,
               "<font color=\"#%s%s%s\">┗━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━</font><br><br>"_sj.c_str(),
               r, g, b))) {
        return false;
    }

    auto section = [&](const std::string& heading, const std::function<bool()>& content) {
        return PutF(out,
                    "<font color=\"#%s%s%s\">┃</font><b>%s</b><br><font "
                    "color=\"#%s%s%s\">┗</font>"_sj.c_str(),
                    r, g, b, heading.c_str(), r, g, b) &&
               Put(out, FadingRule(color)) && Put(out, "<br>") &&
               Put(out, "<table border=\"0\"><tr><td width=\"3%\"></td><td>") && content() &&
               Put(out, "</td></tr></table>") && Put(out, "<br>");
    };
    if (s.description &&
        !section("商品説明"_sj, [&] { return WriteTextBlock(out, a.description); })) {
        return false;
    }
    if (s.quantity &&
        !section("出品個数"_sj, [&] { return PutF(out, "%d 個<br>"_sj.c_str(), a.quantity); })) {
        return false;
    }
    if (s.notes && !section("注意事項"_sj, [&] { return WriteTextBlock(out, a.notes); })) {
        return false;
    }
    if (s.other && !section("その他"_sj, [&] { return WriteTextBlock(out, a.other); })) {
        return false;
    }
    if (s.shipping && !section("発送方法"_sj, [&] { return WriteSimpleShipping(out, src); })) {
        return false;
    }
    if (s.payment && !section("支払方法"_sj, [&] { return WriteSimplePayment(out, src); })) {
        return false;
    }
    return true;
}

} // namespace hanamori
