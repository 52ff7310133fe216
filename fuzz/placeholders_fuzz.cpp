// Placeholder expansion over an arbitrary mail body, with a listing that has bidders
// and shipping, and the shipped rate files loaded.

#include "core/listing/records.h"
#include "core/mail/mail_writer.h"
#include "core/mail/placeholders.h"
#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"
#include "fuzz_support.h"

#include <sstream>

using namespace hanamori;

namespace {

struct Fixture {
    UserSettings settings;
    SaleMaster listing;
    ShippingEngine engine{settings};

    Fixture() {
        settings.personal[0].nickname = "hanako_shop";
        settings.personal[0].address1 = "東京都"_sj;
        settings.bank[0].check = 1;
        settings.bank[0].bank_name = "みずほ銀行"_sj;
        listing.Reset(settings);
        listing.product_name = "木製カトラリーセット"_sj;
        listing.auction.use_teikeigai = 1;
        listing.auction.teikeigai_cost = 510;
        listing.auction.use_yamato = listing.auction.use_yupack = 1;
        listing.auction.length_cm = 30;
        listing.auction.width_cm = 20;
        listing.auction.height_cm = 10;
        listing.auction.weight_g = 1500;
        listing.auction.origin_pref = "東京都"_sj;
        listing.mail.bank1 = 1;
        listing.mail.seller_nickname = "hanako_shop";
        for (int i = 0; i < 2; ++i) {
            CustomerRecord c;
            c.name = "佐藤 一郎"_sj;
            c.nickname = "ichiro";
            c.price = 1000 + i;
            c.count = 2;
            c.ship_cost = 800;
            c.pref = "大阪府"_sj;
            listing.customers_edit.Append(c);
        }
        fuzz::QuietHost host;
        engine.LoadAll(fuzz::ShippedDataDir() + "CostData", host);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    MailContext ctx{fixture.listing, fixture.settings, fixture.engine};
    std::ostringstream out;
    (void)ExpandMailText(fuzz::AsText(data, size), out, ctx);
    return 0;
}
