// Time of プレビュー on a listing with 30 KB in each long text: from the button to the
// preview window's page having loaded. The first run starts the browser engine (cold);
// the later ones reuse the open window (warm). Each warm preview is set against a bare
// engine view, made beforehand, loading the same page file in the same run.
// gui_preview_bench [rounds]. Never run by ctest; run under Xvfb or offscreen with
// QTWEBENGINE_DISABLE_SANDBOX=1 as root.

#include "core/app/helpers.h"
#include "core/page/design_catalog.h"
#include "core/settings/settings_files.h"
#include "gui/page/product_page.h"
#include "gui/page/product_page_windows.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/sale_master_view.h"
#include "gui/web/preview_dialog.h"
#include "gui_test_support.h"
#include "long_listing.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace hanamori;

namespace {
// Presses プレビュー and waits for the preview's page; milliseconds, or -1. The wait
// sleeps in an event loop: a polling loop would take a core from the browser engine.
double PreviewMs(CMainFrame& frame, QtProductPageWindows& windows) {
    QEventLoop loop;
    bool loaded = false;
    auto finish = [&loop, &loaded] {
        loaded = true;
        loop.quit();
    };
    QMetaObject::Connection c;
    if (PreviewDialog* open = windows.preview()) {
        c = QObject::connect(open, &PreviewDialog::pageLoaded, &loop, finish);
    }
    QElapsedTimer t;
    t.start();
    frame.findChild<QPushButton*>(QStringLiteral("previewButton"))->click();
    if (!c) {
        c = QObject::connect(windows.preview(), &PreviewDialog::pageLoaded, &loop, finish);
    }
    if (!loaded) {
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    double ms = t.nsecsElapsed() / 1e6;
    QObject::disconnect(c);
    return loaded ? ms : -1;
}

// A plain view's load of the same file: from load() to its page having loaded.
double BareViewMs(QWebEngineView& view, const std::string& path) {
    QEventLoop loop;
    bool loaded = false;
    auto c = QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&] {
        loaded = true;
        loop.quit();
    });
    QElapsedTimer t;
    t.start();
    view.load(QUrl::fromLocalFile(QString::fromStdString(path)));
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    double ms = t.nsecsElapsed() / 1e6;
    QObject::disconnect(c);
    return loaded ? ms : -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
} // namespace

int main(int argc, char* argv[]) {
    qputenv("HANAMORI_WEB_PLUGIN", HANAMORI_WEB_PLUGIN_FILE);
    QApplication app(argc, argv);
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    test::TempInstall install(true);
    test::ScriptedHost host;
    test::ScriptedDialogs dialogs;
    CMainFrame frame(host, dialogs, Settings());
    frame.show();
    bench::FillLongListing(frame.doc().listing().auction);
    frame.view().LoadAllTabs();
    auto* page = static_cast<ProductPage*>(frame.view().page(0));
    auto* windows = dynamic_cast<QtProductPageWindows*>(&page->windows());
    auto* design = frame.findChild<QComboBox*>(QStringLiteral("designCombo"));
    auto* colour = frame.findChild<QComboBox*>(QStringLiteral("colorCombo"));
    colour->setCurrentIndex(0);
    design->setCurrentIndex(0);

    double cold = PreviewMs(frame, *windows);
    std::printf("preview cold (engine starting), %s: %.1f ms\n",
                test::Utf8(DesignCatalog()[0]).c_str(), cold);
    const std::string file = InstallDir() + "work/preview.html";
    QWebEngineView bare;
    bare.resize(windows->preview()->size());
    bare.show();
    BareViewMs(bare, file);
    for (int d = 0; d < kDesignCount; ++d) {
        design->setCurrentIndex(d);
        PreviewMs(frame, *windows); // the first of a design is not counted
        BareViewMs(bare, file);
        std::vector<double> warm, plain;
        for (int i = 0; i < rounds; ++i) {
            warm.push_back(PreviewMs(frame, *windows));
            plain.push_back(BareViewMs(bare, file));
        }
        std::printf("preview warm, %s: median %.1f ms, max %.1f ms; bare view %.1f ms; ratio "
                    "%.2f (%d rounds, page %zu bytes)\n",
                    test::Utf8(DesignCatalog()[static_cast<std::size_t>(d)]).c_str(), Median(warm),
                    *std::max_element(warm.begin(), warm.end()), Median(plain),
                    Median(warm) / Median(plain), rounds, test::ReadFile(file).size());
    }
    if (!host.messages.empty()) {
        std::printf("messages: %s\n", host.MessagesUtf8().front().c_str());
    }
    return 0;
}
