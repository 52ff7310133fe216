#include "cli/listing_json.h"

#include "cli/json_fields.h"

#include "core/text/cp932.h"

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

template <class Io, class A> void BindAuction(Io& io, A& a) {
    io.Text("page_url", a.page_url, kUrlCapacity);
    io.Flag("listed", a.listed);
    io.Text("listed_date", a.listed_date, kDateCapacity);
    io.Flag("ended", a.ended);
    io.Text("ended_date", a.ended_date, kDateCapacity);
    io.Flag("completed", a.completed);
    io.Text("completed_date", a.completed_date, kDateCapacity);
    io.Text("memo", a.memo);
    io.Text("design_type", a.design_type, kDesignNameCapacity);
    io.Text("design_color", a.design_color, kDesignNameCapacity);
    io.Text("display_name", a.display_name, kDisplayNameCapacity);
    io.Flag("use_description", a.use_description);
    io.Text("description", a.description);
    io.Flag("use_notes", a.use_notes);
    io.Text("notes", a.notes);
    io.Flag("use_other", a.use_other);
    io.Text("other", a.other);
    io.Flag("use_quantity", a.use_quantity);
    io.Int("quantity", a.quantity);
    io.Int("weight_g", a.weight_g);
    io.Int("length_cm", a.length_cm);
    io.Int("width_cm", a.width_cm);
    io.Int("height_cm", a.height_cm);
    io.Flag("use_bank", a.use_bank);
    io.Text("bank_text", a.bank_text);
    io.Flag("use_postal", a.use_postal);
    io.Text("postal_text", a.postal_text);
    io.Flag("use_other_payment", a.use_other_payment);
    io.Text("other_payment_text", a.other_payment_text);
    io.Text("origin_pref", a.origin_pref, kPrefCapacity);
    io.Flag("use_teikei", a.use_teikei);
    io.Int("teikei_cost", a.teikei_cost);
    io.Flag("use_teikeigai", a.use_teikeigai);
    io.Int("teikeigai_cost", a.teikeigai_cost);
    io.Flag("use_booklet", a.use_booklet);
    io.Int("booklet_cost", a.booklet_cost);
    io.Flag("use_expack", a.use_expack);
    io.Int("expack_cost", a.expack_cost);
    io.Flag("use_kuroneko_mail", a.use_kuroneko_mail);
    io.Int("kuroneko_mail_cost", a.kuroneko_mail_cost);
    io.Flag("use_hikyaku_mail", a.use_hikyaku_mail);
    io.Int("hikyaku_mail_cost", a.hikyaku_mail_cost);
    io.Flag("use_other_ship", a.use_other_ship);
    io.Text("other_ship_name", a.other_ship_name, kOtherShipNameCapacity);
    io.Int("other_ship_cost", a.other_ship_cost);
    io.Flag("use_yupack", a.use_yupack);
    io.Flag("use_yahoo_yupack", a.use_yahoo_yupack);
    io.Flag("use_yamato", a.use_yamato);
    io.Flag("use_sagawa", a.use_sagawa);
    io.Flag("use_pelican", a.use_pelican);
    io.Text("shipping_notes", a.shipping_notes);
}

template <class Io, class C> void BindCustomer(Io& io, C& c) {
    io.Text("name", c.name, kPersonTextCapacity);
    io.Text("nickname", c.nickname, kPersonTextCapacity);
    io.Text("mail", c.mail, kMailAddressCapacity);
    io.Int("price", c.price);
    io.Int("count", c.count);
    io.Text("ship_method", c.ship_method);
    io.Int("ship_cost", c.ship_cost);
    io.Int("other_charge", c.other_charge);
    io.Text("zip", c.zip, kPersonTextCapacity);
    io.Text("pref", c.pref, kPrefCapacity);
    io.Text("address", c.address);
    io.Text("phone", c.phone, kPersonTextCapacity);
    io.Flag("mail_comment", c.mail_comment);
    io.Text("comment", c.comment);
    io.Flag("notice_sent", c.notice_sent);
    io.Text("notice_sent_date", c.notice_sent_date, kDateCapacity);
    io.Flag("method_told", c.method_told);
    io.Text("method_told_date", c.method_told_date, kDateCapacity);
    io.Flag("paid", c.paid);
    io.Text("paid_date", c.paid_date, kDateCapacity);
    io.Flag("shipped", c.shipped);
    io.Text("shipped_date", c.shipped_date, kDateCapacity);
    io.Flag("closed", c.closed);
    io.Text("closed_date", c.closed_date, kDateCapacity);
}

