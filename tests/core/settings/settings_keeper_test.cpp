// The program's settings kept in step with the files while another program changes them.

#include "core/settings/settings_keeper.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace hanamori {
namespace {

TEST(SettingsKeeper, AWriteKeepsWhatAnotherProgramChangedAndTheLaterChangeOfAKeyWins) {
    test::TempInstall inst;
    UserSettings start;
    start.personal[0].name = "old";
    ASSERT_TRUE(SaveAllSettings(start, inst.dir()));
    // Longer than the program reads of it; and a side file that cannot be read, which
    // leaves the later texts of its group unread.
    test::WriteFile(inst / "user.ini/pers_address1.txt", std::string(1500, 'x'));
    std::filesystem::remove(inst / "user.ini/pg_banks.txt");
    std::filesystem::create_directory(inst / "user.ini/pg_banks.txt");

    UserSettings held;
    SettingsKeeper keeper;
    keeper.Load(held, inst.dir());
    {
        FileLock lock = LockSettings(inst.dir());
        UserSettings other;
        LoadAllSettings(other, inst.dir());
        const UserSettings as_read = other;
        other.personal[0].name = "cli";
        other.hanamo.page_type = "cli design";
        ASSERT_TRUE(SaveAllSettings(other, inst.dir(), &as_read));
    }
    held.send_opt.chk_sagawa_cod = 1;
    held.hanamo.page_type = "window design";
    held.payment.etc_text = "typed"; // the seller's text, although its file was unread
    EXPECT_TRUE(keeper.Unsaved());
    ASSERT_TRUE(keeper.Write());
    EXPECT_FALSE(keeper.Unsaved());

    UserSettings now;
    LoadAllSettings(now, inst.dir());
    EXPECT_EQ(now.personal[0].name, "cli");
    EXPECT_EQ(now.send_opt.chk_sagawa_cod, 1);
    EXPECT_EQ(now.hanamo.page_type, "window design");
    EXPECT_EQ(test::ReadFile(inst / "user.ini/pg_etc_payment.txt"), "typed");
    held.unread_side_files = now.unread_side_files;
    held.payment.etc_text.clear();
    EXPECT_EQ(held, now); // the window shows the other program's change too
    // A text the window did not change keeps its bytes, beyond what it reads of it.
    EXPECT_EQ(test::ReadFile(inst / "user.ini/pers_address1.txt"), std::string(1500, 'x'));
}

} // namespace
} // namespace hanamori
