#pragma once
// The records of one listing: the product, the winning bidders and the mail block.
// Texts are CP932 bytes. A fixed field's capacity counts the terminator, so it holds at
// most capacity - 1 bytes; fields without a capacity are unbounded.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace hanamori {

struct UserSettings;

// Capacities of the fixed text fields, in bytes including the terminator.
inline constexpr std::size_t kManageNoCapacity = 128;
inline constexpr std::size_t kProductNameCapacity = 260;
inline constexpr std::size_t kUrlCapacity = 512;
inline constexpr std::size_t kDateCapacity = 128;
inline constexpr std::size_t kDesignNameCapacity = 128;
inline constexpr std::size_t kDisplayNameCapacity = 512;
inline constexpr std::size_t kPrefCapacity = 128;
inline constexpr std::size_t kOtherShipNameCapacity = 256;
inline constexpr std::size_t kPersonTextCapacity = 128; // names, zip, phone
inline constexpr std::size_t kMailAddressCapacity = 256;
inline constexpr std::size_t kManageNoLength = 12;
inline constexpr std::size_t kTrackingNoCapacity = 128;
inline constexpr std::size_t kServiceIdCapacity = 64;

// Values of the listing file's extras section that this version does not know, each
// with its key, kept as read so that a save does not drop what a later version wrote.
using OtherExtras = std::vector<std::pair<std::string, std::string>>;

struct AuctionRecord {
    std::string page_url;
    std::int32_t listed = 0;
    std::string listed_date;
    std::int32_t ended = 0;
    std::string ended_date;
    std::int32_t completed = 0;
    std::string completed_date;
    std::string memo;
    std::string design_type;
    std::string design_color;
    std::string display_name;
    std::int32_t use_description = 1;
    std::string description;
    std::int32_t use_notes = 1;
    std::string notes;
    std::int32_t use_other = 0;
    std::string other;
    std::int32_t use_quantity = 0;
    std::int32_t quantity = -1;
    std::int32_t weight_g = -1;
    std::int32_t length_cm = -1;
    std::int32_t width_cm = -1;
    std::int32_t height_cm = -1;
    std::int32_t use_bank = 0;
    std::string bank_text;
    std::int32_t use_postal = 0;
    std::string postal_text;
    std::int32_t use_other_payment = 0;
    std::string other_payment_text;
    std::string origin_pref;
    std::int32_t use_teikei = 0;
    std::int32_t teikei_cost = -1;
    std::int32_t use_teikeigai = 0;
    std::int32_t teikeigai_cost = -1;
    std::int32_t use_booklet = 0;
    std::int32_t booklet_cost = -1;
    std::int32_t use_expack = 0;
    std::int32_t expack_cost = -1;
    std::int32_t use_kuroneko_mail = 0;
    std::int32_t kuroneko_mail_cost = -1;
    std::int32_t use_hikyaku_mail = 0;
    std::int32_t hikyaku_mail_cost = -1;
    std::int32_t use_other_ship = 0;
    std::string other_ship_name;
    std::int32_t other_ship_cost = -1;
    std::int32_t use_yupack = 0;
    std::int32_t use_yahoo_yupack = 0;
    std::int32_t use_yamato = 0;
    std::int32_t use_sagawa = 0;
    std::int32_t use_pelican = 0;
    std::string shipping_notes;

    // Kept in the extras section of the listing file (listing_extras.h), not in the
    // field list: what one item cost the seller (yen, -1 not entered), and the ids of
    // today's services offered on the page, in order.
    std::int32_t unit_cost = -1;
    std::vector<std::string> services;
    OtherExtras other_extras;

    // The defaults of a new listing, taken from the listing settings and the current
    // seller profile of `settings`.
    void Reset(const UserSettings& settings);
    bool operator==(const AuctionRecord&) const = default;
    // Every field, in the order of the listing file (see core/app/record_fields.h).
    template <class F> static void Fields(F&& f);
};

