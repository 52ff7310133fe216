// The setup wizard driven step by step: its pages, the quit question and the settings
// the steps store.

#include "core/settings/settings_files.h"
#include "gui/settings/setup_wizard.h"
#include "gui/settings/wizard_step_factory.h"
#include "gui/widgets/settings_dialog.h"
#include "gui_test_support.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

using namespace hanamori;
using namespace hanamori::test;

namespace {

using Action = std::function<void(QDialog&)>;

// Presses the button of that object name.
Action Click(const char* name) {
    return [name](QDialog& d) {
        auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
        if (!b) {
            qFatal("no button %s on %s", name, qPrintable(d.windowTitle()));
        }
        b->click();
    };
}
const Action kNext = [](QDialog& d) {
    const char* name = d.findChild<QPushButton*>(QStringLiteral("wizardNextButton"))
                           ? "wizardNextButton"
                           : "nextButton";
    Click(name)(d);
};
const Action kBack = [](QDialog& d) {
    const char* name = d.findChild<QPushButton*>(QStringLiteral("wizardBackButton"))
                           ? "wizardBackButton"
                           : "backButton";
    Click(name)(d);
};
const Action kCloseBox = [](QDialog& d) { d.close(); };
const Action kEscape = [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); };

// Stands in for a settings step whose dialog is not under test: its "　次へ >>"
// stores the step's number as the seller's name in profile `step`.
class StandInStep final : public SettingsDialog {
public:
    StandInStep(int step, UserSettings& s, QWidget* parent)
        : SettingsDialog(parent), m_step(step), m_settings(s) {
        auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        SetButtonBox(box);
        setWindowTitle(QStringLiteral("step"));
    }

protected:
    bool Store() override {
        m_settings.personal[static_cast<std::size_t>(m_step - 1)].name =
            "stored " + std::to_string(m_step);
        return true;
    }
    void OnWizardModeShown() override {
        setWindowTitle(windowTitle() + QStringLiteral(" %1/6").arg(m_step));
    }

private:
    int m_step;
    UserSettings& m_settings;
};

// The program's pages and listing settings step, stand-ins for the other steps, each
// acted on by the next scripted action once it shows.
class ScriptedFactory final : public WizardStepFactory {
public:
    ScriptedFactory(Host& host, UserSettings& s) : m_real(host, s), m_settings(s) {}

    std::deque<Action> actions;
    std::vector<int> shown;      // the steps in the order they were shown
    std::vector<QString> titles; // their window titles as shown

    std::unique_ptr<QDialog> MakePage(int step, QWidget* parent) override {
        auto d = m_real.MakePage(step, parent);
        Script(step, d.get());
        return d;
    }
    std::unique_ptr<SettingsDialog> MakeSettingsStep(int step, QWidget* parent) override {
        std::unique_ptr<SettingsDialog> d;
        if (step == 3) {
            d = m_real.MakeSettingsStep(step, parent);
        } else {
            d = std::make_unique<StandInStep>(step, m_settings, parent);
        }
        Script(step, d.get());
        return d;
    }

private:
    void Script(int step, QDialog* d) {
        shown.push_back(step);
        if (actions.empty() || shown.size() > 40) {
            qFatal("the wizard showed step %d with nothing scripted", step);
        }
        Action a = actions.front();
        actions.pop_front();
        QTimer::singleShot(0, d, [this, d, a] {
            titles.push_back(d->windowTitle());
            a(*d);
        });
    }

    QtWizardStepFactory m_real;
    UserSettings& m_settings;
};

const std::string& QuitQuestion() {
    static const std::string text =
        Sj("まだ設定が完了していません。\n設定ウィザードを終了してよろしいですか？");
    return text;
}

} // namespace

class SetupWizardTest : public QObject {
    Q_OBJECT

private slots:
    void walksThroughAllSixStepsWithTheirTitles() {
        ScriptedHost host;
        UserSettings s;
        ScriptedFactory f(host, s);
        f.actions = {kNext, kNext, kNext, kNext, kNext, Click("finishButton")};
        QVERIFY(SetupWizard(host, f).Run());
        QCOMPARE(f.shown, std::vector<int>({1, 2, 3, 4, 5, 6}));
        QCOMPARE(f.titles.front(), Q("Hanamori - オプション設定ウィザード　Step 1/6"));
        QCOMPARE(f.titles[2], Q("Hanamori - 出品設定　　(設定ウィザード　Step 3/6)"));
        QCOMPARE(f.titles.back(), Q("Hanamori - オプション設定ウィザード　Step 6/6"));
        QVERIFY(host.messages.empty());
        for (int step : {2, 4, 5}) {
            QCOMPARE(s.personal[step - 1].name, "stored " + std::to_string(step));
        }
    }

