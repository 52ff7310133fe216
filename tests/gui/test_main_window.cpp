// The main window on a scripted host: document commands, title, header, tab switching,
// change tracking, the routing of the edit commands, and what typing and pasting into
// its fields keeps.

#include "core/app/helpers.h"
#include "core/listing/listing_file.h"
#include "core/settings/settings_files.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui/widgets/field_codes.h"
#include "gui/widgets/tab_page.h"
#include "gui_test_support.h"
#include "support/cli_runner.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace hanamori;
using namespace hanamori::test;

// A field of a kind a page may add, carrying out the tag commands itself.
class TagField final : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;
    QList<int> commands;
public slots:
    void runTagCommand(int command) { commands << command; }
};

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempInstall> m_install;
    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<CMainFrame> m_frame;

    template <typename T> T* Find(const char* name) {
        T* w = m_frame->findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            qFatal("widget %s not found", name);
        }
        return w;
    }
    CSaleMasterDoc& Doc() { return m_frame->doc(); }
    QString Title() { return m_frame->windowTitle(); }
    QString LastMessage() {
        return m_host->messages.empty() ? QString() : ToQString(m_host->messages.back().text);
    }
    static QString ToQString(const std::string& cp932) {
        return QString::fromStdString(Utf8(cp932));
    }
    void Focus(QWidget* w) {
        m_frame->activateWindow();
        w->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        m_frame->UpdateEditCommands();
    }
    bool Enabled(int id) { return m_frame->CommandAction(id)->isEnabled(); }

    // What the seller types and pastes, starting from a click into the field.
    void ClickInto(QWidget* field) {
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        auto* area = qobject_cast<QAbstractScrollArea*>(field);
        QTest::mouseClick(area ? area->viewport() : field, Qt::LeftButton);
        QVERIFY(field->hasFocus());
        m_host->messages.clear();
    }

