#include "gui/widgets/settings_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace hanamori {

void SettingsDialog::SetButtonBox(QDialogButtonBox* box) {
    m_buttonBox = box;
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(box, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (QPushButton* apply = box->button(QDialogButtonBox::Apply)) {
        apply->setText(QStringLiteral("適用(&A)"));
        connect(apply, &QPushButton::clicked, this, [this] { StoreAndWrite(); });
    }
}

void SettingsDialog::SetWizardMode(int mode) {
    m_wizardMode = mode;
    if (mode <= kWizardModeOff || !m_buttonBox || m_nextButton) {
        return;
    }
    const QList<QAbstractButton*> own = m_buttonBox->buttons();
    m_backButton =
        m_buttonBox->addButton(QStringLiteral("<< 戻る　"), QDialogButtonBox::ActionRole);
    m_nextButton =
        m_buttonBox->addButton(QStringLiteral("　次へ >>"), QDialogButtonBox::ActionRole);
    // Hidden only now: adding a button lays the box out again, which shows every button.
    for (QAbstractButton* button : own) {
        button->hide();
    }
    m_backButton->setObjectName(QStringLiteral("wizardBackButton"));
    m_nextButton->setObjectName(QStringLiteral("wizardNextButton"));
    m_backButton->setAccessibleName(m_backButton->text().trimmed());
    m_nextButton->setAccessibleName(m_nextButton->text().trimmed());
    m_nextButton->setDefault(true);
    connect(m_backButton, &QPushButton::clicked, this, &SettingsDialog::GoBack);
    connect(m_nextButton, &QPushButton::clicked, this, &SettingsDialog::GoNext);
    OnWizardModeShown();
}

void SettingsDialog::accept() {
    if (StoreAndWrite()) {
        QDialog::accept();
    }
}

bool SettingsDialog::StoreAndWrite() {
    if (!Store()) {
        return false;
    }
    // A failed write has been reported; the values stay in memory for the next one.
    if (m_write && !inWizard()) {
        m_write();
    }
    return true;
}

void SettingsDialog::GoBack() {
    m_wizardMode = kWizardModeBack;
    QDialog::reject();
}

void SettingsDialog::GoNext() {
    m_wizardMode = kWizardModeNext;
    accept();
}

} // namespace hanamori
