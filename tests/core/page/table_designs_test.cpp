// The table designs, their shipping and payment cells, and the text-block rule.

#include "page_test_util.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::PageFixture;
using test::Sj;

const char* kDesign1 = "デザイン１";

// The shipping row of デザイン１ around `cell`, with the ブルー colours.
std::string Design1ShippingRow(const std::string& cell) {
    return "<tr><td bgcolor=\"#99ccff\" align=\"center\" width=\"120\" valign=\"top\"><b>発送方法"
           "</b></td><td bgcolor=\"#ffffff\">" +
           cell + "</td></tr>";
}

TEST(TableDesignsTest, EmptyListingGivesTheBareTable) {
    PageFixture f;
    EXPECT_EQ(f.Body(kDesign1), "<p align=\"center\"><table width=\"640\" bgcolor=\"#336699\" "
                                "cellspacing=\"1\" cellpadding=\"5\"></table></p>");
    EXPECT_EQ(f.Body("デザイン２", "グレー"),
              "<p align=\"center\"><table width=\"640\" bgcolor=\"#f0f0f0\" cellspacing=\"0\" "
              "cellpadding=\"10\"></table></center>");
    EXPECT_TRUE(f.host.messages.empty());
    // No shipping section, so the cost lists were never asked for.
    EXPECT_EQ(f.shipping.setups, 0);
    EXPECT_TRUE(f.shipping.requested.empty());
}

TEST(TableDesignsTest, TitleAndTextSectionsKeepTheirLiterals) {
    PageFixture f;
    AuctionRecord& a = f.listing.auction;
    a.display_name = Sj("<b>限定</b> 100% 品");
    a.use_description = 1;
    a.description = Sj("A\r\n\r\nB");
    a.use_quantity = 1;
    a.quantity = -1;
    std::string body = f.Body(kDesign1);
    // The title row has no "</td>"; the name is copied unchanged, percent sign included.
    EXPECT_NE(body.find("<tr><td bgcolor=\"#6699cc\" colspan=\"2\" align=\"center\"><b><b>限定"
                        "</b> 100% 品</b></tr>"),
              std::string::npos);
    EXPECT_NE(body.find("<b>商品説明</b></td><td bgcolor=\"#ffffff\">A<br><br>B<br></td></tr>"),
              std::string::npos);
    EXPECT_NE(body.find("<td bgcolor=\"#ffffff\">-1 個</td></tr>"), std::string::npos);
}

TEST(TableDesignsTest, TextBlockBreaksAtCrLfAndLeavesTheListingAlone) {
    std::ostringstream out;
    ASSERT_TRUE(WriteTextBlock(out, "A\r\nB\r\n"));
    ASSERT_TRUE(WriteTextBlock(out, "|\r\n|"));
    ASSERT_TRUE(WriteTextBlock(out, "|\n<i>x</i>\r"));
    ASSERT_TRUE(WriteTextBlock(out, ""));
    EXPECT_EQ(out.str(), "A<br>B<br>|<br>|<br>|\n<i>x</i>\r<br>");

    PageFixture f;
    f.listing.auction.use_notes = 1;
    f.listing.auction.notes = "A\r\nB\r\n";
    std::string first = f.Body(kDesign1);
    EXPECT_EQ(f.listing.auction.notes, "A\r\nB\r\n");
    EXPECT_EQ(f.Body(kDesign1), first);
    EXPECT_NE(first.find(">A<br>B<br></td></tr>"), std::string::npos);
}

TEST(TableDesignsTest, MailMethodsNeedACostAndAreSeparated) {
    PageFixture f;
    AuctionRecord& a = f.listing.auction;
    a.use_teikei = 1;
    a.teikei_cost = 120;
    a.use_teikeigai = 1; // no cost: left out, but it still opens the section
    std::string body = f.Body(kDesign1);
    EXPECT_NE(body.find(Design1ShippingRow("<b>・定形郵便(120円)</b>")), std::string::npos);

    a = AuctionRecord();
    a.use_teikeigai = 1; // alone and without a cost: an empty cell
    EXPECT_NE(f.Body(kDesign1).find(Design1ShippingRow("")), std::string::npos);

    a.use_teikeigai = 0;
    a.use_expack = 1;
    a.expack_cost = 500;
    a.use_kuroneko_mail = 1;
    a.kuroneko_mail_cost = 80;
    a.use_hikyaku_mail = 1;
    a.hikyaku_mail_cost = 160;
    a.use_booklet = 1;
    a.booklet_cost = 0;
    a.use_other_ship = 1;
    a.other_ship_name = Sj("手渡し");
    a.other_ship_cost = 0;
    f.settings.send_opt.chk_sassi_cod = 1;
    EXPECT_NE(f.Body(kDesign1).find(Design1ShippingRow(
                  "<b>・冊子小包</b>(0円)(着払可+20円)<br><br><b>・EXPACK500</b>(500円)<br><br>"
                  "<b>・クロネコメール便</b>(80円)<br><br><b>・飛脚メール便</b>(160円)<br><br>"
                  "<b>・その他</b>(手渡し 0円)")),
              std::string::npos);
    f.settings.send_opt.chk_sassi_cod = 0;
    EXPECT_NE(f.Body(kDesign1).find("<b>・冊子小包</b>(0円)<br><br>"), std::string::npos);
}

