#include "gui/settings/wizard_intro_dialog.h"

#include "ui_wizard_intro_dialog.h"

namespace hanamori {

WizardIntroDialog::WizardIntroDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::WizardIntroDialog>()) {
    m_ui->setupUi(this);
    connect(m_ui->nextButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->laterButton, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->nextButton->setFocus();
}

WizardIntroDialog::~WizardIntroDialog() = default;

} // namespace hanamori
