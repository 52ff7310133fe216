#include "gui/page/completed_page_dialog.h"

#include "core/app/host.h"
#include "core/text/cp932.h"
#include "gui/widgets/screen_fit.h"
#include "gui/widgets/settings_text.h"
#include "ui_completed_page_dialog.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace hanamori {

CompletedPageDialog::CompletedPageDialog(Host& host, const std::string& path, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CompletedPageDialog>()), m_host(host) {
    m_ui->setupUi(this);
    connect(m_ui->copyButton, &QPushButton::clicked, this, &CompletedPageDialog::CopyToClipboard);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    // The page shows at 560x320 where the screen has room.
    ResizeToFitScreen(this, m_ui->pageEdit, QSize(560, 320), QSize(200, 100));

    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_host.ShowMessage("商品の紹介ページの作成に失敗しました。"_sj, MessageIcon::Stop);
        return;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        return;
    }
    m_page = bytes.str();
    m_ui->pageEdit->setPlainText(MultilineToQt(m_page));
    m_ui->sizeEdit->setText(QString::number(m_page.size()));
}

CompletedPageDialog::~CompletedPageDialog() = default;

void CompletedPageDialog::CopyToClipboard() {
    // The whole page goes, however long it is.
    if (!m_host.SetClipboardText(m_page)) {
        m_host.ShowMessage("クリップボードへのコピーに失敗しました。"_sj, MessageIcon::Stop);
        return;
    }
    m_host.ShowMessage("クリップボードへのコピーしました。"_sj, MessageIcon::Information);
}

} // namespace hanamori