    void pagesCarryTheirTextsAndButtons() {
        ScriptedHost host;
        QtWizardStepFactory real(host, Settings());
        auto intro = real.MakePage(1, nullptr);
        auto texts = [](QDialog& d) {
            QStringList out;
            for (QLabel* l : d.findChildren<QLabel*>()) {
                out << l->text();
            }
            return out;
        };
        QCOMPARE(texts(*intro),
                 QStringList({Q("ここでは、Hanamoriの各種設定を行います。"),
                              Q("初めてHanamoriを起動した時には、必ずこのウィザードが起動しますの"
                                "で、ここで設定することをお勧めします。"),
                              Q("設定は後で変更することも可能です。")}));
        auto* next = intro->findChild<QPushButton*>("nextButton");
        QCOMPARE(next->text(), Q("　次へ >>"));
        QVERIFY(next->isDefault());
        QCOMPARE(intro->findChild<QPushButton*>("laterButton")->text(), Q("後で設定する"));
        // The keyboard starts on the default button.
        intro->show();
        QVERIFY(QTest::qWaitForWindowActive(intro.get()));
        QCOMPARE(QApplication::focusWidget(), next);

        auto closing = real.MakePage(6, nullptr);
        QCOMPARE(texts(*closing),
                 QStringList({Q("設定が完了しました。"),
                              Q("設定は、ツールのオプションから変更することが出来ます。"),
                              Q("このウィザードを再び実行したい場合は、ツールのオプションから、"
                                "設定ウィザードを起動してください。")}));
        auto* finish = closing->findChild<QPushButton*>("finishButton");
        QCOMPARE(finish->text(), Q("設定終了"));
        QVERIFY(finish->isDefault());
        QCOMPARE(closing->findChild<QPushButton*>("backButton")->text(), Q("<< 戻る　"));
        closing->show();
        QVERIFY(QTest::qWaitForWindowActive(closing.get()));
        QCOMPARE(QApplication::focusWidget(), finish);
    }

    void backWalksToTheIntroductionAndForwardAgain() {
        ScriptedHost host;
        UserSettings s;
        ScriptedFactory f(host, s);
        // Step 2 stores, step 3 goes back, step 2 goes back, the introduction forward.
        f.actions = {kNext, kNext, kBack, kBack, kNext, kNext,
                     kNext, kNext, kNext, kBack, kNext, Click("finishButton")};
        QVERIFY(SetupWizard(host, f).Run());
        // The closing page's "<< 戻る　" shows the shipping options again.
        QCOMPARE(f.shown, std::vector<int>({1, 2, 3, 2, 1, 2, 3, 4, 5, 6, 5, 6}));
        QVERIFY(host.messages.empty());
    }

    void backOnTheListingStepDiscardsItsEdits() {
        ScriptedHost host;
        UserSettings s;
        ScriptedFactory f(host, s);
        auto typeThen = [](const Action& then) {
            return [then](QDialog& d) {
                d.findChild<QCheckBox*>("yamatoCheck")->setChecked(true);
                d.findChild<QPlainTextEdit*>("bankEdit")->setPlainText(Q("三番目"));
                then(d);
            };
        };
        bool reopenedClean = false;
        f.actions = {kNext,
                     kNext,
                     typeThen(kBack),
                     [&](QDialog& d) {
                         // Step 2 again, then step 3 afresh from the settings.
                         kNext(d);
                     },
                     [&](QDialog& d) {
                         reopenedClean =
                             !d.findChild<QCheckBox*>("yamatoCheck")->isChecked() &&
                             d.findChild<QPlainTextEdit*>("bankEdit")->toPlainText().isEmpty();
                         typeThen(kNext)(d);
                     },
                     kCloseBox};
        host.yes_no_answers = {true};
        QVERIFY(!SetupWizard(host, f).Run());
        QVERIFY(reopenedClean);
        QCOMPARE(f.shown, std::vector<int>({1, 2, 3, 2, 3, 4}));
        // The second pass stored; the quit on step 4 keeps it.
        QCOMPARE(s.send_method.chk_yamato, 1);
        QCOMPARE(s.payment.banks_text, Sj("三番目"));
    }

    void quitQuestionOkEndsKeepingWhatWasStored() {
        ScriptedHost host;
        UserSettings s;
        ScriptedFactory f(host, s);
        f.actions = {kNext, kNext, kEscape};
        host.yes_no_answers = {true};
        QVERIFY(!SetupWizard(host, f).Run());
        QCOMPARE(f.shown, std::vector<int>({1, 2, 3}));
        QCOMPARE(s.personal[1].name, std::string("stored 2"));
        QCOMPARE(host.messages.size(), std::size_t(1));
        QCOMPARE(host.messages[0].text, QuitQuestion());
        QCOMPARE(host.messages[0].icon, MessageIcon::Exclamation);
    }

    void quitQuestionCancelShowsTheSameStepAgain() {
        ScriptedHost host;
        UserSettings s;
        ScriptedFactory f(host, s);
        // Step 4 closed by the close box, Cancel; the introduction's 後で設定する, Cancel.
        f.actions = {Click("laterButton"), kNext, kNext, kNext, kCloseBox, kNext, kNext, kEscape};
        host.yes_no_answers = {false, false};
        QVERIFY(SetupWizard(host, f).Run());
        QCOMPARE(f.shown, std::vector<int>({1, 1, 2, 3, 4, 4, 5, 6}));
        QCOMPARE(host.messages.size(), std::size_t(2));
        // The closing page ended by the escape key asks nothing.
    }
};

QTEST_MAIN(SetupWizardTest)
#include "test_setup_wizard.moc"
