// hanamori-cli tells the truth about what it did: read-only listings, missing folders,
// outputs that cannot be written and inputs that are not what they should be.

#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace hanamori::test {
namespace {

namespace fs = std::filesystem;

class CliTruth : public ::testing::Test {
protected:
    TempInstall inst{true};
    TempDir scratch;
    const std::string number = "261208090000";
    const std::string path = ListingPath(inst.dir(), number);

    void SetUp() override { Put(number, "壺"); }
    void Put(const std::string& no, const std::string& name) {
        SaleMaster m;
        m.manage_no = no;
        m.product_name = Sj(name);
        m.customers.Append(CustomerRecord());
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), no)));
    }
    CliResult Cli(const std::vector<std::string>& args, const std::string& input = {}) {
        return RunCli(inst.dir(), args, input);
    }
    // The command run by the shell, `before` and `after` around it.
    CliResult Shell(const std::string& before, const std::string& command,
                    const std::string& after = {}) {
        return RunCliAt("/bin/sh", "",
                        {"-c", before + " exec \"$0\" --dir \"$1\" " + command + after,
                         HANAMORI_CLI_PATH, inst.dir()});
    }
};

void ExpectRefused(const CliResult& r, const std::string& message) {
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
}

TEST_F(CliTruth, AReadOnlyListingIsNeitherChangedNorDeleted) {
    WriteFile(scratch / "x.json", Cli({"show", number}).out);
    const std::string before = ReadFile(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const std::string not_saved = "このファイルは読み取り専用のため、保存できません。: " + path;
    ExpectRefused(Cli({"bidder", number, "add", "--nickname", "jiro"}), not_saved);
    ExpectRefused(Cli({"import", scratch / "x.json", "--replace"}), not_saved);
    ExpectRefused(Cli({"delete", number}),
                  "このファイルは読み取り専用のため、削除できません。: " + path);
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(CliTruth, ShowGivesTheNumberOfTheFileSoAnImportWritesThatFile) {
    // A listing restored by hand under another name still holds the old number inside.
    fs::copy_file(path, inst / "Datas/261208090001.rks");
    auto json = nlohmann::json::parse(Cli({"show", "261208090001"}).out);
    EXPECT_EQ(json["manage_no"], "261208090001");
    json["customers"] = nlohmann::json::array();
    ASSERT_EQ(Cli({"import", "-", "--replace"}, json.dump()).status, 0);
    EXPECT_EQ(nlohmann::json::parse(Cli({"show", number}).out)["customers"].size(), 1u);
}

TEST_F(CliTruth, AMissingFolderIsAFailureNamingItNotAnEmptyResult) {
    fs::remove_all(inst / "ServiceData");
    ExpectRefused(Cli({"services", "--from", "東京", "--to", "大阪", "--weight", "5", "--size", "1",
                       "1", "1"}),
                  inst / "ServiceData/: no such directory");
    fs::remove_all(inst / "Datas");
    for (const char* command : {"list", "dealings", "overview"}) {
        ExpectRefused(Cli({command}), inst / "Datas/: no such directory");
    }
    WriteFile(inst / "Datas", "");
    ExpectRefused(Cli({"list"}), inst / "Datas/: not a directory");
}

TEST_F(CliTruth, OutputThatCannotBeWrittenFailsWithAMessage) {
    for (const char* command : {"list", "show 261208090000", "settings", "dealings"}) {
        ExpectRefused(Shell("", command, " >/dev/full"), "standard output: cannot be written");
    }
    // The new listing is kept, and the seller learns where it went.
    ExpectRefused(Shell("", "new", " >/dev/full"), "; the listing was saved as " + inst / "Datas/");

    // A device named as the output is written into, not replaced by a file.
    const std::string device = scratch / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        ASSERT_EQ(Cli({"overview", "-o", device}).status, 0);
        EXPECT_TRUE(fs::is_character_file(device));
    }
}

TEST_F(CliTruth, StrangeInputsAndNamesEndInAMessageNotACrash) {
    ExpectRefused(Cli({"import", scratch.path()}), scratch.path() + ": is a directory");
    ExpectRefused(Cli({"import", "/dev/zero"}), "/dev/zero: larger than 64 MiB");

    // A Shift-JIS file name from another system, and a name with a tab and a line break.
    fs::copy_file(path, inst / "Datas/\x83\x65.rks");
    Put("261208090002", "A\tB\r\nC");
    CliResult json = Cli({"list", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(nlohmann::json::parse(json.out).back()["manage_no"], "\\x83e");
    EXPECT_NE(Cli({"list"}).out.find("\t261208090002\t"), std::string::npos);
    EXPECT_NE(Cli({"list"}).out.find("\tA B  C\n"), std::string::npos);

    EXPECT_EQ(Cli({"dealings", "--overdue", "2147483647"}).status, 0);
    EXPECT_EQ(Cli({"dealings", "--overdue", "2147483648"}).status, 2);
}

TEST_F(CliTruth, AListingWithAHugeHoleAfterItIsReadWithoutReadingTheHole) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    // A broken copy: the whole listing, then 2 GB that hold nothing.
    ASSERT_EQ(::truncate(path.c_str(), off_t{2} << 30), 0);
    CliResult r = Shell("ulimit -v 400000 &&", "list");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\t" + number + "\t"), std::string::npos);
    EXPECT_NE(r.out.find("\t壺\n"), std::string::npos) << r.out;
}

} // namespace
} // namespace hanamori::test
