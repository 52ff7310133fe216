// A first start end to end, on a copy of the installation without "hanamo.ini": the
// real wizard, dialogs and message boxes, answered as they come up.

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"
#include "gui/settings/setup_wizard.h"
#include "gui/shell/app_lifecycle.h"
#include "gui/shell/qt_host.h"
#include "gui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <filesystem>
#include <functional>

using namespace hanamori;
using namespace hanamori::test;

namespace {

using Action = std::function<void(QWidget&)>;

// Acts on each modal window as it comes up, one action per window, and notes its title.
class ModalDriver {
public:
    explicit ModalDriver(std::deque<Action> actions) : m_actions(std::move(actions)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(10);
    }
    QStringList titles;
    bool ranOut = false;
    bool done() const { return m_actions.empty(); }

private:
    void Poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w->property("driven").toBool()) {
            return;
        }
        w->setProperty("driven", true);
        titles << w->windowTitle();
        if (m_actions.empty()) {
            ranOut = true;
            w->close();
            return;
        }
        Action a = m_actions.front();
        m_actions.pop_front();
        a(*w);
    }

    std::deque<Action> m_actions;
    QTimer m_timer;
};

template <typename T> T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c) {
        qFatal("no %s in %s", name, qPrintable(w.windowTitle()));
    }
    return c;
}

Action Click(const char* name) {
    return [name](QWidget& w) { Child<QPushButton>(w, name)->click(); };
}
Action Then(std::function<void(QWidget&)> fill, Action next) {
    return [fill, next](QWidget& w) {
        fill(w);
        next(w);
    };
}
const Action kWizardNext = Click("wizardNextButton");
const Action kMessageOk = [](QWidget& w) {
    qobject_cast<QMessageBox*>(&w)->button(QMessageBox::Ok)->click();
};

