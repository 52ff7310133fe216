// hanamori-cli cost and costlist, run as a process on the shipped rate files.

#include "support/cli_runner.h"
#include "support/test_support.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace hanamori::test {
namespace {

class CliCost : public ::testing::Test {
protected:
    TempInstall inst{true};

    CliResult Cli(const std::vector<std::string>& args) { return RunCli(inst.dir(), args); }
};

const std::vector<std::string> kTokyoOsaka = {
    "cost", "--from", "東京都", "--to", "大阪府", "--weight", "2000", "--size", "30", "20", "10"};

TEST_F(CliCost, ElevenMethodsFromTheShippedTariffs) {
    CliResult run = Cli(kTokyoOsaka);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "定形郵便\t発送不可\n"
                       "定形外郵便\t850\n"
                       "冊子小包\t450\n"
                       "EXPACK500\t発送不可\n"
                       "クロネコメール便\t発送不可\n"
                       "飛脚メール便\t発送不可\n"
                       "ゆうパック\t800\n"
                       "Yahoo!ゆうパック\t770\n"
                       "ヤマト宅急便\t840\n"
                       "佐川急便\t840\n"
                       "ペリカン便\t840\n");
    EXPECT_EQ(run.err, "");

    // The seller's hand-in options apply.
    WriteFile(inst / "user.ini/send_opt.ini",
              "[SEND_METHOD_OPT]\r\nchk_yamato_opt100=1\r\nchk_yuupack_opt100=1\r\n");
    run = Cli(kTokyoOsaka);
    EXPECT_NE(run.out.find("ゆうパック\t700\nYahoo!ゆうパック\t770\nヤマト宅急便\t740\n"),
              std::string::npos)
        << run.out;
}

TEST_F(CliCost, BrokenRateFileIsReportedAndTheRestGoesOn) {
    std::string sagawa = ReadFile(inst / "CostData/sagawa.dat");
    sagawa.resize(sagawa.size() - 2); // the last end marker loses its CR LF
    WriteFile(inst / "CostData/sagawa.dat", sagawa);
    CliResult run = Cli(kTokyoOsaka);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "料金データの読み込みが出来ません。\n[飛脚メール便]\n");
    EXPECT_NE(run.out.find("ゆうパック\t800\n"), std::string::npos);
    EXPECT_NE(run.out.find("ヤマト宅急便\t発送不可\n佐川急便\t発送不可\nペリカン便\t発送不可\n"),
              std::string::npos);
}

