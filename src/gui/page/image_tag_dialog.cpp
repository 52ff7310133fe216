#include "gui/page/image_tag_dialog.h"

#include "core/app/host.h"
#include "core/page/html_tags.h"
#include "core/text/cp932.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "ui_image_tag_dialog.h"

#include <QPushButton>

namespace hanamori {
namespace {
constexpr std::size_t kUrlReadCapacity = 1023;
constexpr int kNumberReadLength = 99;

// The number of a width or height box: its first 99 characters, which must be digits.
std::optional<int> ReadDimension(const QLineEdit* edit) {
    std::string text = edit->text().left(kNumberReadLength).toStdString();
    if (!IsAsciiDigits(text)) {
        return std::nullopt;
    }
    return DigitsValue(text);
}
} // namespace

ImageTagDialog::ImageTagDialog(Host& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ImageTagDialog>()), m_host(host) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    m_ui->borderCombo->setCurrentIndex(0);
    GuardCp932Input(m_ui->urlEdit, host);
    GuardCp932Input(m_ui->widthEdit, host, {kNoCapacity, true});
    GuardCp932Input(m_ui->heightEdit, host, {kNoCapacity, true});
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &ImageTagDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

ImageTagDialog::~ImageTagDialog() = default;

void ImageTagDialog::accept() {
    if (m_ui->urlEdit->text().isEmpty()) {
        m_host.ShowMessage("URLを入力してください。"_sj, MessageIcon::Exclamation);
        m_ui->urlEdit->setFocus();
        return;
    }
    auto width = ReadDimension(m_ui->widthEdit);
    if (!width) {
        m_host.ShowMessage("幅は整数を入力してください。"_sj, MessageIcon::Exclamation);
        m_ui->widthEdit->setFocus();
        return;
    }
    auto height = ReadDimension(m_ui->heightEdit);
    if (!height) {
        m_host.ShowMessage("高さは整数を入力してください。"_sj, MessageIcon::Exclamation);
        m_ui->heightEdit->setFocus();
        return;
    }
    m_choice.url = FitField(ToCp932Lossy(m_ui->urlEdit->text()), kUrlReadCapacity);
    m_choice.width = *width;
    m_choice.height = *height;
    m_choice.border = std::max(0, m_ui->borderCombo->currentIndex());
    QDialog::accept();
}

std::optional<ImageChoice> ImageTagDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_choice;
}

} // namespace hanamori
