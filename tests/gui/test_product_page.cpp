// The product description tab on the main window with a scripted host: loading and
// storing every control, the checks while typing, 送料計算, プレビュー and 完成 with
// their messages, the standard design, the tag commands and the context menu.

#include "core/app/helpers.h"
#include "core/page/design_catalog.h"
#include "core/settings/settings_files.h"
#include "core/shipping/prefectures.h"
#include "gui/page/completed_page_dialog.h"
#include "gui/page/product_page.h"
#include "gui/page/tag_dialogs.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui/widgets/list_combo_box.h"
#include "gui/widgets/qt_text.h"
#include "gui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace hanamori;
using namespace hanamori::test;

namespace {
struct ScriptedWindows final : ProductPageWindows {
    std::vector<std::string> previews, completed;
    void ShowPreview(const std::string& path) override { previews.push_back(path); }
    void ShowCompletedPage(const std::string& path) override { completed.push_back(path); }
};

struct ScriptedTagDialogs final : TagDialogs {
    std::optional<FontChoice> font;
    std::optional<LinkChoice> link;
    std::optional<ImageChoice> image;
    std::optional<FontChoice> AskFont(Host&, QWidget*) override { return font; }
    std::optional<LinkChoice> AskLink(Host&, QWidget*) override { return link; }
    std::optional<ImageChoice> AskImage(Host&, QWidget*) override { return image; }
};
} // namespace

class ProductPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempInstall> m_install;
    std::unique_ptr<ScriptedHost> m_host;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<CMainFrame> m_frame;
    ScriptedWindows m_windows;
    ScriptedTagDialogs m_tags;

    template <typename T> T* Find(const char* name) {
        T* w = m_frame->findChild<T*>(QString::fromLatin1(name));
        if (!w) {
            qFatal("widget %s not found", name);
        }
        return w;
    }
    ProductPage* Page() { return static_cast<ProductPage*>(m_frame->view().page(0)); }
    AuctionRecord& Auction() { return m_frame->doc().listing().auction; }
    QString LastMessage() {
        return m_host->messages.empty() ? QString() : hanamori::ToQt(m_host->messages.back().text);
    }

