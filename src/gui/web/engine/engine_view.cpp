#include "gui/web/engine/engine_view.h"

#include <QDir>
#include <QFileInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace hanamori {

// Refuses every local file outside the folder of the page shown (the page's own
// images stay allowed); anything not local passes.
class FolderGuard final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void SetFolder(const QString& folder) { m_folder = folder; }

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl& url = info.requestUrl();
        if (!url.isLocalFile()) {
            return;
        }
        const QString path = QDir::cleanPath(url.toLocalFile());
        if (m_folder.isEmpty() || !path.startsWith(m_folder + QLatin1Char('/'))) {
            info.block(true);
        }
    }

private:
    QString m_folder;
};

EngineViewImpl::EngineViewImpl(PageTrust trust, QWidget* parent, std::function<void(bool)> loaded)
    : QWebEngineView(parent) {
    QWebEngineSettings* s = settings();
    // Local pages carry no charset declaration and are Shift-JIS.
    s->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
    if (trust == PageTrust::OwnPage) {
        // The auction site strips scripts from descriptions; here one could read the
        // seller's files. Photos are on the web, as sellers link them.
        s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        m_guard = new FolderGuard(this);
        page()->setUrlRequestInterceptor(m_guard);
    }
    connect(this, &QWebEngineView::loadFinished, this,
            [loaded = std::move(loaded)](bool ok) { loaded(ok); });
}

EngineViewImpl::~EngineViewImpl() {
    // The page may outlive the view by a moment; it must not call a deleted guard.
    page()->setUrlRequestInterceptor(nullptr);
}

void EngineViewImpl::AllowFolderOf(const QUrl& page) {
    if (m_guard) {
        m_guard->SetFolder(
            page.isLocalFile() ? QDir::cleanPath(QFileInfo(page.toLocalFile()).path()) : QString());
    }
}

void EngineViewImpl::Load(const QUrl& url) {
    AllowFolderOf(url);
    load(url);
}

void EngineViewImpl::SetContent(const QByteArray& html, const QString& mime, const QUrl& base) {
    AllowFolderOf(base);
    setContent(html, mime, base);
}

} // namespace hanamori
