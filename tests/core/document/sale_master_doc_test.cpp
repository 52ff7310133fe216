#include "core/app/helpers.h"
#include "core/document/listing_resources.h"
#include "core/document/sale_master_doc.h"
#include "core/listing/listing_file.h"
#include "core/settings/user_settings.h"
#include "support/test_support.h"

#include <csignal>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {
namespace {

using test::Sj;
using test::Utf8;

struct ScriptedUi : DocumentUi {
    std::deque<std::optional<std::string>> names;
    std::optional<std::string> chosen;
    int name_dialogs = 0;
    int managed = 0;
    std::string title;
    std::optional<std::string> AskProductName(const std::string&) override {
        ++name_dialogs;
        if (names.empty())
            return std::nullopt;
        auto n = names.front();
        names.pop_front();
        return n;
    }
    std::optional<std::string> ChooseListingToOpen(const std::string&) override { return chosen; }
    void ManageFiles(const std::string&) override { ++managed; }
    void SetTitle(const std::string& t) override { title = t; }
};

struct RecordingView : DocumentView {
    std::vector<std::string> calls;
    int tab = 2;
    void FocusCurrentPage() override { calls.push_back("focus"); }
    void StoreAllTabs() override { calls.push_back("store"); }
    void LoadAllTabs() override { calls.push_back("load"); }
    void SelectTab(int index) override { tab = index; }
};

struct FailingLoaders : ResetLoaders {
    bool LoadColorList(const std::string&) override { return false; }
    bool LoadMailTemplates(const std::string&) override { return false; }
    bool LoadRates(const std::string&) override { return false; }
};

class DocumentTest : public ::testing::Test {
protected:
    test::TempInstall inst{/*with_shipped_data=*/true};
    test::ScriptedHost host;
    ScriptedUi ui;
    RecordingView view;
    UserSettings settings;
    CSaleMasterDoc doc{host, ui, settings};
    void SetUp() override {
        doc.SetView(&view);
        doc.Reset();
        host.messages.clear();
    }
};

TEST(Document, TheShippedDataLoadsWithoutAComplaint) {
    test::TempInstall inst(/*with_shipped_data=*/true);
    test::ScriptedHost host;
    ScriptedUi ui;
    UserSettings settings;
    CSaleMasterDoc doc(host, ui, settings);
    doc.Reset();
    EXPECT_TRUE(host.messages.empty())
        << (host.messages.empty() ? "" : Utf8(host.messages[0].text));
    EXPECT_GT(doc.resources().colors().count(), 0);
    EXPECT_GT(doc.resources().mail_templates().count(), 0u);
    EXPECT_GE(doc.resources().shipping().Cost(ShippingMethod::Yamato, Sj("東京都"), Sj("大阪府")),
              0);
}

TEST_F(DocumentTest, SavingANamelessListingAsksForTheNameFirst) {
    doc.SetModified(true);
    EXPECT_FALSE(doc.Save()); // name dialog cancelled
    EXPECT_EQ(ui.name_dialogs, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(FileExists(doc.ListingFilePath()));

    ui.names.push_back(Sj("腕時計"));
    EXPECT_TRUE(doc.Save());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(FileExists(doc.ListingFilePath()));
    EXPECT_EQ(Utf8(ui.title), "Hanamori - 腕時計");
    EXPECT_EQ(host.MessagesUtf8().back(), "ファイルに保存しました。");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Information);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"focus", "store", "load"}));
    // A named listing is not asked again.
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(ui.name_dialogs, 2);
}

TEST_F(DocumentTest, AFailedWriteKeepsTheListingModified) {
    doc.listing().product_name = "x";
    doc.SetModified(true);
    std::filesystem::remove_all(inst / "Datas");
    EXPECT_FALSE(doc.Save());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(host.MessagesUtf8().back(), "ファイルの保存に失敗しました。");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Exclamation);
}

TEST_F(DocumentTest, AReadOnlyListingIsNotSavedOverAndStaysModified) {
    doc.listing().product_name = "x";
    ASSERT_TRUE(doc.Save());
    const std::string path = doc.ListingFilePath();
    const std::string before = test::ReadFile(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    doc.listing().product_name = "y";
    doc.SetModified(true);
    EXPECT_FALSE(doc.Save());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.listing().product_name, "y");
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_EQ(host.MessagesUtf8().back(),
              "このファイルは読み取り専用のため、保存できません。\n" + path);
}

// Runs `body` with files limited to 100 bytes, so that every listing write fails
// part-way, for root too.
template <typename Body> void WithFullDisk(Body body) {
    struct rlimit old_limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    body();
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
}

