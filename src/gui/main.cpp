// The desktop program: settings (with the setup wizard on a first start), the main
// window on a new listing or on the listing file named on the command line, and at
// the end the settings not yet written saved and the scratch files removed.

#include "core/app/helpers.h"
#include "core/app/install_location.h"
#include "core/settings/settings_files.h"
#include "gui/settings/setup_wizard.h"
#include "gui/shell/app_fonts.h"
#include "gui/shell/app_lifecycle.h"
#include "gui/shell/display_scaling.h"
#include "gui/shell/engine_environment.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/qt_host.h"
#include "gui/shell/qt_translations.h"
#include "gui/shell/qt_window_dialogs.h"
#include "gui/widgets/deferred_icon_style.h"
#include "gui/widgets/icons.h"

#include <QApplication>
#include <QMessageBox>
#include <csignal>
#include <cstdlib>

int main(int argc, char* argv[]) {
    using namespace hanamori;
    // A write past the file size limit must fail like a full disk (the save then cleans
    // up and reports it), not end the program half-way through.
    std::signal(SIGXFSZ, SIG_IGN);
    PrepareDisplayScaling();
    const bool japanese_fonts = PreferJapaneseFonts();
    PrepareBrowserEngineEnvironment();
    QApplication app(argc, argv);
    LoadQtTranslations();
    PreferUnshapedText();
    NameTheWindowsFontItself();
    QApplication::setStyle(new DeferredIconStyle);
    QApplication::setApplicationName(QStringLiteral("Hanamori"));
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.hanamori.Hanamori"));
    InitGuiResources();
    QApplication::setWindowIcon(ProgramIcon());
    // The same directory hanamori-cli uses: beside the executable in a build tree, the
    // per-user one for an installed program.
    const InstallLocation location = LocateInstallDir(ExecutableDir(), std::getenv);
    if (!location.error.empty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Hanamori"),
                              QStringLiteral("データの置き場所を用意できません。\n") +
                                  QString::fromStdString(location.error));
        return 1;
    }
    SetInstallDir(location.dir);

    QtHost host;
    StartUpSettings(host, Settings(), InstallDir(), [&host] { RunSetupWizard(host, Settings()); });

    QtWindowDialogs dialogs(host);
    int rc = 0;
    {
        CMainFrame frame(host, dialogs, Settings());
        host.SetParentWidget(&frame);
        dialogs.SetParentWidget(&frame);
        frame.show();
        if (japanese_fonts) {
            ForgetJapaneseFontPreference();
        }
        // A listing file named on the command line opens as a double-click on it would.
        const QStringList arguments = QApplication::arguments();
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            if (!arguments[i].startsWith(QLatin1Char('-'))) {
                frame.OpenFileArgument(arguments[i]);
                break;
            }
        }
        rc = QApplication::exec();
        host.SetParentWidget(nullptr);
    }
    ShutDown(host, InstallDir());
    return rc;
}
