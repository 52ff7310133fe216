// 簡易表示（カラー対応） and 簡易表示(カラー非対応).

#include "core/page/simple_color.h"
#include "page_test_util.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::PageFixture;
using test::Sj;
using test::Utf8;

const char* kPlain = "簡易表示(カラー非対応)";
const char* kColor = "簡易表示（カラー対応）";

std::string Segment(const std::string& color) {
    return "<font color=\"#" + color + "\">━━</font>";
}

TEST(SimpleColorTest, RuleFadesTowardsWhite) {
    std::string rule = Utf8(FadingRule(SplitSimpleColor("#336699")));
    EXPECT_EQ(rule.find(Segment("336699") + Segment("4376A9") + Segment("5386B9")), 0u);
    // Each component is capped at 255, so the last segment is white.
    EXPECT_EQ(rule.substr(rule.size() - Segment("FFFFFF").size()), Segment("FFFFFF"));
    EXPECT_NE(rule.find(Segment("C3F6FF") + Segment("D3FFFF")), std::string::npos);

    std::string white;
    for (int i = 0; i < 16; ++i) {
        white += Segment("FFFFFF");
    }
    EXPECT_EQ(Utf8(FadingRule(SplitSimpleColor("#FFFFFF"))), white);
}

TEST(SimpleColorTest, OddColourTextsAreTakenApartSafely) {
    SimpleColor c = SplitSimpleColor("#12");
    EXPECT_EQ(c.red, "12");
    EXPECT_EQ(c.green, "");
    EXPECT_EQ(c.blue, "");
    EXPECT_EQ(c.r, 0x12);
    EXPECT_EQ(c.g, 0);
    c = SplitSimpleColor("");
    EXPECT_EQ(c.red + c.green + c.blue, "");
    c = SplitSimpleColor("red");
    EXPECT_EQ(c.red, "ed");
    EXPECT_EQ(c.r, 0xED);
    EXPECT_EQ(c.green, "");
    c = SplitSimpleColor("#zz9a x");
    EXPECT_EQ(c.red, "zz");
    EXPECT_EQ(c.r, 0);
    EXPECT_EQ(c.g, 0x9A);
    EXPECT_EQ(c.blue, " x");
    EXPECT_EQ(c.b, 0);
}

TEST(SimpleColorTest, FramesTitleAndSections) {
    PageFixture f;
    AuctionRecord& a = f.listing.auction;
    a.display_name = Sj("花瓶");
    a.use_quantity = 1;
    a.quantity = 3;
    // The colour text is copied as the colour set holds it (lower case here).
    const std::string frame = "<font color=\"#6699cc\">";
    std::string expected =
        frame + "┏━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━</font><br>" + frame + "┃</font><b>花瓶</b><br>" +
        frame + "┗━━━━━━━━━━━━━━━━━━━━━━━━━━━━━━</font><br><br>" + frame +
        "┃</font><b>出品個数</b><br>" + frame + "┗</font>" +
        Utf8(FadingRule(SplitSimpleColor("#6699cc"))) +
        "<br><table border=\"0\"><tr><td width=\"3%\"></td><td>3 個<br></td></tr></table><br>";
    EXPECT_EQ(f.Body(kColor), expected);
    EXPECT_EQ(Utf8(FadingRule(SplitSimpleColor("#6699cc"))).find(Segment("6699CC")), 0u);

    // No title: the first section comes first.
    a.display_name.clear();
    EXPECT_EQ(f.Body(kColor).find(frame + "┃</font><b>出品個数</b>"), 0u);
    // The payment heading is 支払方法 here.
    a.use_postal = 1;
    a.postal_text = "P";
    EXPECT_NE(f.Body(kColor).find("<b>支払方法</b>"), std::string::npos);
}

TEST(SimplePlainTest, ShippingEntriesByNameWithOrWithoutCost) {
    PageFixture f;
    AuctionRecord& a = f.listing.auction;
    a.shipping_notes = "N";
    EXPECT_EQ(f.Body(kPlain), "■発送方法<br><br>N<br><br><br>");

    a.shipping_notes.clear();
    a.use_teikei = 1;
    EXPECT_EQ(f.Body(kPlain), "■発送方法<br>・定形郵便　<br><br>");
    a.teikei_cost = 0;
    a.use_booklet = 1;
    a.use_hikyaku_mail = 1;
    a.hikyaku_mail_cost = 160;
    a.use_other_ship = 1;
    a.other_ship_name = Sj("手渡し");
    f.settings.send_opt.chk_sassi_cod = 1;
    a.use_yupack = 1;
    a.use_yahoo_yupack = 1;
    a.use_pelican = 1;
    f.settings.send_opt.chk_yuupack_opt = 0; // not consulted here
    EXPECT_EQ(f.Body(kPlain),
              "■発送方法<br>・定形郵便(0円)　・冊子小包(着払可+20円)　・飛脚メール便(160円)　"
              "・その他(手渡し)　<br>・ゆうパック(Yahoo!ゆうパック可)　・ペリカン便　<br><br>");
    a.use_yahoo_yupack = 0;
    EXPECT_NE(f.Body(kPlain).find("<br>・ゆうパック　・ペリカン便　<br>"), std::string::npos);
    // The simple designs never ask for cost lists.
    EXPECT_TRUE(f.shipping.requested.empty());
}

} // namespace
} // namespace hanamori
