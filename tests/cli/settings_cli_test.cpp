// hanamori-cli settings import: the settings written back from their JSON form.

#include "core/settings/settings_files.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

namespace hanamori::test {
namespace {

TEST(CliSettingsImport, WhatSettingsPrintsComesBackAndPartsUpdateTheRest) {
    TempInstall inst;
    CliResult shown = RunCli(inst.dir(), {"settings"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    auto json = nlohmann::json::parse(shown.out);
    json["personal"][1]["nickname"] = "hanako";
    json["personal"][1]["address"] = "大阪市\n北区";
    json["cr_page"]["send_method"]["chk_yamato"] = 1;
    json["send_opt"]["chk_yuupack_opt"] = 0;
    json["hanamo"]["page_type"] = "デザイン２";
    json["hanamo"]["overdue_days"] = 12;
    CliResult imported = RunCli(inst.dir(), {"settings", "import", "-"}, json.dump());
    ASSERT_EQ(imported.status, 0) << imported.err;

    UserSettings s;
    LoadAllSettings(s, inst.dir());
    EXPECT_EQ(Utf8(s.personal[1].nickname), "hanako");
    EXPECT_EQ(Utf8(s.personal[1].address), "大阪市\r\n北区"); // line breaks as CR LF
    EXPECT_EQ(s.send_method.chk_yamato, 1);
    EXPECT_EQ(s.send_opt.chk_yuupack_opt, 0);
    EXPECT_EQ(Utf8(s.hanamo.page_type), "デザイン２");
    EXPECT_EQ(s.hanamo.overdue_days, 12);
    // What the program prints now is what was imported.
    auto again = nlohmann::json::parse(RunCli(inst.dir(), {"settings"}).out);
    json["personal"][1]["address"] = "大阪市\r\n北区";
    EXPECT_EQ(again, json);

    // Only what is given changes.
    ASSERT_EQ(
        RunCli(inst.dir(), {"settings", "import", "-"}, R"({"bank":[{"bank_name":"桜銀行"}]})")
            .status,
        0);
    LoadAllSettings(s, inst.dir());
    EXPECT_EQ(Utf8(s.bank[0].bank_name), "桜銀行");
    EXPECT_EQ(Utf8(s.personal[1].nickname), "hanako");
}

TEST(CliSettingsImport, RefusalsNameTheFieldAndWriteNothing) {
    TempInstall inst;
    struct Bad {
        std::string json;
        const char* field;
    };
    for (const Bad& bad : {
             Bad{R"({"colour":1})", "colour: unknown key"},
             Bad{R"({"cr_page":{"payment":{"chk_bank":"1"}}})", "cr_page.payment.chk_bank"},
             Bad{R"({"personal":[{},{"mail":"😀"}]})", "personal[1].mail"},
             Bad{R"({"personal":[{"post":")" + std::string(32, '1') + R"("}]})",
                 "personal[0].post"},
             // A line break would end the value and start another key of the file.
             Bad{R"({"bank":[{"number":"1\ncheck=1"}]})", "bank[0].number"},
             Bad{R"({"yuubin":[{},{},{}]})", "yuubin"},
             Bad{R"({"hanamo":{"overdue_days":-1}})", "hanamo.overdue_days"},
             Bad{R"({"etc":{"text":")" + std::string(2048, 'x') + R"("}})", "etc.text"},
         }) {
        CliResult r = RunCli(inst.dir(), {"settings", "import", "-"}, bad.json);
        EXPECT_EQ(r.status, 1) << bad.field;
        EXPECT_NE(r.err.find(bad.field), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(inst / "hanamo.ini"));
    EXPECT_TRUE(std::filesystem::is_empty(inst / "user.ini"));

    CliResult not_json = RunCli(inst.dir(), {"settings", "import", "-"}, "{");
    EXPECT_EQ(not_json.status, 1);
    EXPECT_NE(not_json.err.find("standard input"), std::string::npos);
    CliResult no_file = RunCli(inst.dir(), {"settings", "import", inst / "none.json"});
    EXPECT_EQ(no_file.status, 1);
    EXPECT_NE(no_file.err.find(inst / "none.json"), std::string::npos);
    EXPECT_EQ(RunCli(inst.dir(), {"settings", "import"}).status, 2);
}

TEST(CliSettings, AFileThatCannotBeReadIsNamedAndNeverWrittenOver) {
    TempInstall inst;
    ASSERT_EQ(RunCli(inst.dir(), {"settings", "import", "-"},
                     R"({"personal":[{"address":"a0"},{"address":"a1"},{"address":"a2"},)"
                     R"({"address":"a3"}]})")
                  .status,
              0);
    // A side file in the way that cannot be read (a FIFO): printing empty texts in its
    // place and those after it would make a backup that empties them when restored.
    const std::string fifo = inst / "user.ini/pers_address1.txt";
    ASSERT_EQ(std::filesystem::remove(fifo), true);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    CliResult shown = RunCli(inst.dir(), {"settings"});
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.out, "");
    EXPECT_NE(shown.err.find("ファイルの読み込みに失敗しました。: " + fifo), std::string::npos)
        << shown.err;

    // An import writes only the side texts the JSON holds.
    CliResult imported = RunCli(inst.dir(), {"settings", "import", "-"},
                                R"({"personal":[{"name":"花子"},{},{},{"address":"new"}]})");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(ReadFile(inst / "user.ini/pers_address.txt"), "a0");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(ReadFile(inst / "user.ini/pers_address2.txt"), "a2");
    EXPECT_EQ(ReadFile(inst / "user.ini/pers_address3.txt"), "new");
}

TEST(CliSettingsImport, AFailedImportLeavesEveryFileAsItWas) {
    TempInstall inst;
    ASSERT_EQ(RunCli(inst.dir(), {"settings", "import", "-"}, "{}").status, 0);
    const std::string main_ini = ReadFile(inst / "hanamo.ini");
    if (!MakeUnwritable(inst / "user.ini")) {
        GTEST_SKIP() << "user.ini/ cannot be made read-only here";
    }
    CliResult r = RunCli(inst.dir(), {"settings", "import", "-"},
                         R"({"hanamo":{"page_type":"x"},"personal":[{"name":"y"}]})");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ファイルの保存に失敗しました。: " + inst.dir() + "user.ini/personal.ini"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadFile(inst / "hanamo.ini"), main_ini);
    EXPECT_NE(main_ini.find("page_type="), std::string::npos);
}

} // namespace
} // namespace hanamori::test
