#include "gui/web/engine/own_pages.h"

#include "gui/web/engine/page_folder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace hanamori {
namespace {
const QByteArray kScheme = QByteArrayLiteral("hanamori-page");

// Refuses every local file outside the scheme: the pages' own files come through it,
// so nothing else local is ever asked for by right.
class LocalFileBlocker final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl& url = info.requestUrl();
        if (url.isLocalFile() || url.scheme() == QLatin1String("qrc")) {
            info.block(true);
        }
    }
};
} // namespace

void RegisterOwnPageScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    // Host syntax: relative paths resolve against the page and "." and ".." are cleaned
    // away before a request reaches the handler. Neither secure nor local: photos linked
    // over http load as over https (no mixed content to block), and the page, not being
    // local, may load no local resource (file:, qrc:) at all.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QWebEngineProfile* OwnPageProfile() {
    static QWebEngineProfile* profile = [] {
        // Off the record, like the default profile; the auction site's pages, which run
        // scripts, are shown in that one and cannot reach the scheme.
        auto* made = new QWebEngineProfile(QCoreApplication::instance());
        made->installUrlSchemeHandler(kScheme, &OwnPageFolders());
        made->setUrlRequestInterceptor(new LocalFileBlocker(made));
        return made;
    }();
    return profile;
}

PageFolders& OwnPageFolders() {
    static auto* folders = new PageFolders(QCoreApplication::instance());
    return *folders;
}

QUrl PageFolders::AddressOf(const QString& host, const QString& page) {
    m_folders.insert(host, PageFolderOf(page));
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    url.setHost(host);
    url.setPath(QLatin1Char('/') + QFileInfo(page).fileName(), QUrl::DecodedMode);
    return url;
}

void PageFolders::Forget(const QString& host) {
    m_folders.remove(host);
}

void PageFolders::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    const QString path = FileInFolder(m_folders.value(url.host()), url);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    // Read whole here: the engine reads the reply on a thread of its own.
    auto* body = new QBuffer;
    body->setData(file.readAll());
    connect(job, &QObject::destroyed, body, &QObject::deleteLater);
    job->reply(ContentTypeOf(path), body);
}

} // namespace hanamori
