#include "core/app/helpers.h"
#include "core/document/file_list.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"
#include "filemgmt_fixture.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace hanamori::test {
namespace {

class CopyDeleteTest : public FileMgmtTest {
protected:
    UserSettings settings;
    ScriptedHost host;
    FileList list{datas, settings, host};

    int RowOf(const std::string& number) {
        const auto& rows = list.rows();
        auto it = std::find_if(rows.begin(), rows.end(),
                               [&](const FileRow& r) { return r.manage_no == number; });
        return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
    }
    void ExpectOnlyMessage(const std::string& utf8, MessageIcon icon) {
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(Utf8(host.messages[0].text), utf8);
        EXPECT_EQ(host.messages[0].icon, icon);
        host.messages.clear();
    }
};

TEST_F(CopyDeleteTest, CopyTakesPageAndShippingChoicesUnderAFreshNumber) {
    settings.personal[0].address1 = Sj("京都府");
    SaleMaster src = Put("200101010101", "壺", 1, 1, 1, {{"buyer", 500, 2}});
    src.auction.page_url = "http://example.invalid/page";
    src.auction.listed_date = "2020/01/01";
    src.auction.memo = Sj("メモ");
    src.auction.design_type = Sj("標準");
    src.auction.description = std::string(3000, 'd');
    src.auction.weight_g = 1200;
    src.auction.origin_pref = Sj("北海道");
    src.auction.use_yamato = 1;
    src.auction.other_ship_cost = 700;
    src.auction.shipping_notes = Sj("手渡し可");
    src.mail.seller_name = Sj("古い名前");
    ASSERT_TRUE(WriteListing(src, ListingPath(inst.dir(), src.manage_no)));
    list.Load();

    // Nothing selected, then Cancel: no file is made.
    EXPECT_FALSE(list.Copy(-1));
    ExpectOnlyMessage("商品を選択してください。", MessageIcon::Information);
    EXPECT_FALSE(list.Copy(5));
    host.messages.clear();
    host.yes_no_answers = {false};
    EXPECT_FALSE(list.Copy(0));
    ExpectOnlyMessage("選択された商品をコピーします。", MessageIcon::Information);
    EXPECT_EQ(list.rows().size(), 1u);

    host.yes_no_answers = {true, true};
    auto first = list.Copy(0);
    auto second = list.Copy(0);
    ASSERT_TRUE(first && second);
    ASSERT_EQ(list.rows().size(), 3u);
    // A copy: Load() below replaces the rows.
    const FileRow row = list.rows()[*first];
    EXPECT_NE(row.manage_no, src.manage_no);
    EXPECT_NE(row.manage_no, list.rows()[*second].manage_no);
    EXPECT_EQ(Utf8(row.name), "ｺﾋﾟｰ ～ 壺");
    EXPECT_EQ(row.status, kStatusNotListed);
    EXPECT_EQ(row.saved, "--------");
    EXPECT_EQ(row.created, "--------");

    SaleMaster copy;
    ASSERT_TRUE(ReadListing(copy, ListingPath(inst.dir(), row.manage_no)));
    EXPECT_EQ(copy.manage_no, row.manage_no);
    EXPECT_EQ(copy.product_name, row.name);
    EXPECT_EQ(copy.auction.design_type, src.auction.design_type);
    EXPECT_EQ(copy.auction.description, src.auction.description);
    EXPECT_EQ(copy.auction.weight_g, 1200);
    EXPECT_EQ(Utf8(copy.auction.origin_pref), "北海道");
    EXPECT_EQ(copy.auction.use_yamato, 1);
    EXPECT_EQ(copy.auction.other_ship_cost, 700);
    EXPECT_EQ(copy.auction.shipping_notes, src.auction.shipping_notes);
    EXPECT_EQ(copy.auction.page_url, "");
    EXPECT_EQ(copy.auction.listed + copy.auction.ended + copy.auction.completed, 0);
    EXPECT_EQ(copy.auction.listed_date, "");
    EXPECT_EQ(copy.auction.memo, "");
    EXPECT_EQ(copy.customers.count(), 0);
    EXPECT_EQ(Utf8(copy.mail.seller_pref), "京都府"); // the mail block from today's settings

    // The list read afresh shows the copy with its file's times.
    list.Load();
    EXPECT_EQ(list.rows().size(), 3u);
    EXPECT_NE(list.rows()[static_cast<std::size_t>(RowOf(row.manage_no))].saved, "--------");
}

TEST_F(CopyDeleteTest, CopyOfALongNameIsCutToTheFieldAndFailuresAreReported) {
    // 129 two-byte characters: 258 bytes, the longest name that fits the field but one.
    std::string name;
    for (int i = 0; i < 129; ++i) {
        name += "壺";
    }
    Put("200101010102", name);
    WriteFile(datas + "/broken.rks", "@SaleMaster");
    list.Load();

    host.yes_no_answers = {true, true};
    auto made = list.Copy(RowOf("200101010102"));
    ASSERT_TRUE(made);
    const std::string& copied = list.rows()[*made].name;
    EXPECT_LE(copied.size(), kProductNameCapacity - 1);
    EXPECT_EQ(copied, FitField(copied, kProductNameCapacity));
    EXPECT_EQ(Utf8(copied).substr(0, std::string("ｺﾋﾟｰ ～ 壺").size()), "ｺﾋﾟｰ ～ 壺");
    EXPECT_EQ(copied.size() % 2, 0u); // 8 bytes of prefix + whole two-byte characters
    host.messages.clear();

    EXPECT_FALSE(list.Copy(RowOf("broken")));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(Utf8(host.messages[1].text), "ファイルのコピーに失敗しました。");
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Stop);
    EXPECT_EQ(list.rows().size(), 3u);

