// The yardstick of the start-up benchmark: a bare Qt main window with a menu bar and a
// status bar, the size of the program's main window.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Hanamori"));
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    window.statusBar()->showMessage(QStringLiteral("レディ"));
    window.resize(780, 640);
    window.show();
    return QApplication::exec();
}