// A copy of the built installation, without "hanamo.ini", as the program's directory.
class InstallationCopy {
public:
    InstallationCopy() : m_previous(InstallDir()) {
        std::filesystem::copy(DistDir(), m_dir.path(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(m_dir / "hanamo.ini");
        SetInstallDir(m_dir.path());
        Settings() = UserSettings();
    }
    ~InstallationCopy() { SetInstallDir(m_previous); }
    const std::string& dir() const { return m_dir.path(); }
    std::string operator/(const std::string& name) const { return m_dir / name; }

private:
    TempDir m_dir;
    std::string m_previous;
};

// What the program does at start: the wizard on a first start, then the settings saved.
bool StartProgram(Host& host, int& wizard_runs) {
    return StartUpSettings(host, Settings(), InstallDir(), [&] {
        ++wizard_runs;
        RunSetupWizard(host, Settings());
    });
}

} // namespace

class FirstStartTest : public QObject {
    Q_OBJECT

private slots:
    void allSixStepsWriteWhatWasTypedAndTheNextStartHasNoWizard() {
        InstallationCopy inst;
        QtHost host;
        auto listing = [](QWidget& w) {
            Child<QCheckBox>(w, "yamatoCheck")->setChecked(true);
            Child<QCheckBox>(w, "otherShipCheck")->setChecked(true);
            Child<QLineEdit>(w, "otherShipNameEdit")->setText(Q("手渡し"));
            Child<QPlainTextEdit>(w, "bankEdit")->setPlainText(Q("花森銀行 本店\n普通 1234567"));
        };
        auto options = [](QWidget& w) {
            Child<QCheckBox>(w, "sagawaOpt100Check")->setChecked(true);
        };
        auto user = [](QWidget& w) {
            Child<QLineEdit>(w, "nicknameEdit")->setText(QStringLiteral("hanamori_shop"));
        };
        auto payment = [](QWidget& w) {
            Child<QLineEdit>(w, "bankNameEdit1")->setText(Q("花森銀行"));
        };
        ModalDriver driver({Click("nextButton"), Then(user, kWizardNext),
                            Then(listing, kWizardNext), Then(payment, kWizardNext),
                            Then(options, kWizardNext), Click("finishButton")});
        int runs = 0;
        QVERIFY(StartProgram(host, runs));
        QVERIFY(driver.done());
        QVERIFY(!driver.ranOut);
        QCOMPARE(driver.titles.front(), Q("Hanamori - オプション設定ウィザード　Step 1/6"));
        QCOMPARE(driver.titles[1], Q("Hanamori - ユーザ設定　　(設定ウィザード　Step 2/6)"));
        QCOMPARE(driver.titles[2], Q("Hanamori - 出品設定　　(設定ウィザード　Step 3/6)"));
        QCOMPARE(driver.titles[3], Q("Hanamori - 支払い設定　　(設定ウィザード　Step 4/6)"));
        QCOMPARE(driver.titles[4], Q("Hanamori - 発送オプション設定　　(Step 5/6)"));
        QCOMPARE(driver.titles.back(), Q("Hanamori - オプション設定ウィザード　Step 6/6"));
        QVERIFY(ReadFile(inst / "user.ini/send_opt.ini").find("chk_sagawa_opt100=1") !=
                std::string::npos);

        QVERIFY(ReadFile(inst / "hanamo.ini").find("[HANAMO_SETTING]") != std::string::npos);
        std::string cr_page = ReadFile(inst / "user.ini/cr_page.ini");
        QVERIFY(cr_page.find("chk_yamato=1") != std::string::npos);
        QVERIFY(cr_page.find("chk_etc=1") != std::string::npos);
        QVERIFY(cr_page.find("edt_etc=" + Sj("手渡し")) != std::string::npos);
        QCOMPARE(ReadFile(inst / "user.ini/pg_banks.txt"), Sj("花森銀行 本店\r\n普通 1234567"));
        QVERIFY(ReadFile(inst / "user.ini/personal.ini").find("nickname=hanamori_shop") !=
                std::string::npos);
        QVERIFY(ReadFile(inst / "user.ini/bank.ini").find("bank_name=" + Sj("花森銀行")) !=
                std::string::npos);

        // The wizard's windows closing before the main window exists must not end the
        // program: the main window shows and the event loop runs on.
        QWidget mainWindow;
        mainWindow.show();
        bool stillRunning = false;
        QTimer::singleShot(200, [&] {
            stillRunning = true;
            QApplication::quit();
        });
        QApplication::exec();
        QVERIFY(stillRunning);

        // The next start: no wizard, and the values read back.
        Settings() = UserSettings();
        QVERIFY(!StartProgram(host, runs));
        QCOMPARE(runs, 1);
        QCOMPARE(Settings().send_method.chk_yamato, 1);
        QCOMPARE(Settings().send_method.edt_etc, Sj("手渡し"));
    }

    void quitOnStepThreeKeepsTheSellerStoredOnStepTwo() {
        InstallationCopy inst;
        QtHost host;
        auto user = [](QWidget& w) { Child<QLineEdit>(w, "nameEdit")->setText(Q("花森 太郎")); };
        auto typedAway = [](QWidget& w) {
            Child<QCheckBox>(w, "pelicanCheck")->setChecked(true);
            w.close();
        };
        ModalDriver driver({Click("nextButton"), Then(user, kWizardNext), typedAway, kMessageOk});
        int runs = 0;
        QVERIFY(StartProgram(host, runs));
        QVERIFY(driver.done());
        QCOMPARE(driver.titles.last(), Q("Hanamori"));
        QVERIFY(ReadFile(inst / "user.ini/personal.ini").find("name=" + Sj("花森 太郎")) !=
                std::string::npos);
        QVERIFY(ReadFile(inst / "user.ini/cr_page.ini").find("chk_perikan=1") == std::string::npos);
    }

    void laterAnsweredOkStillWritesEverySettingsFile() {
        InstallationCopy inst;
        QtHost host;
        ModalDriver driver({Click("laterButton"), kMessageOk});
        int runs = 0;
        QVERIFY(StartProgram(host, runs));
        QVERIFY(driver.done());
        QCOMPARE(driver.titles.size(), 2);
        for (const char* file : {"hanamo.ini", "user.ini/personal.ini", "user.ini/bank.ini",
                                 "user.ini/cr_page.ini", "user.ini/send_opt.ini"}) {
            QVERIFY2(FileExists(inst / file), file);
        }
        QVERIFY(!StartProgram(host, runs));
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(FirstStartTest)
#include "test_first_start.moc"