private slots:
    void init() {
        m_install = std::make_unique<TempInstall>(true);
        Settings() = UserSettings();
        m_host = std::make_unique<ScriptedHost>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_frame = std::make_unique<CMainFrame>(*m_host, *m_dialogs, Settings());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void cleanup() {
        m_frame.reset();
        m_dialogs.reset();
        m_host.reset();
        m_install.reset();
    }

    void startUpLeavesTheBrowserEngineAlone() {
        for (int tab = 0; tab < 3; ++tab) {
            QVERIFY(m_frame->view().ShowTab(tab));
            QApplication::processEvents();
        }
        // The engine, once started, runs threads of its own in this process and its
        // pages in child processes.
        QStringList engine;
        for (const QFileInfo& entry :
             QDir(Q("/proc/self/task")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(entry.filePath() + Q("/comm"));
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().startsWith("Chrome_")) {
                engine << entry.fileName();
            }
        }
        const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
        for (const QFileInfo& entry :
             QDir(Q("/proc")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile stat(entry.filePath() + Q("/stat"));
            if (!stat.open(QIODevice::ReadOnly)) {
                continue;
            }
            QByteArray line = stat.readAll(); // pid (comm) state ppid ...
            QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (rest.size() > 1 && rest[1] == self && line.contains("(QtWebEngine")) {
                engine << entry.fileName();
            }
        }
        // Nor are its libraries loaded: they come with the plugin on the first preview.
        QFile maps(Q("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        for (const QByteArray& line : maps.readAll().split('\n')) {
            for (const char* library :
                 {"libQt6WebEngine", "libQt6Quick", "libQt6Qml", "hanamori_web"}) {
                if (line.contains(library)) {
                    engine << QString::fromLatin1(line);
                }
            }
        }
        QVERIFY2(engine.isEmpty(), qPrintable(engine.join(QLatin1Char(' '))));
    }

    void newListingShowsHeaderAndTitle() {
        QCOMPARE(Title(), Q("Hanamori - 新規ファイル"));
        auto* name = Find<QLineEdit>("productNameEdit");
        QCOMPARE(name->text(), Q("※新規ファイル"));
        QCOMPARE(name->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(name->font().pixelSize(), 16);
        QVERIFY(name->font().bold());
        QCOMPARE(Find<QLineEdit>("pageUrlEdit")->text(), Q("※ページ未設定"));
        QCOMPARE(Find<QLineEdit>("manageNoEdit")->text().size(), 12);
        QVERIFY(!Doc().IsModified());
        // Filling the pages from the listing is no change.
        Find<QLineEdit>("displayNameEdit")->setFocus();
        m_frame->view().LoadAllTabs();
        QVERIFY(!Doc().IsModified());
    }

    void saveOfNamelessListingAsksForTheName() {
        QTest::keyClicks(Find<QLineEdit>("displayNameEdit"), "abc");
        QVERIFY(Doc().IsModified());

        m_dialogs->names.push_back(std::nullopt);
        m_frame->CommandAction(cmd::kSave)->trigger();
        QCOMPARE(m_dialogs->name_requests.size(), size_t(1));
        QVERIFY(Doc().IsModified());
        QVERIFY(!FileExists(Doc().ListingFilePath()));
        QCOMPARE(Title(), Q("Hanamori - 新規ファイル"));

        m_dialogs->names.push_back(Sj("手作りの花瓶"));
        m_frame->CommandAction(cmd::kSave)->trigger();
        QVERIFY(!Doc().IsModified());
        QVERIFY(FileExists(Doc().ListingFilePath()));
        QCOMPARE(LastMessage(), Q("ファイルに保存しました。"));
        QCOMPARE(Title(), Q("Hanamori - 手作りの花瓶"));
        auto* name = Find<QLineEdit>("productNameEdit");
        QCOMPARE(name->text(), Q("手作りの花瓶"));
        QCOMPARE(name->palette().color(QPalette::Text), QColor(0, 96, 0));
        QCOMPARE(Utf8(Doc().listing().auction.display_name), std::string("abc"));

        // A named listing saves without asking again.
        m_frame->CommandAction(cmd::kSave)->trigger();
        QCOMPARE(m_dialogs->name_requests.size(), size_t(2));
    }

    void openShowsTheListingOnTheFirstTab() {
        SaleMaster stored;
        stored.Reset(Settings());
        stored.manage_no = "240102030405";
        stored.product_name = Sj("古い時計");
        stored.auction.display_name = Sj("アンティーク時計");
        QVERIFY(WriteListing(stored, ListingPath(InstallDir(), stored.manage_no)));

        m_frame->view().ShowTab(2);
        m_dialogs->choices.push_back(stored.manage_no);
        m_frame->CommandAction(cmd::kOpen)->trigger();
        QCOMPARE(m_frame->view().CurrentTab(), 0);
        QCOMPARE(Find<QLineEdit>("displayNameEdit")->text(), Q("アンティーク時計"));
        QCOMPARE(Title(), Q("Hanamori - 古い時計"));
        QCOMPARE(Find<QLineEdit>("manageNoEdit")->text(), Q("240102030405"));
        QVERIFY(!Doc().IsModified());

        // A file that fails to read leaves a fresh, empty listing.
        WriteFile(ListingPath(InstallDir(), "240102030406"), "not a listing");
        m_dialogs->choices.push_back(std::string("240102030406"));
        m_frame->CommandAction(cmd::kOpen)->trigger();
        QCOMPARE(LastMessage(), Q("ファイルの読み込みに失敗しました。"));
        QVERIFY(Doc().listing().product_name.empty());
        QVERIFY(Doc().listing().manage_no != "240102030405");
        QVERIFY(Doc().listing().manage_no != "240102030406");
        QCOMPARE(Find<QLineEdit>("displayNameEdit")->text(), QString());
        QCOMPARE(Find<QLineEdit>("productNameEdit")->text(), Q("※新規ファイル"));
    }

    void aBidderRegisteredInTheTerminalIsNeverLostSilently() {
        auto cli = [&](const std::vector<std::string>& args) {
            return RunCliAt(DistDir() + "/hanamori-cli", m_install->dir(), args);
        };
        CliResult made = cli({"new", "--name", "watch"});
        const std::string number = made.out.substr(0, made.out.find('\n'));
        m_dialogs->choices.push_back(number);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QTest::keyClick(m_frame.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(Find<QLineEdit>("manageNoEdit")->text(), QString::fromStdString(number));

        // Unmodified: back at the window after another one, the terminal's save shows.
        QCOMPARE(cli({"bidder", number, "add", "--nickname", "taro"}).status, 0);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QTRY_COMPARE(m_frame->statusBar()->currentMessage(),
                     Q("他のプログラムが保存した内容を読み込みました。"));
        QCOMPARE(Doc().listing().customers.count(), 1);

        // Typed in and not saved while the terminal registers another bidder: the save
        // asks; キャンセル keeps the terminal's bidders and the window's text, and
        // 読み込み直す shows the terminal's bidders in place of the text.
        auto* description = Find<QPlainTextEdit>("descriptionEdit");
        QTest::mouseClick(description->viewport(), Qt::LeftButton);
        QTest::keyClicks(description, "like new");
        QCOMPARE(cli({"bidder", number, "add", "--nickname", "jiro"}).status, 0);
        m_host->overwrite_answers = {OverwriteAnswer::Cancel, OverwriteAnswer::Reload};
        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(
            LastMessage().startsWith(Q("このファイルは他のプログラムによって変更されています。\n"
                                       "上書きしますか？")));
        SaleMaster stored;
        QVERIFY(ReadListing(stored, ListingPath(InstallDir(), number)));
        QCOMPARE(stored.customers.count(), 2);
        QCOMPARE(description->toPlainText(), Q("like new"));
        QVERIFY(Doc().IsModified());

        QTest::keyClick(m_frame.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(description->toPlainText(), QString());
        QCOMPARE(Doc().listing().customers.count(), 2);
        QVERIFY(!Doc().IsModified());
    }

    void newListingAsksAboutUnsavedChanges() {
        QTest::keyClicks(Find<QLineEdit>("displayNameEdit"), "x");
        std::string before = Doc().listing().manage_no;
        m_host->yes_no_cancel_answers.push_back(Answer::Cancel);
        m_frame->CommandAction(cmd::kNew)->trigger();
        QCOMPARE(Find<QLineEdit>("displayNameEdit")->text(), Q("x"));
        QVERIFY(Doc().IsModified());

        m_host->yes_no_cancel_answers.push_back(Answer::No);
        m_frame->CommandAction(cmd::kNew)->trigger();
        QCOMPARE(Find<QLineEdit>("displayNameEdit")->text(), QString());
        QVERIFY(!Doc().IsModified());
        QCOMPARE(m_host->messages.front().text, "内容が更新されています。\n保存しますか？"_sj);
    }

    void closeAsksTheSaveQuestion() {
        QTest::keyClicks(Find<QPlainTextEdit>("descriptionEdit"), "d");
        QVERIFY(Doc().IsModified());

        m_host->yes_no_cancel_answers.push_back(Answer::Cancel);
        QVERIFY(!m_frame->close());
        QVERIFY(m_frame->isVisible());

        // Yes, then the name dialog cancelled: still open, nothing saved.
        m_host->yes_no_cancel_answers.push_back(Answer::Yes);
        m_dialogs->names.push_back(std::nullopt);
        QVERIFY(!m_frame->close());
        QVERIFY(!FileExists(Doc().ListingFilePath()));

        m_host->yes_no_cancel_answers.push_back(Answer::Yes);
        m_dialogs->names.push_back(Sj("品"));
        QVERIFY(m_frame->close());
        QVERIFY(FileExists(Doc().ListingFilePath()));
    }

    void closeWithNoDiscards() {
        QTest::keyClicks(Find<QPlainTextEdit>("descriptionEdit"), "d");
        m_host->yes_no_cancel_answers.push_back(Answer::No);
        QVERIFY(m_frame->close());
        QVERIFY(!FileExists(Doc().ListingFilePath()));
    }

    void changeTracking() {
        QVERIFY(!FieldCodeMarksModified(0));
        for (int code : {1, 10, 12, 16, 18, 46, 49, 79, 89, 92, 96, 109, 111, 121}) {
            QVERIFY2(FieldCodeMarksModified(code), qPrintable(QString::number(code)));
        }
        for (int code : {11, 17, 47, 48, 80, 88, 90, 91, 97, 108, 110, 122, 500}) {
            QVERIFY2(!FieldCodeMarksModified(code), qPrintable(QString::number(code)));
        }
        QVERIFY(!ChangeMarksModified(4, 12));
        QVERIFY(ChangeMarksModified(kChangeSelection, 12));

        // Choosing another bidder is no change; typing in the memo is.
        CustomerRecord a, b;
        a.nickname = "alice";
        b.nickname = "bob";
        Doc().listing().customers.Append(a);
        Doc().listing().customers.Append(b);
        m_frame->view().LoadAllTabs();
        QVERIFY(!Doc().IsModified());
        m_frame->view().ShowTab(1);
        auto* combo = Find<QComboBox>("bidderCombo");
        QCOMPARE(combo->count(), 2);
        combo->setCurrentIndex(1);
        QVERIFY(!Doc().IsModified());
        QCOMPARE(Doc().listing().customers_edit.current, 1);
        QTest::keyClicks(Find<QPlainTextEdit>("memoEdit"), "m");
        QVERIFY(Doc().IsModified());

        // With the switch off nothing is reported.
        Doc().SetModified(false);
        SetChangeNotify(false);
        QTest::keyClicks(Find<QLineEdit>("displayNameEdit"), "q");
        SetChangeNotify(true);
        QVERIFY(!Doc().IsModified());
    }

    void charactersThatCannotBeStoredAreKeptOutAndAllNamed() {
        auto* name = Find<QLineEdit>("displayNameEdit");
        ClickInto(name);
        PasteInto(name, Q("📷€50相当 𠮷野家"));
        QCOMPARE(name->text(), Q("50相当 野家"));
        QCOMPARE(m_host->MessagesUtf8(),
                 std::vector<std::string>{"「📷」「€」「𠮷」の文字は使用できません。\n"
                                          "これらの文字は入力できないため取り除きました。"});

        auto* description = Find<QPlainTextEdit>("descriptionEdit");
        ClickInto(description);
        PasteInto(description, Q("♥新品\n未使用〜"));
        QCOMPARE(description->toPlainText(), Q("新品\n未使用〜"));
        QCOMPARE(m_host->MessagesUtf8().back(),
                 std::string(
                     "「♥」の文字は使用できません。\nこの文字は入力できないため取り除きました。"));
    }

    void aFieldStopsTakingInputAtItsCapacity() {
        auto* name = Find<QLineEdit>("displayNameEdit"); // 511 bytes
        ClickInto(name);
        PasteInto(name, QString(300, QChar(0x3042)));
        QCOMPARE(name->text(), QString(255, QChar(0x3042)));
        QCOMPARE(m_frame->statusBar()->currentMessage(),
                 Q("この欄に入力できるのは半角511文字（全角255文字）までです。"));
        QTest::keyClicks(name, "xy");
        QCOMPARE(name->text(), QString(255, QChar(0x3042)) + Q("x"));
        QVERIFY(m_host->messages.empty());
    }

    void numberFieldsTakeFullWidthDigitsAndTheQuantityStepsFromEmpty() {
        auto* quantity = Find<QLineEdit>("quantityEdit");
        ClickInto(quantity);
        QTest::keyClick(quantity, Qt::Key_A, Qt::ControlModifier);
        CommitInput(quantity, Q("１２"));
        QCOMPARE(quantity->text(), Q("12"));
        QVERIFY(m_host->messages.empty());

        QTest::keyClick(quantity, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(quantity, Qt::Key_Delete);
        QCOMPARE(quantity->text(), QString());
        for (QToolButton* b : Find<QWidget>("quantityUpDown")->findChildren<QToolButton*>()) {
            if (b->accessibleName() == Q("増やす")) {
                QTest::mouseClick(b, Qt::LeftButton);
            }
        }
        QCOMPARE(quantity->text(), Q("1"));
    }
    void unencodableCharacterIsRefused() {
        auto* edit = Find<QLineEdit>("displayNameEdit");
        QTest::keyClicks(edit, "ab");
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(U"\U0001F600"));
        QApplication::sendEvent(edit, &key);
        QCOMPARE(edit->text(), Q("ab"));
        QCOMPARE(m_host->MessagesUtf8().back().substr(0, 10), std::string("「😀」"));

        // Multi-line text with line breaks passes; a refused character is taken out.
        std::size_t messages = m_host->messages.size();
        auto* description = Find<QPlainTextEdit>("descriptionEdit");
        description->setPlainText(Q("一行目\n二行目"));
        QCOMPARE(m_host->messages.size(), messages);
        description->moveCursor(QTextCursor::End);
        description->insertPlainText(QString::fromUcs4(U"x\U0001F600y\nz"));
        QCOMPARE(description->toPlainText(), Q("一行目\n二行目xy\nz"));
        QCOMPARE(m_host->messages.size(), messages + 1);
    }

    void editCommandsFollowTheFocusedField() {
        const int clip[] = {cmd::kUndo, cmd::kCut, cmd::kCopy, cmd::kPaste};
        const int tags[] = {cmd::kSelectAll, cmd::kBold, cmd::kItalic, cmd::kFont,
                            cmd::kCenter,    cmd::kLink, cmd::kImage};
        m_frame->view().ShowTab(1);
        Focus(Find<QPlainTextEdit>("memoEdit")); // a 5000-range field
        for (int id : clip) {
            QVERIFY(Enabled(id));
        }
        for (int id : tags) {
            QVERIFY(!Enabled(id));
        }
        m_frame->view().ShowTab(0);
        auto* description = Find<QPlainTextEdit>("descriptionEdit");
        Focus(description); // a 6000-range field
        for (int id : clip) {
            QVERIFY(Enabled(id));
        }
        for (int id : tags) {
            QVERIFY(Enabled(id));
        }
        Focus(Find<QPushButton>("nameButton"));
        for (int id : clip) {
            QVERIFY(!Enabled(id));
        }
        for (int id : tags) {
            QVERIFY(!Enabled(id));
        }

        // The commands reach the focused field.
        Focus(description);
        QTest::keyClicks(description, "hello");
        m_frame->CommandAction(cmd::kSelectAll)->trigger();
        QCOMPARE(description->textCursor().selectedText(), Q("hello"));
        m_frame->CommandAction(cmd::kCut)->trigger();
        QCOMPARE(description->toPlainText(), QString());
        m_frame->CommandAction(cmd::kPaste)->trigger();
        m_frame->CommandAction(cmd::kPaste)->trigger();
        QCOMPARE(description->toPlainText(), Q("hellohello"));

        // The header's read-only fields take the commands but keep their text.
        auto* header = Find<QLineEdit>("productNameEdit");
        Focus(header);
        QVERIFY(Enabled(cmd::kCut));
        header->selectAll();
        m_frame->CommandAction(cmd::kCut)->trigger();
        m_frame->CommandAction(cmd::kPaste)->trigger();
        QCOMPARE(header->text(), Q("※新規ファイル"));

        // The context menu handed to the pages holds the same commands.
        QMenu* menu = m_frame->view().page(0)->contextMenu();
        QVERIFY(menu);
        QVERIFY(menu->actions().contains(m_frame->CommandAction(cmd::kImage)));
    }

    QMenu* MenuOf(int index) { return m_frame->menuBar()->actions().at(index)->menu(); }

    void editCommandsFollowTheFieldThroughMenusByKeyboard() {
        const int all[] = {cmd::kUndo,      cmd::kCut,  cmd::kCopy,   cmd::kPaste,
                           cmd::kSelectAll, cmd::kBold, cmd::kItalic, cmd::kFont,
                           cmd::kCenter,    cmd::kLink, cmd::kImage};
        auto* description = Find<QPlainTextEdit>("descriptionEdit");
        Focus(description);
        QTest::keyClicks(description, "hello");

        // Alt+E opens 編集 from the keyboard: every entry follows the description.
        QTest::keyClick(description, Qt::Key_E, Qt::AltModifier);
        QMenu* edit = MenuOf(1);
        QTRY_VERIFY(edit->isVisible());
        for (int id : all) {
            QVERIFY2(Enabled(id), qPrintable(QString::number(id)));
        }
        // 全て選択 chosen by its key reaches the description.
        QTest::keyClick(edit, Qt::Key_A);
        QTRY_VERIFY(!edit->isVisible());
        QCOMPARE(description->textCursor().selectedText(), Q("hello"));

        // F10 opens the menu bar as well.
        QTest::keyClick(description, Qt::Key_F10);
        QTRY_VERIFY(MenuOf(0)->isVisible());
        QCOMPARE(m_frame->menuBar()->activeAction(), m_frame->menuBar()->actions().first());
        QTest::keyClick(MenuOf(0), Qt::Key_Escape);
        QTRY_VERIFY(!MenuOf(0)->isVisible());

        // While the menu bar or a toolbar holds the focus, the commands (toolbar buttons,
        // shortcuts) still go to the field that had it.
        m_frame->menuBar()->setFocus(Qt::MenuBarFocusReason);
        QApplication::processEvents();
        QVERIFY(Enabled(cmd::kSelectAll));
        m_frame->CommandAction(cmd::kSelectAll)->trigger();
        m_frame->CommandAction(cmd::kCut)->trigger();
        QCOMPARE(description->toPlainText(), QString());
        auto* toolBar = Find<QToolBar>("mainToolBar");
        toolBar->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        m_frame->CommandAction(cmd::kPaste)->trigger();
        QCOMPARE(description->toPlainText(), Q("hello"));

        // A button of the window does decide: nothing is enabled there.
        Focus(Find<QPushButton>("nameButton"));
        m_frame->menuBar()->setFocus(Qt::MenuBarFocusReason);
        QApplication::processEvents();
        for (int id : all) {
            QVERIFY(!Enabled(id));
        }
    }

    void tagCommandsReachAnyTagFieldAndNothingElse() {
        // The header's name field lies in the tag range but has no tag commands:
        // choosing one does nothing, and says nothing.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        auto* header = Find<QLineEdit>("productNameEdit");
        Focus(header);
        QVERIFY(Enabled(cmd::kBold));
        for (int id :
             {cmd::kBold, cmd::kItalic, cmd::kFont, cmd::kCenter, cmd::kLink, cmd::kImage}) {
            m_frame->CommandAction(id)->trigger();
        }
        QCOMPARE(header->text(), Q("※新規ファイル"));

        // A field that a page adds in that range gets them, with no more wiring.
        auto* field = new TagField(m_frame->view().page(0));
        SetControlId(field, 6900);
        field->show();
        Focus(field);
        m_frame->menuBar()->setFocus(Qt::MenuBarFocusReason);
        QApplication::processEvents();
        m_frame->CommandAction(cmd::kBold)->trigger();
        m_frame->CommandAction(cmd::kImage)->trigger();
        QCOMPARE(field->commands, QList<int>({cmd::kBold, cmd::kImage}));
    }

    void windowOpensWithinTheScreenAndTheFormScrolls() {
        const QSize room = m_frame->screen()->availableGeometry().size();
        const QSize full = m_frame->maximumSize();
        // The test screen is smaller than the window would like to be.
        QVERIFY(full.width() > room.width() * 9 / 10 || full.height() > room.height() * 9 / 10);
        QVERIFY(m_frame->width() <= room.width());
        QVERIFY(m_frame->height() <= room.height());
        auto* area = Find<QScrollArea>("viewScrollArea");
        QTRY_VERIFY(area->horizontalScrollBar()->isVisible() ||
                    area->verticalScrollBar()->isVisible());
        // Made as large as its form, the window needs no scroll bars.
        m_frame->resize(m_frame->maximumSize());
        QTRY_VERIFY(!area->verticalScrollBar()->isVisible());
        QTRY_VERIFY(!area->horizontalScrollBar()->isVisible());
    }

    void barsShownAgainGiveTheWindowItsSizeBack() {
        auto* area = Find<QScrollArea>("viewScrollArea");
        m_frame->resize(m_frame->maximumSize());
        QTRY_VERIFY(!area->verticalScrollBar()->isVisible());
        const QSize frame = m_frame->size();
        const QSize form = area->size();
        QVERIFY(!area->verticalScrollBar()->isVisible());
        for (int id : {cmd::kToolBar, cmd::kStatusBar}) {
            m_frame->CommandAction(id)->trigger();
            QTRY_VERIFY(m_frame->size().height() < frame.height());
            QTRY_COMPARE(area->size(), form);
            m_frame->CommandAction(id)->trigger();
            QTRY_COMPARE(m_frame->size(), frame);
            QTRY_COMPARE(area->size(), form);
        }
        // Both off, then back in the other order.
        m_frame->CommandAction(cmd::kToolBar)->trigger();
        m_frame->CommandAction(cmd::kStatusBar)->trigger();
        m_frame->CommandAction(cmd::kToolBar)->trigger();
        m_frame->CommandAction(cmd::kStatusBar)->trigger();
        QTRY_COMPARE(m_frame->size(), frame);
        QTRY_COMPARE(area->size(), form);
        QTRY_VERIFY(!area->verticalScrollBar()->isVisible());
        QTRY_VERIFY(!area->horizontalScrollBar()->isVisible());
    }

    void aFileNamedOnTheCommandLineOpens() {
        SaleMaster stored;
        stored.Reset(Settings());
        stored.manage_no = "240102030405";
        stored.product_name = Sj("古い時計");
        QVERIFY(WriteListing(stored, ListingPath(InstallDir(), stored.manage_no)));
        const QString before = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(InstallDir()));

        // A relative path into Datas opens that listing, on the first tab.
        m_frame->view().ShowTab(2);
        m_frame->OpenFileArgument(QStringLiteral("Datas/240102030405.rks"));
        QCOMPARE(Title(), Q("Hanamori - 古い時計"));
        QCOMPARE(Find<QLineEdit>("manageNoEdit")->text(), Q("240102030405"));
        QCOMPARE(m_frame->view().CurrentTab(), 0);
        QVERIFY(!Doc().IsModified());

        // A listing file from elsewhere opens under a fresh number: saving it adds a
        // listing and leaves the one of its stored number alone.
        const std::string elsewhere = InstallDir() + "work/kept.rks";
        stored.product_name = Sj("控えの時計");
        QVERIFY(WriteListing(stored, elsewhere));
        const std::string original = ReadFile(ListingPath(InstallDir(), "240102030405"));
        m_frame->OpenFileArgument(QStringLiteral("work/kept.rks"));
        QCOMPARE(Title(), Q("Hanamori - 控えの時計"));
        QVERIFY(Doc().listing().manage_no != "240102030405");
        QVERIFY(Doc().Save());
        QCOMPARE(ReadFile(ListingPath(InstallDir(), "240102030405")), original);
        QVERIFY(FileExists(ListingPath(InstallDir(), Doc().listing().manage_no)));

        // A file that cannot be read: the usual message, and a new listing.
        m_frame->OpenFileArgument(QStringLiteral("Datas/nothing.rks"));
        QCOMPARE(LastMessage(), Q("ファイルの読み込みに失敗しました。"));
        QCOMPARE(Find<QLineEdit>("productNameEdit")->text(), Q("※新規ファイル"));
        QDir::setCurrent(before);
    }

    // The entries of a menu as "text=id", separators left out, submenus as "[title]".
    static QStringList Entries(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) {
                continue;
            }
            out << (a->menu() ? QStringLiteral("[%1]").arg(a->text())
                              : QStringLiteral("%1=%2").arg(a->text()).arg(
                                    a->property("commandId").toInt()));
        }
        return out;
    }

    void menuToolBarAndShortcuts() {
        QStringList titles;
        QList<QMenu*> menus;
        for (QAction* a : m_frame->menuBar()->actions()) {
            titles << a->text();
            menus << a->menu();
        }
        QCOMPARE(titles, QStringList({Q("ファイル(&F)"), Q("編集(&E)"), Q("表示(&V)"),
                                      Q("ツール(&T)"), Q("その他(&H)")}));
        QCOMPARE(Entries(menus[0]),
                 QStringList({Q("新規作成(&N)=57600"), Q("開く(&O)...=57601"), Q("保存(&S)=57603"),
                              Q("ファイル管理(&M)=32792"), Q("ファイル一覧(&L)=32795"),
                              Q("取引一覧(&D)...=32796"), Q("アプリケーションの終了(&X)=57665")}));
        QCOMPARE(
            Entries(menus[1]),
            QStringList({Q("元に戻す(&U)=57643"), Q("全て選択(&A)=57642"), Q("切り取り(&T)=57635"),
                         Q("ｺﾋﾟｰ(&C)=57634"), Q("貼り付け(&P)=57637"), Q("太字にする\t<b>=35002"),
                         Q("斜体にする\t<i>=35003"), Q("フォント指定\t<font>=35001"),
                         Q("中央揃え\t<center>=35005"), Q("URLリンクを挿入\t<a>=35000"),
                         Q("画像リンクを挿入\t<img>=35004")}));
        QCOMPARE(Entries(menus[2]),
                 QStringList({Q("ツールバー(&T)=59392"), Q("ステータスバー(&S)=59393"),
                              Q("商品の説明(&I)=32783"), Q("商品と落札者の管理(&C)=32785"),
                              Q("案内メール作成(&M)=32784")}));
        QCOMPARE(Entries(menus[3]),
                 QStringList({Q("送料計算(&C)...=32772"), Q("[オプション(&O)]")}));
        QMenu* options = menus[3]->actions().last()->menu();
        QCOMPARE(Entries(options),
                 QStringList({Q("ユーザ設定(&A)...=32780"), Q("出品設定(&U)...=32782"),
                              Q("支払設定(&P)...=32781"), Q("発送オプション設定(&S)...=32791"),
                              Q("設定ウィザードを起動(&W)...=32794")}));
        QCOMPARE(Entries(menus[4]), QStringList({Q("ヘルプファイルを表示(&H)...=32789"),
                                                 Q("Hanamori のバージョン情報(&A)...=57664")}));
        // The edit context menu: the 編集 entries in the same order.
        QCOMPARE(Entries(m_frame->contextMenu()), Entries(menus[1]));

        QStringList toolbar;
        for (QAction* a : Find<QToolBar>("mainToolBar")->actions()) {
            toolbar << (a->isSeparator() ? QStringLiteral("|")
                                         : QString::number(a->property("commandId").toInt()) +
                                               QLatin1Char(' ') + a->toolTip());
        }
        QCOMPARE(
            toolbar.join(QLatin1Char(',')),
            Q("57600 新規作成,57601 開く,57603 保存,|,32796 取引一覧,|,57635 切り取り,57634 ｺﾋﾟｰ,"
              "57637 貼り付け,|,57643 元に戻す,|,57642 全て選択,|,35002 太字,35003 斜体,"
              "35001 フォント,|,35005 中央揃え,|,35000 リンク挿入,35004 画像リンク,|,"
              "32789 ヘルプ,57664 バージョン情報"));

        auto keys = [this](int id) {
            QStringList out;
            for (const QKeySequence& k : m_frame->CommandAction(id)->shortcuts()) {
                out << k.toString(QKeySequence::PortableText);
            }
            return out.join(QLatin1Char(' '));
        };
        QCOMPARE(keys(cmd::kNew), Q("Ctrl+N"));
        QCOMPARE(keys(cmd::kOpen), Q("Ctrl+O"));
        QCOMPARE(keys(cmd::kSave), Q("Ctrl+S"));
        QCOMPARE(keys(cmd::kUndo), Q("Ctrl+Z Alt+Backspace"));
        QCOMPARE(keys(cmd::kSelectAll), Q("Ctrl+A"));
        QCOMPARE(keys(cmd::kCut), Q("Ctrl+X Shift+Del"));
        QCOMPARE(keys(cmd::kCopy), Q("Ctrl+C Ctrl+Ins"));
        QCOMPARE(keys(cmd::kPaste), Q("Ctrl+V Shift+Ins"));
        QCOMPARE(keys(cmd::kBold), QString());
        QCOMPARE(m_frame->CommandAction(cmd::kTabProduct)->statusTip(),
                 Q("商品の紹介ページに切り替えます。"));
        // A prompt shows in the status bar while its entry is pointed at, then the idle
        // text returns.
        QStatusBar* bar = m_frame->statusBar();
        QCOMPARE(bar->currentMessage(), Q("レディ"));
        m_frame->CommandAction(cmd::kTabProduct)->showStatusText(m_frame.get());
        QCOMPARE(bar->currentMessage(), Q("商品の紹介ページに切り替えます。"));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(m_frame.get(), &leave);
        QCOMPARE(bar->currentMessage(), Q("レディ"));
    }

    void menuSwitchesTabs() {
        m_frame->CommandAction(cmd::kTabMail)->trigger();
        QCOMPARE(m_frame->view().CurrentTab(), 2);
        m_frame->CommandAction(cmd::kTabBidders)->trigger();
        QCOMPARE(m_frame->view().CurrentTab(), 1);
        m_frame->CommandAction(cmd::kTabProduct)->trigger();
        QCOMPARE(m_frame->view().CurrentTab(), 0);
        QVERIFY(!m_frame->view().ShowTab(3));
        QCOMPARE(m_frame->view().CurrentTab(), 0);
    }

    void headerButtonsAndPages() {
        Find<QPushButton>("openPageButton")->click();
        QCOMPARE(LastMessage(), Q("ページが設定されていません。"));
        QVERIFY(m_host->opened_pages.empty());

        m_dialogs->urls.push_back(std::string("https://example.com/item/1"));
        Find<QPushButton>("setPageButton")->click();
        QVERIFY(Doc().IsModified());
        QCOMPARE(Find<QLineEdit>("pageUrlEdit")->text(), Q("https://example.com/item/1"));
        Find<QPushButton>("openPageButton")->click();
        QCOMPARE(m_host->opened_pages.back(), std::string("https://example.com/item/1"));

        Doc().SetModified(false);
        m_dialogs->names.push_back(Sj("新しい名前"));
        Find<QPushButton>("nameButton")->click();
        QVERIFY(Doc().IsModified());
        QCOMPARE(Find<QLineEdit>("productNameEdit")->text(), Q("新しい名前"));
        // The title follows at the next save.
        QCOMPARE(Title(), Q("Hanamori - 新規ファイル"));

        m_frame->CommandAction(cmd::kHelp)->trigger();
        QCOMPARE(m_host->opened_pages.back(), InstallDir() + "help.html");
        m_frame->CommandAction(cmd::kAbout)->trigger();
        QCOMPARE(m_dialogs->about_calls, 1);
    }

    // The name is set with 設定...; the field only shows it, so a click leaves no caret.
    void headerNameFieldTakesNoCaret() {
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        auto* name = Find<QLineEdit>("productNameEdit");
        QTest::mouseClick(name, Qt::LeftButton);
        QVERIFY(!name->hasFocus());
        QCOMPARE(name->text(), Q("※新規ファイル"));
    }

    // Every name the help page quotes is a menu, command, tab or button of the window.
    void helpPageNamesWhatTheWindowHas() {
        QSet<QString> captions;
        auto plain = [](QString text) {
            text = text.section(u'\t', 0, 0);
            text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&|\\.\\.\\.$")));
            return text.trimmed();
        };
        for (int tab : {cmd::kTabBidders, cmd::kTabMail, cmd::kTabProduct}) {
            m_frame->CommandAction(tab)->trigger(); // each page is built when first shown
        }
        for (QAction* a : m_frame->findChildren<QAction*>()) {
            captions.insert(plain(a->text()));
        }
        for (QMenu* m : m_frame->menuBar()->findChildren<QMenu*>()) {
            captions.insert(plain(m->title()));
        }
        for (QAbstractButton* b : m_frame->findChildren<QAbstractButton*>()) {
            captions.insert(plain(b->text()));
        }
        auto* tabs = m_frame->findChild<QTabWidget*>();
        for (int i = 0; i < tabs->count(); ++i) {
            captions.insert(tabs->tabText(i));
        }
        const QString help = ToQString(ReadFile(InstallDir() + "help.html"));
        auto quoted = QRegularExpression(QStringLiteral("「([^」]+)」")).globalMatch(help);
        QVERIFY(quoted.hasNext());
        while (quoted.hasNext()) {
            const QString name = plain(quoted.next().captured(1));
            QVERIFY2(captions.contains(name), qPrintable(name));
        }
    }

    void fileCommandsAndOverview() {
        m_frame->CommandAction(cmd::kManageFiles)->trigger();
        QCOMPARE(m_dialogs->manage_calls, 1);

        // A modified listing is offered for saving first; Cancel writes nothing.
        QTest::keyClicks(Find<QLineEdit>("displayNameEdit"), "x");
        m_host->yes_no_cancel_answers.push_back(Answer::Cancel);
        m_frame->CommandAction(cmd::kOverview)->trigger();
        QVERIFY(m_host->opened_pages.empty());
        QVERIFY(!FileExists(InstallDir() + "work/filelist.html"));

        m_host->yes_no_cancel_answers.push_back(Answer::No);
        m_frame->CommandAction(cmd::kOverview)->trigger();
        QCOMPARE(m_host->opened_pages.size(), size_t(1));
        QCOMPARE(m_host->opened_pages[0], InstallDir() + "work/filelist.html");
        QVERIFY(ReadFile(m_host->opened_pages[0]).rfind("<html>", 0) == 0);

        // Once saved, the listing in the window is the one file management keeps.
        m_dialogs->names.push_back(Sj("壺"));
        m_frame->CommandAction(cmd::kSave)->trigger();
        m_frame->CommandAction(cmd::kManageFiles)->trigger();
        QCOMPARE(m_dialogs->managed_open,
                 (std::vector<std::string>{"", Doc().listing().manage_no}));
    }

    void windowKnowsItsFormsSizeBeforeItShows() {
        m_frame.reset();
        const QFont normal = QApplication::font();
        QFont larger = normal;
        larger.setPointSizeF(normal.pointSizeF() * 1.4);
        QApplication::setFont(larger);
        m_frame = std::make_unique<CMainFrame>(*m_host, *m_dialogs, Settings());
        const QSize before = m_frame->maximumSize();
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        QCoreApplication::processEvents();
        const QSize shown = m_frame->maximumSize();
        QApplication::setFont(normal);
        QCOMPARE(shown, before);
    }

    // The window opens as large as every tab needs, with two lines of each payment text
    // in view.
    void switchingTabsKeepsTheWindowsSize() {
        QCoreApplication::processEvents();
        const QSize opened = m_frame->size();
        auto* bank = Find<QPlainTextEdit>("bankEdit");
        QVERIFY(bank->viewport()->height() >= 2 * bank->fontMetrics().lineSpacing());
        for (int tab : {cmd::kTabBidders, cmd::kTabMail, cmd::kTabProduct, cmd::kTabMail}) {
            m_frame->CommandAction(tab)->trigger();
            QTest::qWait(50);
            QCOMPARE(m_frame->size(), opened);
        }
    }

    void formKeepsTheRoomItsFieldsNeedWhenItGrows() {
        QWidget* view = Find<QScrollArea>("viewScrollArea")->widget();
        QFont larger = view->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        view->setFont(larger);
        QTRY_VERIFY(view->minimumHeight() >= view->layout()->minimumSize().height());
        QVERIFY(view->minimumWidth() >= view->layout()->minimumSize().width());
        QCOMPARE(m_frame->maximumSize(), m_frame->FrameSizeLimit());
    }

    void frameNeverGrowsBeyondItsForm() {
        // The pages settle their layouts through posted events.
        QCoreApplication::processEvents();
        QSize limit = m_frame->FrameSizeLimit();
        QCOMPARE(m_frame->maximumSize(), limit);
        m_frame->resize(limit + QSize(300, 300));
        QCOMPARE(m_frame->size(), limit);
        QVERIFY(!(m_frame->windowFlags() & Qt::WindowMaximizeButtonHint));
        m_frame->CommandAction(cmd::kStatusBar)->trigger();
        QVERIFY(m_frame->FrameSizeLimit().height() < limit.height());
        QCOMPARE(m_frame->maximumSize(), m_frame->FrameSizeLimit());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
