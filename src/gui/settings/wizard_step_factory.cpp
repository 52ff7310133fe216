#include "gui/settings/wizard_step_factory.h"

#include "core/settings/setup_wizard_flow.h"
#include "gui/settings/listing_settings_dialog.h"
#include "gui/settings/payment_settings_dialog.h"
#include "gui/settings/user_settings_dialog.h"
#include "gui/settings/wizard_closing_dialog.h"
#include "gui/settings/wizard_intro_dialog.h"
#include "gui/shipping/shipping_options_dialog.h"

namespace hanamori {

std::unique_ptr<QDialog> QtWizardStepFactory::MakePage(int step, QWidget* parent) {
    if (step == kWizardClosingStep) {
        return std::make_unique<WizardClosingDialog>(parent);
    }
    return std::make_unique<WizardIntroDialog>(parent);
}

std::unique_ptr<SettingsDialog> QtWizardStepFactory::MakeSettingsStep(int step, QWidget* parent) {
    switch (step) {
    case 2:
        return std::make_unique<UserSettingsDialog>(m_host, m_settings, parent);
    case 3:
        return std::make_unique<ListingSettingsDialog>(m_host, m_settings, parent);
    case 4:
        return std::make_unique<PaymentSettingsDialog>(m_host, m_settings, parent);
    case 5:
        return std::make_unique<ShippingOptionsDialog>(m_host, m_settings, parent);
    default:
        return nullptr;
    }
}

} // namespace hanamori