TEST(TableDesignsTest, CarrierListsFollowTheTicksAndTheYuPackOption) {
    PageFixture f;
    AuctionRecord& a = f.listing.auction;
    f.shipping.lists = {{ShippingMethod::YuPack, "YU"},
                        {ShippingMethod::YahooYuPack, "YYU"},
                        {ShippingMethod::Yamato, ""},
                        {ShippingMethod::Sagawa, "SG"}};
    a.use_yupack = a.use_yahoo_yupack = a.use_yamato = a.use_sagawa = 1;
    a.shipping_notes = Sj("梱包は簡易です");
    a.length_cm = -1;
    a.width_cm = 20;
    a.height_cm = -5;
    a.weight_g = 800;
    a.origin_pref = Sj("東京都");
    f.listing.mail.seller_nickname = "seller";

    // Option on: ゆうパック gives way to Yahoo!ゆうパック; an empty list is no entry.
    EXPECT_NE(f.Body(kDesign1).find(Design1ShippingRow("YYU<br><br>SG<br><br>梱包は簡易です<br>")),
              std::string::npos);
    EXPECT_EQ(f.shipping.requested,
              (std::vector<ShippingMethod>{ShippingMethod::YahooYuPack, ShippingMethod::Yamato,
                                           ShippingMethod::Sagawa}));
    EXPECT_EQ(f.shipping.seller_id, "seller");
    EXPECT_EQ(test::Utf8(f.shipping.origin), "東京都");
    EXPECT_EQ(std::vector<int>(f.shipping.parcel, f.shipping.parcel + 4),
              (std::vector<int>{0, 20, 0, 800}));
    EXPECT_EQ(std::vector<int>(f.shipping.basis, f.shipping.basis + 3),
              (std::vector<int>{0, 0, 0}));

    f.settings.send_opt.chk_yuupack_opt = 0;
    f.shipping.requested.clear();
    EXPECT_NE(f.Body(kDesign1).find(
                  Design1ShippingRow("YU<br><br>YYU<br><br>SG<br><br>梱包は簡易です<br>")),
              std::string::npos);
    EXPECT_EQ(f.shipping.requested.front(), ShippingMethod::YuPack);

    // Notes alone still prepare the request, and have no separator.
    a = AuctionRecord();
    a.shipping_notes = "N";
    f.shipping.setups = 0;
    EXPECT_NE(
        f.Body("デザイン２").find("<b>発送方法</b></td></tr><tr><td>N<br></td></tr></table></tr>"),
        std::string::npos);
    EXPECT_EQ(f.shipping.setups, 1);
}

TEST(TableDesignsTest, PaymentCell) {
    PageFixture f;
    AuctionRecord& a = f.listing.auction;
    a.use_bank = 1; // ticked without a text: the heading and an empty cell
    EXPECT_NE(f.Body(kDesign1).find("<b>支払方法</b></td><td bgcolor=\"#ffffff\"></td></tr>"),
              std::string::npos);

    a.bank_text = Sj("花森銀行");
    a.use_postal = 0;
    a.postal_text = Sj("振替");
    a.use_other_payment = 1;
    a.other_payment_text = Sj("代引き\r\n可");
    std::string cell =
        "<b>・銀行振込</b><br>花森銀行<br><br><b>・その他の支払い方法</b><br>代引き<br>可<br>";
    EXPECT_NE(f.Body(kDesign1).find(cell + "</td></tr></table></p>"), std::string::npos);
    // デザイン３ spells the heading 支払い方法.
    std::string body = f.Body("デザイン３");
    EXPECT_NE(body.find("<b>支払い方法</b></td></tr><tr><td>" + cell + "</td></tr></table></td>"),
              std::string::npos);
    EXPECT_EQ(body.find("<b>支払方法</b>"), std::string::npos);
}

} // namespace
} // namespace hanamori
