// hanamori-cli mail, run as a process on an installation with the shipped templates.

#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace hanamori::test {
namespace {

class CliMail : public ::testing::Test {
protected:
    TempInstall inst{true};

    void SetUp() override {
        UserSettings s;
        s.personal[0].nickname = "hanako_shop";
        s.personal[0].chk_kenname = 1;
        s.bank[0] = {1,          Sj("みずほ銀行"), Sj("渋谷支店"),
                     Sj("普通"), "1234567",        Sj("ヤマダ ハナコ")};
        ASSERT_TRUE(SaveAllSettings(s, inst.dir()));

        SaleMaster m;
        m.Reset(s);
        m.manage_no = "500000000001";
        m.product_name = Sj("木製カトラリーセット");
        m.auction.use_teikeigai = 1;
        m.auction.teikeigai_cost = 510;
        m.auction.use_yamato = 1;
        m.auction.length_cm = 30;
        m.auction.width_cm = 20;
        m.auction.height_cm = 10;
        m.auction.weight_g = 1500;
        m.mail.bank1 = 1;
        m.mail.seller_name = Sj("山田 花子");
        m.mail.seller_nickname = "hanako_shop";
        m.mail.seller_pref = Sj("東京都");
        for (const char* nick : {"ichiro_s", "Jiro_K"}) {
            CustomerRecord c;
            c.name = Sj(std::string(nick) == "ichiro_s" ? "佐藤 一郎" : "鈴木 次郎");
            c.nickname = nick;
            c.price = 1000;
            c.count = 2;
            c.ship_cost = 800;
            m.customers.Append(c);
        }
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));
        m.manage_no = "500000000002";
        m.customers.Clear();
        ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), m.manage_no)));
    }

    CliResult Cli(const std::vector<std::string>& args) { return RunCli(inst.dir(), args); }
    std::string Body() { return Utf8(ReadFile(inst / "work/mail.txt")); }
    std::string Title() { return Utf8(ReadFile(inst / "work/mail_title.txt")); }
};

TEST_F(CliMail, BuildsBodyAndTitleForTheChosenBidder) {
    CliResult first = Cli({"mail", "500000000001", "--template", "落札のお礼・お支払いのご案内"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(Body().rfind("佐藤 一郎 様\r\n", 0), 0u);
    EXPECT_EQ(Title(), "落札のお礼とお支払いのご案内(木製カトラリーセット)");
    EXPECT_NE(Body().find("　・定形外郵便(510円)　　　　………… お支払総額(2510円)"),
              std::string::npos);
    EXPECT_NE(Body().find("・ヤマト宅急便"), std::string::npos);
    EXPECT_NE(Body().find("東京都より発送"), std::string::npos); // profile found by nickname
    EXPECT_NE(Body().find("▼支払い先1(銀行口座)"), std::string::npos);

    // Nicknames match without regard to ASCII case, as registration compares them.
    CliResult second = Cli({"mail", ListingPath(inst.dir(), "500000000001"), "--template",
                            "お支払いのお願い(再度のご案内)", "--bidder", "jiro_k"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(Body().rfind("鈴木 次郎 様\r\n", 0), 0u);
    EXPECT_NE(Body().find("お支払い合計：2800円"), std::string::npos);
}

TEST_F(CliMail, WithoutBiddersNoMailIsWritten) {
    CliResult run = Cli({"mail", "500000000002", "--template", "発送のお知らせ"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("500000000002: the listing has no winning bidder"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::ifstream(inst / "work/mail.txt").good());
}

TEST_F(CliMail, FailuresAndUsage) {
    CliResult unknown_bidder =
        Cli({"mail", "500000000001", "--template", "発送のお知らせ", "--bidder", "nobody"});
    EXPECT_EQ(unknown_bidder.status, 1);
    EXPECT_NE(unknown_bidder.err.find("nobody"), std::string::npos);

    // An unknown template names the valid ones; brackets of either width match.
    CliResult unknown_template = Cli({"mail", "500000000001", "--template", "ない"});
    EXPECT_EQ(unknown_template.status, 1);
    EXPECT_NE(unknown_template.err.find("--template: ない"), std::string::npos);
    EXPECT_NE(unknown_template.err.find("発送のお知らせ, お取引完了のお礼・評価のお願い"),
              std::string::npos)
        << unknown_template.err;
    EXPECT_EQ(
        Cli({"mail", "500000000001", "--template", "お支払いのお願い（再度のご案内）"}).status, 0);
    CliResult help = Cli({"mail", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("お支払いのお願い(再度のご案内)"), std::string::npos);

    CliResult no_file = Cli({"mail", "599999999999", "--template", "発送のお知らせ"});
    EXPECT_EQ(no_file.status, 1);
    EXPECT_NE(no_file.err.find("no such listing"), std::string::npos);
    CliResult unreadable =
        Cli({"mail", inst / "template/color.lst", "--template", "発送のお知らせ"});
    EXPECT_NE(unreadable.err.find("ファイルの読み込みに失敗しました。"), std::string::npos);

    EXPECT_EQ(Cli({"mail", "500000000001"}).status, 2);
    EXPECT_EQ(Cli({"mail", "--template", "x"}).status, 2);
    EXPECT_EQ(Cli({"mail", "500000000001", "--template"}).status, 2);
    EXPECT_EQ(Cli({"mail", "500000000001", "--template", "😀"}).status, 1);

    // A broken template list is reported, and then no template can be found.
    WriteFile(inst / "template/template.lst", "only[\t]one separator\r\n");
    CliResult broken = Cli({"mail", "500000000001", "--template", "発送のお知らせ"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("メールテンプレートの読み込みに失敗しました。"), std::string::npos);
    EXPECT_NE(broken.err.find("--template: 発送のお知らせ: no template of this name (none loaded)"),
              std::string::npos)
        << broken.err;
}

} // namespace
} // namespace hanamori::test
