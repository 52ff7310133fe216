#include "core/document/sale_master_doc.h"

#include "core/app/helpers.h"
#include "core/document/listing_resources.h"
#include "core/listing/listing_dir.h"
#include "core/listing/listing_file.h"
#include "core/listing/manage_no.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"

#include <filesystem>

namespace hanamori {
namespace {
const std::string& NoViewMessage() {
    return "Viewの取得に失敗しました。\nファイルを保存できません。"_sj;
}

// Reads the listing file with the stamp of what was read; the file is opened and read
// once. Every writer replaces the
// whole file, so when the stamps before and after the read agree, the content read is
// the content of that stamp.
bool ReadStamped(SaleMaster& listing, const std::string& path, FileStamp& stamp) {
    bool read = false;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const FileStamp before = StampOf(path);
        read = ReadListingWithTimes(path, listing, nullptr);
        stamp = StampOf(path);
        if (stamp == before) {
            break;
        }
    }
    return read;
}

const std::string& ChangedElsewhereQuestion() {
    return "このファイルは他のプログラムによって変更されています。\n上書きしますか？\n"
           "（読み込み直すと、他のプログラムが保存した内容になり、この画面での変更は"
           "失われます。）"_sj;
}
} // namespace

CSaleMasterDoc::CSaleMasterDoc(Host& host, DocumentUi& ui, const UserSettings& settings)
    : m_host(host), m_ui(ui), m_settings(settings),
      m_resources(std::make_unique<ListingResources>(host, settings)),
      m_loaders(m_resources.get()) {}

CSaleMasterDoc::~CSaleMasterDoc() = default;

void CSaleMasterDoc::SetLoaders(ResetLoaders* loaders) {
    m_loaders = loaders ? loaders : m_resources.get();
}

void CSaleMasterDoc::Reset() {
    const std::string& dir = InstallDir();
    if (!m_loaders->LoadColorList(dir + "template")) {
        m_host.ShowMessage("カラーテンプレートの読み込みに失敗しました。"_sj, MessageIcon::Stop);
    }
    if (!m_loaders->LoadMailTemplates(dir + "template")) {
        m_host.ShowMessage("メールテンプレートの読み込みに失敗しました。"_sj, MessageIcon::Stop);
    }
    m_modified = false;
    m_listing.Reset(m_settings);
    m_has_file = false;
    // A rate file that fails reports itself; the listing goes ahead either way.
    m_loaders->LoadRates(dir + "CostData");
}

bool CSaleMasterDoc::NewListing() {
    if (!SaveIfModified()) {
        return false;
    }
    Reset();
    UpdateTitle();
    if (m_view) {
        m_view->LoadAllTabs();
    }
    return true;
}

bool CSaleMasterDoc::Open() {
    if (!SaveIfModified()) {
        return false;
    }
    auto chosen = m_ui.ChooseListingToOpen(InstallDir() + "Datas");
    if (!chosen) {
        return false;
    }
    return OpenListing(*chosen);
}

bool CSaleMasterDoc::OpenListing(const std::string& manage_no) {
    std::string path = ListingPath(InstallDir(), manage_no);
    Reset();
    bool read = ReadStamped(m_listing, path, m_stamp);
    m_told = m_stamp;
    // The file a listing came from is the file it saves to, whatever number it holds.
    m_listing.manage_no = manage_no;
    return FinishOpen(read, true);
}

bool CSaleMasterDoc::OpenListingFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = fs::absolute(path, error);
    const fs::path dir = fs::weakly_canonical(file.parent_path(), error);
    const fs::path datas = fs::weakly_canonical(fs::path(InstallDir()) / "Datas", error);
    const std::string name = file.filename().string();
    if (!error && dir == datas && ListingStem(name) != name && !ListingStem(name).empty()) {
        return OpenListing(ListingStem(name));
    }
    Reset();
    // Reset gave the listing a number that no file of Datas uses; it keeps that one.
    const std::string fresh = m_listing.manage_no;
    bool read = ReadListingWithTimes(file.string(), m_listing, nullptr);
    m_listing.manage_no = fresh;
    // A file from outside Datas is saved as a new listing of Datas.
    return FinishOpen(read, false);
}

