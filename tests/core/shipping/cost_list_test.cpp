// The cost lists: headings, leads, totals, marks and notes, in the three formats.

#include "core/settings/user_settings.h"
#include "core/shipping/rate_fixture.h"
#include "core/shipping/shipping_engine.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {
using test::RateFixture;
using test::Sj;
using test::Utf8;

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}
bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class CostLists : public ::testing::Test {
protected:
    void SetUp() override {
        m_settings.personal[1].nickname = Sj("hanako");
        m_settings.personal[1].chk_kenname = 1;
        m_engine.SetSellerId(Sj("HANAKO")); // nicknames match without letter case
        m_engine.SetOrigin(Sj("東京都"));
        m_engine.SetParcel(20, 20, 20, 1000);
    }
    void Load(const RateFixture& fixture) {
        fixture.WriteAll(m_dir.path());
        test::ScriptedHost host;
        ASSERT_TRUE(m_engine.LoadAll(m_dir.path(), host));
    }
    std::string Text(ShippingMethod method) { return Utf8(m_engine.ListText(method)); }
    test::TempDir m_dir;
    UserSettings m_settings;
    ShippingEngine m_engine{m_settings};
};

TEST_F(CostLists, YamatoWorkedExample) {
    RateFixture fixture;
    // 関　東 to 北海道 1160 yen, to 北東北 950 yen (60 size), read from the upper triangle.
    RateFixture::Replace(fixture.yamato, "0,北海道,x, 1000, 1010, 1020, 1030,",
                         "0,北海道,x, 1000, 1010, 1020, 1160,");
    RateFixture::Replace(fixture.yamato, "1,北東北,x, 9999, 1011, 1021, 1031,",
                         "1,北東北,x, 9999, 1011, 1021, 950,");
    Load(fixture);
    m_engine.SetTotalBasis(1000, 3, 0);
    ASSERT_TRUE(m_engine.List(ShippingMethod::Yamato, 0, true));
    std::string expected = "・ヤマト宅急便　　東京都より発送　60サイズ\r\n"
                           "\r\n"
                           " [北海道] 1160円 (北海道)\r\n"
                           "　　┗………… お支払総額(4160円)\r\n"
                           "\r\n"
                           " [北東北] 950円 (青森県, 岩手県, 秋田県)\r\n"
                           "　　┗………… お支払総額(3950円)\r\n"
                           "\r\n"
                           " [南東北] 1032円 (山形県, 宮城県, 福島県)";
    EXPECT_EQ(Text(ShippingMethod::Yamato).substr(0, expected.size()), expected);
    // 関　東 lists 長野県's neighbours in table order; the list ends without a break.
    EXPECT_NE(Text(ShippingMethod::Yamato)
                  .find(" [関　東] 1033円 (茨城県, 栃木県, 群馬県, 埼玉県, 千葉県, 東京都, "
                        "神奈川県, 山梨県)"),
              std::string::npos);
    EXPECT_TRUE(EndsWith(Text(ShippingMethod::Yamato), "お支払総額(4113円)"));

    // Without totals: one break between entries. Weight class 3 with size class 1 gives
    // the heading of class 3.
    m_engine.SetParcel(30, 30, 20, 15000);
    ASSERT_TRUE(m_engine.List(ShippingMethod::Yamato, 1, false));
    EXPECT_TRUE(StartsWith(
        Text(ShippingMethod::Yamato),
        "・ヤマト宅急便　　東京都より発送　120サイズ<br> [北海道] 1330円 (北海道)<br> ["));
}

TEST_F(CostLists, EmphasisMarksAndUnsendableRegions) {
    RateFixture fixture;
    // 関　東 (2) to 関　西 (4) cannot be sent.
    RateFixture::Replace(fixture.nittu, "2,関　東,x, 3020, 3021, 3022, 3023, 3024,",
                         "2,関　東,x, 3020, 3021, 3022, 3023, -1,");
    Load(fixture);
    m_settings.send_opt.chk_perikan_cod = 1;
    m_settings.personal[1].chk_kenname = 0;
    m_engine.SetTotalBasis(500, 2, 100);
    ASSERT_TRUE(m_engine.List(ShippingMethod::Pelican, 2, true));
    std::string text = Text(ShippingMethod::Pelican);
    EXPECT_TRUE(StartsWith(text, "<font size=\"+0\"><b>・ペリカン便</b></font>"
                                 "<font size=\"-1\">(着払可)　　60サイズ<br> [北海道] 3020円"));
    EXPECT_NE(text.find("<br> [関　西] 発送不可 (滋賀県, 京都府, 大阪府, 兵庫県, 奈良県, 和歌山県)"
                        "<br><br> [中　国] 3025円"),
              std::string::npos);
    EXPECT_NE(text.find("<br>　　┗………… お支払総額(4123円)<br><br> [関　西]"), std::string::npos);
    EXPECT_TRUE(EndsWith(text, "お支払総額(4128円)</font>"));
}

