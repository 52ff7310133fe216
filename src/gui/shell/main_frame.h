#pragma once
// The main window: menu, toolbar, status bar and the view on the open listing. It is
// the document's window side (title, dialogs) and asks about unsaved changes on close.

#include "core/document/sale_master_doc.h"
#include "gui/widgets/edit_routing.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

namespace hanamori {

class CSaleMasterView;
class DealingsWindow;
class Host;
class WindowDialogs;
struct UserSettings;

// Command numbers of the menu entries.
namespace cmd {
inline constexpr int kNew = 57600, kOpen = 57601, kSave = 57603, kManageFiles = 32792,
                     kOverview = 32795, kDealings = 32796, kExit = 57665;
inline constexpr int kUndo = 57643, kSelectAll = 57642, kCut = 57635, kCopy = 57634, kPaste = 57637;
inline constexpr int kLink = 35000, kFont = 35001, kBold = 35002, kItalic = 35003, kImage = 35004,
                     kCenter = 35005;
inline constexpr int kToolBar = 59392, kStatusBar = 59393, kTabProduct = 32783, kTabBidders = 32785,
                     kTabMail = 32784;
inline constexpr int kShipping = 32772, kUserSettings = 32780, kListingSettings = 32782,
                     kPaymentSettings = 32781, kShippingOptions = 32791, kWizard = 32794;
inline constexpr int kHelp = 32789, kAbout = 57664;
} // namespace cmd

class CMainFrame final : public QMainWindow, public DocumentUi {
    Q_OBJECT
public:
    CMainFrame(Host& host, WindowDialogs& dialogs, const UserSettings& settings,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    CSaleMasterDoc& doc() { return *m_doc; }
    CSaleMasterView& view() { return *m_view; }
    // The action of a menu command, or nullptr; later dialogs connect to theirs.
    QAction* CommandAction(int id) const;
    QMenu* contextMenu() const { return m_contextMenu; }

    // The largest size the frame may take: the form plus bars and menu.
    QSize FrameSizeLimit() const;
    // Refreshes the enabled state of the edit commands from the focused control.
    void UpdateEditCommands();
    // Carries out an edit command on the focused text field.
    void RunEditCommand(EditCommand command);
    // The control the edit commands act on: the one that had the focus last, before
    // a menu, the menu bar or a toolbar took it.
    QWidget* EditTarget() const;
    // Opens the first menu of the menu bar (F10).
    void OpenMenuBar();
    // Opens the listing file named on the command line (relative to the current
    // directory); the usual message when it cannot be read.
    void OpenFileArgument(const QString& path);
    // ファイル一覧: writes the overview of all listings and opens it.
    void ShowOverview();
    // 送料計算: stores the tabs and opens the shipping tool on the listing.
    void OpenShippingTool();
    // 取引一覧: shows the dealings window (created on first use) and reloads it.
    DealingsWindow* ShowDealings();

    // DocumentUi
    std::optional<std::string> AskProductName(const std::string& current) override;
    std::optional<std::string> ChooseListingToOpen(const std::string& datas_dir) override;
    void ManageFiles(const std::string& datas_dir) override;
    void SetTitle(const std::string& title) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateContextMenu();
    void AddEditCommands(QMenu* menu);
    QAction* AddAction(int id, const QString& text, const QString& prompt,
                       const char* icon = nullptr);
    void AddEditAction(int id, EditCommand command, const QString& text, const QString& prompt,
                       const char* icon);
    void ApplySizeLimit();
    // Gives the form the room its layout now needs, and a window as large as the form
    // before grows with it.
    void FollowForm();
    // Shows or hides a bar; the window grows or shrinks by the bar so that the form
    // keeps its size.
    void ShowBar(QWidget* bar, bool on);
    void OnFocusChanged(QWidget* now);
    // Shows settings that the tabs display beside the listing (the mail tab's account
    // names) again, after a dialog or the wizard changed them.
    void ShowSettingsInTabs();
    // Back at the front: takes in what another program did to the listing's file.
    void CheckFileOnDisk();

    Host& m_host;
    WindowDialogs& m_dialogs;
    std::unique_ptr<CSaleMasterDoc> m_doc;
    CSaleMasterView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_contextMenu = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<QAction*, EditCommand> m_editCommands;
    QMetaObject::Connection m_focusConnection;
    QPointer<QWidget> m_editFocus;
    DealingsWindow* m_dealings = nullptr;
};

} // namespace hanamori
