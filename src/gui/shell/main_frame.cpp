#include "gui/shell/main_frame.h"

#include "core/text/cp932.h"

#include "core/app/helpers.h"
#include "core/document/overview.h"
#include "core/settings/settings_files.h"
#include "gui/document/dealings_window.h"
#include "gui/shell/sale_master_view.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "gui/widgets/window_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace hanamori {

CMainFrame::CMainFrame(Host& host, WindowDialogs& dialogs, const UserSettings& settings,
                       QWidget* parent)
    : QMainWindow(parent), m_host(host), m_dialogs(dialogs),
      m_doc(std::make_unique<CSaleMasterDoc>(host, *this, settings)) {
    setObjectName(QStringLiteral("mainFrame"));
    // No maximize box: the frame never grows beyond its form.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The icon comes from the application's, which every window shares.

    m_view = new CSaleMasterView(host, dialogs);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("viewScrollArea"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_view);
    setCentralWidget(m_scroll);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateContextMenu();

    m_view->SetContextMenu(m_contextMenu);
    m_doc->SetView(m_view);
    m_doc->Reset();
    m_view->AttachDocument(m_doc.get());
    m_view->LoadAllTabs();

    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    // F10 opens the menu bar, as Alt does.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, &CMainFrame::OpenMenuBar);
    UpdateEditCommands();
    ApplySizeLimit();
    // On a small screen (or at a large scale) the window opens smaller and the form scrolls.
    resize(FitToScreen(this, FrameSizeLimit()));
    // The pages lay themselves out when first shown (and with the screen's fonts) and may
    // then need more room.
    m_view->installEventFilter(this);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::LayoutRequest) {
        FollowForm();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::FollowForm() {
    const QSize before = maximumSize();
    const QSize form = m_view->FormSize();
    if (form.width() > m_view->minimumWidth() || form.height() > m_view->minimumHeight()) {
        // Below its layout's minimum the fields would be drawn over one another; the form
        // keeps its room and scrolls where the window is smaller.
        m_view->setMinimumSize(form.expandedTo(m_view->minimumSize()));
    }
    ApplySizeLimit();
    const QSize grown = (maximumSize() - before).expandedTo(QSize(0, 0));
    if ((grown.width() > 0 || grown.height() > 0) && size() == before && !isMaximized() &&
        !isFullScreen()) {
        resize(FitToScreen(this, size() + grown));
    }
}

CMainFrame::~CMainFrame() {
    // The focus moves while the widgets go; the actions are gone by then.
    disconnect(m_focusConnection);
    m_editCommands.clear();
    m_doc->SetView(nullptr);
}

QAction* CMainFrame::CommandAction(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QSize CMainFrame::FrameSizeLimit() const {
    QSize form = m_view->FormSize();
    int height = form.height() + menuBar()->sizeHint().height();
    if (m_toolBar && m_toolBar->isVisibleTo(this)) {
        height += m_toolBar->sizeHint().height();
    }
    if (statusBar()->isVisibleTo(this)) {
        height += statusBar()->sizeHint().height();
    }
    return {form.width(), height};
}

void CMainFrame::ApplySizeLimit() {
    setMaximumSize(FrameSizeLimit());
}

void CMainFrame::ShowBar(QWidget* bar, bool on) {
    // The change may come from the bar itself (already shown or hidden) or from the
    // menu; either way the window follows once, by the bar's height.
    int delta = bar->sizeHint().height();
    bar->setVisible(on);
    QSize size = this->size();
    ApplySizeLimit();
    if (isMaximized() || isFullScreen()) {
        return;
    }
    size.setHeight(on ? size.height() + delta : size.height() - delta);
    resize(size.boundedTo(maximumSize()));
}

void CMainFrame::OnFocusChanged(QWidget* now) {
    if (DecidesEditTarget(now, this)) {
        m_editFocus = now;
    }
    UpdateEditCommands();
}

QWidget* CMainFrame::EditTarget() const {
    QWidget* focus = QApplication::focusWidget();
    // Before any focus change was seen (or after the field went away) the current
    // focus decides, when it may.
    if (DecidesEditTarget(focus, this)) {
        return EditTargetFor(focus);
    }
    return EditTargetFor(m_editFocus.data());
}

void CMainFrame::UpdateEditCommands() {
    int id = ControlId(EditTarget());
    for (auto& [action, command] : m_editCommands) {
        action->setEnabled(EditCommandEnabled(command, id));
    }
}

void CMainFrame::RunEditCommand(EditCommand command) {
    RouteEditCommand(command, EditTarget());
}

void CMainFrame::OpenMenuBar() {
    const QList<QAction*> menus = menuBar()->actions();
    if (!menus.isEmpty()) {
        menuBar()->setActiveAction(menus.first());
    }
}

void CMainFrame::OpenFileArgument(const QString& path) {
    m_doc->OpenListingFile(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
}

void CMainFrame::ShowOverview() {
    hanamori::ShowOverview(*m_doc, m_host);
}

void CMainFrame::OpenShippingTool() {
    if (!m_view) {
        m_host.ShowMessage("Viewの取得に失敗しました。"_sj, MessageIcon::Stop);
        return;
    }
    m_view->StoreAllTabs();
    m_dialogs.RunShippingTool(StandaloneToolRequest(m_doc->listing()));
}

DealingsWindow* CMainFrame::ShowDealings() {
    if (!m_dealings) {
        m_dealings = new DealingsWindow(
            InstallDir() + "Datas", Settings(), m_host,
            [this](const DealingRow& row) {
                m_doc->OpenListingAtBidder(row.manage_no, row.nickname, row.bidder_index);
                activateWindow();
                raise();
            },
            this);
        // A window of its own beside the main window, not a modal dialog.
        m_dealings->setWindowFlag(Qt::Window, true);
        m_dealings->setModal(false);
    }
    m_dealings->show();
    m_dealings->raise();
    m_dealings->activateWindow();
    m_dealings->Reload();
    return m_dealings;
}

std::optional<std::string> CMainFrame::AskProductName(const std::string& current) {
    return m_dialogs.AskProductName(current);
}

std::optional<std::string> CMainFrame::ChooseListingToOpen(const std::string& datas_dir) {
    return m_dialogs.ChooseListingToOpen(datas_dir);
}

void CMainFrame::ManageFiles(const std::string& datas_dir) {
    m_dialogs.ManageFiles(datas_dir, m_doc->HasFile() ? m_doc->listing().manage_no : "");
}

void CMainFrame::SetTitle(const std::string& title) {
    setWindowTitle(ToQt(title));
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // After the activation has settled: the check may show a message box.
        QTimer::singleShot(0, this, &CMainFrame::CheckFileOnDisk);
    }
}

void CMainFrame::CheckFileOnDisk() {
    switch (m_doc->CheckFileOnDisk()) {
    case DiskChange::Reloaded:
        statusBar()->showMessage(QStringLiteral("他のプログラムが保存した内容を読み込みました。"));
        break;
    case DiskChange::Deleted:
        statusBar()->showMessage(
            QStringLiteral("このファイルは他のプログラムによって削除されています。"));
        break;
    case DiskChange::None:
    case DiskChange::Notified:
        break;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_doc->SaveIfModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace hanamori
