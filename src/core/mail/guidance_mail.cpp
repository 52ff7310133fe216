#include "core/mail/guidance_mail.h"

#include "core/listing/records.h"
#include "core/mail/mail_writer.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <cinttypes>

namespace hanamori {

bool BuildGuidanceMail(const MailTemplateList& templates,
                       const std::optional<std::string>& template_name, const MailContext& ctx,
                       const std::string& install_dir) {
    if (!template_name) {
        return false;
    }
    return WriteMailBody(templates, *template_name, MailBodyPath(install_dir), ctx) &&
           WriteMailTitle(templates, *template_name, MailTitlePath(install_dir), ctx);
}

std::string MissingMailNamesWarning(const SaleMaster& listing) {
    const CustomerRecord* bidder = SelectedBidder(listing);
    std::string missing;
    auto name = [&](bool empty, const std::string& what) {
        if (empty) {
            missing += (missing.empty() ? "" : "、"_sj) + what;
        }
    };
    name(listing.mail.seller_name.empty(), "出品者名"_sj);
    name(listing.product_name.empty(), "商品名"_sj);
    name(!bidder || bidder->name.empty(), "落札者名"_sj);
    if (missing.empty()) {
        return missing;
    }
    return missing + "が空欄のままメールを作成しました。\n"
                     "メールのその部分は空欄になっています。送る前に確かめてください。"_sj;
}

BidderView ViewOfBidder(const CustomerRecord* c) {
    BidderView v;
    if (!c) {
        return v;
    }
    v.name = c->name;
    v.nickname = c->nickname;
    v.mail = c->mail;
    v.price = StrPrintf("%d", c->price);
    v.count = StrPrintf("%d", c->count);
    v.ship_method = c->ship_method;
    v.ship_cost = StrPrintf("%d", c->ship_cost);
    v.other_charge = StrPrintf("%d", c->other_charge);
    v.total = StrPrintf("%" PRId64, c->Total());
    v.zip = c->zip;
    v.pref = c->pref;
    v.address = c->address;
    v.phone = c->phone;
    v.comment = c->comment;
    v.mail_comment = c->mail_comment != 0;
    return v;
}

void CopySellerProfile(const SellerProfile& p, MailRecord& m) {
    m.seller_zip = FitField(p.post, kPersonTextCapacity);
    m.seller_nickname = FitField(p.nickname, kPersonTextCapacity);
    m.seller_name = FitField(p.name, kPersonTextCapacity);
    m.seller_mail = FitField(p.mail, kMailAddressCapacity);
    m.seller_pref = FitField(p.address1, kPersonTextCapacity);
    m.seller_address = p.address;
    m.seller_phone = FitField(p.phone, kPersonTextCapacity);
}

} // namespace hanamori
