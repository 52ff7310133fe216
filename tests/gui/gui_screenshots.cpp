// Saves pictures of the main window and of every dialog it reaches, for looking at the
// real windows: gui_screenshots <installation copy> <output directory>.
// Run by scripts/screenshot under Xvfb; never by ctest.

#include "core/app/helpers.h"
#include "core/document/listing_resources.h"
#include "core/listing/listing_file.h"
#include "core/mail/guidance_mail.h"
#include "core/page/design_catalog.h"
#include "core/settings/settings_files.h"
#include "core/settings/setup_wizard_flow.h"
#include "core/text/cp932.h"
#include "dealings_samples.h"
#include "gui/bidder/bidder_registration_dialog.h"
#include "gui/document/dealings_window.h"
#include "gui/document/file_manager_dialog.h"
#include "gui/document/product_name_dialog.h"
#include "gui/mail/mail_dialog.h"
#include "gui/settings/listing_settings_dialog.h"
#include "gui/settings/payment_settings_dialog.h"
#include "gui/settings/user_settings_dialog.h"
#include "gui/settings/wizard_step_factory.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/app_fonts.h"
#include "gui/shell/app_lifecycle.h"
#include "gui/shell/display_scaling.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/qt_host.h"
#include "gui/shell/qt_window_dialogs.h"
#include "gui/shell/sale_master_view.h"
#include "gui/shipping/shipping_options_dialog.h"
#include "gui/shipping/shipping_tool_dialog.h"
#include "gui/widgets/deferred_icon_style.h"
#include "gui/widgets/icons.h"

#include "core/page/html_tags.h"
#include "gui/page/completed_page_dialog.h"
#include "gui/page/font_tag_dialog.h"
#include "gui/page/image_tag_dialog.h"
#include "gui/page/link_tag_dialog.h"
#include "gui/page/product_page.h"
#include "gui/web/auction_page_dialog.h"
#include "gui/web/preview_dialog.h"
#include "gui/web/web_browser.h"
#include "gui/web/web_engine_loader.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QThread>

#include <cstdio>

using namespace hanamori;

namespace {
QString g_out;

void Settle() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 300) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

void Save(QWidget* w, const char* name) {
    w->show();
    w->raise();
    Settle();
    QString path = g_out + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
    }
    std::printf("%s\n", qPrintable(path));
    w->hide();
}

// Waits until a browser window has loaded its page, then takes it from the screen (the
// engine draws outside the widget tree).
void SaveBrowserWindow(QWidget* w, WebBrowser* view, const char* name) {
    w->show();
    w->raise();
    QElapsedTimer t;
    t.start();
    bool loaded = false;
    QObject::connect(view, &WebBrowser::loadFinished, w, [&loaded] { loaded = true; });
    while (!loaded && t.elapsed() < 15000) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    Settle();
    Settle();
    QString path = g_out + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    QPixmap shot = w->screen()->grabWindow(0, w->frameGeometry().x(), w->frameGeometry().y(),
                                           w->frameGeometry().width(), w->frameGeometry().height());
    if (!shot.save(path)) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
    }
    std::printf("%s\n", qPrintable(path));
    w->hide();
}

// The product description tab filled in as a seller would, its dialogs and the two
// browser windows.
void SaveProductTabWindows(CMainFrame& frame, QtHost& host) {
    frame.show();
    frame.view().ShowTab(0);
    AuctionRecord& a = frame.doc().listing().auction;
    a.design_type = DesignCatalog()[kDesign2];
    a.design_color = *Utf8ToCp932("グリーン");
    a.display_name = *Utf8ToCp932("手作りの木製スプーン 3本セット");
    a.description = *Utf8ToCp932("桜の木を削って作ったスプーンです。\r\n長さは約18cmです。\r\n"
                                 "<b>一点物</b>のため、お早めにどうぞ。");
    a.use_quantity = 1;
    a.quantity = 1;
    a.notes = *Utf8ToCp932("木の風合いには個体差があります。");
    a.weight_g = 150;
    a.length_cm = 20;
    a.width_cm = 12;
    a.height_cm = 4;
    a.use_bank = 1;
    a.bank_text = *Utf8ToCp932("○○銀行 △△支店 普通 1234567");
    a.use_teikeigai = 1;
    a.teikeigai_cost = 200;
    a.use_kuroneko_mail = 1;
    a.kuroneko_mail_cost = 160;
    a.use_yupack = 1;
    a.origin_pref = *Utf8ToCp932("京都府");
    a.shipping_notes = *Utf8ToCp932("複数落札の場合は同梱いたします。");
    frame.view().LoadAllTabs();
    Save(&frame, "product_tab");
    frame.show();

    FontTagDialog font(host, &frame);
    font.ClickSwatch(kSwatchesPerRow + 2);
    Save(&font, "font_tag_dialog");
    LinkTagDialog link(host, &frame);
    Save(&link, "link_tag_dialog");
    ImageTagDialog image(host, &frame);
    Save(&image, "image_tag_dialog");

    auto* page = static_cast<ProductPage*>(frame.view().page(0));
    struct Capture final : ProductPageWindows {
        std::string preview, body;
        void ShowPreview(const std::string& p) override { preview = p; }
        void ShowCompletedPage(const std::string& p) override { body = p; }
    } capture;
    page->SetWindows(&capture);
    page->Complete();
    page->Preview();
    page->SetWindows(nullptr);
    CompletedPageDialog completed(host, capture.body, &frame);
    Save(&completed, "completed_page_dialog");

    PreviewDialog* preview = new PreviewDialog(*LoadWebEngine());
    preview->move(40, 40);
    preview->ShowPage(capture.preview);
    SaveBrowserWindow(preview, preview->browser(), "preview_dialog");
    delete preview;

    AuctionPageDialog auction(host, LoadWebEngine(), std::string(), &frame);
    auction.move(60, 60);
    SaveBrowserWindow(&auction, auction.browser(), "auction_page_dialog");
}

