#include "core/settings/settings_files.h"
#include "core/text/cp932.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <filesystem>
#include "core/app/helpers.h"
#include "core/app/profile_file.h"

namespace hanamori {
namespace {

using test::Sj;

TEST(SettingsFiles, NoFilesAtAllGiveTheDefaults) {
    test::TempInstall inst;
    UserSettings s;
    s.payment.chk_bank = 7; // must be replaced by the default
    ASSERT_TRUE(LoadAllSettings(s, inst.dir()));
    EXPECT_EQ(s.payment.chk_bank, 1);
    EXPECT_EQ(s.send_opt.chk_yuupack_opt, 1);
    for (const SellerProfile& p : s.personal) {
        EXPECT_EQ(p.banner_text, Sj("マイ・オークションをごらんください"));
        EXPECT_EQ(p.name, "");
        EXPECT_EQ(p.mybooth_flag, 0);
    }
    EXPECT_EQ(s.def_pers, 0);
    EXPECT_EQ(s.payment.chk_yuubin, 0);
    EXPECT_EQ(s.send_method.chk_yamato, 0);
    EXPECT_EQ(s.hanamo.page_type, "");
    EXPECT_TRUE(s.unread_side_files.empty());
}

UserSettings FullSettings() {
    UserSettings s;
    s.hanamo.page_type = Sj("テーブル表示1");
    s.hanamo.page_color = Sj("ソフトブルー");
    for (int i = 0; i < kProfileCount; ++i) {
        SellerProfile& p = s.personal[static_cast<std::size_t>(i)];
        p.name = Sj("佐藤花子") + std::to_string(i);
        p.nickname = "hanako_" + std::to_string(i);
        p.mail = "hanako" + std::to_string(i) + "@example.jp";
        p.post = "100-000" + std::to_string(i);
        p.address1 = Sj("東京都");
        p.chk_kenname = 1;
        p.chk_address2 = i % 2;
        p.address2 = Sj("八王子市");
        p.address = Sj("表参道1-2-3\r\nソレイユ 101号室 ") + std::to_string(i);
        p.phone = "03-0000-000" + std::to_string(i);
        p.y_auction = 1;
        p.mybooth_flag = 1;
        p.mybooth_type = i;
        p.banner_text = Sj("私の出品リスト");
        p.bunner_url = "http://example.jp/b" + std::to_string(i) + ".gif";
    }
    s.def_pers = 4;
    for (int i = 0; i < kBankCount; ++i) {
        BankAccount& b = s.bank[static_cast<std::size_t>(i)];
        b.check = 1;
        b.bank_name = Sj("みずほ銀行");
        b.sub_name = Sj("本店");
        b.type = Sj("普通");
        b.number = "123456" + std::to_string(i);
        b.user_name = Sj("サトウハナコ");
    }
    s.yuubin[1] = {1, Sj("一般振替口座"), "00100", "123", Sj("サトウハナコ")};
    s.etc = {1, Sj("代金引換もご利用いただけます。\r\n手数料はご負担ください。")};
    s.item_info = {1, Sj("ノークレーム・ノーリターンでお願いします。\r\n")};
    s.payment = {0, 1, 1, Sj("銀行振込\r\n二行目"), Sj("郵便振替"), Sj("その他")};
    s.send_method.chk_teikei = 1;
    s.send_method.chk_perikan = 1;
    s.send_method.chk_etc = 1;
    s.send_method.edt_etc = Sj("手渡し");
    s.send_method.text = Sj("発送は週末です。\r\n");
    s.send_opt.chk_sassi_cod = 1;
    s.send_opt.chk_perikan_cod = 1;
    s.send_opt.chk_yuupack_opt = 0;
    return s;
}

TEST(SettingsFiles, EveryGroupSurvivesASaveAndALoad) {
    test::TempInstall inst;
    UserSettings saved = FullSettings();
    ASSERT_TRUE(SaveAllSettings(saved, inst.dir()));
    EXPECT_TRUE(FileExists(inst / "hanamo.ini"));
    EXPECT_EQ(test::ReadFile(inst / "user.ini/pers_address4.txt"), saved.personal[4].address);
    UserSettings loaded;
    ASSERT_TRUE(LoadAllSettings(loaded, inst.dir()));
    EXPECT_TRUE(loaded == saved);
    // Profile 4 lives in its own section.
    EXPECT_EQ(ReadProfileInt(inst / "user.ini/personal.ini", "PERSONAL4", "mybooth_type", -1), 4);
}

TEST(SettingsFiles, SideFilesAreReadUpToTheirLimit) {
    test::TempInstall inst;
    test::WriteFile(inst / "user.ini/pers_address.txt", std::string(1500, 'a'));
    test::WriteFile(inst / "user.ini/pg_etc_info.txt", std::string(3000, 'b'));
    UserSettings s;
    LoadAllSettings(s, inst.dir());
    EXPECT_EQ(s.personal[0].address.size(), 1023u);
    // The other-remarks default keeps what the listing settings let the seller type.
    EXPECT_EQ(s.item_info.text.size(), 2047u);
}

TEST(SettingsFiles, AMissingSideFileReadsEmptyAndTheGroupGoesOn) {
    test::TempInstall inst;
    test::WriteFile(inst / "user.ini/pg_yuubin.txt", "yuubin");
    test::WriteFile(inst / "user.ini/pg_etc_payment.txt", "etc");
    UserSettings s;
    s.payment.banks_text = "stale";
    EXPECT_TRUE(LoadPaymentDefaults(s, inst.dir()));
    EXPECT_EQ(s.payment.banks_text, "");
    EXPECT_EQ(s.payment.yuubin_text, "yuubin");
    EXPECT_EQ(s.payment.etc_text, "etc");
}

TEST(SettingsFiles, AnUnreadableSideFileIsNeverOverwrittenByTheSave) {
    test::TempInstall inst;
    // A directory where the file should be cannot be read as a text.
    std::filesystem::create_directories(inst / "user.ini/pg_banks.txt");
    test::WriteFile(inst / "user.ini/pg_yuubin.txt", "seller's postal text");
    UserSettings s;
    s.payment.yuubin_text = "in memory";
    EXPECT_FALSE(LoadPaymentDefaults(s, inst.dir()));
    EXPECT_EQ(s.payment.yuubin_text, "in memory"); // later files of the group not read
    EXPECT_TRUE(SaveAllSettings(s, inst.dir()));
    EXPECT_EQ(test::ReadFile(inst / "user.ini/pg_yuubin.txt"), "seller's postal text");
    EXPECT_TRUE(std::filesystem::is_directory(inst / "user.ini/pg_banks.txt"));
}

TEST(SettingsFiles, ASaveIntoAMissingDirectoryFails) {
    test::TempDir dir;
    UserSettings s;
    EXPECT_FALSE(SaveAllSettings(s, dir.path()));
}

TEST(UserSettings, ProfileIndexOfNicknameIgnoresLetterCase) {
    UserSettings s;
    s.personal[0].nickname = "alpha";
    s.personal[2].nickname = "Seller_Two";
    EXPECT_EQ(s.ProfileIndexOfNickname("SELLER_two"), 2);
    EXPECT_EQ(s.ProfileIndexOfNickname("nobody"), -1);
    // An empty nickname matches the first profile without one.
    EXPECT_EQ(s.ProfileIndexOfNickname(""), 1);
}

} // namespace
} // namespace hanamori
