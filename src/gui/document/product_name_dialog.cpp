#include "gui/document/product_name_dialog.h"

#include "core/app/host.h"
#include "core/document/sale_master_doc.h"
#include "core/text/cp932.h"
#include "gui/widgets/edit_routing.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "ui_product_name_dialog.h"

#include <QPushButton>

namespace hanamori {

ProductNameDialog::ProductNameDialog(Host& host, const std::string& current, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ProductNameDialog>()), m_host(host) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    SetControlId(m_ui->nameEdit, 5010);
    m_ui->nameEdit->setText(ToQt(current));
    m_ui->nameEdit->selectAll();
    GuardCp932Input(m_ui->nameEdit, host, {kProductNameCapacity - 1});
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &ProductNameDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &ProductNameDialog::reject);
    setFixedSize(sizeHint());
}

ProductNameDialog::~ProductNameDialog() = default;

void ProductNameDialog::accept() {
    std::string text = ToCp932Lossy(m_ui->nameEdit->text());
    if (text.empty()) {
        m_host.ShowMessage("商品管理名を入力してください。"_sj, MessageIcon::Exclamation);
        return;
    }
    m_name = FitField(text, kProductNameMaxInput + 1);
    QDialog::accept();
}

std::optional<std::string> ProductNameDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_name;
}

} // namespace hanamori
