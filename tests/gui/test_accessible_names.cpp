// Every window and dialog as it opens: an accessible name set on a control contains what
// the control shows (a button's caption, the label that names a field), so a screen
// reader announces what a sighted seller reads. A name may add context, never replace.

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"
#include "core/settings/setup_wizard_flow.h"
#include "gui/bidder/bidder_registration_dialog.h"
#include "gui/document/dealings_window.h"
#include "gui/document/file_manager_dialog.h"
#include "gui/document/product_name_dialog.h"
#include "gui/mail/mail_dialog.h"
#include "gui/page/completed_page_dialog.h"
#include "gui/page/font_tag_dialog.h"
#include "gui/page/image_tag_dialog.h"
#include "gui/page/link_tag_dialog.h"
#include "gui/settings/listing_settings_dialog.h"
#include "gui/settings/payment_settings_dialog.h"
#include "gui/settings/user_settings_dialog.h"
#include "gui/settings/wizard_step_factory.h"
#include "gui/shell/about_dialog.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui/shipping/shipping_options_dialog.h"
#include "gui/shipping/shipping_tool_dialog.h"
#include "gui_test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QtTest>

using namespace hanamori;
using namespace hanamori::test;

namespace {
// Letters and digits only: blanks, line breaks, mnemonics ("(&F)", "&F") and punctuation
// aside.
QString Words(const QString& text) {
    QString plain =
        Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    plain.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    QString out;
    for (QChar c : plain) {
        if (c.isLetterOrNumber()) {
            out += c;
        }
    }
    return out;
}

// What a screen reader announces as the control's name.
QString Announced(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// The controls under `root` whose accessible name, where one is set, leaves out their
// visible caption.
QStringList NamesHidingTheirCaption(QWidget* root) {
    QStringList wrong;
    auto check = [&](QWidget* w, const QString& caption) {
        const QString name = Words(w->accessibleName());
        if (!name.isEmpty() && !name.contains(Words(caption))) {
            wrong << QStringLiteral("%1 in %2: \"%3\" does not contain \"%4\"")
                         .arg(w->objectName(), root->objectName(), w->accessibleName(), caption);
        }
    };
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        check(b, b->text());
    }
    for (QGroupBox* g : root->findChildren<QGroupBox*>()) {
        check(g, g->title());
    }
    for (QLabel* l : root->findChildren<QLabel*>()) {
        check(l, l->text());
        if (l->buddy()) {
            check(l->buddy(), l->text());
        }
    }
    return wrong;
}
} // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT
    ScriptedHost m_host;
    QStringList m_wrong;

    void Check(QWidget* w) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        m_wrong << NamesHidingTheirCaption(w);
        w->hide();
    }

private slots:
    void everyWindowNamesWhatItShows() {
        TempInstall install(true);
        Settings() = UserSettings();
        UserSettings& s = Settings();
        s.personal[0].nickname = "hanamori_shop";
        ScriptedDialogs dialogs;
        CMainFrame frame(m_host, dialogs, s);
        for (int tab = 0; tab < 3; ++tab) {
            frame.view().ShowTab(tab);
            Check(&frame);
        }
        ProductNameDialog name(m_host, "", &frame);
        AboutDialog about(&frame);
        FontTagDialog font(m_host, &frame);
        LinkTagDialog link(m_host, &frame);
        ImageTagDialog image(m_host, &frame);
        const std::string page = InstallDir() + "work/body.html";
        WriteFile(page, "<b>x</b>");
        CompletedPageDialog completed(m_host, page, &frame);
        FileManagerDialog open(FileManagerDialog::Mode::Open, InstallDir() + "Datas", s, m_host);
        FileManagerDialog manage(FileManagerDialog::Mode::Manage, InstallDir() + "Datas", s,
                                 m_host);
        DealingsWindow dealings(InstallDir() + "Datas", s, m_host, {});
        BidderRegistrationDialog registration(m_host, frame.doc().listing().customers, &frame);
        MailDialog mail(m_host, "", "", "", &frame);
        PaymentSettingsDialog payment(m_host, s, &frame);
        UserSettingsDialog user(m_host, s, &frame);
        ListingSettingsDialog listing(m_host, s, &frame);
        ShippingOptionsDialog options(m_host, s, &frame);
        ShippingToolRequest request;
        request.bidder_mode = true;
        ShippingToolDialog tool(m_host, s, request, &frame);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 &name, &about, &font, &link, &image, &completed, &open, &manage, &dealings,
                 &registration, &mail, &payment, &user, &listing, &options, &tool}) {
            Check(w);
        }
        QtWizardStepFactory steps(m_host, s);
        for (int step = kWizardIntroStep; step <= kWizardClosingStep; ++step) {
            if (step == kWizardIntroStep || step == kWizardClosingStep) {
                Check(steps.MakePage(step, nullptr).get());
            } else if (auto dialog = steps.MakeSettingsStep(step, nullptr)) {
                dialog->SetWizardMode(kWizardModeOpened);
                Check(dialog.get());
            }
        }
        QVERIFY2(m_wrong.isEmpty(), qPrintable(m_wrong.join(QLatin1Char('\n'))));
    }

    // A profile button says the nickname it shows, and follows it when it changes.
    void profileButtonsSayTheirNickname() {
        UserSettings s;
        s.personal[1].nickname = "hanamori_books";
        UserSettingsDialog user(m_host, s);
        auto* second = user.findChild<QAbstractButton*>(QStringLiteral("profileButton2"));
        QCOMPARE(Announced(second), QStringLiteral("hanamori_books"));
        QCOMPARE(Announced(user.findChild<QAbstractButton*>(QStringLiteral("profileButton3"))),
                 Q("未設定"));
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "test_accessible_names.moc"
