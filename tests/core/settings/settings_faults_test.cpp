// Settings saves that are killed part-way or run out of disk space.

#include "core/settings/settings_files.h"
#include "support/kill_loop.h"
#include "support/test_support.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {
namespace {

// Settings whose every file differs with `tag`.
UserSettings Version(const std::string& tag) {
    UserSettings s;
    s.hanamo.page_type = "type-" + tag;
    for (std::size_t i = 0; i < s.personal.size(); ++i) {
        s.personal[i].name = tag + std::to_string(i);
        s.personal[i].address = std::string(900, tag[0]);
    }
    for (BankAccount& b : s.bank) {
        b.bank_name = "bank-" + tag;
    }
    for (PostalAccount& p : s.yuubin) {
        p.user_name = "user-" + tag;
    }
    s.etc.text = std::string(2000, tag[0]);
    s.item_info.text = std::string(2000, tag[0]);
    s.payment.banks_text = s.payment.yuubin_text = s.payment.etc_text = "pay-" + tag;
    s.send_method.edt_etc = "send-" + tag;
    s.send_method.text = std::string(3000, tag[0]);
    s.send_opt.chk_yuupack_opt = tag == "a" ? 0 : 1;
    return s;
}

class SettingsFaults : public ::testing::Test {
protected:
    test::TempInstall inst;
    UserSettings a = Version("a");
    UserSettings b = Version("b");
    std::map<std::string, std::string> files_a, files_b;

    void SetUp() override {
        ASSERT_TRUE(SaveAllSettings(b, inst.dir()));
        files_b = test::FilesUnder(inst / "user.ini");
        files_b["hanamo.ini"] = test::ReadFile(inst / "hanamo.ini");
        ASSERT_TRUE(SaveAllSettings(a, inst.dir()));
        files_a = test::FilesUnder(inst / "user.ini");
        files_a["hanamo.ini"] = test::ReadFile(inst / "hanamo.ini");
        ASSERT_EQ(files_a.size(), files_b.size());
    }

    std::map<std::string, std::string> Files() {
        auto now = test::FilesUnder(inst / "user.ini");
        now["hanamo.ini"] = test::ReadFile(inst / "hanamo.ini");
        return now;
    }

    // Every settings file holds the same one of the two versions, once whoever reads
    // the settings next has completed a save that was cut off.
    bool AllOldOrAllNew() {
        { FileLock lock = LockSettings(inst.dir()); }
        auto now = Files();
        if (now != files_a && now != files_b) {
            ADD_FAILURE() << "the settings files are neither all old nor all new";
            return false;
        }
        return true;
    }
};

TEST_F(SettingsFaults, ASaveKilledPartWayLeavesAllFilesOldOrAllNew) {
    auto start = [&](int attempt) {
        pid_t pid = ::fork();
        if (pid == 0) {
            SaveAllSettings(attempt % 2 == 0 ? b : a, inst.dir());
            ::_exit(0);
        }
        return pid;
    };
    auto window = test::RunTime(start);
    auto counts = test::KillAtRandomMoments(start, window, 50, std::chrono::seconds(40),
                                            [&](int) { return AllOldOrAllNew(); });
    EXPECT_GE(counts.kills, 50) << counts.attempts << " attempts";
    ASSERT_TRUE(SaveAllSettings(a, inst.dir()));
    EXPECT_EQ(test::TempFilesUnder(inst.dir()), 0);
}

TEST_F(SettingsFaults, ASaveOnAFullDiskOrAReadOnlyDirectoryFailsAndKeepsEveryFile) {
    // A file size limit stands in for the full disk, for root too.
    struct rlimit old_limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    SettingsWrite full = SaveAllSettings(b, inst.dir());
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.error, EFBIG);
    EXPECT_EQ(Files(), files_a);

    // A file the seller marked read-only is kept as it is, and so is every other.
    ::chmod((inst / "user.ini/send_opt.ini").c_str(), 0444);
    SettingsWrite marked = SaveAllSettings(b, inst.dir());
    EXPECT_EQ(marked.path, inst / "user.ini/send_opt.ini");
    EXPECT_EQ(Files(), files_a);

    if (test::MakeUnwritable(inst / "user.ini")) {
        SettingsWrite read_only = SaveAllSettings(b, inst.dir());
        EXPECT_FALSE(read_only.ok);
        EXPECT_EQ(read_only.path, inst / "user.ini/personal.ini");
        EXPECT_EQ(Files(), files_a);
    }
    EXPECT_EQ(test::TempFilesUnder(inst.dir()), 0);
}

} // namespace
} // namespace hanamori
