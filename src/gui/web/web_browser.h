#pragma once
// The embedded browser of the preview and the auction page dialog: a frame around the
// engine's view, which comes from the engine plugin. Made only when one of those
// windows opens, so the program starts without the engine.

#include "gui/web/web_engine.h"

#include <QUrl>
#include <QWidget>

#include <string>

namespace hanamori {

class WebBrowser final : public QWidget {
    Q_OBJECT
public:
    WebBrowser(WebEngineFactory& engine, PageTrust trust, QWidget* parent = nullptr);

    // Shows a local file path (CP932) or an address. A local page is read afresh and
    // shown as Shift-JIS, also when it is the page already shown.
    void Navigate(const std::string& path_or_url);
    // The address and the title of the page shown. The preview shows its local page under
    // an address of its own, not the file's.
    QUrl url() const { return m_view->Url(); }
    QString LocationUrl() const { return url().toString(); }
    QString title() const { return m_view->Title(); }

signals:
    // A page finished loading (ok: without an error).
    void loadFinished(bool ok);

private:
    EngineView* m_view;
};

// The address the browser goes to for a local path or a web address (CP932).
QUrl BrowserAddress(const std::string& path_or_url);

} // namespace hanamori
