// The page documents, the design and colour choice, the booth banner and short writes.

#include "core/page/booth_hosts.h"
#include "core/page/design_catalog.h"
#include "page_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

namespace hanamori {
namespace {

using test::PageFixture;
using test::Sj;
using test::Utf8;

// A listing with every section, so every builder writes many pieces.
void FillEverything(PageFixture& f) {
    AuctionRecord& a = f.listing.auction;
    a.display_name = Sj("花瓶");
    a.use_description = 1;
    a.description = Sj("白磁の花瓶です。\r\n高さ20cm");
    a.use_quantity = 1;
    a.quantity = 1;
    a.use_notes = 1;
    a.notes = Sj("ノークレーム");
    a.use_other = 1;
    a.other = Sj("同梱可");
    a.use_teikeigai = 1;
    a.teikeigai_cost = 290;
    a.use_yamato = 1;
    a.shipping_notes = Sj("割れ物");
    a.use_bank = 1;
    a.bank_text = Sj("花森銀行");
    f.shipping.lists[ShippingMethod::Yamato] = "YAMATO";
}

TEST(PageFilesTest, PreviewWrapsTheBodyAndBothFilesAreWritten) {
    test::TempDir dir;
    PageFixture f;
    FillEverything(f);
    const std::string design = Sj("デザイン２"), color = Sj("グレー");
    ASSERT_TRUE(WriteBodyFile(f.Sources(), design, color, dir / "body.html"));
    ASSERT_TRUE(WritePreviewFile(f.Sources(), design, color, dir / "preview.html"));
    std::string body = test::ReadFile(dir / "body.html");
    std::string preview = test::ReadFile(dir / "preview.html");
    EXPECT_EQ(body.find("<html>"), std::string::npos);
    EXPECT_EQ(body.find('\n'), std::string::npos);
    EXPECT_EQ(Utf8(preview),
              "<html>\n<head>\n<title>Hanamori プレビュー「デザイン２ - グレー」</title>\n"
              "</head>\n<body>\n<center>\n<hr size=\"1\" width=\"100%\">\n</center>\n<br>\n" +
                  Utf8(body) + "<br>\n<hr size=\"1\" width=\"100%\">\n</body>\n</html>\n");

    // A directory that is not there: failure, nothing written.
    EXPECT_FALSE(WriteBodyFile(f.Sources(), design, color, dir / "none/body.html"));
    EXPECT_FALSE(WritePreviewFile(f.Sources(), design, color, dir / "none/preview.html"));
}

TEST(PageFilesTest, UnknownNamesAreReportedAndFallBack) {
    PageFixture f;
    f.listing.auction.display_name = "T";
    // ASCII digit: not a catalogue name, so the plain design with a message.
    EXPECT_EQ(f.Body("デザイン1", "グレー"), "T<br><br>");
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(Utf8(f.host.messages[0].text),
              "指定のページタイプが見つかりませんでした。\nシンプル表示で作成します。");
    EXPECT_EQ(f.host.messages[0].icon, MessageIcon::Exclamation);

    f.host.messages.clear();
    f.listing.auction = AuctionRecord();
    EXPECT_EQ(f.Body("デザイン１", "grey"),
              "<p align=\"center\"><table width=\"640\" bgcolor=\"#336699\" cellspacing=\"1\" "
              "cellpadding=\"5\"></table></p>");
    ASSERT_EQ(f.host.MessagesUtf8(),
              std::vector<std::string>{
                  "指定のカラーリストが見つかりませんでした。\n標準のカラーで作成します。"});
    EXPECT_EQ(f.host.messages[0].icon, MessageIcon::Exclamation);
}

TEST(PageFilesTest, WithoutColourSetsOnlyThePlainDesignBuilds) {
    PageFixture f;
    f.colors.Clear();
    f.listing.auction.display_name = "T";
    for (int design = 0; design < kDesignCount; ++design) {
        std::ostringstream out;
        bool ok = WritePageBody(out, f.Sources(), DesignCatalog()[design], Sj("ブルー"));
        EXPECT_EQ(ok, design == kDesignSimplePlain) << design;
        EXPECT_EQ(out.str(), ok ? "T<br><br>" : "") << design;
    }
    EXPECT_EQ(f.host.messages.size(), 5u); // the colour message every time
}

TEST(PageFilesTest, ShortWriteStopsAtOnce) {
    for (int design = 0; design < kDesignCount; ++design) {
        PageFixture f;
        FillEverything(f);
        std::ostringstream whole;
        ASSERT_TRUE(WriteBody(whole, f.Sources(), DesignCatalog()[design], Sj("ブルー")));
        const std::string full = whole.str();
        for (std::size_t room :
             {std::size_t{0}, std::size_t{7}, full.size() / 2, full.size() - 1}) {
            test::LimitedBuf buf(room);
            std::ostream out(&buf);
            f.shipping.requested.clear();
            EXPECT_FALSE(WriteBody(out, f.Sources(), DesignCatalog()[design], Sj("ブルー")))
                << design << " " << room;
            EXPECT_EQ(buf.data, full.substr(0, room)) << design << " " << room;
        }
        // A failure before the shipping section asks for no cost list.
        test::LimitedBuf buf(0);
        std::ostream out(&buf);
        f.shipping.requested.clear();
        WriteBody(out, f.Sources(), DesignCatalog()[design], Sj("ブルー"));
        EXPECT_TRUE(f.shipping.requested.empty()) << design;
    }
}

class BoothBannerTest : public ::testing::Test {
protected:
    PageFixture f;
    void SetUp() override {
        SellerProfile& p = f.settings.personal[2];
        p.nickname = "Hana_Shop";
        p.y_auction = 1;
        p.mybooth_flag = 1;
        p.banner_text = Sj("私のブース");
        p.bunner_url = "http://example.com/my.gif";
        f.listing.mail.seller_nickname = "hana_SHOP"; // found whatever the letter case
    }
    std::string Banner(const std::string& design) {
        std::ostringstream out;
        EXPECT_TRUE(WriteBoothBanner(out, f.Sources(), Sj(design)));
        return Utf8(out.str());
    }
    static std::string Link(const std::string& image) {
        return std::string("<a href=\"") + kBoothPageBase +
               "Hana_Shop\" target=\"new\"><img alt=\"私のブース\" src=\"" + image +
               "\"></a><br>私のブース</p>";
    }
};

TEST_F(BoothBannerTest, ImageFollowsTheBannerType) {
    EXPECT_EQ(Banner("デザイン１"), "<p align=\"center\">" + Link(kBoothBannerImage));
    f.settings.personal[2].mybooth_type = 1;
    EXPECT_EQ(Banner("デザイン３"), "<p align=\"center\">" + Link(kBoothButtonImage));
    f.settings.personal[2].mybooth_type = 2;
    EXPECT_EQ(Banner("簡易表示（カラー対応）"), "<p>" + Link("http://example.com/my.gif"));
    EXPECT_EQ(Banner("簡易表示(カラー非対応)"), "<p>" + Link("http://example.com/my.gif"));
    EXPECT_EQ(Banner("デザイン1"), "<p></p>");
    EXPECT_EQ(std::string(kBoothPageBase).substr(0, 7), "http://");
    EXPECT_NE(std::string(kBoothPageBase).find("/jp/booth/"), std::string::npos);
    EXPECT_EQ(std::string(kBoothBannerImage).substr(std::strlen(kBoothBannerImage) - 11),
              "/banner.gif");
    EXPECT_EQ(std::string(kBoothButtonImage).substr(std::strlen(kBoothButtonImage) - 11),
              "/button.gif");
}

TEST_F(BoothBannerTest, NothingWithoutProfileOrSwitches) {
    f.settings.personal[2].mybooth_flag = 0;
    EXPECT_EQ(Banner("デザイン１"), "");
    f.settings.personal[2].mybooth_flag = 1;
    f.settings.personal[2].y_auction = 0;
    EXPECT_EQ(Banner("デザイン１"), "");
    f.settings.personal[2].y_auction = 1;
    f.listing.mail.seller_nickname = "someone_else";
    EXPECT_EQ(Banner("デザイン１"), "");

    // With the profile found, the banner follows the body in both documents.
    f.listing.mail.seller_nickname = "Hana_Shop";
    std::ostringstream out;
    ASSERT_TRUE(WritePreview(out, f.Sources(), Sj("デザイン２"), Sj("ブルー")));
    EXPECT_NE(Utf8(out.str()).find("</center><p align=\"center\">" + Link(kBoothBannerImage) +
                                   "<br>\n<hr"),
              std::string::npos);
}

} // namespace
} // namespace hanamori
