// The product and bidder tab: amount checks while typing, what a leave stores,
// registration, removal, stage dates, the shipping tool's charge, and how the page
// meets the view (built on first show, the selection shared through the listing).

#include "core/app/helpers.h"
#include "core/listing/records.h"
#include "core/settings/settings_files.h"
#include "gui/bidder/bidder_page.h"
#include "gui/bidder/bidder_registration_dialog.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace hanamori;
using namespace hanamori::test;

class BidderPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<BidderPage> m_page;
    SaleMaster m_listing;

    template <typename T> T* Find(const char* name) {
        T* w = m_page->findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            qFatal("widget %s not found", name);
        }
        return w;
    }
    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
    std::string LastMessage() {
        return m_host->messages.empty() ? std::string() : Utf8(m_host->messages.back().text);
    }
    CustomerRecord& Current() { return *m_listing.customers_edit.Current(); }
    static void Leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    void AddStored(const char* nickname) {
        CustomerRecord r;
        r.nickname = nickname;
        r.price = 1000;
        r.count = 2;
        m_listing.customers.Append(r);
    }

private slots:
    void init() {
        SetChangeNotify(true);
        m_host = std::make_unique<ScriptedHost>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_page = std::make_unique<BidderPage>(*m_host, *m_dialogs);
        m_listing = SaleMaster();
    }
    void cleanup() { m_page.reset(); }

    void amountsAreCheckedAsTheyAreTyped() {
        AddStored("taro");
        m_page->ShowListing(m_listing);
        m_page->show();
        QCOMPARE(Edit("totalEdit")->text(), Q("2000"));

        QLineEdit* price = Edit("priceEdit");
        price->clear();
        QTest::keyClicks(price, "12");
        QCOMPARE(Current().price, 12);
        QTest::keyClick(price, 'a');
        QCOMPARE(LastMessage(), std::string("落札金額は整数(半角)を入力してください。"));
        QCOMPARE(m_host->messages.back().icon, MessageIcon::Information);
        QCOMPARE(price->text(), QString());
        QCOMPARE(Current().price, 12); // until the field is left
        Leave(price);
        QCOMPARE(Current().price, 0);
        QCOMPARE(Edit("totalEdit")->text(), Q("0"));

        // Full-width digits, as a Japanese input method types them, are digits.
        CommitInput(price, Q("１８５００"));
        QCOMPARE(Current().price, 18500);

        price->setText(Q("1500"));
        QLineEdit* other = Edit("otherChargeEdit");
        other->setText(Q("-300"));
        QCOMPARE(Current().other_charge, -300);
        QCOMPARE(Edit("totalEdit")->text(), Q("2700"));
        std::size_t before = m_host->messages.size();
        Edit("shipCostEdit")->setText(Q("-300"));
        QCOMPARE(m_host->messages.size(), before + 1);
        QCOMPARE(LastMessage(), std::string("送料は整数(半角)を入力してください。"));
        QCOMPARE(Edit("shipCostEdit")->text(), QString());
        QCOMPARE(Current().ship_cost, 0);

        // The up-down steps the quantity as if typed.
        Edit("countEdit")->setText(Q("1000"));
        Find<QToolButton>("countDownButton")->click();
        QCOMPARE(Current().count, 999);
    }

    void textsAreStoredOnLeaveAndBeforeTheListingIsStored() {
        AddStored("taro");
        m_page->ShowListing(m_listing);
        m_page->show();
        Edit("nameEdit")->setText(Q("山田太郎"));
        QCOMPARE(Current().name, std::string());
        Leave(Edit("nameEdit"));
        QCOMPARE(Current().name, Sj("山田太郎"));
        Find<QPlainTextEdit>("addressEdit")->setPlainText(Q("中央区1-1\n梅田ビル"));
        Find<QComboBox>("prefCombo")->setCurrentIndex(26);
        QCOMPARE(Current().pref, Sj("大阪府"));
        // Saved by keyboard while still typing: the text is not lost.
        Edit("phoneEdit")->setText(Q("06-0000-0000"));
        Find<QPlainTextEdit>("memoEdit")->setPlainText(Q("メモ\n二行目"));
        m_page->StoreListing(m_listing);
        const CustomerRecord& stored = m_listing.customers[0];
        QCOMPARE(stored.phone, std::string("06-0000-0000"));
        // Line breaks are kept as the listing file holds them, and shown back as typed.
        QCOMPARE(stored.address, Sj("中央区1-1\r\n梅田ビル"));
        QCOMPARE(m_listing.auction.memo, Sj("メモ\r\n二行目"));
        m_page->ShowListing(m_listing);
        QCOMPARE(Find<QPlainTextEdit>("memoEdit")->toPlainText(), Q("メモ\n二行目"));
        QCOMPARE(Find<QPlainTextEdit>("addressEdit")->toPlainText(), Q("中央区1-1\n梅田ビル"));
    }

    void registeringAndRemovingBidders() {
        m_page->ShowListing(m_listing);
        m_page->show();
        QVERIFY(!Edit("nameEdit")->isEnabled());
        QVERIFY(!Find<QPushButton>("deleteButton")->isEnabled());
        QVERIFY(Find<QPushButton>("registerButton")->isEnabled());
        QSignalSpy edited(m_page.get(), &TabPage::listingEdited);

        m_dialogs->new_bidders = {std::nullopt, NewBidder{"a", "", 100, 1},
                                  NewBidder{"b", "b@example.jp", 1500, 3},
                                  NewBidder{"c", "", 0, 1}};
        m_page->RegisterBidder(); // cancelled
        QCOMPARE(edited.count(), 0);
        for (int i = 0; i < 3; ++i) {
            m_page->RegisterBidder();
        }
        QCOMPARE(edited.count(), 3);
        auto* combo = Find<QComboBox>("bidderCombo");
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentText(), Q("c"));
        QCOMPARE(m_listing.customers_edit.current, 2);
        QVERIFY(Edit("nameEdit")->isEnabled());

        combo->setCurrentIndex(1);
        QCOMPARE(Edit("mailEdit")->text(), Q("b@example.jp"));
        QCOMPARE(Edit("totalEdit")->text(), Q("4500"));

        // Deleting the last of three selects the new last one.
        combo->setCurrentIndex(2);
        m_host->yes_no_answers = {false, true};
        m_page->DeleteBidder();
        QCOMPARE(m_listing.customers_edit.count(), 3);
        m_page->DeleteBidder();
        QCOMPARE(m_listing.customers_edit.count(), 2);
        QCOMPARE(combo->currentText(), Q("b"));
        QCOMPARE(Edit("nicknameEdit")->text(), Q("b"));
        QCOMPARE(edited.count(), 4);

        // Deleting the only bidder disables the bidder fields and empties them.
        m_host->yes_no_answers = {true, true};
        m_page->DeleteBidder();
        m_page->DeleteBidder();
        QCOMPARE(m_listing.customers_edit.count(), 0);
        QCOMPARE(m_listing.customers_edit.current, -1);
        for (const char* name : {"nameEdit", "priceEdit", "totalEdit", "paidDateEdit"}) {
            QVERIFY2(!Edit(name)->isEnabled(), name);
        }
        QVERIFY(!Find<QCheckBox>("paidCheck")->isEnabled());
        QVERIFY(!Find<QPushButton>("shippingToolButton")->isEnabled());
        QCOMPARE(Edit("nicknameEdit")->text(), QString());
        QVERIFY(Find<QComboBox>("bidderCombo")->isEnabled());
    }

    void tickingAStageStoresItAndDatesIt() {
        AddStored("taro");
        m_page->ShowListing(m_listing);
        m_page->show();
        const QString today = QString::fromStdString(StampNow("%Y/%m/%d"));
        Find<QCheckBox>("shippedCheck")->click();
        QCOMPARE(Current().shipped, 1);
        QCOMPARE(Edit("shippedDateEdit")->text(), today);
        QCOMPARE(Current().shipped_date, today.toStdString());
        Find<QCheckBox>("shippedCheck")->click();
        QCOMPARE(Current().shipped, 0);

        // A typed text that is no date is kept, with one warning naming the stage.
        QLineEdit* paid = Edit("paidDateEdit");
        QTest::mouseClick(paid, Qt::LeftButton);
        QInputMethodEvent typed; // as a Japanese input method hands the text over
        typed.setCommitString(Q("来週くらい"));
        QApplication::sendEvent(paid, &typed);
        Leave(paid);
        Leave(paid);
        QCOMPARE(Current().paid_date, Sj("来週くらい"));
        QCOMPARE(m_host->messages.size(), size_t(1));
        QVERIFY(QString::fromStdString(LastMessage())
                    .startsWith(Q("「入金確認済み」の日付「来週くらい」")));

        Find<QCheckBox>("endedCheck")->click();
        QCOMPARE(Edit("endedDateEdit")->text(), today);
        QCOMPARE(m_listing.auction.ended, 0); // product stages are stored with the page
        m_page->StoreListing(m_listing);
        QCOMPARE(m_listing.auction.ended, 1);
        QCOMPARE(m_listing.auction.ended_date, today.toStdString());
    }

    void theShippingToolHandsItsChargeBack() {
        m_listing.auction.weight_g = 2000;
        m_listing.auction.origin_pref = Sj("東京都");
        m_listing.mail.seller_nickname = "seller";
        m_page->ShowListing(m_listing);
        m_page->show();
        m_page->OpenShippingTool();
        QCOMPARE(LastMessage(), std::string("落札者情報を登録してください！"));
        QVERIFY(m_dialogs->tool_requests.empty());

        AddStored("taro");
        m_listing.customers[0].pref = Sj("大阪府");
        m_listing.customers[0].ship_cost = 500;
        m_page->ShowListing(m_listing);
        QSignalSpy changed(m_page.get(), &TabPage::fieldChanged);
        m_dialogs->tool_results = {std::nullopt, ShippingToolResult{740, Sj("宅急便")}};
        m_page->OpenShippingTool();
        QCOMPARE(Current().ship_cost, 500);
        QCOMPARE(changed.count(), 0);
        m_page->OpenShippingTool();
        const ShippingToolRequest& r = m_dialogs->tool_requests.back();
        QVERIFY(r.bidder_mode);
        QCOMPARE(r.seller_id, std::string("seller"));
        QCOMPARE(r.destination, Sj("大阪府"));
        QCOMPARE(r.charge, 500);
        QCOMPARE(Edit("shipCostEdit")->text(), Q("740"));
        QCOMPARE(Current().ship_cost, 740);
        QCOMPARE(Current().ship_method, Sj("宅急便")); // a current service sent to the bidder
        QCOMPARE(Edit("totalEdit")->text(), Q("2740"));
        QCOMPARE(changed.count(), 2); // "発送方法" and "送料", which mark the listing modified
    }

    void registrationDialogRefusesAndCleans() {
        CustomerList list;
        list.Append(CustomerRecord{});
        list[0].nickname = "taro";
        BidderRegistrationDialog d(*m_host, list);
        QCOMPARE(d.windowTitle(), Q("Hanamori - 落札者の登録"));
        QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("countEdit"))->text(), Q("1"));
        QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("priceEdit"))->text(), QString());
        auto* ok = d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QCOMPARE(ok->text(), Q("登録"));
        d.show();
        ok->click();
        QCOMPARE(LastMessage(), std::string("落札者のニックネームを入力してください。"));
        QVERIFY(d.isVisible());
        d.findChild<QLineEdit*>(QStringLiteral("nicknameEdit"))->setText(Q("Taro"));
        ok->click();
        QCOMPARE(LastMessage(), std::string("その落札者は既に登録されています。"));
        QCOMPARE(m_host->messages.back().icon, MessageIcon::Exclamation);
        QVERIFY(d.isVisible());
        // A price that is no amount is refused, not read as another number.
        auto* nickname = d.findChild<QLineEdit*>(QStringLiteral("nicknameEdit"));
        auto* price = d.findChild<QLineEdit*>(QStringLiteral("priceEdit"));
        nickname->setText(Q("jiro"));
        QTest::mouseClick(price, Qt::LeftButton);
        CommitInput(price, Q("1万8千円"));
        ok->click();
        QCOMPARE(LastMessage(), std::string("落札金額は整数(半角)を入力してください。"));
        QVERIFY(d.isVisible());
        QTest::keyClick(price, Qt::Key_A, Qt::ControlModifier);
        CommitInput(price, Q("１８，５００円"));
        // A nickname longer than the registration keeps is not taken past it.
        QTest::mouseClick(nickname, Qt::LeftButton);
        QTest::keyClick(nickname, Qt::Key_A, Qt::ControlModifier);
        PasteInto(nickname, QString(300, QLatin1Char('n')));
        QCOMPARE(nickname->text(), QString(127, QLatin1Char('n')));
        d.findChild<QLineEdit*>(QStringLiteral("countEdit"))->setText(Q("0"));
        ok->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.bidder().nickname, std::string(127, 'n'));
        QCOMPARE(d.bidder().price, 18500);
        QCOMPARE(d.bidder().count, 1);
    }

    void theViewBuildsThePageWhenShownAndSharesTheSelection() {
        TempInstall install(true);
        Settings() = UserSettings();
        ScriptedDialogs dialogs;
        CMainFrame frame(*m_host, dialogs, Settings());
        frame.show();
        auto* page = static_cast<BidderPage*>(frame.view().page(1));
        QVERIFY(!page->isBuilt());
        SaleMaster& l = frame.doc().listing();
        for (const char* n : {"a", "b", "c"}) {
            CustomerRecord r;
            r.nickname = n;
            l.customers.Append(r);
        }
        frame.view().LoadAllTabs();
        QVERIFY(!page->isBuilt());
        // A store before the page was ever shown keeps the listing as it was.
        l.auction.memo = "m";
        frame.view().StoreAllTabs();
        QCOMPARE(l.customers.count(), 3);
        QCOMPARE(l.auction.memo, std::string("m"));

        // Another window opens a dealing: the bidder to show is the listing's current.
        l.customers_edit.current = 2;
        QVERIFY(frame.view().ShowTab(1));
        QVERIFY(page->isBuilt());
        QCOMPARE(page->findChild<QComboBox*>(QStringLiteral("bidderCombo"))->currentText(), Q("c"));
        QCOMPARE(page->findChild<QLineEdit*>(QStringLiteral("nicknameEdit"))->text(), Q("c"));
        QVERIFY(!frame.doc().IsModified());

        // Registering marks the listing modified.
        dialogs.new_bidders = {NewBidder{"d", "", 0, 1}};
        page->findChild<QPushButton*>(QStringLiteral("registerButton"))->click();
        QVERIFY(frame.doc().IsModified());
        frame.doc().SetModified(false);
    }
};

QTEST_MAIN(BidderPageTest)
#include "test_bidder_page.moc"
