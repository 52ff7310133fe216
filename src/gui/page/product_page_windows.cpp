#include "gui/page/product_page_windows.h"

#include "gui/page/completed_page_dialog.h"
#include "gui/web/preview_dialog.h"

namespace hanamori {

QtProductPageWindows::~QtProductPageWindows() {
    delete m_preview.data();
}

PreviewDialog* QtProductPageWindows::preview() const {
    return m_preview.data();
}

void QtProductPageWindows::ShowPreview(const std::string& path) {
    if (!m_preview) {
        // No owner: the preview is a window of its own on the desktop.
        m_preview = new PreviewDialog();
    }
    m_preview->ShowPage(path);
}

void QtProductPageWindows::ShowCompletedPage(const std::string& path) {
    CompletedPageDialog dialog(m_host, path, m_page ? m_page->window() : nullptr);
    dialog.exec();
}

} // namespace hanamori
