// hanamori-cli new, show, import and settings, run as a real process.

#include "core/app/helpers.h"
#include "core/listing/listing_file.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace hanamori {
namespace {

using test::CliResult;
using test::RunCli;

TEST(CliListing, NewShowImportRoundTrip) {
    test::TempInstall inst;
    CliResult made = RunCli(inst.dir(), {"new", "--name", "表示パネル ソ"});
    ASSERT_EQ(made.status, 0) << made.err;
    std::string number = made.out.substr(0, made.out.find('\n'));
    ASSERT_EQ(number.size(), 12u);
    std::string file = inst / ("Datas/" + number + ".rks");
    std::string original = test::ReadFile(file);

    CliResult shown = RunCli(inst.dir(), {"show", number});
    ASSERT_EQ(shown.status, 0) << shown.err;
    auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["product_name"], "表示パネル ソ");
    EXPECT_EQ(json["auction"]["use_description"], 1);
    EXPECT_EQ(json["customers"].size(), 0u);

    // Import what show printed: the same file comes back.
    std::filesystem::remove(file);
    CliResult imported = RunCli(inst.dir(), {"import", "-"}, shown.out);
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(test::ReadFile(file), original);
}

TEST(CliListing, ImportFillsMissingFieldsAndRefusesBadOnes) {
    test::TempInstall inst;
    CliResult ok =
        RunCli(inst.dir(), {"import", "-"},
               R"({"product_name":"時計","customers":[{"nickname":"bidder","price":1500}]})");
    ASSERT_EQ(ok.status, 0) << ok.err;
    std::string number = ok.out.substr(0, 12);
    auto json = nlohmann::json::parse(RunCli(inst.dir(), {"show", number}).out);
    EXPECT_EQ(json["customers"][0]["count"], 1);
    EXPECT_EQ(json["auction"]["quantity"], -1);

    struct Bad {
        const char* json;
        const char* field;
    };
    for (const Bad& bad :
         {Bad{R"({"colour":"x"})", "colour"},
          Bad{R"({"auction":{"quantity":"3"}})", "auction.quantity"},
          Bad{R"({"product_name":"😀"})", "product_name"},
          Bad{R"({"customers":[{"zip":1}]})", "customers[0].zip"},
          Bad{R"({"manage_no":"../../etc"})", "manage_no"},
          Bad{R"({"auction":{"weight_g":18446744073709551615}})",
              "auction.weight_g: must be a 32-bit integer"},
          Bad{R"({"auction":{"listed":9223372036854775808}})", "auction.listed"},
          Bad{R"({"product_name":"abc\u0000def"})", "product_name: holds the character U+0000"}}) {
        CliResult r = RunCli(inst.dir(), {"import", "-"}, bad.json);
        EXPECT_EQ(r.status, 1) << bad.json;
        EXPECT_NE(r.err.find(bad.field), std::string::npos) << r.err;
    }
    std::string long_name(300, 'a');
    EXPECT_EQ(
        RunCli(inst.dir(), {"import", "-"}, "{\"product_name\":\"" + long_name + "\"}").status, 1);
}

TEST(CliListing, ImportReplacesAnExistingListingOnlyWhenAsked) {
    test::TempInstall inst;
    CliResult made = RunCli(inst.dir(), {"new", "--name", "腕時計"});
    ASSERT_EQ(made.status, 0) << made.err;
    std::string number = made.out.substr(0, 12);
    std::string file = inst / ("Datas/" + number + ".rks");
    std::string before = test::ReadFile(file);

    std::string partial = R"({"manage_no":")" + number + R"(","auction":{"weight_g":400}})";
    CliResult refused = RunCli(inst.dir(), {"import", "-"}, partial);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(number), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(test::ReadFile(file), before);

    CliResult replaced = RunCli(inst.dir(), {"import", "-", "--replace"}, partial);
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    auto json = nlohmann::json::parse(RunCli(inst.dir(), {"show", number}).out);
    EXPECT_EQ(json["auction"]["weight_g"], 400);
    EXPECT_EQ(json["product_name"], ""); // replaced whole

    // A number of its own that is free is written as given.
    CliResult own = RunCli(inst.dir(), {"import", "-"}, R"({"manage_no":"A1"})");
    EXPECT_EQ(own.status, 0) << own.err;
    EXPECT_EQ(own.out, "A1\n");
}

