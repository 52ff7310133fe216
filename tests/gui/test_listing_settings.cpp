// 出品設定: filling, storing with the read limits, the wizard buttons, and the defaults
// reaching the next new listing through the menu entry.

#include "core/settings/settings_files.h"
#include "gui/settings/listing_settings_dialog.h"
#include "gui/shell/main_frame.h"
#include "gui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace hanamori;
using namespace hanamori::test;

namespace {

template <typename T> T* Child(QWidget& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromLatin1(name));
    if (!w) {
        qFatal("widget %s not found", name);
    }
    return w;
}

QPushButton* Button(QWidget& dialog, QDialogButtonBox::StandardButton which) {
    return Child<QDialogButtonBox>(dialog, "buttonBox")->button(which);
}

const char* const kChecks[] = {
    "otherCheck",        "bankCheck",        "postalCheck",  "otherPaymentCheck",
    "teikeiCheck",       "teikeigaiCheck",   "bookletCheck", "expackCheck",
    "kuronekoMailCheck", "hikyakuMailCheck", "yupackCheck",  "yahooYupackCheck",
    "yamatoCheck",       "sagawaCheck",      "pelicanCheck", "otherShipCheck",
};

} // namespace

class ListingSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void fillsFromAndStoresIntoEveryDefault() {
        ScriptedHost host;
        UserSettings s;
        s.item_info = {1, Sj("一行目\r\n二行目")};
        s.payment = {0, 1, 0, Sj("銀行"), Sj("郵便"), Sj("代引")};
        s.send_method.chk_sassi = 1;
        s.send_method.chk_perikan = 1;
        s.send_method.edt_etc = Sj("手渡し");
        s.send_method.text = Sj("説明");

        ListingSettingsDialog d(host, s);
        QCOMPARE(d.windowTitle(), Q("Hanamori - 出品設定"));
        QVERIFY(Child<QCheckBox>(d, "otherCheck")->isChecked());
        QVERIFY(!Child<QCheckBox>(d, "bankCheck")->isChecked());
        QVERIFY(Child<QCheckBox>(d, "postalCheck")->isChecked());
        QVERIFY(Child<QCheckBox>(d, "bookletCheck")->isChecked());
        QVERIFY(Child<QCheckBox>(d, "pelicanCheck")->isChecked());
        QVERIFY(!Child<QCheckBox>(d, "yamatoCheck")->isChecked());
        QCOMPARE(Child<QPlainTextEdit>(d, "otherEdit")->toPlainText(), Q("一行目\n二行目"));
        QCOMPARE(Child<QPlainTextEdit>(d, "otherPaymentEdit")->toPlainText(), Q("代引"));
        QCOMPARE(Child<QLineEdit>(d, "otherShipNameEdit")->text(), Q("手渡し"));

        // Every box flipped, every text replaced; 適用 stores and leaves the dialog open.
        d.show();
        for (const char* name : kChecks) {
            Child<QCheckBox>(d, name)->toggle();
        }
        Child<QPlainTextEdit>(d, "otherEdit")->setPlainText(Q("その他\n二行"));
        Child<QPlainTextEdit>(d, "bankEdit")->setPlainText(Q("A銀行"));
        Child<QPlainTextEdit>(d, "postalEdit")->setPlainText(Q(""));
        Child<QPlainTextEdit>(d, "otherPaymentEdit")->setPlainText(Q("現金書留"));
        Child<QPlainTextEdit>(d, "shippingNotesEdit")->setPlainText(Q("まとめて発送\n可"));
        Child<QLineEdit>(d, "otherShipNameEdit")->setText(Q("宅配便"));
        Button(d, QDialogButtonBox::Apply)->click();
        QVERIFY(d.isVisible());

