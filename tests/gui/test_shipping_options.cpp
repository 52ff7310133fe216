// 発送オプション設定: the boxes follow the options, OK and 次へ take them over, 戻る and
// ｷｬﾝｾﾙ leave them, and a changed option applies to the next cost.

#include "core/settings/settings_files.h"
#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"
#include "gui/shell/main_frame.h"
#include "gui/shipping/shipping_options_dialog.h"
#include "gui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

using namespace hanamori;
using namespace hanamori::test;

class ShippingOptionsTest : public QObject {
    Q_OBJECT

    static QCheckBox* Box(QDialog& d, const char* name) {
        auto* box = d.findChild<QCheckBox*>(QString::fromLatin1(name));
        if (!box) {
            qFatal("check box %s not found", name);
        }
        return box;
    }
    static QPushButton* Button(QDialog& d, QDialogButtonBox::StandardButton which) {
        return d.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(which);
    }

private slots:
    void opensOnTheOptionsAndOkTakesThemOver() {
        UserSettings s;
        ScriptedHost host;
        s.send_opt.chk_sagawa_cod = 1;
        ShippingOptionsDialog d(host, s);
        QCOMPARE(d.windowTitle(), Q("Hanamori - 発送オプション設定"));
        // The display rule is on when no send_opt.ini was read.
        QVERIFY(Box(d, "yuupackOptCheck")->isChecked());
        QVERIFY(Box(d, "sagawaCodCheck")->isChecked());
        QVERIFY(!Box(d, "sagawaOpt100Check")->isChecked());
        QCOMPARE(Box(d, "perikanOpt100Check")->text(),
                 Q("ネットから集荷依頼する\n持ち込みする(送料：-100円)"));
        QCOMPARE(Button(d, QDialogButtonBox::Cancel)->text(), Q("ｷｬﾝｾﾙ"));
        // Boxes that share a caption are told apart by their carrier.
        QCOMPARE(Box(d, "yamatoCodCheck")->accessibleName(), Q("ヤマト宅急便 着払いOK"));

        Box(d, "yuupackOpt100Check")->setChecked(true);
        Box(d, "sagawaCodCheck")->setChecked(false);
        Box(d, "yuupackOptCheck")->setChecked(false);
        Button(d, QDialogButtonBox::Ok)->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(s.send_opt.chk_yuupack_opt100, 1);
        QCOMPARE(s.send_opt.chk_sagawa_cod, 0);
        QCOMPARE(s.send_opt.chk_yuupack_opt, 0);
        QCOMPARE(s.send_opt.chk_yamato_opt100, 0);

        ShippingOptionsDialog cancelled(host, s);
        Box(cancelled, "yamatoOpt100Check")->setChecked(true);
        Button(cancelled, QDialogButtonBox::Cancel)->click();
        QCOMPARE(s.send_opt.chk_yamato_opt100, 0);
    }

    void wizardButtonsSetTheModeValue() {
        UserSettings s;
        ScriptedHost host;
        ShippingOptionsDialog back(host, s);
        back.SetWizardMode(1);
        QCOMPARE(back.windowTitle(), Q("Hanamori - 発送オプション設定　　(Step 5/6)"));
        QVERIFY(Button(back, QDialogButtonBox::Ok)->isHidden());
        QVERIFY(Button(back, QDialogButtonBox::Cancel)->isHidden());
        QCOMPARE(back.nextButton()->text(), Q("　次へ >>"));
        Box(back, "sassiCodCheck")->setChecked(true);
        back.backButton()->click();
        QCOMPARE(back.wizardMode(), 3);
        QCOMPARE(s.send_opt.chk_sassi_cod, 0);

        ShippingOptionsDialog next(host, s);
        next.SetWizardMode(1);
        Box(next, "sassiCodCheck")->setChecked(true);
        next.nextButton()->click();
        QCOMPARE(next.wizardMode(), 2);
        QCOMPARE(next.result(), int(QDialog::Accepted));
        QCOMPARE(s.send_opt.chk_sassi_cod, 1);
    }

    void theHandInOptionAppliesToTheNextCost() {
        TempInstall install(true);
        UserSettings s;
        ScriptedHost host;
        ShippingEngine engine(s);
        QVERIFY(engine.LoadAll(install / "CostData", host));
        engine.SetParcel(30, 20, 10, 2000);
        const std::string from = Sj("東京都"), to = Sj("大阪府");
        int yupack = engine.Cost(ShippingMethod::YuPack, from, to);
        int yahoo = engine.Cost(ShippingMethod::YahooYuPack, from, to);
        QVERIFY(yupack > 100 && yahoo > 0);
        ShippingOptionsDialog d(host, s);
        Box(d, "yuupackOpt100Check")->setChecked(true);
        Button(d, QDialogButtonBox::Ok)->click();
        QCOMPARE(engine.Cost(ShippingMethod::YuPack, from, to), yupack - 100);
        QCOMPARE(engine.Cost(ShippingMethod::YahooYuPack, from, to), yahoo);
    }

    void theMenuCommandOpensTheDialog() {
        TempInstall install(true);
        Settings() = UserSettings();
        ScriptedHost host;
        ScriptedDialogs dialogs;
        CMainFrame frame(host, dialogs, Settings());
        QAction* action = frame.CommandAction(cmd::kShippingOptions);
        QVERIFY(action->isEnabled());
        action->trigger();
        QCOMPARE(dialogs.shipping_options_calls, 1);
    }
};

QTEST_MAIN(ShippingOptionsTest)
#include "test_shipping_options.moc"