TEST_F(CliCost, CostListsAndFailures) {
    CliResult run = Cli({"costlist", "ヤマト宅急便", "--from", "東京都", "--weight", "2000",
                         "--size", "30", "20", "10", "--total", "3000"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 120), std::string("・ヤマト宅急便　　60サイズ\r\n\r\n"
                                                  " [北海道] 1160円 (北海道)\r\n"
                                                  "　　┗………… お支払総額(4160円)\r\n\r\n")
                                          .substr(0, 120));

    run = Cli({"costlist", "ゆうパック", "--from", "東京都", "--weight", "2000", "--size", "30",
               "20", "10", "--format", "2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("<font size=\"+0\"><b>・ゆうパック</b></font>"), 0u);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);

    // Not from 宮崎県: exit 1, nothing on standard output.
    run = Cli({"costlist", "Yahoo!ゆうパック", "--from", "宮崎県", "--weight", "2000", "--size",
               "30", "20", "10"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());

    run = Cli(
        {"costlist", "定形郵便", "--from", "東京都", "--weight", "20", "--size", "1", "1", "1"});
    EXPECT_EQ(run.status, 1);
    run = Cli({"costlist", "ゆうパック", "--from", "東京都", "--weight", "20", "--size", "1", "1"});
    EXPECT_EQ(run.status, 2);
    run = Cli({"costlist", "ゆうパック", "--from", "東京都", "--weight", "20", "--size", "1", "1",
               "1", "--format", "3"});
    EXPECT_EQ(run.status, 2);
    run = Cli(
        {"cost", "--from", "東京都", "--to", "大阪府", "--weight", "2kg", "--size", "1", "1", "1"});
    EXPECT_EQ(run.status, 2);
    run = Cli({"cost", "--from", "東京都", "--to", "😀", "--weight", "2", "--size", "1", "1", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
}

TEST_F(CliCost, PrefecturesByFullOrShortNameAndNothingElse) {
    // The short forms give what the full names give.
    CliResult full = Cli(kTokyoOsaka);
    CliResult short_form = Cli(
        {"cost", "--from", "東京", "--to", "大阪", "--weight", "2000", "--size", "30", "20", "10"});
    EXPECT_EQ(short_form.status, 0) << short_form.err;
    EXPECT_EQ(short_form.out, full.out);
    EXPECT_EQ(Cli({"costlist", "佐川急便", "--from", "神奈川", "--weight", "2000", "--size", "30",
                   "20", "10"})
                  .status,
              0);

    struct Bad {
        std::vector<std::string> args;
        const char* named;
    };
    for (const Bad& bad : {
             Bad{{"cost", "--from", "Tokio", "--to", "大阪府", "--weight", "100", "--size", "1",
                  "1", "1"},
                 "--from: Tokio"},
             Bad{{"cost", "--from", "東京都", "--to", "大坂府", "--weight", "100", "--size", "1",
                  "1", "1"},
                 "--to: 大坂府"},
             Bad{{"cost", "--from", "東京都", "--to", "大阪府", "--weight", "-5", "--size", "1",
                  "1", "1"},
                 "--weight: -5"},
             Bad{{"cost", "--from", "東京都", "--to", "大阪府", "--weight", "0", "--size", "1", "1",
                  "1"},
                 "--weight: 0"},
             Bad{{"cost", "--from", "東京都", "--to", "大阪府", "--weight", "100", "--size", "-1",
                  "20", "10"},
                 "--size: -1"},
             Bad{{"costlist", "ゆうパック", "--from", "東京都", "--weight", "100", "--size", "1",
                  "1", "1", "--total", "-500"},
                 "--total: -500"},
         }) {
        CliResult r = Cli(bad.args);
        EXPECT_EQ(r.status, 2) << bad.named;
        EXPECT_NE(r.err.find(bad.named), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    // The prefectures' names in Latin letters are theirs too, however the long vowels
    // and the suffix are written; a near miss in them suggests the closest.
    std::vector<std::string> romaji = kTokyoOsaka;
    romaji[2] = "Tōkyō-to";
    romaji[4] = "OSAKA";
    EXPECT_EQ(Cli(romaji).out, Cli(kTokyoOsaka).out);
    romaji[2] = "Ooita-ken";
    romaji[4] = "Hyougo";
    EXPECT_EQ(Cli(romaji).status, 0);
    romaji[4] = "Hiroshma";
    EXPECT_NE(Cli(romaji).err.find("広島県"), std::string::npos);
    // A near miss suggests the closest names.
    CliResult near = Cli(
        {"cost", "--from", "東京都", "--to", "大坂府", "--weight", "100", "--size", "1", "1", "1"});
    EXPECT_NE(near.err.find("大阪府"), std::string::npos) << near.err;
    // Sizes of 0 are a parcel that some methods take.
    EXPECT_EQ(Cli({"cost", "--from", "東京都", "--to", "大阪府", "--weight", "20", "--size", "0",
                   "0", "0"})
                  .status,
              0);
}

TEST_F(CliCost, CarrierNamesMatchAfterWidthFoldingAndHelpListsThem) {
    CliResult folded = Cli({"costlist", "Ｙａｈｏｏ!ゆうパック", "--from", "東京都", "--weight",
                            "2000", "--size", "30", "20", "10"});
    EXPECT_EQ(folded.status, 0) << folded.err;
    CliResult unknown = Cli(
        {"costlist", "宅配便", "--from", "東京都", "--weight", "2000", "--size", "30", "20", "10"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("ゆうパック, Yahoo!ゆうパック, ヤマト宅急便, 佐川急便, ペリカン便"),
              std::string::npos)
        << unknown.err;
    CliResult help = Cli({"costlist", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("ペリカン便"), std::string::npos);
    EXPECT_NE(help.out.find("沖縄県"), std::string::npos);
}

} // namespace
} // namespace hanamori::test
