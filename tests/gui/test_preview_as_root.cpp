// プレビュー started the way the program starts, with no engine variable set. Run as root
// (as on the test machines) the browser engine cannot use its sandbox; the program must
// start it without one rather than be ended by it, and the open listing stays open.

#include "core/app/helpers.h"
#include "core/page/design_catalog.h"
#include "core/settings/settings_files.h"
#include "gui/shell/engine_environment.h"
#include "gui/shell/main_frame.h"
#include "gui_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace hanamori;
using namespace hanamori::test;

class PreviewAsRootTest : public QObject {
    Q_OBJECT

private slots:
    void previewOpensAndTheListingStays() {
        TempInstall install(true);
        Settings() = UserSettings();
        Settings().hanamo.page_type = DesignCatalog()[0];
        ScriptedHost host;
        ScriptedDialogs dialogs;
        CMainFrame frame(host, dialogs, Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* colour = frame.findChild<QComboBox*>(QStringLiteral("colorCombo"));
        QTest::keyClick(colour, Qt::Key_Down);
        frame.findChild<QPushButton*>(QStringLiteral("previewButton"))->click();

        QWidget* preview = nullptr;
        QVERIFY(QTest::qWaitFor([&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->isVisible() &&
                    w->windowTitle() == Q("Hanamori - 商品の紹介ページのプレビュー")) {
                    preview = w;
                }
            }
            return preview != nullptr;
        }));
        QSignalSpy loaded(preview, SIGNAL(pageLoaded(bool)));
        QVERIFY(loaded.isValid());
        QVERIFY(QTest::qWaitFor([&] { return loaded.count() > 0; }, 30000));
        QCOMPARE(loaded.at(0).at(0).toBool(), true);
        QVERIFY(frame.isVisible());
        QVERIFY(host.messages.empty());
        preview->close();
    }
};

int main(int argc, char** argv) {
    // Whatever the caller's environment says, the program decides for itself.
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    PrepareBrowserEngineEnvironment();
    QApplication app(argc, argv);
    PreviewAsRootTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_preview_as_root.moc"
