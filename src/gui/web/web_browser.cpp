#include "gui/web/web_browser.h"

#include "gui/widgets/qt_text.h"

#include <QFile>
#include <QVBoxLayout>

namespace hanamori {
namespace {
// Pages handed over in one piece stay below the engine's limit for that.
constexpr qint64 kMaxContentBytes = 2 * 1024 * 1024 - 64 * 1024;
} // namespace

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
        // The engine guesses the encoding of a local file from its bytes, and a short
        // Japanese page is easily taken for Latin-1; handed over with its charset it
        // always reads right. The address stays the file's.
        QFile file(url.toLocalFile());
        if (file.size() < kMaxContentBytes && file.open(QIODevice::ReadOnly)) {
            m_view->SetContent(file.readAll(), QStringLiteral("text/html;charset=Shift_JIS"), url);
            return;
        }
    }
    m_view->Load(url);
}

} // namespace hanamori
