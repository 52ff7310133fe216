// hanamori-cli when the disk fills up part-way or a file is not what its name says.

#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/kill_loop.h"
#include "support/test_support.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hanamori::test {
namespace {

class CliFaults : public ::testing::Test {
protected:
    TempInstall inst{true};
    TempDir scratch;
    const std::string number = "261207153000";

    void SetUp() override {
        SaleMaster m;
        m.manage_no = number;
        m.product_name = Sj("腕時計");
        m.auction.description = std::string(20000, 'd');
        CustomerRecord c;
        c.nickname = "ichiro";
        m.customers.Append(c);
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), number)));
    }

    // Runs the CLI under a file size limit of `bytes` and returns its exit status and
    // standard error (through a pipe, which the limit does not cut). The test keeps the
    // default action of SIGXFSZ, which the CLI inherits: it must ignore the signal itself.
    CliResult CliLimited(const std::vector<std::string>& cli_args, rlim_t bytes) {
        std::vector<std::string> args = {HANAMORI_CLI_PATH, "--dir", inst.dir()};
        args.insert(args.end(), cli_args.begin(), cli_args.end());
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        int err[2];
        CliResult r;
        if (::pipe(err) != 0) {
            ADD_FAILURE() << "pipe";
            return r;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        posix_spawn_file_actions_addclose(&actions, err[0]);
        struct rlimit old_limit {};
        EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
        struct rlimit small = old_limit;
        small.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        pid_t pid = -1;
        int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        ::setrlimit(RLIMIT_FSIZE, &old_limit);
        posix_spawn_file_actions_destroy(&actions);
        ::close(err[1]);
        char buf[4096];
        for (ssize_t n; (n = ::read(err[0], buf, sizeof buf)) > 0;) {
            r.err.append(buf, static_cast<std::size_t>(n));
        }
        ::close(err[0]);
        int status = 0;
        if (spawned == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            r.status = WEXITSTATUS(status);
        }
        return r;
    }
};

TEST_F(CliFaults, EveryWriterFailsCleanlyWhenTheDiskIsFull) {
    ASSERT_EQ(std::signal(SIGXFSZ, SIG_DFL), SIG_DFL);
    const std::string listing = ListingPath(inst.dir(), number);
    const std::string before = ReadFile(listing);
    const auto listings_before = FilesUnder(inst / "Datas");
    WriteFile(inst / "work/body.html", "old page");
    WriteFile(inst / "work/mail.txt", "old mail");
    WriteFile(inst / "work/filelist.html", "old overview");
    CliResult shown = RunCli(inst.dir(), {"show", number});
    ASSERT_EQ(shown.status, 0) << shown.err;
    WriteFile(scratch / "listing.json", shown.out);
    const std::vector<std::string> replace = {"import", scratch / "listing.json", "--replace"};

    struct Case {
        std::vector<std::string> args;
        std::string kept; // the file that must keep its old content
    };
    const std::vector<Case> cases = {
        {replace, listing},
        {{"new", "--name", "新しい"}, listing},
        {{"copy", number}, listing},
        {{"bidder", number, "add", "--nickname", "jiro"}, listing},
        {{"bidder", number, "remove", "ichiro"}, listing},
        {{"page", number, "--design", "簡易表示(カラー非対応)"}, inst / "work/body.html"},
        {{"mail", number, "--template", "発送のお知らせ"}, inst / "work/mail.txt"},
        {{"overview"}, inst / "work/filelist.html"},
    };
    for (const Case& c : cases) {
        std::string old_bytes = ReadFile(c.kept);
        CliResult r = CliLimited(c.args, 256);
        EXPECT_EQ(r.status, 1) << c.args[0] << ": " << r.err;
        EXPECT_NE(r.err.find("失敗しました"), std::string::npos) << c.args[0] << ": " << r.err;
        EXPECT_EQ(ReadFile(c.kept), old_bytes) << c.args[0];
        EXPECT_EQ(TempFilesUnder(inst.dir()), 0) << c.args[0];
    }
    EXPECT_EQ(ReadFile(listing), before);
    EXPECT_EQ(FilesUnder(inst / "Datas"), listings_before); // no new listing appeared

    // With room again the same commands succeed.
    EXPECT_EQ(RunCli(inst.dir(), replace).status, 0);
    EXPECT_EQ(RunCli(inst.dir(), {"overview"}).status, 0);
}

TEST_F(CliFaults, AHugeSparseFileIsAnUnreadableRowAndNoAbort) {
    // What a broken copy can leave: a 40 GB file with no data, named like a listing.
    std::string big = inst / "Datas/big.rks";
    WriteFile(big, "");
    ASSERT_EQ(::truncate(big.c_str(), off_t{40} << 30), 0);

    CliResult list = RunCli(inst.dir(), {"list"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("?\tbig\t"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find(number), std::string::npos);

    ASSERT_EQ(RunCli(inst.dir(), {"overview"}).status, 0);
    std::string page = Utf8(ReadFile(inst / "work/filelist.html"));
    EXPECT_NE(page.find("腕時計"), std::string::npos);

    CliResult show = RunCli(inst.dir(), {"show", "big"});
    EXPECT_EQ(show.status, 1);
    EXPECT_NE(show.err.find("ファイルの読み込みに失敗しました。"), std::string::npos) << show.err;
    CliResult copy = RunCli(inst.dir(), {"copy", "big"});
    EXPECT_EQ(copy.status, 1);
    EXPECT_NE(copy.err.find("ファイルのコピーに失敗しました。"), std::string::npos) << copy.err;
}

} // namespace
} // namespace hanamori::test
