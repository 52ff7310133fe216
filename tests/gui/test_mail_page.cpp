// The guidance-mail tab in the main window and the mail dialog: showing and storing
// the mail block, the bidder selection shared with the bidder tab, the buttons that
// open the settings dialogs, and building a mail as hanamori-cli builds it.

#include "core/app/helpers.h"
#include "core/mail/mail_writer.h"
#include "core/settings/settings_files.h"
#include "gui/mail/mail_dialog.h"
#include "gui/mail/mail_page.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui_test_support.h"
#include "support/cli_runner.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace hanamori;
using namespace hanamori::test;

class MailPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempInstall> m_install;
    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<CMainFrame> m_frame;
    // What the real mail dialog showed for the last build.
    std::string m_shownTitle, m_shownBody;
    QString m_shownName;

    template <typename T> T* Find(const char* name) {
        // The mail tab's own first: the product tab has fields of the same names.
        T* w = m_frame->view().page(2)->findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            w = m_frame->findChild<T*>(QString::fromLatin1(name));
        }
        if (!w) {
            qFatal("widget %s not found", name);
        }
        return w;
    }
    CSaleMasterDoc& Doc() { return m_frame->doc(); }
    QString LastMessage() {
        return m_host->messages.empty()
                   ? QString()
                   : QString::fromStdString(Utf8(m_host->messages.back().text));
    }
    void Start() {
        m_frame = std::make_unique<CMainFrame>(*m_host, *m_dialogs, Settings());
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    // Starts the program and shows the mail tab, which builds its controls.
    void StartOnMailTab() {
        Start();
        m_frame->view().ShowTab(2);
    }
    MailPage* Page() { return qobject_cast<MailPage*>(m_frame->view().page(2)); }
    static CustomerRecord Bidder(const char* nickname, const char* name_utf8) {
        CustomerRecord c;
        c.nickname = nickname;
        c.name = Sj(name_utf8);
        c.mail = std::string(nickname) + "@example.com";
        c.price = 1500;
        c.count = 2;
        c.ship_cost = 800;
        c.pref = Sj("大阪府");
        return c;
    }
    // Registers bidders as a stored listing holds them and shows the mail tab.
    void WithBidders(std::initializer_list<CustomerRecord> bidders) {
        for (const CustomerRecord& c : bidders) {
            Doc().listing().customers.Append(c);
        }
        m_frame->view().LoadAllTabs();
        m_frame->view().ShowTab(2);
    }

private slots:
    void init() {
        m_install = std::make_unique<TempInstall>(true);
        Settings() = UserSettings();
        UserSettings& s = Settings();
        s.bank[0] = {1,          Sj("みずほ銀行"), Sj("渋谷支店"),
                     Sj("普通"), "1234567",        Sj("ヤマダ ハナコ")};
        s.bank[2] = {0,          Sj("りそな銀行"), Sj("新宿支店"),
                     Sj("当座"), "7654321",        Sj("ヤマダ ハナコ")};
        s.yuubin[1] = {1, Sj("一般振替口座"), "00120-3", "456789", Sj("ヤマダ ハナコ")};
        s.personal[0] = SellerProfile();
        s.personal[0].nickname = "hanako_shop";
        s.personal[0].name = Sj("山田 花子");
        s.personal[0].address1 = Sj("東京都");
        s.etc = {0, Sj("代金引換\r\n手数料は落札者負担")};
        m_host = std::make_unique<ScriptedHost>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs->on_mail = [this](const ScriptedDialogs::MailRequest& r) {
            MailDialog dialog(*m_host, r.name, r.nickname, r.mail);
            m_shownTitle = dialog.titleText();
            m_shownBody = dialog.bodyText();
            m_shownName = dialog.findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text();
        };
    }
    void cleanup() {
        m_frame.reset();
        m_dialogs.reset();
        m_host.reset();
        m_install.reset();
    }

    void showsTheMailBlockAndStoresItBack() {
        StartOnMailTab();
        auto* templates = Find<QComboBox>("templateCombo");
        QCOMPARE(templates->count(), 6);
        QCOMPARE(templates->currentIndex(), 0);
        QCOMPARE(Find<QLineEdit>("bank1Edit")->text(), Q("みずほ銀行"));
        QCOMPARE(Find<QLineEdit>("bank3Edit")->text(), Q("りそな銀行"));
        QCOMPARE(Find<QLineEdit>("postal2Edit")->text(), Q("一般振替口座"));
        QVERIFY(Find<QCheckBox>("bank1Check")->isChecked()); // from the new listing
        QVERIFY(!Find<QCheckBox>("bank3Check")->isChecked());
        QCOMPARE(Find<QLineEdit>("sellerNicknameEdit")->text(), Q("hanako_shop"));
        QCOMPARE(Find<QComboBox>("sellerPrefCombo")->currentText(), Q("東京都"));
        QVERIFY(!Find<QCheckBox>("mailCommentCheck")->isEnabled());
        QVERIFY(!Doc().IsModified());

        Find<QCheckBox>("bank3Check")->click();
        QVERIFY(Doc().IsModified());
        Find<QLineEdit>("sellerNameEdit")->setText(QString(300, QLatin1Char('n')));
        Find<QPlainTextEdit>("sellerAddressEdit")->setPlainText(Q("渋谷区\n神宮前1-2-3"));
        Find<QComboBox>("sellerPrefCombo")->setCurrentIndex(0);
        m_frame->view().StoreAllTabs();
        const MailRecord& m = Doc().listing().mail;
        QCOMPARE(m.bank3, 1);
        QCOMPARE(m.seller_name, std::string(127, 'n'));
        QCOMPARE(m.seller_address, Sj("渋谷区\r\n神宮前1-2-3"));
        QCOMPARE(Utf8(m.seller_pref), std::string("北海道"));
    }

    void bidderSelectionIsSharedAndNotAChange() {
        Start();
        CustomerRecord rich = Bidder("second", "佐藤 二郎");
        rich.price = 2147483647;
        rich.count = 2;
        rich.mail_comment = 1;
        WithBidders({Bidder("first", "佐藤 一郎"), rich});
        auto* combo = Find<QComboBox>("mailBidderCombo");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(Find<QLineEdit>("bidderNameEdit")->text(), Q("佐藤 一郎"));
        QCOMPARE(Find<QLineEdit>("totalEdit")->text(), QStringLiteral("3800"));
        combo->setCurrentIndex(1);
        QCOMPARE(Doc().listing().customers_edit.current, 1);
        QCOMPARE(Find<QLineEdit>("totalEdit")->text(), QStringLiteral("4294968094"));
        QVERIFY(Find<QCheckBox>("mailCommentCheck")->isChecked());
        QVERIFY(!Doc().IsModified());

        // The bidder tab shows the same bidder, and coming back keeps it.
        m_frame->view().ShowTab(1);
        QCOMPARE(Find<QComboBox>("bidderCombo")->currentIndex(), 1);
        Doc().listing().customers_edit.current = 0;
        m_frame->view().ShowTab(2);
        QCOMPARE(combo->currentIndex(), 0);

        // The comment tick belongs to the selected bidder and marks the listing modified.
        Find<QCheckBox>("mailCommentCheck")->click();
        QCOMPARE(Doc().listing().customers_edit[0].mail_comment, 1);
        QCOMPARE(Doc().listing().customers_edit[1].mail_comment, 1);
        QVERIFY(Doc().IsModified());

        Find<QPushButton>("enterBidderButton")->click();
        QCOMPARE(m_frame->view().CurrentTab(), 1);
    }

    void emptyTemplateListFailsTheBuild() {
        std::remove((*m_install / "template/template.lst").c_str());
        StartOnMailTab();
        QCOMPARE(Find<QComboBox>("templateCombo")->count(), 0);
        m_host->messages.clear();
        Find<QPushButton>("buildMailButton")->click();
        QCOMPARE(LastMessage(), Q("プレビューの作成に失敗しました。"));
        QVERIFY(m_dialogs->mail_requests.empty());
    }

    void noBidderStillBuildsAMail() {
        StartOnMailTab();
        Find<QPushButton>("buildMailButton")->click();
        QCOMPARE(m_dialogs->mail_requests.size(), size_t(1));
        QCOMPARE(m_dialogs->mail_requests[0].name, std::string());
        QCOMPARE(m_dialogs->mail_requests[0].nickname, std::string());
        QCOMPARE(m_shownName, QString());
        QVERIFY(Utf8(m_shownBody).find("様") != std::string::npos);
        // Built, and the seller is told which names it lacks.
        QCOMPARE(m_host->messages.size(), size_t(1));
        QVERIFY2(LastMessage().contains(Q("落札者名が空欄のままメールを作成しました。")),
                 qPrintable(LastMessage()));
    }

    void mailDialogShowsWhatTheCliWrites() {
        Start();
        WithBidders({Bidder("ichiro", "佐藤 一郎")});
        Doc().listing().product_name = Sj("木製カトラリーセット");
        Find<QComboBox>("templateCombo")->setCurrentIndex(1);
        // Account 1 and postal account 2 come ticked from the settings; one more is ticked.
        QVERIFY(Find<QCheckBox>("postal2Check")->isChecked());
        Find<QCheckBox>("bank1Check")->click();
        Find<QCheckBox>("bank3Check")->click();
        Find<QPushButton>("buildMailButton")->click();
        QCOMPARE(m_dialogs->mail_requests.size(), size_t(1));
        QCOMPARE(m_dialogs->mail_requests[0].nickname, std::string("ichiro"));
        QCOMPARE(m_shownName, Q("佐藤 一郎"));
        QVERIFY(Utf8(m_shownBody).find("りそな銀行") != std::string::npos);
        QVERIFY(Utf8(m_shownBody).find("みずほ銀行") == std::string::npos);
        QVERIFY(Utf8(m_shownBody).find("00120-3") != std::string::npos);

        QVERIFY(Doc().Save());
        QVERIFY(SaveAllSettings(Settings(), m_install->dir()));
        std::remove(MailBodyPath(m_install->dir()).c_str());
        CliResult r =
            RunCliAt(DistDir() + "/hanamori-cli", m_install->dir(),
                     {"mail", Doc().listing().manage_no, "--template", "お支払い金額のご案内"});
        QCOMPARE(r.status, 0);
        QCOMPARE(ReadFile(MailBodyPath(m_install->dir())), m_shownBody);
        QCOMPARE(ReadFile(MailTitlePath(m_install->dir())), m_shownTitle);
        QCOMPARE(Utf8(m_shownTitle), std::string("お支払い金額のご案内(木製カトラリーセット)"));
    }

    void buttonsOpenTheSettingsDialogs() {
        StartOnMailTab();
        // 設定値から読み込む takes the payment settings' text.
        Find<QPushButton>("loadOtherButton")->click();
        QCOMPARE(Find<QPlainTextEdit>("otherPaymentEdit")->toPlainText(),
                 Q("代金引換\n手数料は落札者負担"));
        QVERIFY(Doc().IsModified());

        // 振込み先を編集: the names follow what the dialog stored.
        m_dialogs->on_payment = [](const std::function<void()>& stored) {
            Settings().bank[3].bank_name = Sj("楽天銀行");
            stored();
        };
        Find<QPushButton>("editPaymentButton")->click();
        QCOMPARE(Find<QLineEdit>("bank4Edit")->text(), Q("楽天銀行"));
        // So does the setup wizard started from the menu.
        m_dialogs->on_wizard = [] { Settings().bank[3].bank_name = Sj("ゆうちょ銀行"); };
        m_frame->CommandAction(cmd::kWizard)->trigger();
        QCOMPARE(Find<QLineEdit>("bank4Edit")->text(), Q("ゆうちょ銀行"));

        // 出品者情報を編集 starts on the page's seller; nothing comes back.
        Find<QLineEdit>("sellerNicknameEdit")->setText(QStringLiteral("Shop3"));
        Find<QPushButton>("editSellerButton")->click();
        QCOMPARE(m_dialogs->user_settings_requests.size(), size_t(1));
        QCOMPARE(*m_dialogs->user_settings_requests[0], std::string("Shop3"));

        // 出品者情報を取り込む copies the shown profile into the seller block.
        SellerProfile& p = Settings().personal[3];
        p.nickname = "shop3";
        p.name = Sj("鈴木 三郎");
        p.post = "980-0001";
        p.mail = "shop3@example.jp";
        p.address1 = Sj("宮城県");
        p.address = Sj("仙台市\r\n青葉区");
        p.phone = "022-000-0000";
        m_dialogs->profile_choices.push_back(std::nullopt); // ｷｬﾝｾﾙ
        Find<QPushButton>("importSellerButton")->click();
        QCOMPARE(Find<QLineEdit>("sellerNicknameEdit")->text(), QStringLiteral("Shop3"));
        m_dialogs->profile_choices.push_back(3);
        Find<QPushButton>("importSellerButton")->click();
        QCOMPARE(m_dialogs->profile_choice_requests.back(), std::string("Shop3"));
        QCOMPARE(Find<QLineEdit>("sellerNicknameEdit")->text(), QStringLiteral("shop3"));
        QCOMPARE(Find<QLineEdit>("sellerNameEdit")->text(), Q("鈴木 三郎"));
        QCOMPARE(Find<QLineEdit>("sellerZipEdit")->text(), QStringLiteral("980-0001"));
        QCOMPARE(Find<QComboBox>("sellerPrefCombo")->currentText(), Q("宮城県"));
        QCOMPARE(Find<QPlainTextEdit>("sellerAddressEdit")->toPlainText(), Q("仙台市\n青葉区"));
        QCOMPARE(Find<QLineEdit>("sellerPhoneEdit")->text(), QStringLiteral("022-000-0000"));
    }

    // The page is built when first shown. Until then loading and storing go past it:
    // the mail block stays as read, the menu's payment settings reach no controls,
    // and the first showing fills the controls from the listing without a change.
    void pageIsBuiltWhenFirstShown() {
        Start();
        MailPage* page = Page();
        QVERIFY(!page->isBuilt());
        QVERIFY(!m_frame->findChild<QComboBox*>(QStringLiteral("templateCombo")));

        MailRecord& m = Doc().listing().mail;
        m.bank1 = 0;
        m.bank3 = 1;
        m.seller_name = Sj("読み込んだ 名前");
        m.seller_pref = Sj("どこか"); // not a prefecture: a built page would store it empty
        m.other_payment_text = Sj("代金引換\r\n手数料");
        Doc().listing().customers.Append(Bidder("ichiro", "佐藤 一郎"));
        m_frame->view().LoadAllTabs();
        m_frame->view().ShowTab(1);
        m_dialogs->on_payment = [](const std::function<void()>& stored) {
            Settings().bank[3].bank_name = Sj("楽天銀行");
            stored();
        };
        m_frame->CommandAction(cmd::kPaymentSettings)->trigger();
        m_frame->view().StoreAllTabs();
        QVERIFY(!page->isBuilt());
        QCOMPARE(m.bank1, 0);
        QCOMPARE(m.bank3, 1);
        QCOMPARE(m.seller_name, Sj("読み込んだ 名前"));
        QCOMPARE(m.seller_pref, Sj("どこか"));
        QCOMPARE(m.other_payment_text, Sj("代金引換\r\n手数料"));
        QVERIFY(!Doc().IsModified());

        m_frame->view().ShowTab(2);
        QVERIFY(page->isBuilt());
        QCOMPARE(Find<QLineEdit>("sellerNameEdit")->text(), Q("読み込んだ 名前"));
        QVERIFY(!Find<QCheckBox>("bank1Check")->isChecked());
        QVERIFY(Find<QCheckBox>("bank3Check")->isChecked());
        QCOMPARE(Find<QPlainTextEdit>("otherPaymentEdit")->toPlainText(), Q("代金引換\n手数料"));
        QCOMPARE(Find<QLineEdit>("bank4Edit")->text(), Q("楽天銀行"));
        QCOMPARE(Find<QComboBox>("mailBidderCombo")->count(), 1);
        QCOMPARE(Find<QLineEdit>("bidderNameEdit")->text(), Q("佐藤 一郎"));
        QVERIFY(Find<QCheckBox>("mailCommentCheck")->isEnabled());
        QVERIFY(!Doc().IsModified());

        // Once built, what is typed is stored from any tab.
        Find<QLineEdit>("sellerPhoneEdit")->setText(QStringLiteral("03-0000-0000"));
        QVERIFY(Doc().IsModified());
        m_frame->view().ShowTab(0);
        m_frame->view().StoreAllTabs();
        QCOMPARE(m.seller_phone, std::string("03-0000-0000"));
        QCOMPARE(m.seller_name, Sj("読み込んだ 名前"));
    }

    void mailDialogCopiesWholeTexts() {
        std::string body;
        while (body.size() < 40000) {
            body += Sj("お支払いのご案内です。") + "\r\n";
        }
        WriteFile(MailBodyPath(m_install->dir()), body);
        WriteFile(MailTitlePath(m_install->dir()), Sj("ご案内"));
        ScriptedHost host;
        MailDialog dialog(host, Sj("佐藤"), "ichiro", "ichiro@example.com");
        QCOMPARE(dialog.windowTitle(), Q("Hanamori - 案内メール"));
        QVERIFY(host.messages.empty());
        auto* copyBody = dialog.findChild<QPushButton*>(QStringLiteral("copyBodyButton"));
        QVERIFY(copyBody->isDefault());
        copyBody->click();
        copyBody->click();
        QCOMPARE(host.clipboard, body);
        QCOMPARE(host.messages.size(), size_t(2));
        QCOMPARE(Utf8(host.messages[1].text),
                 std::string("メール本文をクリップボードへのコピーしました。"));
        QVERIFY(host.messages[1].icon == MessageIcon::Information);
        dialog.findChild<QPushButton*>(QStringLiteral("copyTitleButton"))->click();
        QCOMPARE(Utf8(host.clipboard), std::string("ご案内"));
        QCOMPARE(Utf8(host.messages.back().text),
                 std::string("メールタイトルをクリップボードへのコピーしました。"));
        dialog.findChild<QPushButton*>(QStringLiteral("copyMailButton"))->click();
        QCOMPARE(host.clipboard, std::string("ichiro@example.com"));
        QCOMPARE(Utf8(host.messages.back().text),
                 std::string("メールアドレスをクリップボードへのコピーしました。"));

        // Without the files the dialog says so and opens with what it has.
        std::remove(MailTitlePath(m_install->dir()).c_str());
        ScriptedHost other;
        MailDialog missing(other, "", "", "");
        QCOMPARE(other.messages.size(), size_t(1));
        QCOMPARE(Utf8(other.messages[0].text), std::string("メールの作成に失敗しました。"));
        QCOMPARE(missing.bodyText(), body);
    }
};

QTEST_MAIN(MailPageTest)
#include "test_mail_page.moc"
