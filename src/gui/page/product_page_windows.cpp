#include "gui/page/product_page_windows.h"

#include "core/app/host.h"
#include "gui/page/completed_page_dialog.h"
#include "gui/web/preview_dialog.h"
#include "gui/web/web_engine_loader.h"
#include "gui/widgets/qt_text.h"

namespace hanamori {

QtProductPageWindows::QtProductPageWindows(Host& host, QWidget* page)
    : m_host(host), m_page(page) {}

QtProductPageWindows::~QtProductPageWindows() = default;

PreviewDialog* QtProductPageWindows::preview() const {
    return m_preview.get();
}

void QtProductPageWindows::ShowPreview(const std::string& path) {
    if (!m_preview) {
        QString error;
        WebEngineFactory* engine = LoadWebEngine(&error);
        if (!engine) {
            m_host.ShowMessage(ToCp932Lossy(WebEngineMissingMessage(error)), MessageIcon::Stop);
            return;
        }
        // No owner: the preview is a window of its own on the desktop.
        m_preview = std::make_unique<PreviewDialog>(*engine);
    }
    m_preview->ShowPage(path);
}

void QtProductPageWindows::ShowCompletedPage(const std::string& path) {
    CompletedPageDialog dialog(m_host, path, m_page ? m_page->window() : nullptr);
    dialog.exec();
}

} // namespace hanamori
