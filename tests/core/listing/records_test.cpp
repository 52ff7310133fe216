#include "core/app/helpers.h"
#include "core/listing/records.h"
#include "core/settings/user_settings.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::Sj;

TEST(Records, ANewListingTakesItsDefaultsFromTheSettings) {
    test::TempInstall inst;
    UserSettings s;
    s.def_pers = 1;
    s.personal[1].address1 = Sj("福岡県");
    s.personal[1].name = Sj("出品者");
    s.personal[1].address = Sj("博多区\r\n1-1");
    s.item_info = {1, Sj("その他の既定")};
    s.payment = {1, 1, 0, "b", "y", "e"};
    s.send_method.chk_yamato = 1;
    s.send_method.edt_etc = Sj("手渡し");
    s.bank[0] = {1, Sj("銀行"), "", "", "", ""};
    s.bank[1] = {1, "", "", "", "", ""}; // switched on but no bank name
    s.bank[2] = {0, Sj("銀行"), "", "", "", ""};
    s.yuubin[0] = {1, Sj("ぱるる"), "", "", ""};
    s.etc = {1, "cod"};
    SaleMaster l;
    l.Reset(s);
    EXPECT_EQ(l.manage_no.size(), 12u);
    EXPECT_TRUE(IsUnsignedInt(l.manage_no));
    EXPECT_EQ(l.product_name, "");
    const AuctionRecord& a = l.auction;
    EXPECT_EQ(a.use_description, 1);
    EXPECT_EQ(a.use_notes, 1);
    EXPECT_EQ(a.use_quantity, 0);
    for (std::int32_t v : {a.quantity, a.weight_g, a.length_cm, a.width_cm, a.height_cm,
                           a.teikei_cost, a.teikeigai_cost, a.booklet_cost, a.expack_cost,
                           a.kuroneko_mail_cost, a.hikyaku_mail_cost, a.other_ship_cost}) {
        EXPECT_EQ(v, -1);
    }
    EXPECT_EQ(a.origin_pref, Sj("福岡県"));
    EXPECT_EQ(a.use_other, 1);
    EXPECT_EQ(a.other, Sj("その他の既定"));
    EXPECT_EQ(a.use_bank, 1);
    EXPECT_EQ(a.use_postal, 1);
    EXPECT_EQ(a.postal_text, "y");
    EXPECT_EQ(a.use_yamato, 1);
    EXPECT_EQ(a.other_ship_name, Sj("手渡し"));
    EXPECT_EQ(l.customers.count(), 0);
    EXPECT_EQ(l.customers_edit.count(), 0);
    const MailRecord& m = l.mail;
    EXPECT_EQ(m.bank1, 1);
    EXPECT_EQ(m.bank2, 0);
    EXPECT_EQ(m.bank3, 0);
    EXPECT_EQ(m.postal1, 1);
    EXPECT_EQ(m.use_other_payment, 1);
    EXPECT_EQ(m.seller_name, Sj("出品者"));
    EXPECT_EQ(m.seller_address, Sj("博多区\r\n1-1"));
}

TEST(Records, TwoListingsCreatedInOneSecondGetTwoNumbers) {
    test::TempInstall inst;
    UserSettings s;
    SaleMaster a, b;
    a.Reset(s);
    b.Reset(s);
    EXPECT_NE(a.manage_no, b.manage_no);
    // A number whose file exists is skipped as well.
    std::string next = NewManageNo();
    test::WriteFile(inst / ("Datas/" + next + ".rks"), "x");
    EXPECT_NE(NewManageNo(), next);
}

TEST(CustomerList, RemovingKeepsOrderAndSelection) {
    CustomerList list;
    for (const char* n : {"a", "b", "c"}) {
        CustomerRecord r;
        r.nickname = n;
        list.Append(r);
    }
    list.current = 1;
    EXPECT_EQ(list.Remove(-1), -1);
    EXPECT_EQ(list.Remove(3), -1);
    EXPECT_EQ(list.Remove(1), 2);
    EXPECT_EQ(list[0].nickname, "a");
    EXPECT_EQ(list[1].nickname, "c");
    EXPECT_EQ(list.current, 1);
    EXPECT_EQ(list.Remove(1), 1);
    EXPECT_EQ(list.current, 0);
    EXPECT_EQ(list.Remove(0), 0);
    EXPECT_EQ(list.current, -1);
    EXPECT_EQ(list.Current(), nullptr);
}

TEST(CustomerList, CopyReplacesTheTargetAndSelectsTheFirst) {
    CustomerList three, five;
    for (int i = 0; i < 3; ++i) {
        CustomerRecord r;
        r.price = i;
        three.Append(r);
    }
    for (int i = 0; i < 5; ++i)
        five.Append(CustomerRecord());
    five.current = 4;
    three.CopyTo(five);
    ASSERT_EQ(five.count(), 3);
    EXPECT_EQ(five[2].price, 2);
    EXPECT_EQ(five.current, 0);
}

TEST(CustomerRecord, TotalsNeverOverflow) {
    CustomerRecord r;
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.Total(), 0);
    r.price = 1500;
    r.count = 2;
    r.ship_cost = 800;
    r.other_charge = -300;
    EXPECT_EQ(r.Total(), 3500);
    r.price = 2000000000;
    r.count = 3;
    EXPECT_EQ(r.Total(), 6000000500LL);
}

} // namespace
} // namespace hanamori
