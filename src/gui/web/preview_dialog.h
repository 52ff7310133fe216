#pragma once
// The preview of the description page: a resizable window of its own whose whole area
// is the browser. One for the run: closing hides it, and the next preview shows its
// page in the same window, so the engine starts once.

#include <QDialog>

#include "gui/web/web_engine.h"

#include <string>

namespace hanamori {

class WebBrowser;

class PreviewDialog final : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(WebEngineFactory& engine, QWidget* parent = nullptr);

    // Shows the page file `path` (loaded afresh even when it is the same file) and
    // brings the window to the front.
    void ShowPage(const std::string& path);
    WebBrowser* browser() const { return m_browser; }

signals:
    // A page finished loading (ok: without an error).
    void pageLoaded(bool ok);

private:
    WebBrowser* m_browser;
};

} // namespace hanamori
