#include "core/document/overview.h"
#include "core/document/sale_master_doc.h"
#include "core/settings/user_settings.h"
#include "filemgmt_fixture.h"

#include <filesystem>
#include <sstream>
#include <streambuf>

namespace hanamori::test {
namespace {

const std::string kHead =
    "<html><head><meta http-equiv=\"Content-Language\" content=\"ja\"><meta "
    "http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\"><title>Hanamori - "
    "ファイル一覧</title></head><body><table border=\"0\" width=\"100%\"><tr><td><font "
    "size=\"+1\"><b>Hanamori - ファイル一覧</b></font></td><td align=\"right\" "
    "valign=\"bottom\">2024/05/06 07:08</td></tr></table><table border=\"1\" "
    "width=\"100%\"><tr bgcolor=\"#FFCC99\"><th rowspan=\"2\" align=\"center\">状<br>態</td><th "
    "rowspan=\"2\" align=\"center\">タイトル</td><th colspan=\"3\" "
    "align=\"center\">落札者</td><th rowspan=\"2\" align=\"center\">落札<br>個数</td><th "
    "rowspan=\"2\" align=\"center\">合計<br>金額</td></tr><tr bgcolor=\"#FFCC99\"><th "
    "align=\"center\">NickName</td><th align=\"center\">氏名</td><th "
    "align=\"center\">E-Mail</td></tr>";

std::string Total(const std::string& amount) {
    return "<tr><td colspan=\"6\" align=\"right\"><b>合計</b><td align=\"right\">" + amount +
           "</td></tr>";
}

class OverviewTest : public FileMgmtTest {
protected:
    std::string Overview() {
        std::ostringstream out;
        EXPECT_TRUE(WriteOverview(datas, "2024/05/06 07:08", out));
        return Utf8(out.str());
    }
};

TEST_F(OverviewTest, EmptyDirectoryGivesHeadAndZeroTotal) {
    EXPECT_EQ(Overview(), kHead + Total("0"));
}

TEST_F(OverviewTest, ListingsByStatusWithSpanningRowsAndPositiveAmountsInTheTotal) {
    Put("300000000001", "完了品", 1, 1, 1);
    Put("300000000002", "", 1); // no name
    Put("300000000003", "三人", 1, 1, 0, {{"aa", 1000, 2}, {"bb", 0, 5}, {"", -300, 3}});
    Put("300000000004", "未出品");
    WriteFile(datas + "/cut.rks", ReadFile(ListingPath(inst.dir(), "300000000003")).substr(0, 80));
    WriteFile(datas + "/junk.rks", "junk");

    const std::string rows =
        "<tr><td align=\"center\" valign=\"top\" rowspan=\"1\" bgcolor=\"99FF99\"><b>未</b></td>"
        "<td valign=\"top\" rowspan=\"1\">未出品</td>"
        "<td>　</td><td>　</td><td>　</td><td>　</td><td align=\"right\">　</td></tr>"
        "<tr><td align=\"center\" valign=\"top\" rowspan=\"1\" bgcolor=\"FFFF99\"><b>出</b></td>"
        "<td valign=\"top\" rowspan=\"1\">　</td>"
        "<td>　</td><td>　</td><td>　</td><td>　</td><td align=\"right\">　</td></tr>"
        "<tr><td align=\"center\" valign=\"top\" rowspan=\"3\" bgcolor=\"FF9999\"><b>終</b></td>"
        "<td valign=\"top\" rowspan=\"3\">三人</td>"
        "<td>aa</td><td>　</td><td>　</td><td align=\"right\">2</td><td "
        "align=\"right\">2000</td></tr>"
        "<td>bb</td><td>　</td><td>　</td><td align=\"right\">5</td><td align=\"right\">0</td></tr>"
        "<td>　</td><td>　</td><td>　</td><td align=\"right\">3</td><td "
        "align=\"right\">-900</td></tr>"
        "<tr><td align=\"center\" valign=\"top\" rowspan=\"1\" bgcolor=\"9999FF\"><b>完</b></td>"
        "<td valign=\"top\" rowspan=\"1\">完了品</td>"
        "<td>　</td><td>　</td><td>　</td><td>　</td><td align=\"right\">　</td></tr>";
    EXPECT_EQ(Overview(), kHead + rows + Total("2000"));
}

TEST_F(OverviewTest, AmountsDoNotOverflow) {
    const std::int32_t max = 2147483647;
    Put("300000000011", "a", 0, 0, 0, {{"x", max, max}});
    Put("300000000012", "b", 0, 0, 0, {{"y", max, max}});
    Put("300000000013", "c", 0, 0, 0, {{"z", max, max}, {"n", -max - 1, -max - 1}});
    std::string page = Overview();
    EXPECT_NE(page.find(">4611686014132420609</td></tr>"), std::string::npos);
    EXPECT_NE(page.find(">4611686018427387904</td></tr>"), std::string::npos); // shown, not added
    EXPECT_EQ(page.substr(page.size() - Total("13835058042397261827").size()),
              Total("13835058042397261827"));
}

TEST_F(OverviewTest, TextsFromListingsAreEscapedAsHtml) {
    SaleMaster m = Put("300000000041", "<b>時計</b> & \"箱\"");
    CustomerRecord c;
    c.nickname = Sj("<script>alert(1)</script>");
    c.name = Sj("<img src=x onerror='a()'>");
    c.mail = Sj("a&b@example.jp");
    c.price = 100;
    c.count = 1;
    m.customers.Append(c);
    ASSERT_TRUE(WriteListing(m, ListingPath(inst.dir(), "300000000041")));
    const std::string page = Overview();
    EXPECT_NE(page.find("rowspan=\"1\">&lt;b&gt;時計&lt;/b&gt; &amp; &quot;箱&quot;</td>"),
              std::string::npos);
    EXPECT_NE(page.find("<td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"
                        "<td>&lt;img src=x onerror=&#39;a()&#39;&gt;</td>"
                        "<td>a&amp;b@example.jp</td>"),
              std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}

// A stream that accepts `room` bytes and then fails.
class ShortBuf : public std::streambuf {
public:
    explicit ShortBuf(std::size_t room) : m_room(room) {}

protected:
    int_type overflow(int_type c) override {
        if (m_room == 0) {
            return traits_type::eof();
        }
        --m_room;
        return c;
    }

private:
    std::size_t m_room;
};

TEST_F(OverviewTest, FailedWritesAreReported) {
    Put("300000000021", "a", 0, 0, 0, {{"x", 1, 1}});
    std::ostringstream whole;
    ASSERT_TRUE(WriteOverview(datas, "now", whole));
    // Cut off in the head, and one byte short of the end (the total row).
    for (std::size_t room : {std::size_t{0}, std::size_t{100}, whole.str().size() - 1}) {
        ShortBuf buf(room);
        std::ostream out(&buf);
        EXPECT_FALSE(WriteOverview(datas, "now", out)) << room;
    }
    ScriptedHost host;
    EXPECT_FALSE(WriteOverviewFile(datas, inst / "missing/filelist.html", host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(Utf8(host.messages[0].text), "ファイルリストの作成に失敗しました。");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
}

class NoUi : public DocumentUi {
public:
    std::optional<std::string> AskProductName(const std::string&) override { return {}; }
    std::optional<std::string> ChooseListingToOpen(const std::string&) override { return {}; }
    void ManageFiles(const std::string&) override {}
    void SetTitle(const std::string&) override {}
};

TEST_F(OverviewTest, CommandOffersToSaveThenWritesAndOpensThePage) {
    Put("300000000031", "a");
    UserSettings settings;
    ScriptedHost host;
    NoUi ui;
    CSaleMasterDoc doc(host, ui, settings);
    doc.Reset();
    const std::string page = inst / "work/filelist.html";

    doc.SetModified(true);
    host.yes_no_cancel_answers = {Answer::Cancel};
    EXPECT_FALSE(ShowOverview(doc, host));
    EXPECT_FALSE(std::filesystem::exists(page));
    EXPECT_TRUE(host.opened_pages.empty());

    host.yes_no_cancel_answers = {Answer::No};
    EXPECT_TRUE(ShowOverview(doc, host));
    ASSERT_EQ(host.opened_pages, std::vector<std::string>{page});
    std::string written = Utf8(ReadFile(page));
    EXPECT_EQ(written.rfind(kHead.substr(0, 100), 0), 0u);
    EXPECT_NE(written.find(">a</td>"), std::string::npos);
    EXPECT_EQ(written.find('\n'), std::string::npos);
}

} // namespace
} // namespace hanamori::test
