#pragma once
// The embedded browser of the preview and the auction page dialog. Local pages carry
// no charset declaration and are Shift-JIS, so that is the view's default encoding.
// Made only when one of those windows opens, so the program starts without it.

#include <QWebEngineView>

#include <string>

namespace hanamori {

class WebBrowser final : public QWebEngineView {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);

    // Shows a local file path (CP932) or an address. A local page is read afresh and
    // shown as Shift-JIS, also when it is the page already shown.
    void Navigate(const std::string& path_or_url);
    // The address of the page shown.
    QString LocationUrl() const { return url().toString(); }
};

// The address the browser goes to for a local path or a web address (CP932).
QUrl BrowserAddress(const std::string& path_or_url);

} // namespace hanamori
