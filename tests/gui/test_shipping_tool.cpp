// 送料計算ツール: opening in both modes, the side checks, the costs with 発送不可 and the
// cheapest mark, 送る and OK, the cost lists, the options, and the rate-file messages.

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"
#include "gui/shipping/shipping_tool_dialog.h"
#include "gui_test_support.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace hanamori;
using namespace hanamori::test;

class ShippingToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempInstall> m_install;
    ScriptedHost m_host;
    UserSettings m_settings;

    template <typename T> static T* Find(QWidget& d, const char* name) {
        T* w = d.findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            qFatal("widget %s not found", name);
        }
        return w;
    }
    static QString Cost(QWidget& d, const char* key) {
        return Find<QLineEdit>(d, (std::string(key) + "CostEdit").c_str())->text();
    }
    ShippingToolRequest BidderRequest() {
        ShippingToolRequest r;
        r.weight = 1000;
        r.side1 = 40;
        r.side2 = 30;
        r.side3 = 30;
        r.origin = Sj("東京都");
        r.destination = Sj("大阪府");
        r.seller_id = "seller";
        r.bidder_name = Sj("山田");
        r.bidder_nickname = "taro";
        r.charge = 500;
        r.bidder_mode = true;
        return r;
    }

private slots:
    void init() {
        m_install = std::make_unique<TempInstall>(true);
        m_host = ScriptedHost();
        m_settings = UserSettings();
    }
    void cleanup() { m_install.reset(); }

    void standaloneOpensFromTheListingWithoutBidder() {
        SaleMaster l;
        l.auction.weight_g = 1000;
        l.auction.length_cm = 30;
        l.auction.origin_pref = Sj("東京都");
        m_settings.send_opt.chk_yamato_opt100 = 1;
        ShippingToolDialog d(m_host, m_settings, StandaloneToolRequest(l));
        QVERIFY(m_host.messages.empty());
        QCOMPARE(d.windowTitle(), Q("Hanamori - 送料計算ツール"));
        QCOMPARE(Find<QComboBox>(d, "weightCombo")->count(), 29);
        QCOMPARE(Find<QComboBox>(d, "weightCombo")->currentText(), Q("～1kg"));
        QCOMPARE(Find<QComboBox>(d, "originCombo")->currentText(), Q("東京都"));
        QCOMPARE(Find<QComboBox>(d, "destinationCombo")->currentIndex(), -1);
        QCOMPARE(Find<QLineEdit>(d, "side1Edit")->text(), Q("30"));
        QCOMPARE(Find<QLineEdit>(d, "side2Edit")->text(), QString());
        QCOMPARE(Find<QLineEdit>(d, "sumEdit")->text(), Q("30"));
        QVERIFY(!Find<QPushButton>(d, "yupackSendButton")->isEnabled());
        QVERIFY(!Find<QLineEdit>(d, "chargeEdit")->isEnabled());
        QCOMPARE(Find<QPlainTextEdit>(d, "remarksEdit")->toPlainText(),
                 Q("▼設定されているオプション\n\n・ヤマト急便持込(-100円)\n"));
        // Without a destination nothing is calculated.
        d.Calculate();
        QCOMPARE(Cost(d, "yupack"), QString());
        d.ShowList(ShippingMethod::YuPack);
        QCOMPARE(Find<QPlainTextEdit>(d, "listEdit")->toPlainText(), QString());
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void sidesAreCheckedAndSummed() {
        ShippingToolDialog d(m_host, m_settings, BidderRequest());
        QLineEdit* side = Find<QLineEdit>(d, "side2Edit");
        QCOMPARE(Find<QLineEdit>(d, "sumEdit")->text(), Q("100"));
        side->setText(Q("3a"));
        QCOMPARE(Utf8(m_host.messages.back().text), std::string("整数(半角)を入力してください。"));
        QCOMPARE(side->text(), QString());
        QCOMPARE(Find<QLineEdit>(d, "sumEdit")->text(), Q("70"));
        side->setText(Q("３"));
        QCOMPARE(side->text(), QString());
    }

    void aLargeParcelCannotGoByPostButTheBookletGoesByWeight() {
        ShippingToolDialog d(m_host, m_settings, BidderRequest());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTest::mouseClick(Find<QPushButton>(d, "calculateButton"), Qt::LeftButton);
        for (const char* key : {"teikei", "teikeigai", "expack", "kuroneko", "hikyaku"}) {
            QCOMPARE(Cost(d, key), Q("発送不可"));
            QVERIFY2(!Find<QPushButton>(d, (std::string(key) + "SendButton").c_str())->isEnabled(),
                     key);
        }
        bool number = false;
        Cost(d, "sassi").toInt(&number);
        QVERIFY(number);
        QVERIFY(Find<QPushButton>(d, "sassiSendButton")->isEnabled());

        // The cheapest of the methods that can take the parcel is marked, ties too.
        int lowest = -1;
        for (const char* key : {"sassi", "yupack", "yahooYupack", "yamato", "sagawa", "pelican"}) {
            int cost = Cost(d, key).toInt(&number);
            if (number && (lowest < 0 || cost < lowest)) {
                lowest = cost;
            }
        }
        for (const char* key :
             {"teikei", "sassi", "yupack", "yahooYupack", "yamato", "sagawa", "pelican"}) {
            bool cheapest = Cost(d, key) == QString::number(lowest);
            QCOMPARE(Find<QLabel>(d, (std::string(key) + "CheapLabel").c_str())->text(),
                     cheapest ? Q("最安") : QString());
            QCOMPARE(Find<QLineEdit>(d, (std::string(key) + "CostEdit").c_str())->font().bold(),
                     cheapest);
        }

        // 送る hands the calculated cost to "送料".
        Find<QPushButton>(d, "sassiSendButton")->click();
        QCOMPARE(Find<QLineEdit>(d, "chargeEdit")->text(), Cost(d, "sassi"));
    }

    void okHandsBackTheTypedChargeOnceItIsAccepted() {
        ShippingToolDialog d(m_host, m_settings, BidderRequest());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QLineEdit* charge = Find<QLineEdit>(d, "chargeEdit");
        QPushButton* ok = Find<QDialogButtonBox>(d, "buttonBox")->button(QDialogButtonBox::Ok);
        QCOMPARE(charge->text(), Q("500"));
        QTest::keyClick(charge, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(charge, QStringLiteral("12x"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(m_host.MessagesUtf8(), std::vector<std::string>{"正しい送料を入力してください。"});
        QTest::keyClick(charge, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(charge, QStringLiteral("0"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.charge(), 0);
    }

    void theHandInOptionLowersYuPackIncludingItsNote() {
        m_settings.personal[0].nickname = "seller";
        m_settings.personal[0].chk_kenname = 1;
        ShippingToolRequest r = BidderRequest();
        r.side1 = 30;
        r.side2 = 20;
        r.side3 = 10;
        QString before_list, before_yupack, before_yahoo;
        {
            ShippingToolDialog d(m_host, m_settings, r);
            d.Calculate();
            d.ShowList(ShippingMethod::YuPack);
            before_list = Find<QPlainTextEdit>(d, "listEdit")->toPlainText();
            before_yupack = Cost(d, "yupack");
            before_yahoo = Cost(d, "yahooYupack");
        }
        QVERIFY(before_list.contains(Q("※東京都内は送料")));
        m_settings.send_opt.chk_yuupack_opt100 = 1;
        ShippingToolDialog d(m_host, m_settings, r);
        d.Calculate();
        d.ShowList(ShippingMethod::YuPack);
        QCOMPARE(Cost(d, "yupack").toInt(), before_yupack.toInt() - 100);
        QCOMPARE(Cost(d, "yahooYupack"), before_yahoo);
        // Every price in the list, the ※ line's included, is 100 yen lower.
        QRegularExpression yen(QStringLiteral("(\\d+)円"));
        QStringList was, now;
        for (auto m = yen.globalMatch(before_list); m.hasNext();) {
            was << m.next().captured(1);
        }
        QString after_list = Find<QPlainTextEdit>(d, "listEdit")->toPlainText();
        for (auto m = yen.globalMatch(after_list); m.hasNext();) {
            now << m.next().captured(1);
        }
        QCOMPARE(now.size(), was.size());
        QVERIFY(was.size() > 2);
        for (int i = 0; i < was.size(); ++i) {
            QCOMPARE(now[i].toInt(), was[i].toInt() - 100);
        }
        QVERIFY(Find<QPlainTextEdit>(d, "remarksEdit")
                    ->toPlainText()
                    .contains(Q("・ゆうパック持込(-100円)")));

        // The standalone tool's seller matches no profile: no ※ line.
        r.bidder_mode = false;
        r.seller_id = kStandaloneSellerId;
        ShippingToolDialog standalone(m_host, m_settings, r);
        standalone.ShowList(ShippingMethod::YuPack);
        QVERIFY(!Find<QPlainTextEdit>(standalone, "listEdit")->toPlainText().contains(Q("※")));
    }

    void currentServicesArePricedAndOneIsSentToTheBidder() {
        ShippingToolDialog d(m_host, m_settings, BidderRequest()); // 40 x 30 x 30 cm, 1 kg
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* table = Find<QTableWidget>(d, "servicesTable");
        auto* send = Find<QPushButton>(d, "serviceSendButton");
        QCOMPARE(table->rowCount(), 14);
        QCOMPARE(table->item(9, 1)->text(),
                 Q("料金表未確認")); // ゆうパック, before any calculation
        QTest::mouseClick(Find<QPushButton>(d, "calculateButton"), Qt::LeftButton);
        auto click_row = [&](int row) {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualItemRect(table->item(row, 0)).center());
        };
        QCOMPARE(table->item(0, 1)->text(), Q("発送不可"));
        QCOMPARE(table->item(11, 0)->text(), Q("宅急便"));
        QCOMPARE(table->item(11, 1)->text(), Q("1650"));
        QCOMPARE(table->item(11, 3)->text(), Q("2025-10-01"));
        QCOMPARE(table->item(12, 2)->text(), Q("最安")); // 飛脚宅配便
        QVERIFY(table->item(12, 1)->font().bold());
        QVERIFY(!table->item(11, 1)->font().bold());
        click_row(0);
        QVERIFY(!send->isEnabled());
        click_row(11);
        QVERIFY(send->isEnabled());
        QTest::mouseClick(send, Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(d, "shipMethodEdit")->text(), Q("宅急便"));
        QCOMPARE(Find<QLineEdit>(d, "chargeEdit")->text(), Q("1650"));
    }

    void rateFileMessagesAndWhatStillOpens() {
        std::remove((*m_install / "CostData/nittu.dat").c_str());
        {
            ShippingToolDialog d(m_host, m_settings, BidderRequest());
            QCOMPARE(m_host.MessagesUtf8(),
                     std::vector<std::string>{"料金データの読み込みが出来ません。\n[ペリカン便]"});
            QCOMPARE(Find<QComboBox>(d, "weightCombo")->count(), 29);
            d.Calculate();
            QCOMPARE(Cost(d, "pelican"), Q("発送不可"));
        }
        std::remove((*m_install / "CostData/yupack.dat").c_str());
        std::remove((*m_install / "CostData/yupack2.dat").c_str());
        m_host.messages.clear();
        ShippingToolDialog d(m_host, m_settings, BidderRequest());
        QCOMPARE(m_host.messages.size(), std::size_t{1});
        QCOMPARE(Find<QComboBox>(d, "weightCombo")->count(), 0);
        d.Calculate();
        QCOMPARE(Cost(d, "yupack"), QString());
    }
};

QTEST_MAIN(ShippingToolTest)
#include "test_shipping_tool.moc"
