// hanamori-cli bidder add / remove, run as a process on listing files.

#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace hanamori::test {
namespace {

class CliBidder : public ::testing::Test {
protected:
    TempInstall inst;
    const std::string number = "261207153000";
    std::string path;

    void SetUp() override {
        path = ListingPath(inst.dir(), number);
        SaleMaster m;
        m.manage_no = number;
        m.product_name = Sj("腕時計");
        for (const char* nick : {"Taro", "-jiro-", "saburo"}) {
            CustomerRecord c;
            c.nickname = nick;
            c.name = Sj("山田 太郎");
            c.price = 3000;
            c.paid = 1;
            c.paid_date = "2026/12/01";
            m.customers.Append(c);
        }
        ASSERT_TRUE(WriteListing(m, path));
    }

    CliResult Cli(const std::vector<std::string>& args) { return RunCli(inst.dir(), args); }
    SaleMaster Stored() {
        SaleMaster m;
        EXPECT_TRUE(ReadListing(m, path));
        return m;
    }
    std::vector<std::string> Nicknames() {
        std::vector<std::string> names;
        const SaleMaster m = Stored();
        for (const CustomerRecord& c : m.customers.records()) {
            names.push_back(Utf8(c.nickname));
        }
        return names;
    }
};

TEST_F(CliBidder, AddRegistersAsTheRegistrationDialogDoes) {
    CliResult add = Cli({"bidder", number, "add", "--nickname", "花子", "--mail",
                         "hanako@example.jp", "--price", "1,500円", "--count", "0"});
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(add.out, "");
    EXPECT_EQ(add.err, "");
    SaleMaster m = Stored();
    ASSERT_EQ(m.customers.count(), 4);
    const CustomerRecord& added = m.customers[3];
    EXPECT_EQ(Utf8(added.nickname), "花子");
    EXPECT_EQ(added.mail, "hanako@example.jp");
    EXPECT_EQ(added.price, 1500);
    EXPECT_EQ(added.count, 1);
    EXPECT_EQ(added.name, "");
    EXPECT_EQ(added.paid, 0);
    // The bidders already there keep everything.
    EXPECT_EQ(Utf8(m.customers[0].name), "山田 太郎");
    EXPECT_EQ(m.customers[0].paid_date, "2026/12/01");

    // Options in any order; the amount stops at a full stop; the path form of ID.
    ASSERT_EQ(
        Cli({"bidder", path, "add", "--count", "3", "--price", "12.5", "--nickname", "ＴＡＲＯ"})
            .status,
        0);
    // Only the nickname: no mail, amount 0, one piece.
    ASSERT_EQ(Cli({"bidder", number, "add", "--nickname", std::string(127, 'n')}).status, 0);
    m = Stored();
    ASSERT_EQ(m.customers.count(), 6);
    EXPECT_EQ(m.customers[4].price, 12);
    EXPECT_EQ(m.customers[4].count, 3);
    EXPECT_EQ(m.customers[5].mail, "");
    EXPECT_EQ(m.customers[5].price, 0);
    EXPECT_EQ(m.customers[5].count, 1);
}

TEST_F(CliBidder, RefusalsLeaveTheFileAsItWas) {
    const std::string before = ReadFile(path);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"add", "--nickname", "taro"}, 1, "その落札者は既に登録されています。"},
        {{"add", "--nickname", "SABURO", "--price", "100"},
         1,
         "その落札者は既に登録されています。"},
        {{"add", "--nickname", ""}, 1, "落札者のニックネームを入力してください。"},
        {{"add", "--nickname", std::string(128, 'n')}, 1, "--nickname: longer than the field"},
        {{"add", "--nickname", "x", "--mail", std::string(256, 'm')}, 1, "--mail: longer"},
        {{"add", "--nickname", "x", "--price", std::string(64, '1')}, 1, "--price: longer"},
        {{"add", "--nickname", "x", "--price", "1万8千円"},
         1,
         "落札金額は整数(半角)を入力してください。"},
        {{"add", "--nickname", "😀"}, 1, "\"😀\" cannot be stored"},
        {{"remove", "nobody"}, 1, "\"nobody\": no bidder with this nickname"},
        {{"remove", "ＴＡＲＯ"}, 1, "(Taro, -jiro-, saburo)"},
        {{"add"}, 2, "--nickname: missing"},
        {{"add", "--nickname"}, 2, "--nickname: missing value"},
        {{"add", "--nickname", "x", "--count", "many"}, 2, "--count: many"},
        {{"add", "--nickname", "x", "--colour", "red"}, 2, "--colour: unknown option"},
        {{"rename", "x"}, 2, "rename: unknown action"},
        {{"remove"}, 2, "remove: missing NICK"},
        {{"remove", "Taro", "saburo"}, 2, "saburo: unexpected argument"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"bidder", number};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliResult r = Cli(args);
        EXPECT_EQ(r.status, c.status) << c.message << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.message;
        if (c.status == 2) {
            EXPECT_NE(r.err.find("hanamori-cli bidder ID remove NICK"), std::string::npos);
        }
        EXPECT_EQ(ReadFile(path), before) << c.message;
    }

    // A listing that is not there is not created.
    CliResult missing = Cli({"bidder", "261207153001", "add", "--nickname", "x"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no such listing: " + ListingPath(inst.dir(), "261207153001")),
              std::string::npos)
        << missing.err;
    EXPECT_FALSE(std::filesystem::exists(ListingPath(inst.dir(), "261207153001")));
    EXPECT_EQ(Cli({"bidder", "261207153001", "remove", "Taro"}).status, 1);
    // Where no lock file can be made, no change could be saved either.
    std::filesystem::create_directory(path + ".lock");
    EXPECT_NE(
        Cli({"bidder", number, "add", "--nickname", "x"})
            .err.find("ファイルの保存に失敗しました。: " + path + ": the lock file cannot be made"),
        std::string::npos);
}

