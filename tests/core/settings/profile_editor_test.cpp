// The user settings dialog's decisions without a window: the first profile shown, the
// default-profile tick, edits kept across profile switches, and the read limits.

#include "core/settings/profile_editor.h"
#include "core/settings/settings_input.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::Sj;

UserSettings FiveSellers() {
    UserSettings s;
    const char* nicks[] = {"alpha", "", "Gamma_Shop", "delta", ""};
    for (int i = 0; i < kProfileCount; ++i) {
        s.personal[static_cast<std::size_t>(i)].nickname = nicks[i];
        s.personal[static_cast<std::size_t>(i)].name = "seller " + std::to_string(i);
    }
    s.def_pers = 3;
    return s;
}

TEST(ProfileEditor, FirstProfileFollowsTheNicknameThenTheDefault) {
    UserSettings s = FiveSellers();
    EXPECT_EQ(FirstProfileShown(s, std::string("gamma_SHOP")), 2); // ASCII case ignored
    EXPECT_EQ(FirstProfileShown(s, std::string("nobody")), 3);
    EXPECT_EQ(FirstProfileShown(s, std::nullopt), 3);
    // An empty nickname is a nickname: it finds the first profile without one.
    EXPECT_EQ(FirstProfileShown(s, std::string()), 1);
    // Full-width letters are compared exactly.
    s.personal[4].nickname = Sj("ａｂｃ");
    EXPECT_EQ(FirstProfileShown(s, Sj("ＡＢＣ")), 3);
    // A default out of range (a hand-edited file) falls back to profile 0.
    s.def_pers = 9;
    EXPECT_EQ(FirstProfileShown(s, std::nullopt), 0);
    EXPECT_EQ(ProfileEditor(s, std::nullopt).shown(), 0);
}

TEST(ProfileEditor, EditsSurviveSwitchingAndReachTheSettingsOnlyOnApply) {
    UserSettings s = FiveSellers();
    ProfileEditor e(s, std::string("ALPHA"));
    ASSERT_EQ(e.shown(), 0);
    SellerProfile edited = e.shownProfile();
    edited.name = Sj("山田 花子");
    e.StoreShown(edited, false);
    ASSERT_TRUE(e.Show(1));
    SellerProfile second = e.shownProfile();
    second.nickname = "beta";
    e.StoreShown(second, false);
    ASSERT_TRUE(e.Show(0));
    EXPECT_EQ(e.shownProfile().name, Sj("山田 花子"));
    EXPECT_EQ(e.profile(1).nickname, "beta");
    EXPECT_FALSE(e.Show(5));
    EXPECT_FALSE(e.Show(-1));
    EXPECT_EQ(e.shown(), 0);

    // Nothing reached the settings yet (ｷｬﾝｾﾙ discards by not applying).
    EXPECT_EQ(s.personal[0].name, "seller 0");
    e.ApplyTo(s);
    EXPECT_EQ(s.personal[0].name, Sj("山田 花子"));
    EXPECT_EQ(s.personal[1].nickname, "beta");
    EXPECT_EQ(s.def_pers, 3);
}

TEST(ProfileEditor, DefaultTickSetsButNeverClearsTheDefault) {
    UserSettings s = FiveSellers();
    s.def_pers = 0;
    ProfileEditor e(s, std::nullopt);
    ASSERT_TRUE(e.Show(4));
    EXPECT_FALSE(e.ShownIsDefault());
    e.StoreShown(e.shownProfile(), true);
    e.ApplyTo(s);
    EXPECT_EQ(s.def_pers, 4);
    // Unticked again and applied: profile 4 stays the default.
    e.StoreShown(e.shownProfile(), false);
    e.ApplyTo(s);
    EXPECT_EQ(s.def_pers, 4);
    EXPECT_TRUE(e.ShownIsDefault());
}

TEST(ProfileEditor, CaptionsAndReadLimits) {
    UserSettings s = FiveSellers();
    ProfileEditor e(s, std::nullopt);
    EXPECT_EQ(e.Caption(0), "alpha");
    EXPECT_EQ(test::Utf8(e.Caption(1)), "未設定");

    SellerProfile p;
    p.name = std::string(126, 'a') + Sj("漢"); // 128 bytes: the double-byte end goes
    p.nickname = std::string(200, 'n');
    p.mail = std::string(300, 'm');
    p.post = std::string(40, '1');
    p.phone = std::string(40, '2');
    p.address2 = std::string(40, 'c');
    p.address = std::string(2000, 'x');
    p.banner_text = std::string(2000, 'b');
    p.bunner_url = std::string(2000, 'u');
    e.StoreShown(p, false);
    const SellerProfile& got = e.shownProfile();
    EXPECT_EQ(got.name, std::string(126, 'a'));
    EXPECT_EQ(got.nickname.size(), 127u);
    EXPECT_EQ(got.mail.size(), 255u);
    EXPECT_EQ(got.post.size(), 30u);
    EXPECT_EQ(got.phone.size(), 30u);
    EXPECT_EQ(got.address2.size(), 31u);
    EXPECT_EQ(got.address.size(), 1022u);
    EXPECT_EQ(got.banner_text.size(), 1023u);
    EXPECT_EQ(got.bunner_url.size(), 1023u);
}

TEST(PaymentInput, SingleLineFieldsAndTheOtherTextAreCut) {
    BankAccount b{1, std::string(200, 'k'), Sj("渋谷支店"), Sj("普通"), "1234567", ""};
    LimitPaymentInput(b);
    EXPECT_EQ(b.bank_name, std::string(127, 'k'));
    EXPECT_EQ(b.sub_name, Sj("渋谷支店"));
    PostalAccount y{1, Sj("ぱるる"), std::string(128, '9'), "1", ""};
    LimitPaymentInput(y);
    EXPECT_EQ(y.sign.size(), 127u);
    OtherPayment o{1, std::string(1000, 'x') + "\r\n" + std::string(1500, 'y')};
    LimitPaymentInput(o);
    EXPECT_EQ(o.text.size(), 2047u);
    EXPECT_EQ(o.text.substr(1000, 2), "\r\n");
    EXPECT_EQ(test::Utf8(BankTypeName(2)), "貯蓄");
    EXPECT_EQ(test::Utf8(PostalTypeName(1)), "一般振替口座");
    EXPECT_EQ(BankTypeName(3), "");
}

} // namespace
} // namespace hanamori