template <class F> void AuctionRecord::Fields(F&& f) {
    using R = AuctionRecord;
    f.Text("page_url", &R::page_url, kUrlCapacity);
    f.Flag("listed", &R::listed);
    f.Text("listed_date", &R::listed_date, kDateCapacity);
    f.Flag("ended", &R::ended);
    f.Text("ended_date", &R::ended_date, kDateCapacity);
    f.Flag("completed", &R::completed);
    f.Text("completed_date", &R::completed_date, kDateCapacity);
    f.Text("memo", &R::memo);
    f.Text("design_type", &R::design_type, kDesignNameCapacity);
    f.Text("design_color", &R::design_color, kDesignNameCapacity);
    f.Text("display_name", &R::display_name, kDisplayNameCapacity);
    f.Flag("use_description", &R::use_description);
    f.Text("description", &R::description);
    f.Flag("use_notes", &R::use_notes);
    f.Text("notes", &R::notes);
    f.Flag("use_other", &R::use_other);
    f.Text("other", &R::other);
    f.Flag("use_quantity", &R::use_quantity);
    f.Int("quantity", &R::quantity);
    f.Int("weight_g", &R::weight_g);
    f.Int("length_cm", &R::length_cm);
    f.Int("width_cm", &R::width_cm);
    f.Int("height_cm", &R::height_cm);
    f.Flag("use_bank", &R::use_bank);
    f.Text("bank_text", &R::bank_text);
    f.Flag("use_postal", &R::use_postal);
    f.Text("postal_text", &R::postal_text);
    f.Flag("use_other_payment", &R::use_other_payment);
    f.Text("other_payment_text", &R::other_payment_text);
    f.Text("origin_pref", &R::origin_pref, kPrefCapacity);
    f.Flag("use_teikei", &R::use_teikei);
    f.Int("teikei_cost", &R::teikei_cost);
    f.Flag("use_teikeigai", &R::use_teikeigai);
    f.Int("teikeigai_cost", &R::teikeigai_cost);
    f.Flag("use_booklet", &R::use_booklet);
    f.Int("booklet_cost", &R::booklet_cost);
    f.Flag("use_expack", &R::use_expack);
    f.Int("expack_cost", &R::expack_cost);
    f.Flag("use_kuroneko_mail", &R::use_kuroneko_mail);
    f.Int("kuroneko_mail_cost", &R::kuroneko_mail_cost);
    f.Flag("use_hikyaku_mail", &R::use_hikyaku_mail);
    f.Int("hikyaku_mail_cost", &R::hikyaku_mail_cost);
    f.Flag("use_other_ship", &R::use_other_ship);
    f.Text("other_ship_name", &R::other_ship_name, kOtherShipNameCapacity);
    f.Int("other_ship_cost", &R::other_ship_cost);
    f.Flag("use_yupack", &R::use_yupack);
    f.Flag("use_yahoo_yupack", &R::use_yahoo_yupack);
    f.Flag("use_yamato", &R::use_yamato);
    f.Flag("use_sagawa", &R::use_sagawa);
    f.Flag("use_pelican", &R::use_pelican);
    f.Text("shipping_notes", &R::shipping_notes);
}

struct CustomerRecord {
    std::string name;
    std::string nickname;
    std::string mail;
    std::int32_t price = 0;
    std::int32_t count = 1;
    std::string ship_method;
    std::int32_t ship_cost = 0;
    std::int32_t other_charge = 0;
    std::string zip;
    std::string pref;
    std::string address;
    std::string phone;
    std::int32_t mail_comment = 0;
    std::string comment;
    std::int32_t notice_sent = 0;
    std::string notice_sent_date;
    std::int32_t method_told = 0;
    std::string method_told_date;
    std::int32_t paid = 0;
    std::string paid_date;
    std::int32_t shipped = 0;
    std::string shipped_date;
    std::int32_t closed = 0;
    std::string closed_date;

    // Kept in the extras section (listing_extras.h): what sending it cost the seller
    // (yen, -1 not entered) and the parcel's tracking number.
    std::int32_t shipping_paid = -1;
    std::string tracking_no;
    OtherExtras other_extras;

    void Reset() { *this = CustomerRecord(); }
    // price x count + ship_cost + other_charge, without overflow.
    std::int64_t Total() const;
    bool operator==(const CustomerRecord&) const = default;
    // Every field, in the order of the listing file (see core/app/record_fields.h).
    template <class F> static void Fields(F&& f);
};

template <class F> void CustomerRecord::Fields(F&& f) {
    using R = CustomerRecord;
    f.Text("name", &R::name, kPersonTextCapacity);
    f.Text("nickname", &R::nickname, kPersonTextCapacity);
    f.Text("mail", &R::mail, kMailAddressCapacity);
    f.Int("price", &R::price);
    f.Int("count", &R::count);
    f.Text("ship_method", &R::ship_method);
    f.Int("ship_cost", &R::ship_cost);
    f.Int("other_charge", &R::other_charge);
    f.Text("zip", &R::zip, kPersonTextCapacity);
    f.Text("pref", &R::pref, kPrefCapacity);
    f.Text("address", &R::address);
    f.Text("phone", &R::phone, kPersonTextCapacity);
    f.Flag("mail_comment", &R::mail_comment);
    f.Text("comment", &R::comment);
    f.Flag("notice_sent", &R::notice_sent);
    f.Text("notice_sent_date", &R::notice_sent_date, kDateCapacity);
    f.Flag("method_told", &R::method_told);
    f.Text("method_told_date", &R::method_told_date, kDateCapacity);
    f.Flag("paid", &R::paid);
    f.Text("paid_date", &R::paid_date, kDateCapacity);
    f.Flag("shipped", &R::shipped);
    f.Text("shipped_date", &R::shipped_date, kDateCapacity);
    f.Flag("closed", &R::closed);
    f.Text("closed_date", &R::closed_date, kDateCapacity);
}