// The bidder tab with a registered bidder, its registration dialog, the shipping tool
// from the tab and from the main window, and the shipping options.
void SaveBidderTabWindows(CMainFrame& frame, QtHost& host) {
    frame.doc().Reset();
    SaleMaster& l = frame.doc().listing();
    l.product_name = *Utf8ToCp932("陶器の花瓶 青磁風");
    l.auction.listed = 1;
    l.auction.listed_date = "2026/11/28";
    l.auction.ended = 1;
    l.auction.ended_date = "2026/12/05";
    l.auction.memo = *Utf8ToCp932("箱あり。緩衝材を多めに。");
    l.auction.weight_g = 1800;
    l.auction.length_cm = 30;
    l.auction.width_cm = 20;
    l.auction.height_cm = 20;
    l.auction.origin_pref = *Utf8ToCp932("京都府");
    l.mail.seller_nickname = "hanamori_shop";
    CustomerRecord b;
    b.name = *Utf8ToCp932("鈴木 花子");
    b.nickname = "hanako_s";
    b.mail = "hanako@example.com";
    b.price = 4800;
    b.count = 1;
    b.ship_method = *Utf8ToCp932("ゆうパック");
    b.ship_cost = 1100;
    b.other_charge = -300;
    b.zip = "060-0001";
    b.pref = *Utf8ToCp932("北海道");
    b.address = *Utf8ToCp932("札幌市中央区北一条西1-1");
    b.phone = "011-111-2222";
    b.comment = *Utf8ToCp932("平日夜の配達を希望");
    b.notice_sent = 1;
    b.notice_sent_date = "2026/12/05";
    b.method_told = 1;
    b.method_told_date = "2026/12/06";
    l.customers.Append(b);
    CustomerRecord other;
    other.nickname = "jiro_k";
    other.price = 1200;
    l.customers.Append(other);
    frame.view().LoadAllTabs();
    frame.show();
    frame.view().ShowTab(1);
    Save(&frame, "bidder_tab");
    frame.show();

    BidderRegistrationDialog registration(host, l.customers, &frame);
    Save(&registration, "bidder_registration_dialog");

    Settings().send_opt.chk_yuupack_opt100 = 1;
    ShippingToolDialog from_tab(host, Settings(), BidderToolRequest(l, b), &frame);
    from_tab.Calculate();
    from_tab.ShowList(ShippingMethod::YuPack);
    Save(&from_tab, "shipping_tool_bidder");
    // Where the screen is too small for both lists side by side (scale factor 2), the
    // current services are scrolled to.
    from_tab.show();
    Settle();
    from_tab.findChild<QScrollArea*>(QStringLiteral("contentScroll"))
        ->ensureWidgetVisible(from_tab.findChild<QWidget*>(QStringLiteral("servicesGroup")));
    Save(&from_tab, "shipping_tool_bidder_services");
    ShippingToolDialog standalone(host, Settings(), StandaloneToolRequest(l), &frame);
    auto* destination = standalone.findChild<QComboBox*>(QStringLiteral("destinationCombo"));
    destination->setCurrentIndex(destination->findText(QStringLiteral("宮城県")));
    standalone.Calculate();
    Save(&standalone, "shipping_tool_standalone");
    ShippingOptionsDialog options(host, Settings(), &frame);
    Save(&options, "shipping_options_dialog");
    Settings().send_opt.chk_yuupack_opt100 = 0;
}

