// hanamori-cli services, run as a process on the shipped service files: the wiring of
// the text and JSON forms, the arguments, and a bad file reported beside the others.

#include "support/cli_runner.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace hanamori::test {
namespace {

const std::vector<std::string> kBook = {"services", "--from", "東京", "--to", "大阪府", "--weight",
                                        "800",      "--size", "30",   "22",   "3"};

TEST(CliServices, TextAndJsonForms) {
    TempInstall inst(true);
    CliResult run = RunCli(inst.dir(), kBook);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("定形郵便物\t日本郵便\t発送不可\t\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("クリックポスト\t日本郵便\t185\t最安\n"), std::string::npos);
    EXPECT_NE(run.out.find("ゆうパック\t日本郵便\t料金表未確認\t\n"), std::string::npos);
    EXPECT_NE(run.out.find("宅急便コンパクト\tヤマト運輸\t発送不可\t\n"), std::string::npos);

    std::vector<std::string> args = kBook;
    args.push_back("--json");
    run = RunCli(inst.dir(), args);
    ASSERT_EQ(run.status, 0) << run.err;
    auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json.size(), 14u);
    EXPECT_EQ(json[0]["service"], "定形郵便物");
    EXPECT_TRUE(json[0]["cost"].is_null());
    EXPECT_EQ(json[0]["effective"], "2024-10-01");
    EXPECT_EQ(json[4]["service"], "クリックポスト");
    EXPECT_EQ(json[4]["cost"], 185);
    EXPECT_EQ(json[4]["cheapest"], true);
    EXPECT_TRUE(json[4]["effective"].is_null());
    EXPECT_EQ(json[9]["withheld"], "料金表未確認");
    EXPECT_EQ(json[10]["unconfirmed"], true);

    // A 60-size parcel to the same region marks the 要確認 price of the compact box.
    run = RunCli(inst.dir(), {"services", "--from", "東京都", "--to", "千葉", "--weight", "1000",
                              "--size", "25", "20", "5"});
    EXPECT_NE(run.out.find("宅急便コンパクト\tヤマト運輸\t650\t要確認\n"), std::string::npos)
        << run.out;
}

TEST(CliServices, BadFileIsReportedAndArgumentsChecked) {
    TempInstall inst(true);
    WriteFile(inst / "ServiceData/05_click_post.csv", "service,x\r\ncarrier,y\r\nflat,1x\r\n");
    CliResult run = RunCli(inst.dir(), kBook);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("ServiceData/05_click_post.csv 3行目: 数値ではありません: 1x"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out.find("クリックポスト"), std::string::npos);
    EXPECT_NE(run.out.find("ゆうパケット\t日本郵便\t360\t最安\n"), std::string::npos) << run.out;

    run = RunCli(inst.dir(),
                 {"services", "--from", "東京", "--weight", "800", "--size", "1", "2", "3"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--to: missing"), std::string::npos);
    run = RunCli(inst.dir(), {"services", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("hanamori-cli services --from PREF"), std::string::npos);
}

} // namespace
} // namespace hanamori::test
