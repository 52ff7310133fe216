#pragma once
// The address of the product's page on the auction site: typed, or taken from a page
// dragged onto the small browser, which fills in the address once the page has loaded.
// Local files (the instruction page among them) never replace the address. Without the
// browser engine the dialog says why in the browser's place and the address is typed.

#include "gui/web/web_engine.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class AuctionPageDialog;
}

namespace hanamori {

class Host;
class WebBrowser;

// Whether a loaded address is taken into the address field: anything but "file:"
// addresses, compared without regard to case.
bool TakesLoadedAddress(const QString& url);

// The instruction page shown when no address is set (CP932 bytes, no line break at
// the end), and writing it to `path`; false when it cannot be written.
const std::string& WorkPageText();
bool WriteWorkPage(const std::string& path);

class AuctionPageDialog final : public QDialog {
    Q_OBJECT
public:
    // Shows `current`, or, without one, writes the work page and shows it. `engine` may
    // be nullptr when the engine could not be loaded; `engineError` then says why.
    AuctionPageDialog(Host& host, WebEngineFactory* engine, const std::string& current,
                      QWidget* parent = nullptr, const QString& engineError = QString());
    ~AuctionPageDialog() override;

    // The address (CP932, at most 255 characters), or nullopt when cancelled.
    std::optional<std::string> Run();
    std::string url() const;
    // The browser, or nullptr without the engine.
    WebBrowser* browser() const { return m_browser; }

signals:
    // The browser finished loading a page (after the address field was updated).
    void pageLoaded(bool ok);

private:
    void OnLoadFinished(bool ok);

    std::unique_ptr<Ui::AuctionPageDialog> m_ui;
    WebBrowser* m_browser = nullptr;
};

} // namespace hanamori
