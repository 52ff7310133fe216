// The frame's commands: menu, toolbar, accelerators, status bar and the edit context
// menu that the view hands to its pages.

#include "core/app/helpers.h"
#include "gui/mail/mail_page.h"
#include "gui/shell/display_scaling.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui/widgets/icons.h"
#include "gui/widgets/window_dialogs.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace hanamori {

QAction* CMainFrame::AddAction(int id, const QString& text, const QString& prompt,
                               const char* icon) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setProperty("commandId", id);
    // The prompt is "status bar text\ntool tip".
    QString status = prompt.section(QLatin1Char('\n'), 0, 0);
    QString tip = prompt.section(QLatin1Char('\n'), 1, 1);
    action->setStatusTip(status);
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
    }
    if (icon) {
        action->setIcon(ToolIcon(icon));
    }
    m_actions[id] = action;
    return action;
}

void CMainFrame::AddEditAction(int id, EditCommand command, const QString& text,
                               const QString& prompt, const char* icon) {
    QAction* action = AddAction(id, text, prompt, icon);
    m_editCommands[action] = command;
    connect(action, &QAction::triggered, this, [this, command] { RunEditCommand(command); });
}

void CMainFrame::CreateActions() {
    using namespace cmd;
    connect(AddAction(kNew, QStringLiteral("新規作成(&N)"),
                      QStringLiteral("新しい商品ファイルを作成します。\n新規作成"), "new"),
            &QAction::triggered, this, [this] { m_doc->NewListing(); });
    connect(AddAction(kOpen, QStringLiteral("開く(&O)..."),
                      QStringLiteral("保存されている商品ファイルを開きます。\n開く"), "open"),
            &QAction::triggered, this, [this] { m_doc->Open(); });
    connect(AddAction(kSave, QStringLiteral("保存(&S)"),
                      QStringLiteral("商品ファイルを保存します。\n保存"), "save"),
            &QAction::triggered, this, [this] { m_doc->Save(); });
    connect(AddAction(kManageFiles, QStringLiteral("ファイル管理(&M)"),
                      QStringLiteral("商品ファイルのコピーと削除を行います。\nファイル管理")),
            &QAction::triggered, this, [this] { m_doc->ManageFiles(); });
    connect(AddAction(kOverview, QStringLiteral("ファイル一覧(&L)"),
                      QStringLiteral("全ての商品の一覧をブラウザで表示します。\nファイル一覧")),
            &QAction::triggered, this, &CMainFrame::ShowOverview);
    connect(AddAction(kDealings, QStringLiteral("取引一覧(&D)..."),
                      QStringLiteral("全ての落札者との取引の状況を一覧で表示します。\n取引一覧"),
                      "dealings"),
            &QAction::triggered, this, &CMainFrame::ShowDealings);
    connect(AddAction(kExit, QStringLiteral("アプリケーションの終了(&X)"),
                      QStringLiteral("アプリケーションを終了します。\n終了")),
            &QAction::triggered, this, &QWidget::close);
    m_actions[kNew]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_actions[kOpen]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_actions[kSave]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));

    AddEditAction(kUndo, EditCommand::Undo, QStringLiteral("元に戻す(&U)"),
                  QStringLiteral("直前の操作を元に戻します。\n元に戻す"), "undo");
    AddEditAction(kSelectAll, EditCommand::SelectAll, QStringLiteral("全て選択(&A)"),
                  QStringLiteral("テキストを全て選択します。\n全て選択"), "selectall");
    AddEditAction(kCut, EditCommand::Cut, QStringLiteral("切り取り(&T)"),
                  QStringLiteral("選択範囲を切り取ってクリップボードに移します。\n切り取り"),
                  "cut");
    AddEditAction(kCopy, EditCommand::Copy, QStringLiteral("ｺﾋﾟｰ(&C)"),
                  QStringLiteral("選択範囲をクリップボードにコピーします。\nｺﾋﾟｰ"), "copy");
    AddEditAction(kPaste, EditCommand::Paste, QStringLiteral("貼り付け(&P)"),
                  QStringLiteral("クリップボードの内容を挿入します。\n貼り付け"), "paste");
    AddEditAction(kBold, EditCommand::Bold, QStringLiteral("太字にする\t<b>"),
                  QStringLiteral("選択範囲を太字にします。\n太字"), "bold");
    AddEditAction(kItalic, EditCommand::Italic, QStringLiteral("斜体にする\t<i>"),
                  QStringLiteral("選択範囲を斜体にします。\n斜体"), "italic");
    AddEditAction(kFont, EditCommand::Font, QStringLiteral("フォント指定\t<font>"),
                  QStringLiteral("選択範囲のフォントを指定します。\nフォント"), "font");
    AddEditAction(kCenter, EditCommand::Center, QStringLiteral("中央揃え\t<center>"),
                  QStringLiteral("選択範囲を中央に揃えます。\n中央揃え"), "center");
    AddEditAction(kLink, EditCommand::Link, QStringLiteral("URLリンクを挿入\t<a>"),
                  QStringLiteral("URLへのリンクを挿入します。\nリンク挿入"), "link");
    AddEditAction(kImage, EditCommand::Image, QStringLiteral("画像リンクを挿入\t<img>"),
                  QStringLiteral("画像へのリンクを挿入します。\n画像リンク"), "image");
    auto keys = [this](int id, std::initializer_list<QKeySequence> seqs) {
        m_actions[id]->setShortcuts(QList<QKeySequence>(seqs));
    };
    keys(kUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    keys(kSelectAll, {QKeySequence(Qt::CTRL | Qt::Key_A)});
    keys(kCut, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    keys(kCopy, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    keys(kPaste, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});

    QAction* toolBar = AddAction(kToolBar, QStringLiteral("ツールバー(&T)"),
                                 QStringLiteral("ツールバーの表示/非表示を切り替えます。\n"
                                                "ツールバーの表示/非表示"));
    QAction* statusBarAction = AddAction(
        kStatusBar, QStringLiteral("ステータスバー(&S)"),
        QStringLiteral("ステータスバーの表示/非表示を切り替えます。\nステータスバーの表示/非表示"));
    toolBar->setCheckable(true);
    statusBarAction->setCheckable(true);
    toolBar->setChecked(true);
    statusBarAction->setChecked(true);
    connect(statusBarAction, &QAction::toggled, this,
            [this](bool on) { ShowBar(statusBar(), on); });

    connect(AddAction(kTabProduct, QStringLiteral("商品の説明(&I)"),
                      QStringLiteral("商品の紹介ページに切り替えます。\n商品の紹介ページ")),
            &QAction::triggered, this, [this] { m_view->ShowTab(0); });
    connect(AddAction(kTabBidders, QStringLiteral("商品と落札者の管理(&C)"),
                      QStringLiteral("商品と落札者の管理ページに切り替えます。\n"
                                     "商品と落札者の管理ページ")),
            &QAction::triggered, this, [this] { m_view->ShowTab(1); });
    connect(
        AddAction(kTabMail, QStringLiteral("案内メール作成(&M)"),
                  QStringLiteral("案内メールの作成ページに切り替えます。\n案内メールの作成ページ")),
        &QAction::triggered, this, [this] { m_view->ShowTab(2); });

    // The tool and settings dialogs connect to these actions when they exist.
    connect(AddAction(kShipping, QStringLiteral("送料計算(&C)..."),
                      QStringLiteral("送料計算ツールを開きます。\n送料計算")),
            &QAction::triggered, this, &CMainFrame::OpenShippingTool);
    connect(AddAction(kUserSettings, QStringLiteral("ユーザ設定(&A)..."),
                      QStringLiteral("出品者の情報を設定します。\nユーザ設定")),
            &QAction::triggered, this, [this] { m_dialogs.EditUserSettings(std::nullopt); });
    connect(AddAction(kListingSettings, QStringLiteral("出品設定(&U)..."),
                      QStringLiteral("新しい商品の標準の内容を設定します。\n出品設定")),
            &QAction::triggered, this, [this] { m_dialogs.EditListingSettings(); });
    connect(AddAction(kPaymentSettings, QStringLiteral("支払設定(&P)..."),
                      QStringLiteral("支払方法と振込先を設定します。\n支払設定")),
            &QAction::triggered, this,
            [this] { m_dialogs.EditPaymentSettings([this] { ShowSettingsInTabs(); }); });
    connect(AddAction(kShippingOptions, QStringLiteral("発送オプション設定(&S)..."),
                      QStringLiteral("発送方法のオプションを設定します。\n発送オプション設定")),
            &QAction::triggered, this, [this] { m_dialogs.EditShippingOptions(); });
    connect(AddAction(kWizard, QStringLiteral("設定ウィザードを起動(&W)..."),
                      QStringLiteral("設定ウィザードで初期設定を行います。\n設定ウィザード")),
            &QAction::triggered, this, [this] {
                m_dialogs.RunSetupWizard();
                ShowSettingsInTabs();
            });

    connect(AddAction(kHelp, QStringLiteral("ヘルプファイルを表示(&H)..."),
                      QStringLiteral("ヘルプをブラウザで表示します。\nヘルプ"), "help"),
            &QAction::triggered, this, [this] { m_host.OpenPage(InstallDir() + "help.html"); });
    connect(AddAction(kAbout, QStringLiteral("Hanamori のバージョン情報(&A)..."),
                      QStringLiteral("プログラムの情報、バージョン番号を表示します。\n"
                                     "バージョン情報"),
                      "about"),
            &QAction::triggered, this, [this] { m_dialogs.ShowAbout(); });
}

void CMainFrame::CreateMenus() {
    using namespace cmd;
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addActions({m_actions[kNew], m_actions[kOpen], m_actions[kSave]});
    file->addSeparator();
    file->addActions({m_actions[kManageFiles], m_actions[kOverview], m_actions[kDealings]});
    file->addSeparator();
    file->addAction(m_actions[kExit]);

    AddEditCommands(menuBar()->addMenu(QStringLiteral("編集(&E)")));

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->addActions({m_actions[kToolBar], m_actions[kStatusBar]});
    view->addSeparator();
    view->addActions({m_actions[kTabProduct], m_actions[kTabBidders], m_actions[kTabMail]});

    QMenu* tools = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    tools->addAction(m_actions[kShipping]);
    QMenu* options = tools->addMenu(QStringLiteral("オプション(&O)"));
    options->addActions({m_actions[kUserSettings], m_actions[kListingSettings],
                         m_actions[kPaymentSettings], m_actions[kShippingOptions]});
    options->addSeparator();
    options->addAction(m_actions[kWizard]);

    QMenu* other = menuBar()->addMenu(QStringLiteral("その他(&H)"));
    other->addAction(m_actions[kHelp]);
    other->addSeparator();
    other->addAction(m_actions[kAbout]);
}

void CMainFrame::CreateToolBar() {
    using namespace cmd;
    m_toolBar = addToolBar(QStringLiteral("ツールバー"));
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(ScaledToFont(this, 16), ScaledToFont(this, 15)));
    const int order[] = {kNew,   kOpen,   kSave, 0,     kDealings, 0,          kCut,
                         kCopy,  kPaste,  0,     kUndo, 0,         kSelectAll, 0,
                         kBold,  kItalic, kFont, 0,     kCenter,   0,          kLink,
                         kImage, 0,       kHelp, kAbout};
    for (int id : order) {
        if (id == 0) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(m_actions[id]);
        }
    }
    QAction* toggle = m_actions[kToolBar];
    connect(toggle, &QAction::toggled, this, [this](bool on) { ShowBar(m_toolBar, on); });
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // The idle text comes back whenever a menu prompt goes away.
    bar->showMessage(QStringLiteral("レディ"));
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& text) {
        if (text.isEmpty()) {
            bar->showMessage(QStringLiteral("レディ"));
        }
    });
    // Kana, caps, num and scroll lock. The window system gives no portable way to read
    // the lock states, so the panes stay in their "off" look.
    for (const char* text : {"カナ", "CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromUtf8(text), bar);
        pane->setObjectName(QStringLiteral("indicator") + QString::fromUtf8(text));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
}

void CMainFrame::CreateContextMenu() {
    using namespace cmd;
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("editContextMenu"));
    AddEditCommands(m_contextMenu);
}

// The 編集 menu and the edit fields' context menu offer the same commands.
void CMainFrame::AddEditCommands(QMenu* menu) {
    using namespace cmd;
    menu->addAction(m_actions[kUndo]);
    menu->addSeparator();
    menu->addAction(m_actions[kSelectAll]);
    menu->addSeparator();
    menu->addActions({m_actions[kCut], m_actions[kCopy], m_actions[kPaste]});
    menu->addSeparator();
    menu->addActions({m_actions[kBold], m_actions[kItalic], m_actions[kFont]});
    menu->addSeparator();
    menu->addAction(m_actions[kCenter]);
    menu->addSeparator();
    menu->addActions({m_actions[kLink], m_actions[kImage]});
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditCommands);
}

void CMainFrame::ShowSettingsInTabs() {
    if (auto* mail = qobject_cast<MailPage*>(m_view->page(2))) {
        mail->ShowAccountNames();
    }
}

} // namespace hanamori
