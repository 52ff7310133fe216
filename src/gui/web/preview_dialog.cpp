#include "gui/web/preview_dialog.h"

#include "gui/web/web_browser.h"
#include "gui/widgets/screen_fit.h"

#include <QVBoxLayout>

namespace hanamori {

PreviewDialog::PreviewDialog(WebEngineFactory& engine, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("previewDialog"));
    setWindowTitle(QStringLiteral("Hanamori - 商品の紹介ページのプレビュー"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new WebBrowser(engine, PageTrust::OwnPage, this);
    layout->addWidget(m_browser);
    connect(m_browser, &WebBrowser::loadFinished, this, &PreviewDialog::pageLoaded);
    resize(FitToScreen(this, QSize(800, 600)));
}

void PreviewDialog::ShowPage(const std::string& path) {
    m_browser->Navigate(path);
    show();
    raise();
    activateWindow();
}

} // namespace hanamori