TEST_F(CliBidder, RemoveTakesTheNicknameIgnoringAsciiCase) {
    // Registered and removed again: the file is byte for byte what it was, so nothing
    // else of the listing is lost on the way through.
    const std::string before = ReadFile(path);
    ASSERT_EQ(Cli({"bidder", number, "add", "--nickname", "shiro", "--price", "800"}).status, 0);
    EXPECT_NE(ReadFile(path), before);
    ASSERT_EQ(Cli({"bidder", number, "remove", "Shiro"}).status, 0);
    EXPECT_EQ(ReadFile(path), before);

    CliResult remove = Cli({"bidder", number, "remove", "TARO"});
    ASSERT_EQ(remove.status, 0) << remove.err;
    EXPECT_EQ(remove.out + remove.err, "");
    EXPECT_EQ(Nicknames(), (std::vector<std::string>{"-jiro-", "saburo"}));
    // A nickname that starts with a minus sign is a nickname, not an option.
    ASSERT_EQ(Cli({"bidder", number, "remove", "-JIRO-"}).status, 0);
    EXPECT_EQ(Nicknames(), (std::vector<std::string>{"saburo"}));
    // The only bidder removed leaves an empty list.
    ASSERT_EQ(Cli({"bidder", number, "remove", "saburo"}).status, 0);
    SaleMaster m = Stored();
    EXPECT_EQ(m.customers.count(), 0);
    EXPECT_EQ(Utf8(m.product_name), "腕時計");
    EXPECT_EQ(Cli({"bidder", number, "remove", "saburo"}).status, 1);
}

TEST_F(CliBidder, ChangesAtTheSameMomentAllLandAndABusyListingIsLeftAlone) {
    std::vector<std::vector<std::string>> runs;
    std::set<std::string> expected = {"Taro", "-jiro-", "saburo"};
    for (int i = 0; i < 20; ++i) {
        runs.push_back({"bidder", number, "add", "--nickname", "nick" + std::to_string(i)});
        expected.insert("nick" + std::to_string(i));
    }
    for (const CliResult& r : RunCliConcurrently(HANAMORI_CLI_PATH, inst.dir(), runs)) {
        EXPECT_EQ(r.status, 0) << r.err;
    }
    std::vector<std::string> names = Nicknames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
    EXPECT_EQ(names.size(), expected.size());

    // While another program holds the listing, each changing command waits a few
    // seconds, then gives up naming the listing and writes nothing.
    const std::string before = ReadFile(path);
    {
        FileLock held = LockListing(path);
        ASSERT_TRUE(held.held());
        const std::string json = inst / "listing.json";
        WriteFile(json, "{\"manage_no\": \"" + number + "\"}");
        const auto started = std::chrono::steady_clock::now();
        auto busy = RunCliConcurrently(HANAMORI_CLI_PATH, inst.dir(),
                                       {{"bidder", number, "remove", "Taro"},
                                        {"import", json, "--replace"},
                                        {"delete", number, "--force"}});
        EXPECT_GE(std::chrono::steady_clock::now() - started, kListingLockWait);
        for (const CliResult& r : busy) {
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.err.find(Utf8(ListingBusyMessage()) + ": " + path), std::string::npos)
                << r.err;
        }
        EXPECT_EQ(ReadFile(path), before);
    }
    // The lock file of a holder that was killed blocks nothing.
    WriteFile(path + ".lock", "");
    ASSERT_EQ(Cli({"bidder", number, "remove", "Taro"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(path + ".lock"));
}

} // namespace
} // namespace hanamori::test
