#pragma once
// The preview of the description page: a resizable window of its own whose whole area
// is the browser. One at a time; the page shows a new file in the open one.

#include <QDialog>

#include <string>

namespace hanamori {

class WebBrowser;

class PreviewDialog final : public QDialog {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit PreviewDialog(QWidget* parent = nullptr);

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
