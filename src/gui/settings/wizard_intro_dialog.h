#pragma once
// The setup wizard's first page: what the wizard is for. "　次へ >>" is its OK and
// "後で設定する" its cancel.

#include <QDialog>

#include <memory>

namespace Ui {
class WizardIntroDialog;
}

namespace hanamori {

class WizardIntroDialog final : public QDialog {
    Q_OBJECT
public:
    explicit WizardIntroDialog(QWidget* parent = nullptr);
    ~WizardIntroDialog() override;

private:
    std::unique_ptr<Ui::WizardIntroDialog> m_ui;
};

} // namespace hanamori
