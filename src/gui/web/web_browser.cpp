#include "gui/web/web_browser.h"

#include "gui/widgets/qt_text.h"

#include <QVBoxLayout>

namespace hanamori {

QUrl BrowserAddress(const std::string& path_or_url) {
    QString text = ToQt(path_or_url);
    if (text.startsWith(QLatin1Char('/'))) {
        return QUrl::fromLocalFile(text);
    }
    return QUrl::fromUserInput(text);
}

WebBrowser::WebBrowser(WebEngineFactory& engine, PageTrust trust, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("webBrowser"));
    setAccessibleName(QStringLiteral("ブラウザ"));
    m_view = engine.CreateView(trust, this, [this](bool ok) { emit loadFinished(ok); });
    QWidget* view = m_view->Widget();
    view->setAccessibleName(accessibleName());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    setFocusProxy(view);
}

void WebBrowser::Navigate(const std::string& path_or_url) {
    QUrl url = BrowserAddress(path_or_url);
    if (url.isLocalFile()) {
        m_view->ShowFile(url.toLocalFile());
    } else {
        m_view->Load(url);
    }
}

} // namespace hanamori