TEST_F(DocumentTest, AFailedSaveLeavesTheFlagAndTheOldFileAsTheyWere) {
    doc.listing().product_name = "x";
    ASSERT_TRUE(doc.Save());
    const std::string before = test::ReadFile(doc.ListingFilePath());
    bool unmodified_after = true, modified_after = false;
    WithFullDisk([&] {
        // Saving an unchanged listing that fails does not make it modified ...
        EXPECT_FALSE(doc.Save());
        unmodified_after = doc.IsModified();
        // ... and a changed one stays changed.
        doc.SetModified(true);
        EXPECT_FALSE(doc.Save());
        modified_after = doc.IsModified();
    });
    EXPECT_FALSE(unmodified_after);
    EXPECT_TRUE(modified_after);
    EXPECT_EQ(test::ReadFile(doc.ListingFilePath()), before);
    for (const auto& entry : std::filesystem::directory_iterator(inst / "Datas")) {
        // No temporary file is left behind.
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }

    // A name typed in at the save is a change, kept when the write fails.
    doc.Reset();
    ui.names.push_back(Sj("腕時計"));
    bool named_after = false;
    WithFullDisk([&] {
        EXPECT_FALSE(doc.Save());
        named_after = doc.IsModified();
    });
    EXPECT_TRUE(named_after);
    EXPECT_EQ(Utf8(doc.listing().product_name), "腕時計");
    EXPECT_FALSE(FileExists(doc.ListingFilePath()));
}

TEST_F(DocumentTest, ANewListingNeverSavesOverOneSavedMeanwhile) {
    // Another process saved a listing under this listing's number since the reset.
    const std::string number = doc.listing().manage_no;
    test::WriteFile(doc.ListingFilePath(), "another listing");
    doc.listing().product_name = "x";
    ASSERT_TRUE(doc.Save());
    EXPECT_NE(doc.listing().manage_no, number);
    EXPECT_EQ(test::ReadFile(ListingPath(inst.dir(), number)), "another listing");
    SaleMaster saved;
    ASSERT_TRUE(ReadListing(saved, doc.ListingFilePath()));
    EXPECT_EQ(saved.manage_no, doc.listing().manage_no);
    // Once saved, the listing keeps its file.
    const std::string own = doc.listing().manage_no;
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(doc.listing().manage_no, own);
}