    // A copy that cannot be written.
    EXPECT_FALSE(
        CopyListingFrom(ListingPath(inst.dir(), "200101010102"), inst / "Missing", settings));
}

TEST_F(CopyDeleteTest, DeleteRemovesFileAndRowOrReportsTheFailure) {
    Put("200101010103", "消す");
    Put("200101010104", "残す");
    WriteFile(datas + "/junk.rks", "junk");
    list.Load();

    EXPECT_FALSE(list.Delete(-1));
    ExpectOnlyMessage("商品を選択してください。", MessageIcon::Information);
    host.yes_no_answers = {false};
    EXPECT_FALSE(list.Delete(RowOf("200101010103")));
    ExpectOnlyMessage("選択された商品を削除してよろしいですか？", MessageIcon::Exclamation);
    EXPECT_TRUE(FileExists(ListingPath(inst.dir(), "200101010103")));

    // The listing open in the window is refused before the question.
    list.SetOpenListing("200101010103");
    host.messages.clear();
    host.yes_no_answers = {true};
    EXPECT_FALSE(list.Delete(RowOf("200101010103")));
    ExpectOnlyMessage("選択された商品は編集中のため削除できません。\n"
                      "新規作成するか別の商品を開いてから削除してください。",
                      MessageIcon::Exclamation);
    EXPECT_TRUE(FileExists(ListingPath(inst.dir(), "200101010103")));
    list.SetOpenListing("200101010104");

    host.yes_no_answers = {true, true};
    EXPECT_TRUE(list.Delete(RowOf("200101010103")));
    EXPECT_FALSE(FileExists(ListingPath(inst.dir(), "200101010103")));
    EXPECT_EQ(RowOf("200101010103"), -1);
    // A file that does not read as a listing can still be deleted.
    EXPECT_TRUE(list.Delete(RowOf("junk")));
    EXPECT_FALSE(FileExists(datas + "/junk.rks"));
    host.messages.clear();

    // Gone behind the list's back: the failure is reported and the row stays.
    list.SetOpenListing("");
    std::filesystem::remove(ListingPath(inst.dir(), "200101010104"));
    host.yes_no_answers = {true};
    EXPECT_FALSE(list.Delete(RowOf("200101010104")));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(Utf8(host.messages[1].text), "削除に失敗しました。");
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(list.rows().size(), 1u);

    // Marked read-only: kept, and the seller is told which file and why.
    Put("200101010105", "保管");
    list.Load();
    const std::string kept = ListingPath(inst.dir(), "200101010105");
    ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
    host.messages.clear();
    host.yes_no_answers = {true};
    EXPECT_FALSE(list.Delete(RowOf("200101010105")));
    EXPECT_TRUE(FileExists(kept));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(Utf8(host.messages[1].text),
              "このファイルは読み取り専用のため、削除できません。\n" + kept);
}

TEST_F(CopyDeleteTest, ChooseGivesTheRowsFileStem) {
    Put("200101010105", "a");
    std::filesystem::rename(datas + "/200101010105.rks", datas + "/other.rks");
    list.Load();
    EXPECT_FALSE(list.Choose(-1));
    ExpectOnlyMessage("商品を選択してください。", MessageIcon::Information);
    EXPECT_EQ(list.Choose(0), std::optional<std::string>("other"));
}

} // namespace
} // namespace hanamori::test