private slots:
    void init() {
        m_install = std::make_unique<TempInstall>(true);
        Settings() = UserSettings();
        Settings().hanamo.page_type = DesignCatalog()[1];
        m_host = std::make_unique<ScriptedHost>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_frame = std::make_unique<CMainFrame>(*m_host, *m_dialogs, Settings());
        m_windows = ScriptedWindows();
        Page()->SetWindows(&m_windows);
        SetTagDialogs(&m_tags);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void cleanup() {
        SetTagDialogs(nullptr);
        m_frame.reset();
        m_dialogs.reset();
        m_host.reset();
        m_install.reset();
    }

    void everyControlLoadsAndStoresBack() {
        AuctionRecord& a = Auction();
        a.design_type = DesignCatalog()[2];
        a.display_name = Sj("木製スプーン<b>");
        a.description = Sj("一行目\r\n二行目");
        a.notes = Sj("注意");
        a.other = Sj("他");
        a.bank_text = Sj("銀行");
        a.postal_text = Sj("郵便");
        a.other_payment_text = Sj("代引");
        a.other_ship_name = Sj("宅配");
        a.shipping_notes = Sj("同梱可\r\n");
        a.origin_pref = Sj("大阪府");
        a.use_description = 0;
        a.use_notes = 0;
        a.use_other = a.use_quantity = a.use_bank = a.use_postal = a.use_other_payment = 1;
        a.use_teikei = a.use_teikeigai = a.use_booklet = a.use_expack = 1;
        a.use_kuroneko_mail = a.use_hikyaku_mail = a.use_other_ship = 1;
        a.use_yupack = a.use_yahoo_yupack = a.use_yamato = a.use_sagawa = a.use_pelican = 1;
        a.quantity = 3;
        a.weight_g = 500;
        a.length_cm = 30;
        a.width_cm = -1;
        a.height_cm = 5;
        a.teikei_cost = 80;
        a.teikeigai_cost = 390;
        a.booklet_cost = -1;
        a.expack_cost = 500;
        a.kuroneko_mail_cost = 0;
        a.hikyaku_mail_cost = 160;
        a.other_ship_cost = 1200;
        a.design_color = Sj("no such colour set");
        const AuctionRecord before = a;
        const QString colour = Find<QComboBox>("colorCombo")->currentText();
        m_frame->view().LoadAllTabs();

        QCOMPARE(Find<QComboBox>("designCombo")->currentIndex(), 2);
        QCOMPARE(Find<QComboBox>("colorCombo")->currentText(), colour); // unknown: unchanged
        QCOMPARE(Find<QLineEdit>("nameBytesEdit")->text(), Q("15"));
        QCOMPARE(Find<QPlainTextEdit>("descriptionEdit")->toPlainText(), Q("一行目\n二行目"));
        QCOMPARE(Find<QComboBox>("weightCombo")->currentText(), Q("～500g"));
        QCOMPARE(Find<QLineEdit>("widthEdit")->text(), QString());
        QCOMPARE(Find<QLineEdit>("sizeTotalEdit")->text(), Q("35"));
        QCOMPARE(Find<QLineEdit>("bookletCostEdit")->text(), QString());
        QCOMPARE(Find<QLineEdit>("kuronekoCostEdit")->text(), Q("0"));
        QCOMPARE(Find<QComboBox>("originCombo")->currentText(), Q("大阪府"));
        QVERIFY(!m_frame->doc().IsModified());

        m_frame->view().StoreAllTabs();
        AuctionRecord after = Auction();
        after.design_color = before.design_color; // the list's own colour was stored
        QCOMPARE(ToCp932Lossy(Find<QComboBox>("colorCombo")->currentText()),
                 Auction().design_color);
        QVERIFY(after.description == before.description);
        QVERIFY(after.shipping_notes == before.shipping_notes);
        QVERIFY(after.display_name == before.display_name);
        QVERIFY(after.other_ship_name == before.other_ship_name);
        QVERIFY(after.origin_pref == before.origin_pref);
        QCOMPARE(after.weight_g, 500);
        const std::pair<const char*, std::pair<int, int>> numbers[] = {
            {"use_description", {after.use_description, before.use_description}},
            {"use_notes", {after.use_notes, before.use_notes}},
            {"use_other", {after.use_other, before.use_other}},
            {"use_quantity", {after.use_quantity, before.use_quantity}},
            {"use_bank", {after.use_bank, before.use_bank}},
            {"use_postal", {after.use_postal, before.use_postal}},
            {"use_other_payment", {after.use_other_payment, before.use_other_payment}},
            {"use_teikei", {after.use_teikei, before.use_teikei}},
            {"use_booklet", {after.use_booklet, before.use_booklet}},
            {"use_hikyaku_mail", {after.use_hikyaku_mail, before.use_hikyaku_mail}},
            {"use_other_ship", {after.use_other_ship, before.use_other_ship}},
            {"use_pelican", {after.use_pelican, before.use_pelican}},
            {"use_yahoo_yupack", {after.use_yahoo_yupack, before.use_yahoo_yupack}},
            {"quantity", {after.quantity, before.quantity}},
            {"length_cm", {after.length_cm, before.length_cm}},
            {"width_cm", {after.width_cm, before.width_cm}},
            {"height_cm", {after.height_cm, before.height_cm}},
            {"teikei_cost", {after.teikei_cost, before.teikei_cost}},
            {"booklet_cost", {after.booklet_cost, before.booklet_cost}},
            {"kuroneko_mail_cost", {after.kuroneko_mail_cost, before.kuroneko_mail_cost}},
            {"other_ship_cost", {after.other_ship_cost, before.other_ship_cost}}};
        for (const auto& [name, values] : numbers) {
            if (values.first != values.second) {
                QFAIL(name);
            }
        }
        QVERIFY(after.bank_text == before.bank_text && after.postal_text == before.postal_text &&
                after.other_payment_text == before.other_payment_text &&
                after.notes == before.notes && after.other == before.other);

        // An emptied quantity is stored as -1 and shows 1 again.
        Find<QLineEdit>("quantityEdit")->clear();
        m_frame->view().StoreAllTabs();
        QCOMPARE(Auction().quantity, -1);
        m_frame->view().LoadAllTabs();
        QCOMPARE(Find<QLineEdit>("quantityEdit")->text(), Q("1"));
    }

    void typedNumbersAreChecked() {
        const std::pair<const char*, const char*> fields[] = {
            {"teikeiCostEdit", "定形郵便の料金は整数(半角)を入力してください。"},
            {"teikeigaiCostEdit", "定形外郵便の料金は整数(半角)を入力してください。"},
            {"bookletCostEdit", "冊子小包の料金は整数(半角)を入力してください。"},
            {"expackCostEdit", "EXPACK500の料金は整数(半角)を入力してください。"},
            {"kuronekoCostEdit", "クロネコメール便の料金は整数(半角)を入力してください。"},
            {"hikyakuCostEdit", "飛脚メール便の料金は整数(半角)を入力してください。"},
            {"otherShipCostEdit", "その他の発送方法の料金は整数(半角)を入力してください。"},
            {"quantityEdit", "商品個数は整数(半角)を入力してください。"}};
        for (const auto& [name, message] : fields) {
            auto* edit = Find<QLineEdit>(name);
            edit->clear();
            QTest::keyClicks(edit, "12a");
            QCOMPARE(LastMessage(), Q(message));
            QCOMPARE(m_host->messages.back().icon, MessageIcon::Information);
            QCOMPARE(edit->text(), QString());
        }
        QCOMPARE(m_host->messages.size(), std::size_t(8));
        QTest::keyClicks(Find<QLineEdit>("teikeiCostEdit"), "120");
        QCOMPARE(m_host->messages.size(), std::size_t(8));

        // The sizes: the total follows, a bad one is named by its own label.
        auto* length = Find<QLineEdit>("lengthEdit");
        auto* width = Find<QLineEdit>("widthEdit");
        auto* height = Find<QLineEdit>("heightEdit");
        auto* total = Find<QLineEdit>("sizeTotalEdit");
        QTest::keyClicks(length, "10");
        QTest::keyClicks(width, "20");
        QTest::keyClicks(height, "30");
        QCOMPARE(total->text(), Q("60"));
        height->clear();
        QCOMPARE(total->text(), Q("30"));
        QTest::keyClicks(length, "x");
        QCOMPARE(LastMessage(), Q("縦幅は整数(半角)を入力してください。"));
        QCOMPARE(length->text(), QString());
        QCOMPARE(total->text(), Q("20"));
        QTest::keyClicks(width, "-");
        QCOMPARE(LastMessage(), Q("横幅は整数(半角)を入力してください。"));
        // A full-width digit, as an input method types it, is a digit.
        height->insert(Q("１"));
        QCOMPARE(height->text(), Q("1"));
        QCOMPARE(LastMessage(), Q("横幅は整数(半角)を入力してください。"));
        QCOMPARE(total->text(), Q("1"));

        // Leaving a size field stores it at once; the name's byte count follows it.
        length->setFocus();
        QApplication::processEvents();
        QTest::keyClicks(length, "45");
        Find<QLineEdit>("displayNameEdit")->setFocus();
        QApplication::processEvents();
        QCOMPARE(Auction().length_cm, 45);
        Find<QLineEdit>("displayNameEdit")->insert(Q("木a"));
        QCOMPARE(Find<QLineEdit>("nameBytesEdit")->text(), Q("3"));
    }

    void computeClearsWhatItCannotServe() {
        auto* weight = Find<QComboBox>("weightCombo");
        weight->setCurrentIndex(WeightClassIndex(500));
        Find<QComboBox>("originCombo")->setCurrentText(Q("東京都"));
        QTest::keyClicks(Find<QLineEdit>("lengthEdit"), "30");
        QTest::keyClicks(Find<QLineEdit>("widthEdit"), "20");
        QTest::keyClicks(Find<QLineEdit>("heightEdit"), "3");
        auto* teikei = Find<QCheckBox>("teikeiCheck");
        auto* teikeiCost = Find<QLineEdit>("teikeiCostEdit");
        teikei->setChecked(true);
        teikeiCost->setText(Q("80"));
        Find<QCheckBox>("teikeigaiCheck")->setChecked(false);
        m_frame->doc().SetModified(false);
        Find<QPushButton>("computeCostsButton")->click();
        QCOMPARE(teikeiCost->text(), QString());
        QVERIFY(!teikei->isChecked());
        QCOMPARE(Find<QLineEdit>("teikeigaiCostEdit")->text(), Q("390"));
        QVERIFY(!Find<QCheckBox>("teikeigaiCheck")->isChecked()); // never ticked
        QVERIFY(m_frame->doc().IsModified());
        QVERIFY(m_host->messages.empty());

        // Without a weight class nothing happens.
        weight->setCurrentIndex(-1);
        teikeiCost->setText(Q("1"));
        Find<QPushButton>("computeCostsButton")->click();
        QCOMPARE(teikeiCost->text(), Q("1"));
    }

    void previewAndCompleteNeedDesignAndColour() {
        // A standard design that was removed and no standard colour: nothing is chosen
        // for the seller.
        Settings().hanamo.page_type = Sj("消えたデザイン");
        m_frame = std::make_unique<CMainFrame>(*m_host, *m_dialogs, Settings());
        Page()->SetWindows(&m_windows);
        m_frame->show();
        auto* design = Find<QComboBox>("designCombo");
        auto* colour = Find<QComboBox>("colorCombo");
        QVERIFY(colour->count() > 0);
        QCOMPARE(design->currentText(), QString());
        QCOMPARE(colour->currentText(), QString());
        Page()->Preview();
        QCOMPARE(LastMessage(), Q("作成するページのデザイン(タイプ)を選択してください。"));
        Page()->Complete();
        QCOMPARE(LastMessage(), Q("作成するページの種類を選択してください。"));
        m_frame->view().StoreAllTabs();
        QCOMPARE(Auction().design_type, std::string());
        QTest::keyClick(design, Qt::Key_Down);
        QCOMPARE(design->currentIndex(), 0);
        Page()->Preview();
        QCOMPARE(LastMessage(), Q("作成するページのデザイン(カラー)を選択してください。"));
        Page()->Complete();
        QCOMPARE(LastMessage(), Q("作成するページのカラーを選択してください。"));
        QCOMPARE(m_host->messages.back().icon, MessageIcon::Information);
        QVERIFY(m_windows.previews.empty() && m_windows.completed.empty());
        QTest::keyClick(colour, Qt::Key_Down);

        // With both, the tabs are stored first and the files written.
        Find<QLineEdit>("displayNameEdit")->setText(Q("青磁の花瓶"));
        Find<QPushButton>("previewButton")->click();
        QCOMPARE(m_windows.previews.size(), std::size_t(1));
        QCOMPARE(m_windows.previews[0], InstallDir() + "work/preview.html");
        QVERIFY(ReadFile(m_windows.previews[0]).find(Sj("青磁の花瓶")) != std::string::npos);
        Find<QPushButton>("completeButton")->click();
        QCOMPARE(m_windows.completed.size(), std::size_t(1));
        QVERIFY(ReadFile(m_windows.completed[0]).find(Sj("青磁の花瓶")) != std::string::npos);
        QCOMPARE(Auction().display_name, Sj("青磁の花瓶"));

        // A build that cannot write its file says so.
        std::filesystem::remove_all(InstallDir() + "work");
        Page()->Preview();
        QCOMPARE(LastMessage(), Q("プレビューの作成に失敗しました。"));
        QCOMPARE(m_host->messages.back().icon, MessageIcon::Stop);
        QCOMPARE(m_windows.previews.size(), std::size_t(1));
    }

    void standardDesignAndDesignList() {
        Find<QComboBox>("designCombo")->setCurrentIndex(3);
        auto* colour = Find<QComboBox>("colorCombo");
        colour->setCurrentIndex(colour->count() - 1);
        m_frame->doc().SetModified(false);
        Find<QPushButton>("standardButton")->click();
        QCOMPARE(Settings().hanamo.page_type, DesignCatalog()[3]);
        QCOMPARE(Settings().hanamo.page_color, ToCp932Lossy(colour->currentText()));
        QVERIFY(!m_frame->doc().IsModified());

        auto* link = Find<QWidget>("designListLink");
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(m_host->opened_pages.size(), std::size_t(1));
        QCOMPARE(m_host->opened_pages[0], InstallDir() + "help/design_list.html");
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
    }

    // The lists measure only the items that can be the widest, yet must come out as wide
    // as a plain drop-down list measuring every item.
    void listsAreAsWideAsTheirWidestItem() {
        QCOMPARE(WidestTextCandidates({QStringLiteral("WWWWWW"), QStringLiteral("あいう"),
                                       QStringLiteral("北海道"), QStringLiteral("神奈川県"),
                                       QStringLiteral("i")}),
                 (std::vector<int>{0, 3}));
        for (const char* name : {"designCombo", "colorCombo", "weightCombo", "originCombo"}) {
            auto* list = Find<QComboBox>(name);
            QComboBox plain(list->parentWidget());
            plain.setFont(list->font());
            for (int i = 0; i < list->count(); ++i) {
                plain.addItem(list->itemText(i));
            }
            QCOMPARE(list->sizeHint(), plain.sizeHint());
            QCOMPARE(list->minimumSizeHint(), plain.minimumSizeHint());
        }
    }

    void completedPageShowsSizeAndCopiesAll() {
        std::string body = Sj("<p>青磁</p>\r\n") + std::string(40000, 'x');
        WriteFile(InstallDir() + "work/body.html", body);
        CompletedPageDialog dialog(*m_host, InstallDir() + "work/body.html");
        QCOMPARE(dialog.findChild<QLineEdit*>("sizeEdit")->text(),
                 QString::number(body.size())); // 青磁 counts four bytes
        QVERIFY(dialog.findChild<QPlainTextEdit*>("pageEdit")
                    ->toPlainText()
                    .startsWith(Q("<p>青磁</p>\nxxx")));
        dialog.findChild<QPushButton*>("copyButton")->click();
        QCOMPARE(m_host->clipboard, body); // the whole text, beyond 31999 bytes
        QCOMPARE(LastMessage(), Q("クリップボードへのコピーしました。"));
        QVERIFY(dialog.findChild<QPushButton*>("copyButton")->isDefault());
        m_host->clipboard_fails = true;
        dialog.findChild<QPushButton*>("copyButton")->click();
        QCOMPARE(LastMessage(), Q("クリップボードへのコピーに失敗しました。"));
        QCOMPARE(m_host->messages.back().icon, MessageIcon::Stop);

        CompletedPageDialog missing(*m_host, InstallDir() + "work/none.html");
        QCOMPARE(LastMessage(), Q("商品の紹介ページの作成に失敗しました。"));
        QCOMPARE(m_host->messages.back().icon, MessageIcon::Stop);
        QCOMPARE(missing.findChild<QLineEdit*>("sizeEdit")->text(), QString());
    }

    void tagCommandsThroughTheEditMenu() {
        auto* description = Find<QPlainTextEdit>("descriptionEdit");
        description->setFocus();
        QApplication::processEvents();
        description->setPlainText(Q("この新品です"));
        QTextCursor c = description->textCursor();
        c.setPosition(2);
        c.setPosition(4, QTextCursor::KeepAnchor);
        description->setTextCursor(c);
        m_frame->UpdateEditCommands();
        m_frame->CommandAction(cmd::kBold)->trigger();
        QCOMPARE(description->toPlainText(), Q("この<b>新品</b>です"));
        QCOMPARE(description->textCursor().position(), 11); // after </b>
        description->undo();
        QCOMPARE(description->toPlainText(), Q("この新品です"));

        // Nothing selected: the command's message, the text unchanged.
        c.setPosition(1);
        description->setTextCursor(c);
        m_frame->CommandAction(cmd::kItalic)->trigger();
        QCOMPARE(LastMessage(),
                 Q("文字が選択されていません。\n斜体にしたい文字を１文字以上選択してください。"));
        QCOMPARE(description->toPlainText(), Q("この新品です"));

        // The image tag goes in at the caret; a cancelled dialog changes nothing.
        m_tags.image = ImageChoice{"p.jpg", 0, 0, 2};
        m_frame->CommandAction(cmd::kImage)->trigger();
        QCOMPARE(description->toPlainText(), Q("こ<img src=\"p.jpg\" border=\"2\">の新品です"));
        m_tags.image.reset();
        m_frame->CommandAction(cmd::kImage)->trigger();
        QCOMPARE(description->toPlainText(), Q("こ<img src=\"p.jpg\" border=\"2\">の新品です"));

        // The one-line display name, with a link and a font.
        auto* name = Find<QLineEdit>("displayNameEdit");
        name->setFocus();
        QApplication::processEvents();
        name->setText(Q("詳細はこちら"));
        name->setSelection(0, 2);
        m_tags.link = LinkChoice{"http://x.example/?q=%E3%81", 0};
        m_frame->CommandAction(cmd::kLink)->trigger();
        QCOMPARE(name->text(),
                 Q("<a href=\"http://x.example/?q=%E3%81\" target=\"_blank\">詳細</a>はこちら"));
        name->setText(Q("赤"));
        name->selectAll();
        m_tags.font = FontChoice{-1, "#FF0000"};
        m_frame->CommandAction(cmd::kFont)->trigger();
        QCOMPARE(name->text(), Q("<font size=\"-1\" color=\"#FF0000\">赤</font>"));
        name->undo();
        QCOMPARE(name->text(), Q("赤"));
    }

    // Picks an entry of 編集 with the keyboard alone: Alt+E, arrow keys, Return.
    void ChooseFromEditMenuByKeyboard(QWidget* field, QAction* wanted) {
        QTest::keyClick(field, Qt::Key_E, Qt::AltModifier);
        QMenu* edit = m_frame->menuBar()->actions().at(1)->menu();
        QTRY_VERIFY(edit->isVisible());
        for (int i = 0; i < edit->actions().size() && edit->activeAction() != wanted; ++i) {
            QTest::keyClick(edit, Qt::Key_Down);
        }
        QCOMPARE(edit->activeAction(), wanted);
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!edit->isVisible());
    }

    void tagCommandsByKeyboardThroughTheEditMenu() {
        auto* description = Find<QPlainTextEdit>("descriptionEdit");
        description->setFocus();
        QApplication::processEvents();
        description->insertPlainText(Q("青磁の皿"));
        QTest::keyClick(description, Qt::Key_Home, Qt::ShiftModifier);
        ChooseFromEditMenuByKeyboard(description, m_frame->CommandAction(cmd::kCenter));
        QCOMPARE(description->toPlainText(), Q("<center>青磁の皿</center>"));
        QVERIFY(description->hasFocus());

        // The font dialog is reached the same way and its tag wraps the selection.
        description->selectAll();
        m_tags.font = FontChoice{3, "#0000FF"};
        ChooseFromEditMenuByKeyboard(description, m_frame->CommandAction(cmd::kFont));
        QCOMPARE(description->toPlainText(),
                 Q("<font size=\"+3\" color=\"#0000FF\"><center>青磁の皿</center></font>"));
        QTest::keyClick(description, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(description->toPlainText(), Q("<center>青磁の皿</center>"));
    }

    void contextMenuOffersTheFieldsAbilities() {
        QMenu* menu = m_frame->contextMenu();
        auto check = [&](QWidget* field, bool tags) {
            bool seen = false;
            QTimer::singleShot(50, menu, [&] {
                seen = menu->isVisible();
                for (QAction* a : menu->actions()) {
                    int id = a->property("commandId").toInt();
                    if (id == cmd::kSelectAll || id == cmd::kCut || id == cmd::kPaste) {
                        QVERIFY2(a->isEnabled(), qPrintable(a->text()));
                    } else if (id >= 35000 && id <= 35005) {
                        QCOMPARE(a->isEnabled(), tags);
                    }
                }
                menu->close();
            });
            QWidget* target = field;
            if (auto* area = qobject_cast<QAbstractScrollArea*>(field)) {
                target = area->viewport();
            }
            emit field->customContextMenuRequested(QPoint(5, 5));
            Q_UNUSED(target);
            QVERIFY(seen);
            QCOMPARE(QApplication::focusWidget(), field);
        };
        check(Find<QPlainTextEdit>("notesEdit"), true);
        check(Find<QLineEdit>("teikeiCostEdit"), false);
        check(Find<QPlainTextEdit>("shippingNotesEdit"), false);
        // The 編集 menu's state is back as the focus asks for afterwards.
        QVERIFY(!m_frame->CommandAction(cmd::kSelectAll)->isEnabled());
    }
};

QTEST_MAIN(ProductPageTest)
#include "test_product_page.moc"
