#pragma once
// The seller's settings, one program-wide record: the program's own section of
// "hanamo.ini" and everything under "user.ini/" (seller profiles, payment accounts,
// listing defaults, shipping options). Texts are CP932 bytes. Each group lists its
// fields once in Fields() (see core/app/record_fields.h); the settings files and the
// CLI's JSON walk those lists.

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace hanamori {

struct SellerProfile {
    std::string name;
    std::string nickname;
    std::string mail;
    std::string post;
    std::string address1; // a prefecture name
    std::int32_t chk_kenname = 0;
    std::int32_t chk_address2 = 0;
    std::string address2; // the city
    std::string address;
    std::string phone;
    std::int32_t y_auction = 0;
    std::int32_t mybooth_flag = 0;
    std::int32_t mybooth_type = 0;
    std::string banner_text;
    std::string bunner_url;

    bool operator==(const SellerProfile&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = SellerProfile;
        f.Line("name", &R::name, 128);
        f.Line("nickname", &R::nickname, 128);
        f.Line("mail", &R::mail, 256);
        f.Line("post", &R::post, 32);
        f.Line("address1", &R::address1, 32);
        f.Int("chk_kenname", &R::chk_kenname);
        f.Int("chk_address2", &R::chk_address2);
        f.Line("address2", &R::address2, 32);
        f.SideText("address", &R::address, "pers_address.txt", 1024);
        f.Line("phone", &R::phone, 32);
        f.Int("y_auction", &R::y_auction);
        f.Int("mybooth_flag", &R::mybooth_flag);
        f.Int("mybooth_type", &R::mybooth_type);
        f.Line("banner_text", &R::banner_text, 1024);
        f.Line("bunner_url", &R::bunner_url, 1024);
    }
};

struct BankAccount {
    std::int32_t check = 0;
    std::string bank_name, sub_name, type, number, user_name;

    bool operator==(const BankAccount&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = BankAccount;
        f.Int("check", &R::check);
        f.Line("bank_name", &R::bank_name, 128);
        f.Line("sub_name", &R::sub_name, 128);
        f.Line("type", &R::type, 128);
        f.Line("number", &R::number, 128);
        f.Line("user_name", &R::user_name, 128);
    }
};

struct PostalAccount {
    std::int32_t check = 0;
    std::string type, sign, number, user_name;

    bool operator==(const PostalAccount&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = PostalAccount;
        f.Int("check", &R::check);
        f.Line("type", &R::type, 128);
        f.Line("sign", &R::sign, 128);
        f.Line("number", &R::number, 128);
        f.Line("user_name", &R::user_name, 128);
    }
};

struct OtherPayment {
    std::int32_t check = 0;
    std::string text;

    bool operator==(const OtherPayment&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = OtherPayment;
        f.Int("check", &R::check);
        f.SideText("text", &R::text, "etc_payment_detail.txt", 2048);
    }
};

struct ItemInfoDefaults {
    std::int32_t chk_etc = 0;
    std::string text;

    bool operator==(const ItemInfoDefaults&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = ItemInfoDefaults;
        f.Int("chk_etc", &R::chk_etc);
        f.SideText("text", &R::text, "pg_etc_info.txt", 2048);
    }
};

struct PaymentDefaults {
    std::int32_t chk_bank = 1;
    std::int32_t chk_yuubin = 0;
    std::int32_t chk_etc = 0;
    std::string banks_text;
    std::string yuubin_text;
    std::string etc_text;

    bool operator==(const PaymentDefaults&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = PaymentDefaults;
        f.Int("chk_bank", &R::chk_bank);
        f.Int("chk_yuubin", &R::chk_yuubin);
        f.Int("chk_etc", &R::chk_etc);
        f.SideText("banks_text", &R::banks_text, "pg_banks.txt", 1024);
        f.SideText("yuubin_text", &R::yuubin_text, "pg_yuubin.txt", 1024);
        f.SideText("etc_text", &R::etc_text, "pg_etc_payment.txt", 1024);
    }
};

struct SendMethodDefaults {
    std::int32_t chk_teikei = 0, chk_teikeigai = 0, chk_sassi = 0, chk_expack = 0;
    std::int32_t chk_kuroneko = 0, chk_hikyaku = 0, chk_yuupack = 0, chk_y_yuupack = 0;
    std::int32_t chk_yamato = 0, chk_sagawa = 0, chk_perikan = 0, chk_etc = 0;
    std::string edt_etc;
    std::string text;

    bool operator==(const SendMethodDefaults&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = SendMethodDefaults;
        f.Int("chk_teikei", &R::chk_teikei);
        f.Int("chk_teikeigai", &R::chk_teikeigai);
        f.Int("chk_sassi", &R::chk_sassi);
        f.Int("chk_expack", &R::chk_expack);
        f.Int("chk_kuroneko", &R::chk_kuroneko);
        f.Int("chk_hikyaku", &R::chk_hikyaku);
        f.Int("chk_yuupack", &R::chk_yuupack);
        f.Int("chk_y_yuupack", &R::chk_y_yuupack);
        f.Int("chk_yamato", &R::chk_yamato);
        f.Int("chk_sagawa", &R::chk_sagawa);
        f.Int("chk_perikan", &R::chk_perikan);
        f.Int("chk_etc", &R::chk_etc);
        f.Line("edt_etc", &R::edt_etc, 128);
        f.SideText("text", &R::text, "pg_etc_send.txt", 2048);
    }
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

    bool operator==(const ShippingOptions&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = ShippingOptions;
        f.Int("chk_sassi_cod", &R::chk_sassi_cod);
        f.Int("chk_yuupack_opt100", &R::chk_yuupack_opt100);
        f.Int("chk_yuupack_cod", &R::chk_yuupack_cod);
        f.Int("chk_yamato_opt100", &R::chk_yamato_opt100);
        f.Int("chk_yamato_cod", &R::chk_yamato_cod);
        f.Int("chk_sagawa_opt100", &R::chk_sagawa_opt100);
        f.Int("chk_sagawa_cod", &R::chk_sagawa_cod);
        f.Int("chk_perikan_opt100", &R::chk_perikan_opt100);
        f.Int("chk_perikan_cod", &R::chk_perikan_cod);
        f.Int("chk_yuupack_opt", &R::chk_yuupack_opt, "SEND_METHOD_YUUPACK_OPT");
    }
};

// Days a dealing may await payment before it counts as overdue, unless the seller
// chose otherwise.
inline constexpr std::int32_t kDefaultOverdueDays = 7;

struct HanamoSettings {
    std::string page_type;
    std::string page_color;
    // Days a dealing may await payment before the dealings window highlights it.
    std::int32_t overdue_days = kDefaultOverdueDays;
    // 1: the seller is a member of the site's paid membership, whose fee was lower in
    // some years (the books' fee table says which).
    std::int32_t premium_member = 0;

    bool operator==(const HanamoSettings&) const = default;
    template <class F> static void Fields(F&& f) {
        using R = HanamoSettings;
        f.Line("page_type", &R::page_type, 128);
        f.Line("page_color", &R::page_color, 128);
        f.Int("overdue_days", &R::overdue_days);
        f.Int("premium_member", &R::premium_member);
    }
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
    bool operator==(const UserSettings&) const = default;
};

// The default banner text of a seller profile.
const std::string& DefaultBannerText();

} // namespace hanamori
