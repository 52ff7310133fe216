// hanamori-cli's own options and the installation check that runs before any command.

#include "core/app/version.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace hanamori::test {
namespace {

TEST(CliUsage, HelpAndVersionGoToStandardOutput) {
    TempInstall inst;
    CliResult help = RunCli(inst.dir(), {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("hanamori-cli [--dir DIR] COMMAND"), std::string::npos);
    EXPECT_NE(help.out.find("costlist CARRIER"), std::string::npos);
    EXPECT_EQ(help.err, "");

    CliResult command_help = RunCli(inst.dir(), {"show", "--help"});
    EXPECT_EQ(command_help.status, 0);
    EXPECT_NE(command_help.out.find("show ID"), std::string::npos);
    EXPECT_EQ(command_help.out.find("costlist"), std::string::npos);

    CliResult version = RunCli(inst.dir(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("hanamori-cli ") + kVersion + "\n");
}

TEST(CliUsage, UsageErrorsNameTheArgument) {
    TempInstall inst;
    CliResult unknown = RunCli(inst.dir(), {"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("frobnicate: unknown command"), std::string::npos) << unknown.err;
    CliResult option = RunCli(inst.dir(), {"list", "--sortt", "1"});
    EXPECT_EQ(option.status, 2);
    EXPECT_NE(option.err.find("--sortt"), std::string::npos) << option.err;
    EXPECT_NE(option.err.find("hanamori-cli list"), std::string::npos) << option.err;
    EXPECT_EQ(RunCli(inst.dir(), {}).status, 2);
}

TEST(CliUsage, RefusesWhatIsNotAnInstallation) {
    TempDir empty;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"list"},
                                                 {"cost", "--from", "東京都", "--to", "大阪府",
                                                  "--weight", "100", "--size", "10", "10", "10"}}) {
        CliResult missing = RunCli("/nonexistent/hanamori", args);
        EXPECT_EQ(missing.status, 1);
        EXPECT_NE(missing.err.find("/nonexistent/hanamori"), std::string::npos) << missing.err;
        EXPECT_EQ(missing.out, "");

        CliResult bare = RunCli(empty.path(), args);
        EXPECT_EQ(bare.status, 1);
        EXPECT_NE(bare.err.find(empty.path()), std::string::npos) << bare.err;
        EXPECT_NE(bare.err.find("CostData/"), std::string::npos) << bare.err;
    }

    // A copy of the executable moved elsewhere finds no installation beside it, and no
    // shipped data to make a per-user one from.
    TempDir data_home;
    ::setenv("XDG_DATA_HOME", data_home.path().c_str(), 1);
    std::filesystem::copy_file(HANAMORI_CLI_PATH, empty / "hanamori-cli");
    CliResult moved = RunCliAt(empty / "hanamori-cli", "", {"list"});
    EXPECT_EQ(moved.status, 1);
    EXPECT_NE(moved.err.find(data_home / "hanamori/"), std::string::npos) << moved.err;
    EXPECT_FALSE(std::filesystem::exists(data_home / "hanamori"));

    // The shipped installation is one.
    EXPECT_EQ(RunCliAt(HANAMORI_CLI_PATH, "", {"list"}).status, 0);
}

} // namespace
} // namespace hanamori::test