TEST_F(CostLists, YuPackNoteDiscountAndCashOnDelivery) {
    Load(RateFixture());
    m_settings.send_opt.chk_yuupack_opt100 = 1;
    m_settings.send_opt.chk_yuupack_cod = 1;
    m_engine.SetTotalBasis(2000, 1, 0);
    ASSERT_TRUE(m_engine.List(ShippingMethod::YuPack, 0, true));
    std::string expected = "・ゆうパック(着払可+20円)　　東京都より発送　60サイズ\r\n"
                           "\r\n"
                           "※東京都内は送料900円となります。\r\n"
                           "　　┗………… お支払総額(2900円)\r\n"
                           "\r\n"
                           " [北海道] 940円 (北海道)\r\n"
                           "　　┗………… お支払総額(2940円)\r\n"
                           "\r\n"
                           " [東　北] 930円 (青森県, 岩手県, 秋田県, 山形県, 宮城県, 福島県)";
    EXPECT_EQ(Text(ShippingMethod::YuPack).substr(0, expected.size()), expected);
    // 信越 lists 新潟県 then 長野県; the own region is priced by zone, not as one prefecture.
    EXPECT_NE(Text(ShippingMethod::YuPack).find(" [信　越] 930円 (新潟県, 長野県)"),
              std::string::npos);
    EXPECT_NE(Text(ShippingMethod::YuPack).find(" [東　京] 910円 (東京都)"), std::string::npos);

    // No ※ line when the seller is not found or does not show the prefecture.
    m_engine.SetSellerId(Sj("someone"));
    ASSERT_TRUE(m_engine.List(ShippingMethod::YuPack, 1, false));
    EXPECT_TRUE(StartsWith(
        Text(ShippingMethod::YuPack),
        "・ゆうパック(着払可+20円)　　60サイズ<br> [北海道] 940円 (北海道)<br> [東　北]"));
}

TEST_F(CostLists, YahooYuPackZonesAndCityLine) {
    RateFixture fixture;
    // Every prefecture is in zone 1 or 2 from 北海道: zones 3 and 4 are empty.
    std::string zones;
    for (int q = 0; q < 47; ++q) {
        zones += q < 10 ? " 1," : " 2,";
    }
    std::size_t row = fixture.yupack.find(Sj("0,北海道,"));
    std::size_t end = fixture.yupack.find("\r\n", row);
    fixture.yupack.replace(row, end - row, Sj("0,北海道,") + zones);
    Load(fixture);
    m_settings.send_opt.chk_yuupack_opt100 = 1; // never applies here
    m_settings.personal[1].address2 = Sj("札幌市");
    m_settings.personal[1].chk_address2 = 1;
    m_engine.SetOrigin(Sj("北海道"));
    m_engine.SetParcel(20, 20, 20, 1500);
    m_engine.SetTotalBasis(1000, 1, 0);
    ASSERT_TRUE(m_engine.List(ShippingMethod::YahooYuPack, 0, true));
    std::string expected =
        " ・Yahoo!ゆうパック　　北海道より発送　重さ～2kg\r\n\r\n"
        " [ 501円の地域 ]\r\n (北海道-札幌市)\r\n"
        "　　…………… お支払総額(1501円)\r\n\r\n"
        " [ 601円の地域 ]\r\n (北海道, 青森県, 岩手県, 秋田県, 山形県, 宮城県, 福島県, 新潟県, "
        "茨城県, 栃木県)\r\n"
        "　　…………… お支払総額(1601円)\r\n\r\n"
        " [ 701円の地域 ]\r\n (群馬県";
    std::string text = Text(ShippingMethod::YahooYuPack);
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_NE(text.find("沖縄県)\r\n　　…………… お支払総額(1701円)\r\n\r\n [ 801円の地域 ]\r\n ()"
                        "\r\n　　…………… お支払総額(1801円)\r\n\r\n [ 901円の地域 ]\r\n ()"),
              std::string::npos);

    // A zone that cannot be sent gets no total line; the next entry still gets its breaks.
    RateFixture unsendable = fixture;
    RateFixture::Replace(unsendable.yupack, "3,z, 700, 701,", "3,z, 700, -1,");
    Load(unsendable);
    ASSERT_TRUE(m_engine.List(ShippingMethod::YahooYuPack, 0, true));
    EXPECT_NE(Text(ShippingMethod::YahooYuPack).find("沖縄県)\r\n\r\n [ 801円の地域 ]"),
              std::string::npos);
    EXPECT_EQ(Text(ShippingMethod::YahooYuPack).find("お支払総額(999円)"), std::string::npos);

    // Not available from 鹿児島県: false and an empty text.
    m_engine.SetOrigin(Sj("鹿児島県"));
    EXPECT_FALSE(m_engine.List(ShippingMethod::YahooYuPack, 0, true));
    EXPECT_EQ(m_engine.ListText(ShippingMethod::YahooYuPack), "");
}

} // namespace
} // namespace hanamori
