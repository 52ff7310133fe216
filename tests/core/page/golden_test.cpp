// Whole pages of each design for a few listings, compared with checked files under
// golden/. HANAMORI_UPDATE_GOLDEN=1 rewrites them (check the result by hand).

#include "core/page/design_catalog.h"
#include "page_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace hanamori {
namespace {

using test::PageFixture;
using test::Sj;

void EveryListing(PageFixture& f) {
    AuctionRecord& a = f.listing.auction;
    a.display_name = Sj("【未使用】白磁の花瓶 高さ20cm");
    a.use_description = 1;
    a.description = Sj("窯元で買い求めた白磁の花瓶です。\r\n\r\n<b>一度も使っていません。</b>\r\n");
    a.use_quantity = 1;
    a.quantity = 1;
    a.use_notes = 1;
    a.notes = Sj("ノークレーム・ノーリターンでお願いします。");
    a.use_other = 1;
    a.other = Sj("他の出品物と同梱できます。");
    a.use_teikeigai = 1;
    a.teikeigai_cost = 580;
    a.use_yupack = 1;
    a.use_yamato = 1;
    a.shipping_notes = Sj("緩衝材で包んで発送します。");
    a.use_bank = 1;
    a.bank_text = Sj("花森銀行 本店\r\n普通 1234567");
    f.shipping.lists[ShippingMethod::YuPack] = Sj("<b>ゆうパック</b> 60サイズ<br>関東 700円<br>");
    f.shipping.lists[ShippingMethod::Yamato] = Sj("<b>ヤマト宅急便</b> 60サイズ<br>関東 740円<br>");
    f.listing.mail.seller_nickname = "hanamori_shop";
    SellerProfile& p = f.settings.personal[0];
    p.nickname = "hanamori_shop";
    p.y_auction = 1;
    p.mybooth_flag = 1;
    p.banner_text = Sj("出品中の商品はこちら");
}

void ShippingListing(PageFixture& f) {
    AuctionRecord& a = f.listing.auction;
    a.display_name = Sj("文庫本 5冊");
    a.use_teikei = 1;
    a.teikei_cost = 120;
    a.use_teikeigai = 1; // no cost
    a.use_booklet = 1;
    a.booklet_cost = 340;
    a.use_expack = 1;
    a.expack_cost = 500;
    a.use_kuroneko_mail = 1;
    a.kuroneko_mail_cost = 160;
    a.use_hikyaku_mail = 1;
    a.use_other_ship = 1;
    a.other_ship_name = Sj("手渡し");
    a.other_ship_cost = 0;
    a.use_yupack = 1;
    a.use_yahoo_yupack = 1;
    a.use_sagawa = 1;
    a.use_pelican = 1; // cannot take the parcel: empty list
    a.shipping_notes = Sj("土日は発送できません。");
    a.use_bank = 1;
    a.bank_text = Sj("花森銀行");
    a.use_postal = 1;
    a.postal_text = Sj("00100-1-123456");
    a.use_other_payment = 1;
    a.other_payment_text = Sj("現金書留");
    f.settings.send_opt.chk_sassi_cod = 1;
    f.shipping.lists[ShippingMethod::YahooYuPack] = Sj("<b>Yahoo!ゆうパック</b><br>全国 800円<br>");
    f.shipping.lists[ShippingMethod::Sagawa] = Sj("<b>佐川急便</b><br>関東 800円<br>");
}

const char* const kFileStems[kDesignCount] = {"design1", "design2", "design3", "simple_color",
                                              "simple_plain"};

void CheckGolden(const std::string& listing_name, void (*fill)(PageFixture&)) {
    const std::string dir = test::SourceDir() + "/tests/core/page/golden/";
    const bool update = std::getenv("HANAMORI_UPDATE_GOLDEN") != nullptr;
    for (int design = 0; design < kDesignCount; ++design) {
        PageFixture f;
        if (fill) {
            fill(f);
        }
        std::ostringstream out;
        ASSERT_TRUE(WriteBody(out, f.Sources(), DesignCatalog()[design], Sj("ブルー")));
        EXPECT_TRUE(f.host.messages.empty());
        const std::string path = dir + listing_name + "_" + kFileStems[design] + ".html";
        if (update) {
            test::WriteFile(path, out.str());
            continue;
        }
        EXPECT_EQ(test::Utf8(out.str()), test::Utf8(test::ReadFile(path))) << path;
    }
}

TEST(GoldenPagesTest, EmptyListing) {
    CheckGolden("empty", nullptr);
}

TEST(GoldenPagesTest, EverySection) {
    CheckGolden("every", EveryListing);
}

TEST(GoldenPagesTest, ShippingAndPayment) {
    CheckGolden("shipping", ShippingListing);
}

} // namespace
} // namespace hanamori
