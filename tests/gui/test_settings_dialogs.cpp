// The payment and user settings dialogs on the settings held in memory: what they
// show, what they store and when, their wizard and selection modes.

#include "core/settings/settings_files.h"
#include "gui/settings/payment_settings_dialog.h"
#include "gui/settings/user_settings_dialog.h"
#include "gui/shell/main_frame.h"
#include "gui_test_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace hanamori;
using namespace hanamori::test;

namespace {
template <typename T> T* Find(QWidget* dialog, const char* name) {
    T* w = dialog->findChild<T*>(QString::fromLatin1(name));
    if (!w) {
        qFatal("widget %s not found", name);
    }
    return w;
}
QPushButton* Button(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    return Find<QDialogButtonBox>(dialog, "buttonBox")->button(which);
}
QString U(const std::string& cp932) {
    return QString::fromStdString(Utf8(cp932));
}
} // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
    ScriptedHost m_host;

private slots:
    void settingsMenuOpensBothDialogs() {
        TempInstall install(true);
        Settings() = UserSettings();
        ScriptedDialogs dialogs;
        CMainFrame frame(m_host, dialogs, Settings());
        QAction* user = frame.CommandAction(cmd::kUserSettings);
        QAction* payment = frame.CommandAction(cmd::kPaymentSettings);
        QVERIFY(user->isEnabled());
        QVERIFY(payment->isEnabled());
        user->trigger();
        QCOMPARE(dialogs.user_settings_requests.size(), size_t(1));
        QVERIFY(!dialogs.user_settings_requests[0].has_value());
        payment->trigger();
        QCOMPARE(dialogs.payment_calls, 1);
    }

    void paymentDialogShowsDefaultsAndExactTypes() {
        UserSettings s;
        s.bank[1] = {1, Sj("みずほ銀行"), Sj("渋谷支店"), Sj("当座"), "1234567", Sj("ヤマダ")};
        s.bank[2].type = Sj("定期"); // not an item: the first item stays selected
        s.yuubin[1] = {1, Sj("一般振替口座"), "00120-3", "456789", ""};
        PaymentSettingsDialog d(m_host, s);
        QCOMPARE(d.windowTitle(), Q("Hanamori - 支払い設定"));
        QVERIFY(!Find<QCheckBox>(&d, "bankCheck1")->isChecked());
        QCOMPARE(Find<QLineEdit>(&d, "bankNameEdit1")->text(), QString());
        auto* type1 = Find<QComboBox>(&d, "bankTypeCombo1");
        QCOMPARE(type1->count(), 3);
        QCOMPARE(type1->itemText(2), Q("貯蓄"));
        QCOMPARE(type1->currentText(), Q("普通"));
        QVERIFY(Find<QCheckBox>(&d, "bankCheck2")->isChecked());
        QCOMPARE(Find<QComboBox>(&d, "bankTypeCombo2")->currentText(), Q("当座"));
        QCOMPARE(Find<QComboBox>(&d, "bankTypeCombo3")->currentText(), Q("普通"));
        QCOMPARE(Find<QComboBox>(&d, "postalTypeCombo1")->currentText(), Q("ぱるる"));
        QCOMPARE(Find<QComboBox>(&d, "postalTypeCombo2")->currentText(), Q("一般振替口座"));
        QCOMPARE(Find<QLineEdit>(&d, "postalSignEdit2")->text(), Q("00120-3"));
        for (QWidget* w : d.findChildren<QLineEdit*>()) {
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
    }

    void paymentApplyStoresWithLimitsAndNotifies() {
        UserSettings s;
        PaymentSettingsDialog d(m_host, s);
        QSignalSpy stored(&d, &PaymentSettingsDialog::settingsStored);
        Find<QCheckBox>(&d, "bankCheck4")->setChecked(true);
        Find<QLineEdit>(&d, "bankNameEdit4")->setText(QString(200, QLatin1Char('k')));
        Find<QComboBox>(&d, "bankTypeCombo4")->setCurrentIndex(2);
        Find<QPlainTextEdit>(&d, "otherPaymentEdit")
            ->setPlainText(Q("代金引換\n手数料は落札者負担"));
        Find<QCheckBox>(&d, "otherPaymentCheck")->setChecked(true);
        Button(&d, QDialogButtonBox::Apply)->click();
        QCOMPARE(stored.count(), 1);
        QVERIFY(!d.isHidden() || !d.result()); // 適用 stays open
        QCOMPARE(s.bank[3].check, 1);
        QCOMPARE(s.bank[3].bank_name, std::string(127, 'k'));
        QCOMPARE(U(s.bank[3].type), Q("貯蓄"));
        QCOMPARE(s.etc.check, 1);
        QCOMPARE(s.etc.text, Sj("代金引換\r\n手数料は落札者負担"));

        // Written at exit and read at the next start, the text comes back unchanged.
        TempInstall install;
        QVERIFY(SaveAllSettings(s, install.dir()));
        UserSettings again;
        QVERIFY(LoadOtherPayment(again, install.dir()));
        PaymentSettingsDialog reopened(m_host, again);
        QCOMPARE(Find<QPlainTextEdit>(&reopened, "otherPaymentEdit")->toPlainText(),
                 Q("代金引換\n手数料は落札者負担"));

        // ｷｬﾝｾﾙ stores nothing.
        Find<QLineEdit>(&d, "bankNameEdit4")->setText(Q("変更"));
        Button(&d, QDialogButtonBox::Cancel)->click();
        QCOMPARE(s.bank[3].bank_name, std::string(127, 'k'));
        QCOMPARE(stored.count(), 1);
    }

    void paymentWizardBackDiscardsAndNextStores() {
        UserSettings s;
        PaymentSettingsDialog back(m_host, s);
        back.SetWizardMode(kWizardModeOpened);
        QCOMPARE(back.windowTitle(), Q("Hanamori - 支払い設定　　(設定ウィザード　Step 4/6)"));
        back.show();
        QList<QPushButton*> shown;
        for (QPushButton* b : back.findChildren<QPushButton*>()) {
            if (b->isVisible()) {
                shown.append(b);
            }
        }
        QCOMPARE(shown, (QList<QPushButton*>{back.backButton(), back.nextButton()}));
        Find<QLineEdit>(&back, "bankNameEdit1")->setText(Q("りそな銀行"));
        back.backButton()->click();
        QCOMPARE(back.wizardMode(), int(kWizardModeBack));
        QCOMPARE(back.result(), int(QDialog::Rejected));
        QCOMPARE(s.bank[0].bank_name, std::string());

        PaymentSettingsDialog next(m_host, s);
        next.SetWizardMode(kWizardModeOpened);
        Find<QLineEdit>(&next, "bankNameEdit1")->setText(Q("りそな銀行"));
        next.nextButton()->click();
        QCOMPARE(next.wizardMode(), int(kWizardModeNext));
        QCOMPARE(next.result(), int(QDialog::Accepted));
        QCOMPARE(U(s.bank[0].bank_name), Q("りそな銀行"));
    }

    void userDialogStartsOnTheNicknamesProfile() {
        UserSettings s;
        s.personal[3].nickname = "Hanako_Shop";
        s.personal[1].nickname = "taro";
        s.def_pers = 1;
        UserSettingsDialog d(m_host, s);
        QCOMPARE(d.windowTitle(), Q("Hanamori - ユーザ設定"));
        QVERIFY(Find<QAbstractButton>(&d, "profileButton2")->isChecked());
        QVERIFY(Find<QCheckBox>(&d, "defaultCheck")->isChecked());
        QCOMPARE(Find<QAbstractButton>(&d, "profileButton1")->text(), Q("未設定"));
        QCOMPARE(Find<QAbstractButton>(&d, "profileButton4")->text(), Q("Hanako_Shop"));

        d.SetNickname("hanako_SHOP");
        QVERIFY(Find<QAbstractButton>(&d, "profileButton4")->isChecked());
        QCOMPARE(Find<QLineEdit>(&d, "nicknameEdit")->text(), Q("Hanako_Shop"));
        QVERIFY(!Find<QCheckBox>(&d, "defaultCheck")->isChecked());
        d.SetNickname("nobody");
        QVERIFY(Find<QAbstractButton>(&d, "profileButton2")->isChecked());
    }

    void userEditsSurviveSwitchingAndCancelDiscardsThem() {
        UserSettings s;
        s.personal[0].name = Sj("山田");
        UserSettingsDialog d(m_host, s);
        auto* name = Find<QLineEdit>(&d, "nameEdit");
        name->setText(Q("山田 花子"));
        Find<QComboBox>(&d, "prefCombo")->setCurrentIndex(12);
        Find<QAbstractButton>(&d, "profileButton2")->click();
        QCOMPARE(name->text(), QString());
        name->setText(Q("佐藤"));
        Find<QAbstractButton>(&d, "profileButton1")->click();
        QCOMPARE(name->text(), Q("山田 花子"));
        QCOMPARE(Find<QComboBox>(&d, "prefCombo")->currentIndex(), 12);
        Button(&d, QDialogButtonBox::Cancel)->click();
        QCOMPARE(U(s.personal[0].name), Q("山田"));
        QCOMPARE(s.personal[1].name, std::string());
    }

    void userDefaultTickAndApply() {
        UserSettings s;
        UserSettingsDialog d(m_host, s);
        QSignalSpy changed(&d, &UserSettingsDialog::sellerSettingsChanged);
        auto* tick = Find<QCheckBox>(&d, "defaultCheck");
        Find<QAbstractButton>(&d, "profileButton5")->click();
        QVERIFY(!tick->isChecked());
        Find<QLineEdit>(&d, "nicknameEdit")->setText(QStringLiteral("fifth"));
        tick->setChecked(true);
        Button(&d, QDialogButtonBox::Apply)->click();
        QCOMPARE(s.def_pers, 4);
        QCOMPARE(s.personal[4].nickname, std::string("fifth"));
        QCOMPARE(Find<QAbstractButton>(&d, "profileButton5")->text(), QStringLiteral("fifth"));
        QCOMPARE(changed.count(), 1);
        tick->setChecked(false);
        Button(&d, QDialogButtonBox::Apply)->click();
        QCOMPARE(s.def_pers, 4);
        QVERIFY(tick->isChecked());
    }

    void userBoothTypeEnablesTheBannerAddress() {
        UserSettings s;
        s.personal[0].mybooth_type = 2;
        UserSettingsDialog d(m_host, s);
        auto* type = Find<QComboBox>(&d, "boothTypeCombo");
        auto* url = Find<QLineEdit>(&d, "bannerUrlEdit");
        QCOMPARE(type->currentText(), Q("オリジナルバナー"));
        QVERIFY(url->isEnabled());
        type->setCurrentIndex(1);
        QCOMPARE(type->currentText(), Q("ボックス"));
        QVERIFY(!url->isEnabled());
        type->setCurrentIndex(2);
        QVERIFY(url->isEnabled());
        // A profile without a prefecture shows none selected and stores none.
        QCOMPARE(Find<QComboBox>(&d, "prefCombo")->currentIndex(), -1);
        Button(&d, QDialogButtonBox::Ok)->click();
        QCOMPARE(s.personal[0].address1, std::string());
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void userSelectionModeReportsTheShownProfileWithoutApplying() {
        UserSettings s;
        s.personal[2].nickname = "shop3";
        UserSettingsDialog d(m_host, s);
        d.SetNickname("SHOP3");
        d.SetSelectionMode(true);
        QCOMPARE(Button(&d, QDialogButtonBox::Ok)->text(), Q("選択"));
        QVERIFY(!Button(&d, QDialogButtonBox::Apply)->isEnabled());
        QVERIFY(Find<QLineEdit>(&d, "nameEdit")->isReadOnly());
        QVERIFY(Find<QPlainTextEdit>(&d, "addressEdit")->isReadOnly());
        QVERIFY(!Find<QComboBox>(&d, "prefCombo")->isEnabled());
        QVERIFY(!Find<QCheckBox>(&d, "defaultCheck")->isEnabled());
        QVERIFY(Find<QAbstractButton>(&d, "profileButton1")->isEnabled());
        Find<QAbstractButton>(&d, "profileButton2")->click();
        Find<QAbstractButton>(&d, "profileButton3")->click();
        Button(&d, QDialogButtonBox::Ok)->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.selectedProfile(), 2);
        QCOMPARE(s.def_pers, 0);
    }

    void userWizardNextAppliesBackDiscards() {
        UserSettings s;
        UserSettingsDialog back(m_host, s);
        back.SetWizardMode(kWizardModeOpened);
        QCOMPARE(back.windowTitle(), Q("Hanamori - ユーザ設定　　(設定ウィザード　Step 2/6)"));
        Find<QLineEdit>(&back, "nameEdit")->setText(QStringLiteral("x"));
        back.backButton()->click();
        QCOMPARE(back.wizardMode(), int(kWizardModeBack));
        QCOMPARE(s.personal[0].name, std::string());

        UserSettingsDialog next(m_host, s);
        next.SetWizardMode(kWizardModeOpened);
        Find<QLineEdit>(&next, "nameEdit")->setText(QStringLiteral("x"));
        next.nextButton()->click();
        QCOMPARE(next.wizardMode(), int(kWizardModeNext));
        QCOMPARE(s.personal[0].name, std::string("x"));
    }
};

QTEST_MAIN(SettingsDialogsTest)
#include "test_settings_dialogs.moc"
