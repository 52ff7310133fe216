// hanamori-cli page, run as a process on an installation with the shipped data.

#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace hanamori::test {
namespace {

class CliPage : public ::testing::Test {
protected:
    TempInstall inst{true};

    void SetUp() override {
        UserSettings s;
        s.hanamo.page_type = Sj("デザイン２");
        s.hanamo.page_color = Sj("グレー");
        ASSERT_TRUE(SaveAllSettings(s, inst.dir()));

        SaleMaster m;
        m.Reset(s);
        m.manage_no = "600000000001";
        AuctionRecord& a = m.auction;
        a.display_name = Sj("木製カトラリーセット");
        a.description = Sj("桜の木のスプーンです。\r\n");
        a.use_yamato = 1;
        a.length_cm = 30;
        a.width_cm = 20;
        a.height_cm = 10;
        a.weight_g = 1500;
        a.origin_pref = Sj("東京都");
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));
        a.design_type = Sj("デザイン１");
        a.design_color = Sj("ブルー");
        m.manage_no = "600000000002";
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));
    }
    CliResult Cli(const std::vector<std::string>& args) { return RunCli(inst.dir(), args); }
    std::string Work(const std::string& name) { return Utf8(ReadFile(inst / ("work/" + name))); }
};

TEST_F(CliPage, BuildsBodyWithTheListingsOrTheStandardDesign) {
    // The listing names no design: the standard one of hanamo.ini.
    CliResult standard = Cli({"page", "600000000001"});
    ASSERT_EQ(standard.status, 0) << standard.err;
    EXPECT_EQ(standard.err, "");
    std::string body = Work("body.html");
    EXPECT_EQ(body.rfind("<p align=\"center\"><table width=\"640\" bgcolor=\"", 0), 0u);
    EXPECT_NE(body.find("cellspacing=\"0\" cellpadding=\"10\">"), std::string::npos);
    EXPECT_NE(body.find("<b>木製カトラリーセット</b>"), std::string::npos);
    EXPECT_NE(body.find("桜の木のスプーンです。<br>"), std::string::npos);
    // The cost list of the shipping engine, from the shipped rate files.
    EXPECT_NE(body.find("ヤマト宅急便"), std::string::npos);
    EXPECT_NE(body.find("東京都"), std::string::npos);
    EXPECT_EQ(body.find("<html>"), std::string::npos);

    // The listing's own design and colour come first; the command line before both.
    ASSERT_EQ(Cli({"page", "600000000002"}).status, 0);
    EXPECT_NE(Work("body.html").find("cellspacing=\"1\" cellpadding=\"5\">"), std::string::npos);
    ASSERT_EQ(
        Cli({"page", ListingPath(inst.dir(), "600000000002"), "--design", "簡易表示(カラー非対応)"})
            .status,
        0);
    EXPECT_EQ(Work("body.html").rfind("木製カトラリーセット<br><br>■商品の説明<br>", 0), 0u);
}