        QCOMPARE(s.item_info.chk_etc, 0);
        QCOMPARE(s.item_info.text, Sj("その他\r\n二行"));
        QCOMPARE(s.payment.chk_bank, 1);
        QCOMPARE(s.payment.chk_yuubin, 0);
        QCOMPARE(s.payment.chk_etc, 1);
        QCOMPARE(s.payment.banks_text, Sj("A銀行"));
        QCOMPARE(s.payment.yuubin_text, std::string());
        QCOMPARE(s.payment.etc_text, Sj("現金書留"));
        const SendMethodDefaults& m = s.send_method;
        for (int v : {m.chk_teikei, m.chk_teikeigai, m.chk_expack, m.chk_kuroneko, m.chk_hikyaku,
                      m.chk_yuupack, m.chk_y_yuupack, m.chk_yamato, m.chk_sagawa, m.chk_etc}) {
            QCOMPARE(v, 1);
        }
        QCOMPARE(m.chk_sassi, 0);
        QCOMPARE(m.chk_perikan, 0);
        QCOMPARE(m.edt_etc, Sj("宅配便"));
        QCOMPARE(m.text, Sj("まとめて発送\r\n可"));
    }

    void cancelStoresNothingAndOkStores() {
        ScriptedHost host;
        UserSettings s;
        {
            ListingSettingsDialog d(host, s);
            Child<QCheckBox>(d, "yamatoCheck")->setChecked(true);
            Child<QPlainTextEdit>(d, "bankEdit")->setPlainText(Q("捨てる"));
            Button(d, QDialogButtonBox::Cancel)->click();
            QCOMPARE(d.result(), int(QDialog::Rejected));
        }
        QCOMPARE(s.send_method.chk_yamato, 0);
        QCOMPARE(s.payment.banks_text, std::string());

        ListingSettingsDialog d(host, s);
        Child<QCheckBox>(d, "yamatoCheck")->setChecked(true);
        Button(d, QDialogButtonBox::Ok)->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(s.send_method.chk_yamato, 1);

        // A box left as it showed keeps what the file holds: 2 shows unticked and stays 2.
        s.send_method.chk_sagawa = 2;
        ListingSettingsDialog again(host, s);
        QVERIFY(!Child<QCheckBox>(again, "sagawaCheck")->isChecked());
        Button(again, QDialogButtonBox::Ok)->click();
        QCOMPARE(s.send_method.chk_sagawa, 2);
    }

    void textsAreCutAtTheirReadLimits() {
        ScriptedHost host;
        UserSettings s;
        ListingSettingsDialog d(host, s);
        // 126 bytes: an odd count of single bytes before double-byte characters puts
        // the limit inside a character, which is left out whole.
        Child<QLineEdit>(d, "otherShipNameEdit")->setText(Q("a") + QString(80, QChar(0x3042)));
        Child<QPlainTextEdit>(d, "bankEdit")->setPlainText(QString(1100, QLatin1Char('x')));
        // A line end across the 1,023rd byte: no lone CR is kept.
        Child<QPlainTextEdit>(d, "postalEdit")
            ->setPlainText(QString(1022, QLatin1Char('y')) + Q("\nz"));
        Child<QPlainTextEdit>(d, "otherEdit")->setPlainText(QString(1500, QChar(0x3044)));
        Child<QPlainTextEdit>(d, "shippingNotesEdit")
            ->setPlainText(QString(3000, QLatin1Char('n')));
        d.accept();

        QCOMPARE(s.send_method.edt_etc.size(), std::size_t(125));
        std::string expected = "a";
        for (int i = 0; i < 62; ++i) {
            expected += Sj("あ");
        }
        QCOMPARE(s.send_method.edt_etc, expected);
        QCOMPARE(s.payment.banks_text, std::string(1023, 'x'));
        QCOMPARE(s.payment.yuubin_text, std::string(1022, 'y'));
        QCOMPARE(s.item_info.text.size(), std::size_t(2046));
        QCOMPARE(s.send_method.text.size(), std::size_t(2046));

        // Exactly at the limit nothing is lost.
        Child<QLineEdit>(d, "otherShipNameEdit")->setText(QString(126, QLatin1Char('b')));
        d.accept();
        QCOMPARE(s.send_method.edt_etc, std::string(126, 'b'));
    }

    void wizardModeSwapsTheButtonsAndBackStoresNothing() {
        ScriptedHost host;
        UserSettings s;
        {
            ListingSettingsDialog d(host, s);
            d.SetWizardMode(kWizardModeOpened);
            d.show();
            QCOMPARE(d.windowTitle(), Q("Hanamori - 出品設定　　(設定ウィザード　Step 3/6)"));
            QVERIFY(!Button(d, QDialogButtonBox::Ok)->isVisible());
            QVERIFY(!Button(d, QDialogButtonBox::Cancel)->isVisible());
            QVERIFY(!Button(d, QDialogButtonBox::Apply)->isVisible());
            QCOMPARE(d.backButton()->text(), Q("<< 戻る　"));
            QCOMPARE(d.nextButton()->text(), Q("　次へ >>"));
            QVERIFY(d.backButton()->isVisible() && d.nextButton()->isVisible());

            Child<QCheckBox>(d, "sagawaCheck")->setChecked(true);
            d.backButton()->click();
            QCOMPARE(d.wizardMode(), int(kWizardModeBack));
            QCOMPARE(d.result(), int(QDialog::Rejected));
        }
        QCOMPARE(s.send_method.chk_sagawa, 0);

        ListingSettingsDialog d(host, s);
        d.SetWizardMode(kWizardModeOpened);
        Child<QCheckBox>(d, "sagawaCheck")->setChecked(true);
        d.nextButton()->click();
        QCOMPARE(d.wizardMode(), int(kWizardModeNext));
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(s.send_method.chk_sagawa, 1);
    }

    void everyControlHasAnAccessibleName() {
        ScriptedHost host;
        UserSettings s;
        ListingSettingsDialog d(host, s);
        for (QWidget* w : d.findChildren<QWidget*>()) {
            if (!w->focusPolicy() || qobject_cast<QDialogButtonBox*>(w)) {
                continue;
            }
            QString name = w->accessibleName();
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                name += button->text();
            }
            QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
        }
    }

    void appliedDefaultsReachTheNextNewListingOnly() {
        TempInstall inst(true);
        Settings() = UserSettings();
        ScriptedHost host;
        ScriptedDialogs dialogs;
        CMainFrame frame(host, dialogs, Settings());
        QAction* entry = frame.CommandAction(cmd::kListingSettings);
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QCOMPARE(dialogs.listing_settings_calls, 1);
        QAction* wizard = frame.CommandAction(cmd::kWizard);
        QVERIFY(wizard->isEnabled());
        wizard->trigger();
        QCOMPARE(dialogs.wizard_calls, 1);

        // What the menu entry opens, on the program's settings.
        ListingSettingsDialog d(host, Settings());
        Child<QCheckBox>(d, "bankCheck")->setChecked(true);
        Child<QPlainTextEdit>(d, "bankEdit")->setPlainText(Q("さくら銀行 普通"));
        Child<QCheckBox>(d, "yupackCheck")->setChecked(true);
        Button(d, QDialogButtonBox::Apply)->click();
        QCOMPARE(frame.doc().listing().auction.bank_text, std::string());
        QCOMPARE(frame.doc().listing().auction.use_yupack, 0);

        QVERIFY(frame.doc().NewListing());
        QCOMPARE(frame.doc().listing().auction.use_bank, 1);
        QCOMPARE(frame.doc().listing().auction.bank_text, Sj("さくら銀行 普通"));
        QCOMPARE(frame.doc().listing().auction.use_yupack, 1);
    }
};

QTEST_MAIN(ListingSettingsTest)
#include "test_listing_settings.moc"
