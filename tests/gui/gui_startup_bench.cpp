// Start-up time of the desktop program, as a ratio to a bare Qt main window shown in the
// same run: gui_startup_bench [rounds]. Never run by ctest.

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"
#include "gui/app/app_lifecycle.h"
#include "gui/app/icons.h"
#include "gui/app/main_frame.h"
#include "gui/app/qt_host.h"
#include "gui/app/window_dialogs.h"
#include "support/test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace hanamori;

namespace {
// Shows the window and waits until it has been painted once.
void ShowAndPaint(QWidget& w) {
    w.show();
    QApplication::processEvents();
    w.repaint();
    QApplication::processEvents();
}

double BareWindowMs() {
    QElapsedTimer t;
    t.start();
    {
        QMainWindow w;
        w.setWindowTitle(QStringLiteral("Hanamori"));
        w.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
        w.statusBar()->showMessage(QStringLiteral("レディ"));
        w.resize(780, 640);
        ShowAndPaint(w);
    }
    return t.nsecsElapsed() / 1e6;
}

double ProgramMs() {
    QElapsedTimer t;
    t.start();
    {
        Settings() = UserSettings();
        StartUpSettings(Settings(), InstallDir());
        QtHost host;
        QtWindowDialogs dialogs(host);
        CMainFrame frame(host, dialogs, Settings());
        ShowAndPaint(frame);
    }
    return t.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    test::TempInstall install(true);
    test::WriteFile(install / "hanamo.ini", "[HANAMO_SETTING]\r\n");
    InitGuiResources();
    // Warm both paths once (fonts, style, plugins) before measuring.
    BareWindowMs();
    ProgramMs();
    std::vector<double> bare, program;
    for (int i = 0; i < rounds; ++i) {
        bare.push_back(BareWindowMs());
        program.push_back(ProgramMs());
    }
    double b = Median(bare), p = Median(program);
    std::printf("bare main window: %.2f ms (median of %d)\n", b, rounds);
    std::printf("hanamori start-up: %.2f ms (median of %d)\n", p, rounds);
    std::printf("ratio: %.2f\n", p / b);
    return 0;
}
