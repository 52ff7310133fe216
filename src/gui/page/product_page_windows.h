#pragma once
// The real windows of the product page: the one preview window (made when first
// needed, a top-level window of its own) and the modal completed-page dialog.

#include "gui/page/product_page.h"

#include <QPointer>

class QWidget;

namespace hanamori {

class Host;
class PreviewDialog;

class QtProductPageWindows final : public ProductPageWindows {
public:
    QtProductPageWindows(Host& host, QWidget* page) : m_host(host), m_page(page) {}
    // Closes the preview window if it is open.
    ~QtProductPageWindows() override;

    void ShowPreview(const std::string& path) override;
    void ShowCompletedPage(const std::string& path) override;
    // The open preview window, or nullptr.
    PreviewDialog* preview() const;

private:
    Host& m_host;
    QWidget* m_page;
    // Cleared by Qt when the window closes and deletes itself.
    QPointer<PreviewDialog> m_preview;
};

} // namespace hanamori