// The winning bidders in the order they were added, with the selected one.
class CustomerList {
public:
    std::int32_t count() const { return static_cast<std::int32_t>(m_records.size()); }
    std::int32_t current = 0;

    CustomerRecord& operator[](std::size_t i) { return m_records[i]; }
    const CustomerRecord& operator[](std::size_t i) const { return m_records[i]; }
    const std::vector<CustomerRecord>& records() const { return m_records; }

    // The selected bidder, or nullptr when `current` is outside 0..count-1.
    const CustomerRecord* Current() const;
    CustomerRecord* Current();

    void Append(const CustomerRecord& record) { m_records.push_back(record); }
    // A new default record at the end, to be filled in place.
    CustomerRecord& AppendNew() { return m_records.emplace_back(); }
    // Keeps the first `count` records as they are, adding default ones up to it, and
    // selects the first: a reader that overwrites every field reuses their memory.
    void Resize(std::size_t count) {
        m_records.resize(count);
        current = 0;
    }
    // Removes the record at `index`; -1 without change for an index outside the list,
    // otherwise the new count. `current` moves to the last record when it fell off.
    std::int32_t Remove(std::int32_t index);
    void Clear();
    // Makes `target` a copy of this list, with `current` 0.
    void CopyTo(CustomerList& target) const;
    bool operator==(const CustomerList&) const = default;

private:
    std::vector<CustomerRecord> m_records;
};

struct MailRecord {
    std::int32_t bank1 = 0, bank2 = 0, bank3 = 0, bank4 = 0, bank5 = 0, bank6 = 0;
    std::int32_t postal1 = 0, postal2 = 0, postal3 = 0;
    std::int32_t use_other_payment = 0;
    std::string other_payment_text;
    std::string seller_name;
    std::string seller_nickname;
    std::string seller_mail;
    std::string seller_zip;
    std::string seller_pref;
    std::string seller_address;
    std::string seller_phone;

    // The defaults from the payment settings and the current seller profile.
    void Reset(const UserSettings& settings);
    bool operator==(const MailRecord&) const = default;
    // Every field, in the order of the listing file (see core/app/record_fields.h).
    template <class F> static void Fields(F&& f);
};

template <class F> void MailRecord::Fields(F&& f) {
    using R = MailRecord;
    f.Flag("bank1", &R::bank1);
    f.Flag("bank2", &R::bank2);
    f.Flag("bank3", &R::bank3);
    f.Flag("bank4", &R::bank4);
    f.Flag("bank5", &R::bank5);
    f.Flag("bank6", &R::bank6);
    f.Flag("postal1", &R::postal1);
    f.Flag("postal2", &R::postal2);
    f.Flag("postal3", &R::postal3);
    f.Flag("use_other_payment", &R::use_other_payment);
    f.Text("other_payment_text", &R::other_payment_text);
    f.Text("seller_name", &R::seller_name, kPersonTextCapacity);
    f.Text("seller_nickname", &R::seller_nickname, kPersonTextCapacity);
    f.Text("seller_mail", &R::seller_mail, kMailAddressCapacity);
    f.Text("seller_zip", &R::seller_zip, kPersonTextCapacity);
    f.Text("seller_pref", &R::seller_pref, kPersonTextCapacity);
    f.Text("seller_address", &R::seller_address);
    f.Text("seller_phone", &R::seller_phone, kPersonTextCapacity);
}

struct SaleMaster {
    std::string manage_no;
    std::string product_name;
    AuctionRecord auction;
    CustomerList customers;
    CustomerList customers_edit;
    MailRecord mail;

    // A new listing: management number from the current local time, no name, the
    // defaults of `settings`.
    void Reset(const UserSettings& settings);
    bool operator==(const SaleMaster&) const = default;
};

// A fresh management number "%y%m%d%H%M%S": the current time, or the next second
// that no listing file in Datas/ and no number handed out before in this run uses.
std::string NewManageNo();

} // namespace hanamori