bool CSaleMasterDoc::FinishOpen(bool read, bool has_file) {
    if (!read) {
        m_host.ShowMessage("ファイルの読み込みに失敗しました。"_sj, MessageIcon::None);
        Reset();
        // The window now holds a new listing, and its title says so.
        UpdateTitle();
        if (m_view) {
            m_view->LoadAllTabs();
        }
        return false;
    }
    m_has_file = has_file;
    if (!m_view) {
        m_host.ShowMessage(NoViewMessage(), MessageIcon::Stop);
        return false;
    }
    m_view->SelectTab(0);
    m_view->LoadAllTabs();
    m_modified = false;
    UpdateTitle();
    return true;
}

bool CSaleMasterDoc::OpenListingAtBidder(const std::string& manage_no, const std::string& nickname,
                                         int bidder_index) {
    if (!SaveIfModified() || !OpenListing(manage_no)) {
        return false;
    }
    CustomerList& bidders = m_listing.customers_edit;
    int chosen = -1;
    for (std::int32_t i = 0; i < bidders.count(); ++i) {
        if (EqualsIgnoreAsciiCase(bidders[static_cast<std::size_t>(i)].nickname, nickname)) {
            chosen = i;
            break;
        }
    }
    if (chosen < 0 && bidder_index >= 0 && bidder_index < bidders.count()) {
        chosen = bidder_index;
    }
    if (chosen >= 0) {
        bidders.current = chosen;
        m_listing.customers.current = chosen;
    }
    // Showing the bidder tab refills its selector from the working list's `current`.
    m_view->SelectTab(1);
    return true;
}

bool CSaleMasterDoc::Save() {
    // A name typed in here is a change of the listing even when the write then fails.
    bool named = false;
    if (m_listing.product_name.empty()) {
        if (!NameListing()) {
            return false;
        }
        named = true;
    }
    if (!m_view) {
        m_host.ShowMessage(NoViewMessage(), MessageIcon::Stop);
        return false;
    }
    m_view->FocusCurrentPage();
    m_view->StoreAllTabs();
    // A listing without a file claims its number first: another process may have
    // saved a listing under the same number since this one was reset.
    WriteResult written = WriteResult::Failed;
    if (m_has_file) {
        written = WriteOverFile();
    } else if (SaveNewListing(m_listing, InstallDir() + "Datas")) {
        m_stamp = StampOf(ListingFilePath());
        written = WriteResult::Written;
    }
    if (written == WriteResult::Reload) {
        // The seller chose the other program's version over the window's changes.
        if (!TakeFileContent()) {
            m_host.ShowMessage("ファイルの読み込みに失敗しました。"_sj, MessageIcon::None);
            m_modified = true;
        }
        return false;
    }
    if (written == WriteResult::Declined) {
        // The window keeps its text, the file what the other program wrote.
        m_modified = m_modified || named;
        return false;
    }
    if (written == WriteResult::Busy) {
        m_host.ShowMessage(ListingBusyMessage(), MessageIcon::Exclamation);
        m_modified = m_modified || named;
        return false;
    }
    if (written == WriteResult::Failed) {
        // The old file is whole (the write replaces it only once complete); the flag
        // stays as it was, set when the name was given just now.
        const std::string path = ListingFilePath();
        m_host.ShowMessage(IsWriteProtected(path)
                               ? ReadOnlySaveMessage() + "\n" + Utf8ToCp932Lossy(path)
                               : "ファイルの保存に失敗しました。"_sj,
                           MessageIcon::Exclamation);
        m_modified = m_modified || named;
        return false;
    }
    m_has_file = true;
    m_told = m_stamp;
    m_view->LoadAllTabs();
    m_modified = false;
    UpdateTitle();
    m_host.ShowMessage("ファイルに保存しました。"_sj, MessageIcon::Information);
    return true;
}

