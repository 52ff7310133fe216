#include "gui/page/link_tag_dialog.h"

#include "core/app/host.h"
#include "core/text/cp932.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "ui_link_tag_dialog.h"

#include <QPushButton>

namespace hanamori {
namespace {
constexpr std::size_t kUrlReadCapacity = 1023;
}

LinkTagDialog::LinkTagDialog(Host& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LinkTagDialog>()), m_host(host) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    m_ui->targetCombo->setCurrentIndex(0);
    GuardCp932Input(m_ui->urlEdit, host);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &LinkTagDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

LinkTagDialog::~LinkTagDialog() = default;

void LinkTagDialog::accept() {
    if (m_ui->urlEdit->text().isEmpty()) {
        m_host.ShowMessage("URLを入力してください。"_sj, MessageIcon::Exclamation);
        m_ui->urlEdit->setFocus();
        return;
    }
    m_choice.url = FitField(ToCp932Lossy(m_ui->urlEdit->text()), kUrlReadCapacity);
    m_choice.target = std::max(0, m_ui->targetCombo->currentIndex());
    QDialog::accept();
}

std::optional<LinkChoice> LinkTagDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_choice;
}

} // namespace hanamori