TEST_F(CliPage, PreviewAndOutputFile) {
    CliResult run = Cli({"page", "600000000002", "--preview"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string preview = Work("preview.html");
    EXPECT_EQ(preview.rfind(
                  "<html>\n<head>\n<title>Hanamori プレビュー「デザイン１ - ブルー」</title>\n", 0),
              0u);
    EXPECT_EQ(preview.substr(preview.size() - 8), "</html>\n");

    ASSERT_EQ(Cli({"page", "600000000002", "-o", inst / "work/mine.html"}).status, 0);
    EXPECT_EQ(Work("mine.html").rfind("<p align=\"center\"><table", 0), 0u);
}

TEST_F(CliPage, NamesMatchAcrossWidthsAndUnknownOnesAreRefused) {
    // ASCII digits and brackets find the catalogue's full-width ones, and back.
    ASSERT_EQ(Cli({"page", "600000000001", "--design", "デザイン1", "--color", "ブルー"}).status,
              0);
    std::string design1 = Work("body.html");
    ASSERT_EQ(Cli({"page", "600000000002"}).status, 0); // stored デザイン１ and ブルー
    EXPECT_EQ(Work("body.html"), design1);
    CliResult simple = Cli({"page", "600000000002", "--design", "簡易表示(カラー対応)"});
    EXPECT_EQ(simple.status, 0) << simple.err;
    EXPECT_EQ(simple.err, "");
    EXPECT_EQ(Cli({"page", "600000000002", "--design", "簡易表示（カラー非対応）"}).status, 0);

    // A name given on the command line must exist: the valid ones are listed.
    CliResult design = Cli({"page", "600000000002", "--design", "デザイン4"});
    EXPECT_EQ(design.status, 1);
    EXPECT_NE(design.err.find("--design: デザイン4"), std::string::npos) << design.err;
    EXPECT_NE(design.err.find("デザイン１, デザイン２, デザイン３"), std::string::npos)
        << design.err;
    CliResult color = Cli({"page", "600000000002", "--color", "黒"});
    EXPECT_EQ(color.status, 1);
    EXPECT_NE(color.err.find("--color: 黒"), std::string::npos) << color.err;
    EXPECT_NE(color.err.find("ブルー"), std::string::npos) << color.err;

    // Names stored in the listing go to the builder, which reports an unknown one and
    // falls back as the desktop program does.
    WriteFile(inst / "user.ini/../hanamo.ini",
              Sj("[HANAMO_SETTING]\r\npage_type=なし\r\npage_color=黒\r\n"));
    CliResult stored = Cli({"page", "600000000001"});
    ASSERT_EQ(stored.status, 0);
    EXPECT_NE(stored.err.find("指定のページタイプが見つかりませんでした。"), std::string::npos);
    EXPECT_NE(stored.err.find("指定のカラーリストが見つかりませんでした。"), std::string::npos);
    EXPECT_EQ(Work("body.html").rfind("木製カトラリーセット<br><br>", 0), 0u);

    CliResult help = Cli({"page", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("簡易表示(カラー非対応)"), std::string::npos);
    EXPECT_NE(help.out.find("ブルー"), std::string::npos);
}

TEST_F(CliPage, DashWritesToStandardOutput) {
    ASSERT_EQ(Cli({"page", "600000000002"}).status, 0);
    std::string file = ReadFile(inst / "work/body.html");
    std::remove((inst / "work/body.html").c_str());
    CliResult out = Cli({"page", "600000000002", "-o", "-"});
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, file);
    EXPECT_FALSE(std::ifstream(inst / "work/body.html").good());
    EXPECT_FALSE(std::ifstream("-").good());
}

TEST_F(CliPage, FailuresAndUsage) {
    CliResult missing = Cli({"page", "699999999999"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no such listing: " + inst / "Datas/699999999999.rks"),
              std::string::npos)
        << missing.err;

    CliResult nowhere = Cli({"page", "600000000002", "-o", inst / "nodir/body.html"});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(
        nowhere.err.find("商品の紹介ページの作成に失敗しました。: " + inst / "nodir/body.html"),
        std::string::npos)
        << nowhere.err;
    nowhere = Cli({"page", "600000000002", "--preview", "-o", inst / "nodir/body.html"});
    EXPECT_NE(nowhere.err.find("プレビューの作成に失敗しました。"), std::string::npos);

    // Nothing chosen anywhere: the seller is asked to choose, from the names there are,
    // and no page is written.
    ASSERT_TRUE(SaveAllSettings(UserSettings(), inst.dir()));
    CliResult no_design = Cli({"page", "600000000001"});
    EXPECT_EQ(no_design.status, 1);
    EXPECT_NE(no_design.err.find("作成するページの種類を選択してください。: --design デザイン１"),
              std::string::npos)
        << no_design.err;
    EXPECT_FALSE(std::ifstream(inst / "work/body.html").good());
    CliResult no_color = Cli({"page", "600000000001", "--preview", "--design", "デザイン1"});
    EXPECT_EQ(no_color.status, 1);
    EXPECT_NE(no_color.err.find("作成するページのデザイン(カラー)を選択してください。: --color "),
              std::string::npos)
        << no_color.err;
    EXPECT_EQ(Cli({"page", "600000000001", "--design", "簡易表示(カラー非対応)"}).status, 0);

    EXPECT_EQ(Cli({"page"}).status, 2);
    EXPECT_EQ(Cli({"page", "600000000002", "--design"}).status, 2);
    EXPECT_EQ(Cli({"page", "600000000002", "extra"}).status, 2);
    EXPECT_EQ(Cli({"page", "600000000002", "--color", "😀"}).status, 1);

    // Without a colour list only the plain design can be built.
    std::remove((inst / "template/color.lst").c_str());
    CliResult colored = Cli({"page", "600000000002"});
    EXPECT_EQ(colored.status, 1);
    EXPECT_NE(colored.err.find("カラーテンプレートの読み込みに失敗しました。"), std::string::npos);
    EXPECT_NE(colored.err.find("商品の紹介ページの作成に失敗しました。"), std::string::npos);
    EXPECT_EQ(Cli({"page", "600000000002", "--design", "簡易表示(カラー非対応)"}).status, 0);
}

} // namespace
} // namespace hanamori::test
