#pragma once
// The records of one listing: the product, the winning bidders and the mail block.
// Texts are CP932 bytes. A fixed field's capacity counts the terminator, so it holds at
// most capacity - 1 bytes; fields without a capacity are unbounded.

#include <cstdint>
#include <string>
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

struct AuctionRecord {
    std::string page_url; // 512
    std::int32_t listed = 0;
    std::string listed_date; // 128
    std::int32_t ended = 0;
    std::string ended_date; // 128
    std::int32_t completed = 0;
    std::string completed_date; // 128
    std::string memo;
    std::string design_type;  // 128
    std::string design_color; // 128
    std::string display_name; // 512
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
    std::string origin_pref; // 128
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
    std::string other_ship_name; // 256
    std::int32_t other_ship_cost = -1;
    std::int32_t use_yupack = 0;
    std::int32_t use_yahoo_yupack = 0;
    std::int32_t use_yamato = 0;
    std::int32_t use_sagawa = 0;
    std::int32_t use_pelican = 0;
    std::string shipping_notes;

    // The defaults of a new listing, taken from the listing settings and the current
    // seller profile of `settings`.
    void Reset(const UserSettings& settings);
};

struct CustomerRecord {
    std::string name;     // 128
    std::string nickname; // 128
    std::string mail;     // 256
    std::int32_t price = 0;
    std::int32_t count = 1;
    std::string ship_method;
    std::int32_t ship_cost = 0;
    std::int32_t other_charge = 0;
    std::string zip;  // 128
    std::string pref; // 128
    std::string address;
    std::string phone; // 128
    std::int32_t mail_comment = 0;
    std::string comment;
    std::int32_t notice_sent = 0;
    std::string notice_sent_date; // 128
    std::int32_t method_told = 0;
    std::string method_told_date; // 128
    std::int32_t paid = 0;
    std::string paid_date; // 128
    std::int32_t shipped = 0;
    std::string shipped_date; // 128
    std::int32_t closed = 0;
    std::string closed_date; // 128

    void Reset() { *this = CustomerRecord(); }
    // price x count + ship_cost + other_charge, without overflow.
    std::int64_t Total() const;
};

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
    // Removes the record at `index`; -1 without change for an index outside the list,
    // otherwise the new count. `current` moves to the last record when it fell off.
    std::int32_t Remove(std::int32_t index);
    void Clear();
    // Makes `target` a copy of this list, with `current` 0.
    void CopyTo(CustomerList& target) const;

private:
    std::vector<CustomerRecord> m_records;
};

struct MailRecord {
    std::int32_t bank1 = 0, bank2 = 0, bank3 = 0, bank4 = 0, bank5 = 0, bank6 = 0;
    std::int32_t postal1 = 0, postal2 = 0, postal3 = 0;
    std::int32_t use_other_payment = 0;
    std::string other_payment_text;
    std::string seller_name;     // 128
    std::string seller_nickname; // 128
    std::string seller_mail;     // 256
    std::string seller_zip;      // 128
    std::string seller_pref;     // 128
    std::string seller_address;
    std::string seller_phone; // 128

    // The defaults from the payment settings and the current seller profile.
    void Reset(const UserSettings& settings);
};

struct SaleMaster {
    std::string manage_no;    // 128, 12 in use
    std::string product_name; // 260
    AuctionRecord auction;
    CustomerList customers;
    CustomerList customers_edit;
    MailRecord mail;

    // A new listing: management number from the current local time, no name, the
    // defaults of `settings`.
    void Reset(const UserSettings& settings);
};

// A fresh management number "%y%m%d%H%M%S": the current time, or the next second
// that no listing file in Datas/ and no number handed out before in this run uses.
std::string NewManageNo();

} // namespace hanamori
