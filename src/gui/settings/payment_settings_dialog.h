#pragma once
// 支払い設定: the four bank accounts, the two postal transfer accounts and the other
// payment method that guidance mails offer. Edits the settings held in memory.

#include "gui/widgets/settings_dialog.h"

#include <memory>

namespace Ui {
class PaymentSettingsDialog;
}

namespace hanamori {

class Host;
struct UserSettings;

class PaymentSettingsDialog final : public SettingsDialog {
    Q_OBJECT
public:
    PaymentSettingsDialog(Host& host, UserSettings& settings, QWidget* parent = nullptr);
    ~PaymentSettingsDialog() override;

signals:
    // The values were stored into the settings (OK, 適用 or 次へ).
    void settingsStored();

protected:
    bool Store() override;
    void OnWizardModeShown() override;

private:
    void ShowSettings();

    std::unique_ptr<Ui::PaymentSettingsDialog> m_ui;
    UserSettings& m_settings;
};

} // namespace hanamori