TEST_F(DocumentTest, TheSaveQuestionDecidesWhetherToGoOn) {
    EXPECT_TRUE(doc.SaveIfModified()); // not modified: no question
    EXPECT_TRUE(host.messages.empty());
    doc.SetModified(true);
    host.yes_no_cancel_answers = {Answer::Cancel, Answer::No, Answer::Yes};
    EXPECT_FALSE(doc.SaveIfModified());
    EXPECT_EQ(host.MessagesUtf8().back(), "内容が更新されています。\n保存しますか？");
    EXPECT_TRUE(doc.SaveIfModified());
    // Yes, then the name dialog cancelled: the caller must not go on.
    EXPECT_FALSE(doc.SaveIfModified());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentTest, OpenReadsTheChosenFileAndShowsTheFirstTab) {
    SaleMaster stored;
    stored.Reset(settings);
    stored.product_name = Sj("保存済み");
    // The file's stem wins over a number changed by hand inside it.
    std::string stem = stored.manage_no;
    stored.manage_no = "999999999999";
    ASSERT_TRUE(WriteListing(stored, ListingPath(inst.dir(), stem)));
    ui.chosen = stem;
    doc.SetModified(true);
    host.yes_no_cancel_answers = {Answer::No};
    // The file is opened and read once.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // Closes are watched too: repeated events alike would come as one.
    ASSERT_GE(::inotify_add_watch(watch, ListingPath(inst.dir(), stem).c_str(),
                                  IN_OPEN | IN_CLOSE_NOWRITE),
              0);
    EXPECT_TRUE(doc.Open());
    int opens = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t n; (n = ::read(watch, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            opens += (event->mask & IN_OPEN) != 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    ::close(watch);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(doc.listing().product_name, Sj("保存済み"));
    EXPECT_EQ(doc.listing().manage_no, stem);
    EXPECT_EQ(view.tab, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Utf8(ui.title), "Hanamori - 保存済み");
}

TEST_F(DocumentTest, AFileThatFailsToReadLeavesAFreshListing) {
    doc.listing().product_name = Sj("開いていた");
    doc.UpdateTitle();
    std::string old_number = doc.listing().manage_no;
    test::WriteFile(inst / "Datas/123456789012.rks", "not a listing");
    ui.chosen = "123456789012";
    EXPECT_FALSE(doc.Open());
    EXPECT_EQ(host.MessagesUtf8().back(), "ファイルの読み込みに失敗しました。");
    EXPECT_EQ(doc.listing().product_name, "");
    EXPECT_NE(doc.listing().manage_no, "123456789012");
    EXPECT_NE(doc.listing().manage_no, old_number);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Utf8(ui.title), "Hanamori - 新規ファイル");
}

TEST_F(DocumentTest, TitleTexts) {
    doc.UpdateTitle();
    EXPECT_EQ(Utf8(ui.title), "Hanamori - 新規ファイル");
    ui.names.push_back(Sj("商品A"));
    EXPECT_TRUE(doc.NameListing());
    EXPECT_EQ(Utf8(ui.title), "Hanamori - 新規ファイル"); // follows at the next save
    EXPECT_EQ(Utf8(doc.TitleText()), "Hanamori - 商品A");
}

TEST_F(DocumentTest, WithoutAViewNothingIsSaved) {
    doc.SetView(nullptr);
    doc.listing().product_name = "x";
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(host.MessagesUtf8().back(), "Viewの取得に失敗しました。\nファイルを保存できません。");
    EXPECT_EQ(host.messages.back().icon, MessageIcon::Stop);
}

TEST_F(DocumentTest, ResetReportsEachFailedTemplateListAndGoesOn) {
    FailingLoaders loaders;
    doc.SetLoaders(&loaders);
    doc.SetModified(true);
    host.messages.clear();
    doc.Reset();
    EXPECT_EQ(host.MessagesUtf8(),
              (std::vector<std::string>{"カラーテンプレートの読み込みに失敗しました。",
                                        "メールテンプレートの読み込みに失敗しました。"}));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, FileManagementAsksAboutUnsavedChangesFirst) {
    doc.SetModified(true);
    host.yes_no_cancel_answers = {Answer::Cancel, Answer::No};
    doc.ManageFiles();
    EXPECT_EQ(ui.managed, 0);
    doc.ManageFiles();
    EXPECT_EQ(ui.managed, 1);
}

// Another program's save of the open listing: the CLI, a second window, a sync tool.
TEST_F(DocumentTest, AChangeFromElsewhereIsTakenInOrOverwrittenOnlyWhenTheSellerSaysSo) {
    const std::string path = ListingPath(inst.dir(), "261207153000");
    auto write_elsewhere = [&](const char* nickname) {
        SaleMaster m;
        m.manage_no = "261207153000";
        m.product_name = "watch";
        m.customers.Append(CustomerRecord());
        m.customers[0].nickname = nickname;
        ASSERT_TRUE(WriteListing(m, path));
    };
    auto stored_nickname = [&] {
        SaleMaster m;
        return ReadListing(m, path) ? m.customers[0].nickname : "";
    };
    write_elsewhere("taro");
    ASSERT_TRUE(doc.OpenListing("261207153000"));
    EXPECT_EQ(doc.CheckFileOnDisk(), DiskChange::None);
    write_elsewhere("jiro");
    EXPECT_EQ(doc.CheckFileOnDisk(), DiskChange::Reloaded);
    EXPECT_EQ(doc.listing().customers[0].nickname, "jiro");
    EXPECT_FALSE(doc.IsModified());

    // Modified: told once, and the save asks; No keeps the other program's file.
    doc.SetModified(true);
    write_elsewhere("saburo");
    host.messages.clear();
    EXPECT_EQ(doc.CheckFileOnDisk(), DiskChange::Notified);
    EXPECT_EQ(doc.CheckFileOnDisk(), DiskChange::None);
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(stored_nickname(), "saburo");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(Utf8(host.messages[1].text)
                  .rfind("このファイルは他のプログラムによって変更"
                         "されています。\n上書きしますか？",
                         0),
              0u);

    // 読み込み直す: the window takes the file as it is and nothing is written.
    view.calls.clear();
    host.overwrite_answers = {OverwriteAnswer::Reload};
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(doc.listing().customers[0].nickname, "saburo");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"focus", "store", "load"}));
    EXPECT_EQ(doc.CheckFileOnDisk(), DiskChange::None);
    ASSERT_TRUE(doc.Save()); // the file is now the one it read: no question
    doc.listing().customers[0].nickname = "jiro";
    doc.SetModified(true);
    ASSERT_TRUE(std::filesystem::remove(path));
    test::WriteFile(path, "damaged"); // a reload that fails keeps the window's changes
    host.overwrite_answers = {OverwriteAnswer::Reload};
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(doc.listing().customers[0].nickname, "jiro");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Utf8(host.messages.back().text), "ファイルの読み込みに失敗しました。");

    host.overwrite_answers = {OverwriteAnswer::Overwrite};
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(stored_nickname(), "jiro");
    host.messages.clear();
    ASSERT_TRUE(doc.Save()); // its own save is nobody else's: no question
    EXPECT_EQ(host.messages.size(), 1u);

    // Deleted meanwhile: saved again only after a question.
    std::filesystem::remove(path);
    EXPECT_EQ(doc.CheckFileOnDisk(), DiskChange::Deleted);
    EXPECT_FALSE(doc.Save());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(Utf8(host.messages.back().text),
              "このファイルは他のプログラムによって削除されています。\n保存しますか？");
    host.yes_no_answers = {true};
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(stored_nickname(), "jiro");
}

} // namespace
} // namespace hanamori
