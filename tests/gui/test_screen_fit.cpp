// The settings and mail dialogs, the shipping tool, the main window and the windows with
// long tables or texts on a small screen: run at scale
// factor 2, where the test screen (800x800 pixels) holds a 400x400 window at most, far
// less than their natural size. Each opens within the screen, its own buttons inside it
// and every control reachable by scrolling.

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"
#include "core/settings/user_settings.h"
#include "gui/document/dealings_window.h"
#include "gui/document/file_manager_dialog.h"
#include "gui/mail/mail_dialog.h"
#include "gui/page/completed_page_dialog.h"
#include "gui/settings/payment_settings_dialog.h"
#include "gui/settings/user_settings_dialog.h"
#include "gui/shell/main_frame.h"
#include "gui/shipping/shipping_tool_dialog.h"
#include "gui/widgets/screen_fit.h"
#include "gui_test_support.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

using namespace hanamori;
using namespace hanamori::test;

namespace {
// The window fits the screen and every visible button outside the scroll area lies inside
// the window.
void CheckReachable(QDialog* d) {
    const QRect room = d->screen()->availableGeometry();
    QVERIFY2(d->width() <= room.width() && d->height() <= room.height(),
             qPrintable(d->objectName()));
    auto* scroll = d->findChild<QScrollArea*>();
    for (QPushButton* b : d->findChildren<QPushButton*>()) {
        if (b->isVisible() && !(scroll && scroll->isAncestorOf(b))) {
            QRect at(b->mapTo(d, QPoint(0, 0)), b->size());
            QVERIFY2(d->rect().contains(at), qPrintable(b->text()));
        }
    }
    if (!scroll) {
        return;
    }
    // The contents are not squeezed below what they need: each control lies whole inside
    // the scrolled widget, so scrolling brings it into view.
    QWidget* contents = scroll->widget();
    QVERIFY(contents->height() > scroll->viewport()->height());
    for (QWidget* w : contents->findChildren<QWidget*>()) {
        if (w->isVisible() && w->focusPolicy() != Qt::NoFocus) {
            QRect at(w->mapTo(contents, QPoint(0, 0)), w->size());
            QVERIFY2(contents->rect().contains(at), qPrintable(w->objectName()));
            QVERIFY2(at.width() >= w->minimumSizeHint().width(), qPrintable(w->objectName()));
        }
    }
}

// Shows each window in turn and checks it as above.
void CheckEach(std::initializer_list<QDialog*> windows) {
    for (QDialog* d : windows) {
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        CheckReachable(d);
        if (QTest::currentTestFailed()) {
            return;
        }
        d->hide();
    }
}
} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT
    ScriptedHost m_host;

private slots:
    void fitShrinksOnlyWhatDoesNotFit() {
        QWidget w;
        const QSize room = w.screen()->availableGeometry().size();
        QCOMPARE(FitToScreen(&w, QSize(100, 50)), QSize(100, 50));
        QSize fitted = FitToScreen(&w, QSize(100, room.height() * 2));
        QCOMPARE(fitted.width(), 100);
        QVERIFY(fitted.height() < room.height());
    }

    void settingsDialogsOpenWithinTheScreen() {
        UserSettings s;
        s.personal[0].nickname = "hanamori_shop";
        PaymentSettingsDialog payment(m_host, s);
        UserSettingsDialog user(m_host, s);
        UserSettingsDialog wizard(m_host, s);
        wizard.SetWizardMode(1);
        UserSettingsDialog select(m_host, s);
        select.SetSelectionMode(true);
        CheckEach({&payment, &user, &wizard, &select});
    }

    void mailDialogOpensWithinTheScreen() {
        TempInstall install(true);
        MailDialog mail(m_host, "", "", "");
        CheckEach({&mail});
    }

    void shippingToolOpensWithinTheScreen() {
        TempInstall install(true);
        UserSettings s;
        ShippingToolRequest request;
        request.bidder_mode = true;
        ShippingToolDialog tool(m_host, s, request);
        CheckEach({&tool});
    }

    // Tables and the page text keep their natural size where there is room and scroll
    // where there is not; the window's buttons stay inside it.
    void longContentsScrollWithinTheScreen() {
        TempInstall install(true);
        Settings() = UserSettings();
        const std::string page = InstallDir() + "work/body.html";
        WriteFile(page, std::string(20000, 'x'));
        CompletedPageDialog completed(m_host, page);
        FileManagerDialog files(FileManagerDialog::Mode::Manage, InstallDir() + "Datas", Settings(),
                                m_host);
        DealingsWindow dealings(InstallDir() + "Datas", Settings(), m_host, {});
        CheckEach({&completed, &files, &dealings});
    }

    void mainWindowOpensWithinTheScreen() {
        TempInstall install(true);
        Settings() = UserSettings();
        ScriptedDialogs dialogs;
        CMainFrame frame(m_host, dialogs, Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QRect room = frame.screen()->availableGeometry();
        QVERIFY(frame.width() <= room.width() && frame.height() <= room.height());
    }
};

int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ScreenFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screen_fit.moc"