void WriteSample(const char* no, const char* name, int status, int bidders) {
    SaleMaster l;
    l.Reset(Settings());
    l.manage_no = no;
    l.product_name = *Utf8ToCp932(name);
    l.auction.listed = status >= 1;
    l.auction.ended = status >= 2;
    l.auction.completed = status >= 3;
    for (int i = 0; i < bidders; ++i) {
        CustomerRecord c;
        c.nickname = "bidder" + std::to_string(i + 1);
        l.customers.Append(c);
    }
    WriteListing(l, ListingPath(InstallDir(), no));
}
} // namespace

int main(int argc, char* argv[]) {
    PrepareDisplayScaling();
    qputenv("HANAMORI_WEB_PLUGIN", HANAMORI_WEB_PLUGIN_FILE);
    // The fonts the program itself chooses.
    PreferJapaneseFonts();
    QApplication app(argc, argv);
    PreferUnshapedText();
    NameTheWindowsFontItself();
    QApplication::setStyle(new DeferredIconStyle);
    if (argc < 3) {
        std::fprintf(stderr, "usage: gui_screenshots <installation copy> <output dir>\n");
        return 2;
    }
    std::string dir = argv[1];
    if (dir.back() != '/') {
        dir += '/';
    }
    SetInstallDir(dir);
    g_out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(g_out);
    InitGuiResources();
    QApplication::setWindowIcon(ProgramIcon());
    SilentHost silent;
    StartUpSettings(silent, Settings(), InstallDir());

    WriteSample("240301100000", "手作りの木製スプーン 3本セット", 0, 0);
    WriteSample("240302110000", "ヴィンテージ腕時計（動作品）", 1, 0);
    WriteSample("240303120000", "文庫本まとめ売り 20冊", 2, 1);
    WriteSample("240304130000", "陶器の花瓶 青磁風", 3, 2);

    QtHost host;
    QtWindowDialogs dialogs(host);
    CMainFrame frame(host, dialogs, Settings());
    host.SetParentWidget(&frame);
    dialogs.SetParentWidget(&frame);
    frame.show();
    Settle();
    frame.findChild<QLineEdit*>(QStringLiteral("displayNameEdit"))
        ->setText(QStringLiteral("手作りの木製スプーン 3本セット"));
    frame.findChild<QPlainTextEdit*>(QStringLiteral("descriptionEdit"))
        ->setPlainText(QStringLiteral("桜の木を削って作ったスプーンです。\n長さは約18cmです。"));
    Save(&frame, "main_window");
    frame.show();
    frame.view().ShowTab(1);
    Save(&frame, "main_window_tab1");
    frame.show();
    frame.view().ShowTab(2);
    Save(&frame, "main_window_tab2");
    frame.show();
    frame.view().ShowTab(0);
    frame.doc().listing().product_name = *Utf8ToCp932("手作りの木製スプーン 3本セット");
    frame.doc().listing().auction.page_url = "https://auctions.example.jp/item/x123456789";
    frame.view().RefreshHeader();
    frame.doc().UpdateTitle();
    Save(&frame, "main_window_named");
    frame.show();

    QMenu* menu = frame.contextMenu();
    frame.findChild<QPlainTextEdit*>(QStringLiteral("descriptionEdit"))->setFocus();
    frame.UpdateEditCommands();
    Save(menu, "edit_context_menu");

    ProductNameDialog name(host, frame.doc().listing().product_name, &frame);
    Save(&name, "product_name_dialog");
    AboutDialog about(&frame);
    Save(&about, "about_dialog");
    FileManagerDialog open(FileManagerDialog::Mode::Open, InstallDir() + "Datas", Settings(), host,
                           &frame);

    Save(&open, "file_open_dialog");
    FileManagerDialog manage(FileManagerDialog::Mode::Manage, InstallDir() + "Datas", Settings(),
                             host, &frame);
    Save(&manage, "file_manage_dialog");
    std::unique_ptr<QMessageBox> question(NewMessageBox(
        &frame, "内容が更新されています。\n保存しますか？"_sj, MessageIcon::Exclamation,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    Save(question.get(), "save_question");
    std::unique_ptr<QMessageBox> overwrite(NewOverwriteBox(
        &frame,
        "このファイルは他のプログラムによって変更されています。\n上書きしますか？\n"
        "（読み込み直すと、他のプログラムが保存した内容になり、この画面での変更は失われます。）"_sj,
        MessageIcon::Exclamation));
    Save(overwrite.get(), "overwrite_question");

    // The listing settings on their own, and every step of the setup wizard.
    Settings().payment.banks_text =
        *Utf8ToCp932("○○銀行 △△支店 普通 1234567\r\n口座名義 ハナモリ タロウ");
    Settings().send_method.chk_yuupack = 1;
    Settings().send_method.chk_teikeigai = 1;
    Settings().send_method.text = *Utf8ToCp932("複数落札の場合は同梱いたします。");
    ListingSettingsDialog listing(host, Settings(), &frame);
    Save(&listing, "listing_settings_dialog");
    QtWizardStepFactory steps(host, Settings());
    for (int step = kWizardIntroStep; step <= kWizardClosingStep; ++step) {
        std::string name = "wizard_step" + std::to_string(step);
        if (step == kWizardIntroStep || step == kWizardClosingStep) {
            Save(steps.MakePage(step, nullptr).get(), name.c_str());
        } else if (std::unique_ptr<SettingsDialog> dialog = steps.MakeSettingsStep(step, nullptr)) {
            dialog->SetWizardMode(kWizardModeOpened);
            Save(dialog.get(), name.c_str());
        }
    }
    // The mail tab with a bidder, the mail it builds, and the payment and user settings.
    UserSettings& s = Settings();
    s.bank[0] = {
        1,         *Utf8ToCp932("みずほ銀行"),     *Utf8ToCp932("渋谷支店"), *Utf8ToCp932("普通"),
        "1234567", *Utf8ToCp932("ハナモリ タロウ")};
    s.bank[1] = {
        0,         *Utf8ToCp932("ゆうちょ銀行"),   *Utf8ToCp932("〇一八店"), *Utf8ToCp932("普通"),
        "7654321", *Utf8ToCp932("ハナモリ タロウ")};
    s.yuubin[0] = {1, *Utf8ToCp932("ぱるる"), "10120", "12345671", *Utf8ToCp932("ハナモリ タロウ")};
    s.etc = {1, *Utf8ToCp932("代金引換(手数料は落札者様のご負担です)")};
    s.personal[0].name = *Utf8ToCp932("花森 太郎");
    s.personal[0].nickname = "hanamori_shop";
    s.personal[0].mail = "taro@example.jp";
    s.personal[0].post = "150-0001";
    s.personal[0].address1 = *Utf8ToCp932("東京都");
    s.personal[0].address = *Utf8ToCp932("渋谷区神宮前1-2-3\r\n花森ビル201");
    s.personal[0].phone = "03-1234-5678";
    s.personal[2].nickname = "hanamori_books";
    frame.doc().Reset();
    CustomerRecord bidder;
    bidder.name = *Utf8ToCp932("佐藤 一郎");
    bidder.nickname = "ichiro_s";
    bidder.mail = "ichiro@example.com";
    bidder.price = 1500;
    bidder.count = 2;
    bidder.ship_method = *Utf8ToCp932("ゆうパック");
    bidder.ship_cost = 800;
    bidder.zip = "530-0001";
    bidder.pref = *Utf8ToCp932("大阪府");
    bidder.address = *Utf8ToCp932("大阪市北区梅田1-1");
    bidder.phone = "06-1111-2222";
    bidder.comment = *Utf8ToCp932("土日の配達を希望");
    frame.doc().listing().product_name = *Utf8ToCp932("手作りの木製スプーン 3本セット");
    frame.doc().listing().customers.Append(bidder);
    frame.view().LoadAllTabs();
    frame.show();
    frame.view().ShowTab(2);
    Save(&frame, "main_window_mail");
    frame.view().StoreAllTabs();
    ListingResources& res = frame.doc().resources();
    MailContext mail_ctx{frame.doc().listing(), s, res.shipping()};
    BuildGuidanceMail(res.mail_templates(), res.mail_templates().entries().at(1).name, mail_ctx,
                      InstallDir());
    MailDialog mail(host, bidder.name, bidder.nickname, bidder.mail, &frame);
    Save(&mail, "mail_dialog");
    PaymentSettingsDialog payment(host, s, &frame);
    Save(&payment, "payment_settings_dialog");
    UserSettingsDialog user(host, s, &frame);
    Save(&user, "user_settings_dialog");
    UserSettingsDialog select(host, s, &frame);
    select.SetNickname("HANAMORI_BOOKS");
    select.SetSelectionMode(true);
    Save(&select, "user_settings_select");

    std::unique_ptr<QMessageBox> quit(NewMessageBox(
        nullptr, "まだ設定が完了していません。\n設定ウィザードを終了してよろしいですか？"_sj,
        MessageIcon::Exclamation, QMessageBox::Ok | QMessageBox::Cancel));
    Save(quit.get(), "wizard_quit_question");
    SaveProductTabWindows(frame, host);
    SaveBidderTabWindows(frame, host);

    samples::WriteDealingSamples();
    DealingsWindow* dealings = frame.ShowDealings();
    while (dealings->IsLoading()) {
        Settle();
    }
    Save(dealings, "dealings_window");
    return 0;
}
