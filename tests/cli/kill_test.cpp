// hanamori-cli killed in the middle of saving a listing, again and again.

#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/kill_loop.h"
#include "support/test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <nlohmann/json.hpp>
#include <spawn.h>

extern char** environ;

namespace hanamori::test {
namespace {

// Starts `hanamori-cli --dir DIR ARGS...` without waiting for it.
pid_t StartCli(const std::string& dir, const std::vector<std::string>& cli_args) {
    std::vector<std::string> args = {HANAMORI_CLI_PATH, "--dir", dir};
    args.insert(args.end(), cli_args.begin(), cli_args.end());
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

TEST(CliKill, AListingSaveKilledAtRandomMomentsIsNeverTorn) {
    TempInstall inst;
    TempDir scratch;
    CliResult made = RunCli(inst.dir(), {"new", "--name", "腕時計"});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string number = made.out.substr(0, made.out.find('\n'));
    const std::string path = inst / ("Datas/" + number + ".rks");
    auto json = nlohmann::json::parse(RunCli(inst.dir(), {"show", number}).out);

    // Two versions of the listing, large enough that writing one takes a while.
    std::string versions[2];
    std::vector<std::string> imports[2];
    for (int i = 0; i < 2; ++i) {
        json["product_name"] = i == 0 ? "旧" : "新";
        json["auction"]["description"] = std::string(100000, i == 0 ? 'a' : 'b');
        std::string json_path = scratch / (std::to_string(i) + ".json");
        WriteFile(json_path, json.dump());
        imports[i] = {"import", json_path, "--replace"};
        ASSERT_EQ(RunCli(inst.dir(), imports[i]).status, 0);
        versions[i] = ReadFile(path);
    }
    ASSERT_NE(versions[0], versions[1]);

    auto start = [&](int attempt) { return StartCli(inst.dir(), imports[attempt % 2]); };
    int kills_mid_save = 0; // runs that left a new temporary file: killed while writing
    int temp_files = 0;
    auto check = [&](int attempt) {
        std::string now = ReadFile(path);
        SaleMaster read;
        bool whole = (now == versions[0] || now == versions[1]) && ReadListing(read, path);
        EXPECT_TRUE(whole) << "after attempt " << attempt << ": " << now.size() << " bytes";
        int now_temp_files = TempFilesUnder(inst / "Datas");
        kills_mid_save += now_temp_files > temp_files;
        temp_files = now_temp_files;
        return whole;
    };
    KillCounts counts =
        KillAtRandomMoments(start, RunTime(start), 200, std::chrono::seconds(50), check);
    std::cout << counts.attempts << " runs: " << counts.kills << " killed, " << counts.finished
              << " finished; " << kills_mid_save << " killed while writing\n";
    EXPECT_GE(counts.kills, 200);
    EXPECT_GT(kills_mid_save, 0);

    // The next save that completes removes what the killed ones left.
    ASSERT_EQ(RunCli(inst.dir(), imports[0]).status, 0);
    EXPECT_EQ(ReadFile(path), versions[0]);
    EXPECT_EQ(TempFilesUnder(inst.dir()), 0);
}

} // namespace
} // namespace hanamori::test
