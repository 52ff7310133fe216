// hanamori-cli killed in the middle of saving a listing, again and again.

#include "core/listing/listing_dir.h"
#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "support/cli_runner.h"
#include "support/kill_loop.h"
#include "support/test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <nlohmann/json.hpp>
#include <set>
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

TEST(CliKill, NewCopyAndImportKilledLeaveEitherNoListingOrAWholeOne) {
    TempInstall inst;
    TempDir scratch;
    // A source large enough that writing a copy or an import takes a while.
    nlohmann::json json = nlohmann::json::object();
    json["product_name"] = "元";
    json["auction"]["description"] = std::string(200000, 'd');
    const std::string json_path = scratch / "source.json";
    WriteFile(json_path, json.dump());
    CliResult made = RunCli(inst.dir(), {"import", json_path});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string source = made.out.substr(0, made.out.find('\n'));
    const std::vector<std::string> runs[3] = {
        {"new", "--name", "新"}, {"copy", source}, {"import", json_path}};

    const std::string datas = inst / "Datas";
    std::set<std::string> checked;
    auto start = [&](int attempt) { return StartCli(inst.dir(), runs[attempt % 3]); };
    auto check = [&](int attempt) {
        bool whole = true;
        for (const std::string& name : ListingFileNames(datas)) {
            if (checked.insert(name).second) {
                SaleMaster read;
                whole = ReadListing(read, JoinDatasPath(datas, name)) && whole;
                EXPECT_TRUE(whole) << name << " after attempt " << attempt;
            }
        }
        return whole;
    };
    KillCounts counts =
        KillAtRandomMoments(start, RunTime(start), 200, std::chrono::seconds(90), check);
    std::cout << counts.attempts << " runs: " << counts.kills << " killed; " << checked.size()
              << " listings, " << TempFilesUnder(datas) << " temporary files left\n";
    EXPECT_GE(counts.kills, 200);

    // What the kills left goes at the next start once it is a minute old; a younger
    // one may belong to a save still running.
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const auto& e : std::filesystem::directory_iterator(datas)) {
        std::filesystem::last_write_time(e.path(), old);
    }
    WriteFile(datas + "/261207000000.rks.tmp-AbCdEf", "young");
    ASSERT_EQ(RunCli(inst.dir(), {"list"}).status, 0);
    EXPECT_EQ(TempFilesUnder(datas), 1);
    EXPECT_EQ(ListingFileNames(datas).size(), checked.size());
}

TEST(CliKill, ASettingsImportKilledAtRandomMomentsLeavesTheFilesAllOfOneImport) {
    TempInstall inst;
    TempDir scratch;
    // Two imports that change several files, with side texts long enough that writing
    // them takes a while.
    std::vector<std::string> imports[2];
    std::map<std::string, std::string> versions[2];
    for (int i = 0; i < 2; ++i) {
        const std::string tag = i == 0 ? "a" : "b";
        const std::string text(2000, tag[0]);
        nlohmann::json json = {{"hanamo", {{"page_type", tag}}},
                               {"etc", {{"text", text}}},
                               {"send_opt", {{"chk_sagawa_cod", i}}}};
        json["personal"].push_back({{"name", tag}, {"address", text.substr(1000)}});
        json["cr_page"] = {{"item_info", {{"text", text}}}, {"send_method", {{"text", text}}}};
        const std::string json_path = scratch / (tag + ".json");
        WriteFile(json_path, json.dump());
        imports[i] = {"settings", "import", json_path};
        CliResult r = RunCli(inst.dir(), imports[i]);
        ASSERT_EQ(r.status, 0) << r.err;
        versions[i] = FilesUnder(inst.dir());
    }
    ASSERT_NE(versions[0], versions[1]);

    auto start = [&](int attempt) { return StartCli(inst.dir(), imports[attempt % 2]); };
    auto check = [&](int attempt) {
        // Whoever reads the settings next completes a save that was cut off.
        { FileLock lock = LockSettings(inst.dir()); }
        auto now = FilesUnder(inst.dir());
        bool one = now == versions[0] || now == versions[1];
        EXPECT_TRUE(one) << "after attempt " << attempt;
        return one;
    };
    KillCounts counts =
        KillAtRandomMoments(start, RunTime(start), 200, std::chrono::seconds(50), check);
    std::cout << counts.attempts << " runs: " << counts.kills << " killed, " << counts.finished
              << " finished\n";
    EXPECT_GE(counts.kills, 200);
    // The next imports that complete remove what the killed ones left.
    ASSERT_EQ(RunCli(inst.dir(), imports[0]).status, 0);
    ASSERT_EQ(RunCli(inst.dir(), imports[1]).status, 0);
    EXPECT_EQ(TempFilesUnder(inst.dir()), 0);
}

} // namespace
} // namespace hanamori::test
