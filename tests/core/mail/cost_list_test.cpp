#include "core/mail/cost_lists.h"
#include "mail_fixture.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

class FixedCostLists : public ::testing::Test, public test::MailFixture {
protected:
    std::string Plain() { return Utf8(FixedCostList(listing.auction)); }
    std::string Totals() { return Utf8(FixedCostTotalList(listing.auction, &Bidder())); }
    void TickAll() {
        AuctionRecord& a = listing.auction;
        a.use_teikei = a.use_teikeigai = a.use_booklet = a.use_expack = 1;
        a.use_kuroneko_mail = a.use_hikyaku_mail = a.use_other_ship = 1;
        a.teikei_cost = 80;
        a.teikeigai_cost = 290;
        a.booklet_cost = 340;
        a.expack_cost = 500;
        a.kuroneko_mail_cost = 160;
        a.hikyaku_mail_cost = 0;
        a.other_ship_name = Sj("手渡し");
        a.other_ship_cost = 0;
    }
};

TEST_F(FixedCostLists, EveryMethodWithItsOwnSpacing) {
    TickAll();
    Bidder().other_charge = 100; // goods sum 2100
    EXPECT_EQ(Plain(), "▼発送方法(送料固定)\r\n\r\n"
                       "　・定形郵便(80円)\r\n　・定形外郵便(290円)\r\n　・冊子小包(340円)\r\n"
                       "　・EXPACK500(500円)\r\n　・クロネコメール便(160円)\r\n"
                       "　・飛脚メール便(0円)\r\n　・その他(手渡し 0円)");
    EXPECT_EQ(Totals(), "▼発送方法(送料固定)\r\n\r\n"
                        "　・定形郵便(80円)　　　　　　………… お支払総額(2180円)\r\n"
                        "　・定形外郵便(290円)　　　　………… お支払総額(2390円)\r\n"
                        "　・冊子小包(340円)　　　　　………… お支払総額(2440円)\r\n"
                        "　・EXPACK500(500円)　　　　………… お支払総額(2600円)\r\n"
                        "　・クロネコメール便(160円)　　………… お支払総額(2260円)\r\n"
                        "　・飛脚メール便(0円)　　　………… お支払総額(2100円)\r\n"
                        "　・その他(手渡し 0円)　　　………… お支払総額(2100円)");
}

TEST_F(FixedCostLists, NegativeCostsAndUnnamedOtherMethod) {
    AuctionRecord& a = listing.auction;
    a.use_other_ship = 1; // no name: does not count as offered
    a.other_ship_cost = 500;
    EXPECT_EQ(Plain(), "");
    a.use_teikei = 1; // cost -1: not entered
    a.use_booklet = 1;
    a.booklet_cost = -5;
    EXPECT_EQ(Plain(), "▼発送方法(送料固定)\r\n\r\n");
    EXPECT_EQ(Totals(), "▼発送方法(送料固定)\r\n\r\n");
    a.use_teikei = a.use_booklet = 0;
    a.other_ship_name = Sj("レターパック");
    EXPECT_EQ(Plain(), "▼発送方法(送料固定)\r\n\r\n　・その他(レターパック 500円)");
}

TEST_F(FixedCostLists, TotalsNeedABidderWithPriceAndCount) {
    TickAll();
    EXPECT_EQ(Utf8(FixedCostTotalList(listing.auction, nullptr)), "");
    Bidder().price = 0;
    EXPECT_EQ(Totals(), "");
    Bidder().price = 1;
    Bidder().count = 0;
    EXPECT_EQ(Totals(), "");
    Bidder().count = 1;
    EXPECT_NE(Totals(), "");
}

} // namespace
} // namespace hanamori
