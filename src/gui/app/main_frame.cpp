#include "gui/app/main_frame.h"

#include "core/app/helpers.h"
#include "core/document/overview.h"
#include "core/settings/settings_files.h"
#include "gui/app/icons.h"
#include "gui/app/qt_text.h"
#include "gui/app/sale_master_view.h"
#include "gui/app/window_dialogs.h"
#include "gui/document/dealings_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
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
    setWindowIcon(ProgramIcon());

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

    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this, [this] { UpdateEditCommands(); });
    UpdateEditCommands();
    ApplySizeLimit();
    resize(FrameSizeLimit());
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
    QSize form = CSaleMasterView::FormSize();
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

void CMainFrame::UpdateEditCommands() {
    int id = ControlId(EditTargetFor(QApplication::focusWidget()));
    for (auto& [action, command] : m_editCommands) {
        action->setEnabled(EditCommandEnabled(command, id));
    }
}

void CMainFrame::RunEditCommand(EditCommand command) {
    RouteEditCommand(command, EditTargetFor(QApplication::focusWidget()));
}

void CMainFrame::ShowOverview() {
    hanamori::ShowOverview(*m_doc, m_host);
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
    m_dialogs.ManageFiles(datas_dir);
}

void CMainFrame::SetTitle(const std::string& title) {
    setWindowTitle(ToQt(title));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_doc->SaveIfModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace hanamori