TEST(CliListing, TheBooksAndServicesFieldsTravelThroughShowAndImport) {
    test::TempInstall inst;
    CliResult r = RunCli(inst.dir(), {"import", "-"},
                         R"({"auction":{"unit_cost":400,"services":["click_post","yupacket"]},)"
                         R"("customers":[{"nickname":"a"},{"nickname":"b","shipping_paid":185,)"
                         R"("tracking_no":"1234-5678"}]})");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string number = r.out.substr(0, 12);
    CliResult shown = RunCli(inst.dir(), {"show", number});
    auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["auction"]["unit_cost"], 400);
    EXPECT_EQ(json["auction"]["services"], nlohmann::json({"click_post", "yupacket"}));
    EXPECT_EQ(json["customers"][0]["shipping_paid"], -1);
    EXPECT_EQ(json["customers"][1]["tracking_no"], "1234-5678");
    const std::string file = inst / ("Datas/" + number + ".rks");
    const std::string stored = test::ReadFile(file);
    std::filesystem::remove(file);
    ASSERT_EQ(RunCli(inst.dir(), {"import", "-"}, shown.out).status, 0);
    EXPECT_EQ(test::ReadFile(file), stored);

    const std::pair<const char*, const char*> refusals[] = {
        {R"({"auction":{"unit_cost":-5}})", "auction.unit_cost"},
        {R"({"auction":{"services":["a","a"]}})", "auction.services[1]"},
        {R"({"auction":{"services":[""]}})", "auction.services[0]"},
        {R"({"customers":[{"tracking_no":"1\n2"}]})", "customers[0].tracking_no"}};
    for (const auto& [bad, field] : refusals) {
        CliResult refused = RunCli(inst.dir(), {"import", "-"}, bad);
        EXPECT_EQ(refused.status, 1) << bad;
        EXPECT_NE(refused.err.find(field), std::string::npos) << refused.err;
    }
}

TEST(CliListing, LineFeedsInImportedTextsAreStoredAsCrLf) {
    test::TempInstall inst;
    CliResult r = RunCli(inst.dir(), {"import", "-"},
                         R"({"auction":{"description":"一行目\n二行目\r\n三行目\n"}})");
    ASSERT_EQ(r.status, 0) << r.err;
    auto json = nlohmann::json::parse(RunCli(inst.dir(), {"show", r.out.substr(0, 12)}).out);
    EXPECT_EQ(json["auction"]["description"], "一行目\r\n二行目\r\n三行目\r\n");
}

TEST(CliListing, ConcurrentNewProcessesNeverShareANumber) {
    test::TempInstall inst;
    auto runs = test::RunCliConcurrently(HANAMORI_CLI_PATH, inst.dir(), {"new", "--name", "x"}, 20);
    std::set<std::string> numbers;
    for (const CliResult& r : runs) {
        EXPECT_EQ(r.status, 0) << r.err;
        numbers.insert(r.out);
    }
    EXPECT_EQ(numbers.size(), 20u);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(inst / "Datas")) {
        SaleMaster m;
        EXPECT_TRUE(ReadListing(m, entry.path().string())) << entry.path();
        EXPECT_EQ(m.manage_no + ".rks", entry.path().filename().string());
        ++files;
    }
    EXPECT_EQ(files, 20u);
}

TEST(CliListing, FailuresAndUsage) {
    test::TempInstall inst;
    CliResult missing = RunCli(inst.dir(), {"show", "000000000000"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no such listing: " + inst.dir() + "Datas/000000000000.rks"),
              std::string::npos)
        << missing.err;
    EXPECT_EQ(RunCli(inst.dir(), {"show"}).status, 2);
    EXPECT_EQ(RunCli(inst.dir(), {"frobnicate"}).status, 2);
    EXPECT_EQ(RunCli(inst.dir(), {"new", "--name", "😀"}).status, 1);
}

TEST(CliListing, SettingsPrintsWhatStartUpLoads) {
    test::TempInstall inst;
    test::WriteFile(inst / "user.ini/cr_page.ini", "[PAYMENT]\r\nchk_bank=0\r\n");
    test::WriteFile(inst / "user.ini/pers_address2.txt", test::Sj("大阪市\r\n北区"));
    CliResult r = RunCli(inst.dir(), {"settings"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["cr_page"]["payment"]["chk_bank"], 0);
    EXPECT_EQ(json["send_opt"]["chk_yuupack_opt"], 1);
    EXPECT_EQ(json["personal"][2]["address"], "大阪市\r\n北区");
    EXPECT_EQ(json["personal"][0]["banner_text"], "マイ・オークションをごらんください");
    EXPECT_EQ(json["bank"].size(), 4u);
    EXPECT_EQ(json["yuubin"].size(), 2u);
    EXPECT_FALSE(FileExists(inst / "hanamo.ini")); // nothing written
}

} // namespace
} // namespace hanamori
