#pragma once
// The real windows of the product page: the one preview window (made when first
// needed, a top-level window of its own, kept when closed so that later previews find
// the engine started) and the modal completed-page dialog.

#include "gui/page/product_page.h"

#include <memory>

class QWidget;

namespace hanamori {

class Host;
class PreviewDialog;

class QtProductPageWindows final : public ProductPageWindows {
public:
    QtProductPageWindows(Host& host, QWidget* page);
    // Closes the preview window if it is open.
    ~QtProductPageWindows() override;

    void ShowPreview(const std::string& path) override;
    void ShowCompletedPage(const std::string& path) override;
    // The preview window (shown or closed), or nullptr before the first preview.
    PreviewDialog* preview() const;

private:
    Host& m_host;
    QWidget* m_page;
    std::unique_ptr<PreviewDialog> m_preview;
};

} // namespace hanamori
