#pragma once
// 発送オプション設定: per carrier, cash on delivery and the hand-in discount, and whether
// ゆうパック costs are left out beside Yahoo!ゆうパック. Step 5 of the setup wizard.

#include "gui/widgets/settings_dialog.h"

#include <memory>

class QCheckBox;

namespace Ui {
class ShippingOptionsDialog;
}

namespace hanamori {

class Host;
struct UserSettings;

class ShippingOptionsDialog final : public SettingsDialog {
    Q_OBJECT
public:
    // Opens with the check boxes on the options of `settings`, which OK changes.
    ShippingOptionsDialog(Host& host, UserSettings& settings, QWidget* parent = nullptr);
    ~ShippingOptionsDialog() override;

protected:
    bool Store() override;
    void OnWizardModeShown() override;

private:
    std::unique_ptr<Ui::ShippingOptionsDialog> m_ui;
    UserSettings& m_settings;
};

} // namespace hanamori
