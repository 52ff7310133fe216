#pragma once
// A realistic listing with one bidder, the seller's settings and an engine, shared by
// the mail tests.

#include "core/listing/records.h"
#include "core/mail/placeholders.h"
#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"
#include "support/test_support.h"

#include <memory>
#include <streambuf>
#include <string>

namespace hanamori::test {

struct MailFixture {
    UserSettings settings;
    SaleMaster listing;
    std::unique_ptr<ShippingEngine> engine;

    MailFixture() {
        SellerProfile& p = settings.personal[0];
        p.name = Sj("山田 花子");
        p.nickname = "hanako_shop";
        settings.bank[0] = {1,          Sj("みずほ銀行"), Sj("渋谷支店"),
                            Sj("普通"), "1234567",        Sj("ヤマダ ハナコ")};
        settings.bank[1] = {1,          Sj("ゆうちょ銀行"), Sj("〇一八店"),
                            Sj("普通"), "7654321",          Sj("ヤマダ ハナコ")};
        settings.yuubin[0] = {1, Sj("振替口座"), "00120-3", "456789", Sj("ヤマダ ハナコ")};
        engine = std::make_unique<ShippingEngine>(settings);

        listing.Reset(settings);
        listing.product_name = Sj("木製カトラリーセット");
        AuctionRecord& a = listing.auction;
        a.length_cm = 30;
        a.width_cm = 20;
        a.height_cm = 10;
        a.weight_g = 1500;
        MailRecord& m = listing.mail;
        // Reset ticked the accounts marked in the settings; each test ticks its own.
        m.bank1 = m.bank2 = m.bank3 = m.bank4 = m.postal1 = m.postal2 = 0;
        m.use_other_payment = 0;
        m.other_payment_text.clear();
        m.seller_name = Sj("山田 花子");
        m.seller_nickname = "hanako_shop";
        m.seller_mail = "hanako@example.jp";
        m.seller_zip = "150-0001";
        m.seller_pref = Sj("東京都");
        m.seller_address = Sj("渋谷区神宮前1-2-3");
        m.seller_phone = "03-1234-5678";

        CustomerRecord c;
        c.name = Sj("佐藤 一郎");
        c.nickname = "ichiro_s";
        c.mail = "ichiro@example.com";
        c.price = 1000;
        c.count = 2;
        c.ship_method = Sj("ゆうパック");
        c.ship_cost = 800;
        c.other_charge = 0;
        c.zip = "530-0001";
        c.pref = Sj("大阪府");
        c.address = Sj("大阪市北区梅田1-1");
        c.phone = "06-1111-2222";
        listing.customers_edit.Append(c);
        listing.customers_edit.current = 0;
    }

    MailContext Context() { return MailContext{listing, settings, *engine}; }
    CustomerRecord& Bidder() { return listing.customers_edit[0]; }

    // The value of one placeholder, as UTF-8.
    std::string Value(Placeholder which) { return Utf8(PlaceholderValue(which, Context())); }
};

// A stream buffer that takes `capacity` bytes and then refuses, like a full disk.
class LimitedBuffer : public std::streambuf {
public:
    explicit LimitedBuffer(std::size_t capacity) : m_capacity(capacity) {}
    std::string data;

protected:
    int_type overflow(int_type ch) override {
        if (ch == traits_type::eof() || data.size() >= m_capacity) {
            return traits_type::eof();
        }
        data.push_back(static_cast<char>(ch));
        return ch;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::size_t room = m_capacity - data.size();
        std::size_t take = std::min(room, static_cast<std::size_t>(n));
        data.append(s, take);
        return static_cast<std::streamsize>(take);
    }

private:
    std::size_t m_capacity;
};

} // namespace hanamori::test
