// The window's settings changes reach the disk when they are made, beside the terminal
// changing the same installation, and a write that fails is never silent.

#include "core/settings/settings_files.h"
#include "gui/shell/app_lifecycle.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/qt_window_dialogs.h"
#include "gui_test_support.h"
#include "support/cli_runner.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace hanamori;
using namespace hanamori::test;

class SettingsOnDiskTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempInstall> m_install;
    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<QtWindowDialogs> m_dialogs;
    std::unique_ptr<CMainFrame> m_frame;

    CliResult Cli(const std::vector<std::string>& args, const std::string& input = {}) {
        return RunCliAt(DistDir() + "/hanamori-cli", m_install->dir(), args, input);
    }
    std::string File(const char* name) { return ReadFile(*m_install / name); }

    // 発送オプション設定 from the menu: the box `check` clicked, then OK.
    void ToggleShippingOption(const char* check) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            // On the box itself, at the left of its caption.
            auto* box_to_tick = dialog->findChild<QCheckBox*>(QString::fromLatin1(check));
            QTest::mouseClick(box_to_tick, Qt::LeftButton, {},
                              QPoint(4, box_to_tick->height() / 2));
            auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
            driven = true;
        });
        m_frame->CommandAction(cmd::kShippingOptions)->trigger();
        QVERIFY(driven);
    }

private slots:
    void init() {
        m_install = std::make_unique<TempInstall>(true);
        Settings() = UserSettings();
        m_host = std::make_unique<ScriptedHost>();
        QVERIFY(StartUpSettings(*m_host, Settings(), m_install->dir()));
        m_dialogs = std::make_unique<QtWindowDialogs>(*m_host);
        m_frame = std::make_unique<CMainFrame>(*m_host, *m_dialogs, Settings());
        m_dialogs->SetParentWidget(m_frame.get());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void cleanup() {
        m_frame.reset();
        m_dialogs.reset();
        m_host.reset();
        m_install.reset();
    }

    void theWindowWritesItsChangeAtOnceAndKeepsWhatTheTerminalImported() {
        QCOMPARE(Cli({"settings", "import", "-"}, R"({"personal":[{"name":"新しい名前"}]})").status,
                 0);
        ToggleShippingOption("sagawaCodCheck");
        QVERIFY(File("user.ini/send_opt.ini").find("chk_sagawa_cod=1") != std::string::npos);

        QCOMPARE(Cli({"settings", "import", "-"}, R"({"personal":[{"name":"二度目"}]})").status, 0);
        m_frame.reset();
        QVERIFY(ShutDown(*m_host, m_install->dir()));
        QVERIFY(File("user.ini/personal.ini").find("name=" + Sj("二度目")) != std::string::npos);
        QVERIFY(File("user.ini/send_opt.ini").find("chk_sagawa_cod=1") != std::string::npos);
        QVERIFY(m_host->messages.empty());
    }

    void aFailedWriteIsShownAndTheExitAsksBeforeQuittingWithoutSaving() {
        const std::string options = File("user.ini/send_opt.ini");
        if (!MakeUnwritable(*m_install / "user.ini")) {
            QSKIP("user.ini/ cannot be made read-only here");
        }
        ToggleShippingOption("yamatoCodCheck");
        const std::string failed = "設定の保存に失敗しました。\n" + m_install->dir() +
                                   "user.ini/send_opt.ini\n書き込みが許可されていません。";
        QCOMPARE(m_host->MessagesUtf8(), std::vector<std::string>{failed});

        // 再試行 fails again, then 保存せずに終了.
        m_host->yes_no_answers = {true, false};
        m_frame.reset();
        QVERIFY(!ShutDown(*m_host, m_install->dir()));
        const std::string question = failed + "\n\n保存せずに終了すると、この変更は失われます。";
        QCOMPARE(m_host->MessagesUtf8(), (std::vector<std::string>{failed, question, question}));
        QCOMPARE(File("user.ini/send_opt.ini"), options);
    }
};

QTEST_MAIN(SettingsOnDiskTest)
#include "test_settings_on_disk.moc"
