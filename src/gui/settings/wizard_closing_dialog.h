#pragma once
// The setup wizard's last page. Its OK is "<< 戻る　" (back to the shipping options);
// its cancel is the default "設定終了", which ends the wizard like the close box does.

#include <QDialog>

#include <memory>

namespace Ui {
class WizardClosingDialog;
}

namespace hanamori {

class WizardClosingDialog final : public QDialog {
    Q_OBJECT
public:
    explicit WizardClosingDialog(QWidget* parent = nullptr);
    ~WizardClosingDialog() override;

private:
    std::unique_ptr<Ui::WizardClosingDialog> m_ui;
};

} // namespace hanamori
