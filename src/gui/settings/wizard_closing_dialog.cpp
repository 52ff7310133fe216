#include "gui/settings/wizard_closing_dialog.h"

#include "ui_wizard_closing_dialog.h"

namespace hanamori {

WizardClosingDialog::WizardClosingDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::WizardClosingDialog>()) {
    m_ui->setupUi(this);
    connect(m_ui->backButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->finishButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->finishButton->setFocus();
}

WizardClosingDialog::~WizardClosingDialog() = default;

} // namespace hanamori
