#pragma once
// The one open listing and its life: new, open, save, the modified flag and the title.
// What needs a window (the name dialog, the file chooser, the tab pages, the title bar)
// is reached through the interfaces below, so the logic runs and is tested without one.

#include "core/app/atomic_file.h"
#include "core/app/host.h"
#include "core/listing/records.h"

#include <memory>
#include <optional>
#include <string>

namespace hanamori {

struct UserSettings;
class ListingResources;

// The view with the three tab pages; the document may have none.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // Moves the keyboard focus to the page that is showing, so its edits are committed.
    virtual void FocusCurrentPage() = 0;
    // The tabs store their controls into the listing (bidders into `customers`).
    virtual void StoreAllTabs() = 0;
    // The tabs fill their controls from the listing.
    virtual void LoadAllTabs() = 0;
    // Shows tab `index` (0 is the product description).
    virtual void SelectTab(int index) = 0;
};

// The dialogs and the frame title that the document drives.
class DocumentUi {
public:
    virtual ~DocumentUi() = default;
    // The product-name dialog opened on `current`; nullopt when cancelled.
    virtual std::optional<std::string> AskProductName(const std::string& current) = 0;
    // The file management dialog in open mode; the chosen management number, or nullopt.
    virtual std::optional<std::string> ChooseListingToOpen(const std::string& datas_dir) = 0;
    // The file management dialog in management mode.
    virtual void ManageFiles(const std::string& datas_dir) = 0;
    virtual void SetTitle(const std::string& title) = 0;
};

// Things reloaded at every reset: the colour list, the mail templates and the rate
// tables. Each returns false when it failed and has shown its own message if any.
class ResetLoaders {
public:
    virtual ~ResetLoaders() = default;
    virtual bool LoadColorList(const std::string& template_dir) = 0;
    virtual bool LoadMailTemplates(const std::string& template_dir) = 0;
    virtual bool LoadRates(const std::string& cost_dir) = 0;
};

// What CheckFileOnDisk found when the listing's file was changed by another program.
enum class DiskChange {
    None,     // as the document last read or saved it (or already told)
    Reloaded, // changed; the document was unmodified and now shows the new content
    Notified, // changed while the document was modified; the seller has been told
    Deleted,  // the file is gone
};

class CSaleMasterDoc {
public:
    CSaleMasterDoc(Host& host, DocumentUi& ui, const UserSettings& settings);
    ~CSaleMasterDoc();

    SaleMaster& listing() { return m_listing; }
    // The colour list, mail templates and shipping engine the document keeps for its
    // listings; reloaded at every reset.
    ListingResources& resources() { return *m_resources; }
    const SaleMaster& listing() const { return m_listing; }
    void SetView(DocumentView* view) { m_view = view; }
    // Replaces what Reset reloads (tests); nullptr restores the document's own.
    void SetLoaders(ResetLoaders* loaders);

    bool IsModified() const { return m_modified; }
    // The listing was read from or saved to its file in Datas.
    bool HasFile() const { return m_has_file; }
    void SetModified(bool modified) { m_modified = modified; }

    // The new-listing state: template lists and rate tables reloaded (each failure
    // reported and passed over), modified flag cleared, fresh listing from the settings.
    void Reset();
    // 新規作成: asks about unsaved changes first; false when the user cancelled.
    bool NewListing();
    // 開く: asks about unsaved changes, lets the user choose, reads the file.
    bool Open();
    // Reads the listing with this management number into the document; on failure
    // reports it and leaves a fresh listing.
    bool OpenListing(const std::string& manage_no);
    // Opens the listing file at `path` (a file given to the program to open). A file
    // of the Datas directory opens as the listing of its name, as when chosen in the
    // file list; a listing file from anywhere else is read under a fresh management
    // number, so that saving it adds it to Datas and never writes over another
    // listing. On failure reports it and leaves a fresh listing.
    bool OpenListingFile(const std::string& path);
    // A row of the dealings window: asks about unsaved changes, opens the listing and
    // shows the bidder tab with the bidder of that nickname selected (the one at
    // `bidder_index` when no nickname matches, say after the file changed). False when
    // the user cancelled or the listing could not be read.
    bool OpenListingAtBidder(const std::string& manage_no, const std::string& nickname,
                             int bidder_index);
    // 保存: names a nameless listing first, stores the tabs and writes the file. When
    // the file was changed or deleted by another program since it was read or saved
    // here, the seller is asked first: キャンセル (or No for a deleted file) leaves the
    // file as it is and the document modified; 読み込み直す drops the window's changes
    // for the file as it is now. False unless the file was written.
    bool Save();
    // Compares the listing's file with what the document read or saved last (when the
    // window comes back to the front). An unmodified document loads the new content;
    // a modified one tells the seller, once for each change.
    DiskChange CheckFileOnDisk();
    // True when the caller may go on (saved, not modified, or the user said No).
    bool SaveIfModified();
    // ファイル管理: asks about unsaved changes, then opens the file management dialog.
    void ManageFiles();
    // Runs the product-name dialog; true when a name was given.
    bool NameListing();
    void UpdateTitle();
    // The title text for the frame.
    std::string TitleText() const;
    // The file of the open listing.
    std::string ListingFilePath() const;

private:
    // The end of an open: the listing shown on the first tab, or, when `read` failed,
    // the message and a fresh listing.
    bool FinishOpen(bool read, bool has_file);
    enum class WriteResult { Written, Failed, Busy, Declined, Reload };
    // Writes the listing over its file under the listing's lock, after asking when the
    // file is not what this document last read or saved.
    WriteResult WriteOverFile();
    // Reads the listing's file as it is now into the document and the tabs, unmodified;
    // false (the document untouched) when there is no view or the file cannot be read.
    bool TakeFileContent();

    Host& m_host;
    DocumentUi& m_ui;
    const UserSettings& m_settings;
    DocumentView* m_view = nullptr;
    std::unique_ptr<ListingResources> m_resources;
    ResetLoaders* m_loaders = nullptr;
    SaleMaster m_listing;
    // The listing was read from or saved to its file; a fresh one claims its number
    // when it is first saved.
    bool m_has_file = false;
    bool m_modified = false;
    // The file as this document last read or saved it, and the latest change by
    // another program that the seller has been told about.
    FileStamp m_stamp;
    FileStamp m_told;
};

// The application title of every window.
inline constexpr const char* kAppTitle = "Hanamori";
// Longest product name the name dialog takes.
inline constexpr std::size_t kProductNameMaxInput = 259;

} // namespace hanamori
