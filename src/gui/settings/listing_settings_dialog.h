#pragma once
// 出品設定: the defaults every new listing starts with (the other remarks, the payment
// methods with their texts, the shipping methods). Step 3 of the setup wizard.

#include "gui/widgets/settings_dialog.h"

#include <cstddef>
#include <memory>

namespace Ui {
class ListingSettingsDialog;
}

namespace hanamori {

class Host;
struct UserSettings;

// Bytes each text field of the dialog takes.
inline constexpr std::size_t kListingOtherRead = 2046;
inline constexpr std::size_t kListingPaymentTextRead = 1023;
inline constexpr std::size_t kListingOtherShipNameRead = 126;
inline constexpr std::size_t kListingShippingNotesRead = 2046;

class ListingSettingsDialog final : public SettingsDialog {
    Q_OBJECT
public:
    // Opens with the listing defaults of `settings`; OK, 適用 and 次へ store into them.
    ListingSettingsDialog(Host& host, UserSettings& settings, QWidget* parent = nullptr);
    ~ListingSettingsDialog() override;

protected:
    bool Store() override;
    void OnWizardModeShown() override;

private:
    void Fill();

    std::unique_ptr<Ui::ListingSettingsDialog> m_ui;
    UserSettings& m_settings;
};

} // namespace hanamori