CSaleMasterDoc::WriteResult CSaleMasterDoc::WriteOverFile() {
    const std::string path = ListingFilePath();
    FileStamp agreed = m_stamp;
    for (;;) {
        FileLock lock = LockListing(path);
        if (!lock.held()) {
            return lock.busy() ? WriteResult::Busy : WriteResult::Failed;
        }
        const FileStamp now = StampOf(path);
        if (now == agreed) {
            if (!WriteListing(m_listing, path)) {
                return WriteResult::Failed;
            }
            m_stamp = StampOf(path);
            return WriteResult::Written;
        }
        // Not asked under the lock: another program's change must not wait for the
        // seller. The answer holds for the file as it was when asked.
        lock.Release();
        m_told = now;
        if (!now.exists) {
            if (!m_host.AskYesNo("このファイルは他のプログラムによって削除されています。\n"
                                 "保存しますか？"_sj,
                                 MessageIcon::Exclamation)) {
                return WriteResult::Declined;
            }
        } else {
            switch (m_host.AskOverwrite(ChangedElsewhereQuestion(), MessageIcon::Exclamation)) {
            case OverwriteAnswer::Overwrite:
                break;
            case OverwriteAnswer::Reload:
                return WriteResult::Reload;
            case OverwriteAnswer::Cancel:
                return WriteResult::Declined;
            }
        }
        agreed = now;
    }
}

DiskChange CSaleMasterDoc::CheckFileOnDisk() {
    if (!m_has_file) {
        return DiskChange::None;
    }
    const std::string path = ListingFilePath();
    const FileStamp now = StampOf(path);
    if (now == m_stamp || now == m_told) {
        return DiskChange::None;
    }
    m_told = now;
    if (!now.exists) {
        return DiskChange::Deleted;
    }
    if (m_modified || !TakeFileContent()) {
        m_host.ShowMessage("このファイルは他のプログラムによって変更されています。\n"
                           "保存するときに、上書きするかどうかを確認します。"_sj,
                           MessageIcon::Exclamation);
        return DiskChange::Notified;
    }
    return DiskChange::Reloaded;
}

bool CSaleMasterDoc::TakeFileContent() {
    SaleMaster fresh;
    FileStamp stamp;
    if (!m_view || !ReadStamped(fresh, ListingFilePath(), stamp)) {
        return false;
    }
    fresh.manage_no = m_listing.manage_no;
    m_listing = std::move(fresh);
    m_stamp = m_told = stamp;
    m_view->LoadAllTabs();
    m_modified = false;
    UpdateTitle();
    return true;
}

bool CSaleMasterDoc::SaveIfModified() {
    if (!m_modified) {
        return true;
    }
    switch (m_host.AskYesNoCancel("内容が更新されています。\n保存しますか？"_sj,
                                  MessageIcon::Exclamation)) {
    case Answer::Yes:
        return Save();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void CSaleMasterDoc::ManageFiles() {
    // Same question as before closing: Cancel or a failed save stops here.
    if (!SaveIfModified()) {
        return;
    }
    m_ui.ManageFiles(InstallDir() + "Datas");
}

bool CSaleMasterDoc::NameListing() {
    auto name = m_ui.AskProductName(m_listing.product_name);
    if (!name) {
        return false;
    }
    m_listing.product_name = FitField(*name, kProductNameCapacity);
    return true;
}

std::string CSaleMasterDoc::TitleText() const {
    if (m_listing.product_name.empty()) {
        return std::string(kAppTitle) + " - " + "新規ファイル"_sj;
    }
    return std::string(kAppTitle) + " - " + m_listing.product_name;
}

void CSaleMasterDoc::UpdateTitle() {
    m_ui.SetTitle(TitleText());
}

std::string CSaleMasterDoc::ListingFilePath() const {
    return ListingPath(InstallDir(), m_listing.manage_no);
}

} // namespace hanamori
