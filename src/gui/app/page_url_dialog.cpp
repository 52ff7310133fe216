#include "gui/app/page_url_dialog.h"

#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "gui/app/qt_text.h"
#include "ui_page_url_dialog.h"

#include <QPushButton>

namespace hanamori {

PageUrlDialog::PageUrlDialog(Host& host, const std::string& current, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PageUrlDialog>()) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    m_ui->urlEdit->setText(ToQt(current));
    GuardCp932Input(m_ui->urlEdit, host);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

PageUrlDialog::~PageUrlDialog() = default;

std::string PageUrlDialog::url() const {
    return FitField(ToCp932Lossy(m_ui->urlEdit->text().trimmed()), kUrlCapacity);
}

std::optional<std::string> PageUrlDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return url();
}

} // namespace hanamori