template <class Io, class M> void BindMail(Io& io, M& m) {
    io.Flag("bank1", m.bank1);
    io.Flag("bank2", m.bank2);
    io.Flag("bank3", m.bank3);
    io.Flag("bank4", m.bank4);
    io.Flag("bank5", m.bank5);
    io.Flag("bank6", m.bank6);
    io.Flag("postal1", m.postal1);
    io.Flag("postal2", m.postal2);
    io.Flag("postal3", m.postal3);
    io.Flag("use_other_payment", m.use_other_payment);
    io.Text("other_payment_text", m.other_payment_text);
    io.Text("seller_name", m.seller_name, kPersonTextCapacity);
    io.Text("seller_nickname", m.seller_nickname, kPersonTextCapacity);
    io.Text("seller_mail", m.seller_mail, kMailAddressCapacity);
    io.Text("seller_zip", m.seller_zip, kPersonTextCapacity);
    io.Text("seller_pref", m.seller_pref, kPersonTextCapacity);
    io.Text("seller_address", m.seller_address);
    io.Text("seller_phone", m.seller_phone, kPersonTextCapacity);
}

} // namespace

nlohmann::ordered_json ListingToJson(const SaleMaster& listing) {
    Json out;
    out["manage_no"] = Cp932ToUtf8(listing.manage_no);
    out["product_name"] = Cp932ToUtf8(listing.product_name);
    Json auction = Json::object();
    JsonWriter aw{auction};
    BindAuction(aw, listing.auction);
    out["auction"] = auction;
    Json customers = Json::array();
    for (const CustomerRecord& c : listing.customers.records()) {
        Json one = Json::object();
        JsonWriter cw{one};
        BindCustomer(cw, c);
        customers.push_back(one);
    }
    out["customers"] = customers;
    Json mail = Json::object();
    JsonWriter mw{mail};
    BindMail(mw, listing.mail);
    out["mail"] = mail;
    return out;
}

bool ListingFromJson(const nlohmann::json& json, SaleMaster& listing, std::string& error) {
    error.clear();
    if (!json.is_object()) {
        error = "the listing must be a JSON object";
        return false;
    }
    JsonReader top{json, "", error};
    top.Text("manage_no", listing.manage_no, kManageNoLength + 1);
    top.Text("product_name", listing.product_name, kProductNameCapacity);
    ReadObject(top, "auction", [&](JsonReader& r) { BindAuction(r, listing.auction); });
    if (top.Has("customers")) {
        const auto& list = json["customers"];
        if (!list.is_array()) {
            error = "customers: must be an array";
        } else {
            listing.customers.Clear();
            for (std::size_t i = 0; i < list.size() && error.empty(); ++i) {
                if (!list[i].is_object()) {
                    error = "customers[" + std::to_string(i) + "]: must be an object";
                    break;
                }
                CustomerRecord record;
                JsonReader r{list[i], "customers[" + std::to_string(i) + "].", error};
                BindCustomer(r, record);
                r.CheckNoUnknownKeys();
                listing.customers.Append(record);
            }
        }
    }
    ReadObject(top, "mail", [&](JsonReader& r) { BindMail(r, listing.mail); });
    top.CheckNoUnknownKeys();
    return error.empty();
}

} // namespace hanamori::cli
