#include "gui/web/engine/engine_view.h"

#include "gui/web/engine/own_pages.h"

#include <QChildEvent>
#include <QFile>
#include <QGuiApplication>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWindow>

namespace hanamori {
namespace {
// Pages handed over in one piece stay below the engine's limit for that.
constexpr qint64 kMaxContentBytes = 2 * 1024 * 1024 - 64 * 1024;

QString NextOwnPageHost() {
    static int made = 0;
    return QStringLiteral("view%1").arg(++made);
}
} // namespace

EngineViewImpl::EngineViewImpl(PageTrust trust, QWidget* parent, std::function<void(bool)> loaded)
    : QWebEngineView(parent) {
    if (trust == PageTrust::OwnPage) {
        // Set before anything asks for the page, which would make one on the default
        // profile.
        setPage(new QWebEnginePage(OwnPageProfile(), this));
        m_ownPageHost = NextOwnPageHost();
    }
    QWebEngineSettings* s = settings();
    // Local pages carry no charset declaration and are Shift-JIS.
    s->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
    if (trust == PageTrust::OwnPage) {
        // The auction site strips scripts from descriptions; here one could read the
        // seller's files. Photos are on the web, as sellers link them.
        s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    }
    connect(this, &QWebEngineView::loadFinished, this,
            [loaded = std::move(loaded)](bool ok) { loaded(ok); });
}

EngineViewImpl::~EngineViewImpl() {
    if (!m_ownPageHost.isEmpty()) {
        OwnPageFolders().Forget(m_ownPageHost);
    }
}

void EngineViewImpl::childEvent(QChildEvent* event) {
    QWebEngineView::childEvent(event);
    if (event->type() != QEvent::ChildPolished) {
        return;
    }
    // The engine draws into a widget through a hidden top-level window of its own, which
    // is never shown; screen readers would list it among the program's windows, as an
    // empty frame called "Offscreen". The view's own accessible object still reaches the
    // page; marked as a popup, the hidden window is left out of the list of windows.
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->inherits("QQuickWidgetOffscreenWindow") && window->type() != Qt::Popup) {
            window->setFlags(window->flags() | Qt::Popup);
        }
    }
}

void EngineViewImpl::Load(const QUrl& url) {
    load(url);
}

void EngineViewImpl::ShowFile(const QString& path) {
    if (!m_ownPageHost.isEmpty()) {
        load(OwnPageFolders().AddressOf(m_ownPageHost, path));
        return;
    }
    // The engine guesses the encoding of a local file from its bytes, and a short
    // Japanese page is easily taken for Latin-1; handed over with its charset it always
    // reads right. The address stays the file's.
    const QUrl url = QUrl::fromLocalFile(path);
    QFile file(path);
    if (file.size() < kMaxContentBytes && file.open(QIODevice::ReadOnly)) {
        setContent(file.readAll(), QStringLiteral("text/html;charset=Shift_JIS"), url);
        return;
    }
    load(url);
}

} // namespace hanamori
