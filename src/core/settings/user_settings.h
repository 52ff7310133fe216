#pragma once
// The seller's settings, one program-wide record: the program's own section of
// "hanamo.ini" and everything under "user.ini/" (seller profiles, payment accounts,
// listing defaults, shipping options). Texts are CP932 bytes.

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace hanamori {

struct SellerProfile {
    std::string name;          // 128
    std::string nickname;      // 128
    std::string mail;          // 256
    std::string post;          // 32
    std::string address1;      // 32, a prefecture name
    std::int32_t chk_kenname = 0;
    std::int32_t chk_address2 = 0;
    std::string address2;      // 32, the city
    std::string address;       // 1024, street address side file
    std::string phone;         // 32
    std::int32_t y_auction = 0;
    std::int32_t mybooth_flag = 0;
    std::int32_t mybooth_type = 0;
    std::string banner_text;   // 1024
    std::string bunner_url;    // 1024
};

struct BankAccount {
    std::int32_t check = 0;
    std::string bank_name, sub_name, type, number, user_name; // 128 each
};

struct PostalAccount {
    std::int32_t check = 0;
    std::string type, sign, number, user_name; // 128 each
};

struct OtherPayment {
    std::int32_t check = 0;
    std::string text; // 2048
};

struct ItemInfoDefaults {
    std::int32_t chk_etc = 0;
    std::string text; // pg_etc_info.txt
};

struct PaymentDefaults {
    std::int32_t chk_bank = 1;
    std::int32_t chk_yuubin = 0;
    std::int32_t chk_etc = 0;
    std::string banks_text;  // pg_banks.txt
    std::string yuubin_text; // pg_yuubin.txt
    std::string etc_text;    // pg_etc_payment.txt
};

struct SendMethodDefaults {
    std::int32_t chk_teikei = 0, chk_teikeigai = 0, chk_sassi = 0, chk_expack = 0;
    std::int32_t chk_kuroneko = 0, chk_hikyaku = 0, chk_yuupack = 0, chk_y_yuupack = 0;
    std::int32_t chk_yamato = 0, chk_sagawa = 0, chk_perikan = 0, chk_etc = 0;
    std::string edt_etc; // 128
    std::string text;    // pg_etc_send.txt
};

struct ShippingOptions {
    std::int32_t chk_sassi_cod = 0;
    std::int32_t chk_yuupack_opt100 = 0;
    std::int32_t chk_yuupack_cod = 0;
    std::int32_t chk_yamato_opt100 = 0;
    std::int32_t chk_yamato_cod = 0;
    std::int32_t chk_sagawa_opt100 = 0;
    std::int32_t chk_sagawa_cod = 0;
    std::int32_t chk_perikan_opt100 = 0;
    std::int32_t chk_perikan_cod = 0;
    std::int32_t chk_yuupack_opt = 1;
};

// Days a dealing may await payment before it counts as overdue, unless the seller
// chose otherwise.
inline constexpr std::int32_t kDefaultOverdueDays = 7;

struct HanamoSettings {
    std::string page_type;  // 128
    std::string page_color; // 128
    // Days a dealing may await payment before the dealings window highlights it.
    std::int32_t overdue_days = kDefaultOverdueDays;
};

inline constexpr int kProfileCount = 5;
inline constexpr int kBankCount = 4;
inline constexpr int kPostalCount = 2;

struct UserSettings {
    HanamoSettings hanamo;
    std::array<SellerProfile, kProfileCount> personal;
    std::int32_t def_pers = 0;
    std::array<BankAccount, kBankCount> bank;
    std::array<PostalAccount, kPostalCount> yuubin;
    OtherPayment etc;
    ItemInfoDefaults item_info;
    PaymentDefaults payment;
    SendMethodDefaults send_method;
    ShippingOptions send_opt;

    // Side files (names under user.ini/) that existed but could not be read at load.
    // Their texts in memory are not the seller's, so saving leaves those files alone.
    std::set<std::string> unread_side_files;

    UserSettings();

    // The profile in use (`def_pers`), or profile 0 when the index is out of range.
    const SellerProfile& CurrentProfile() const;
    // First profile whose nickname equals `nickname` ignoring letter case, or -1.
    int ProfileIndexOfNickname(std::string_view nickname) const;
};

// The default banner text of a seller profile.
const std::string& DefaultBannerText();

} // namespace hanamori
