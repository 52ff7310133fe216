#include "gui/shipping/shipping_options_dialog.h"

#include "core/settings/user_settings.h"
#include "gui/widgets/field_binding.h"
#include "ui_shipping_options_dialog.h"

#include <QPushButton>

#include <vector>

namespace hanamori {
namespace {

// Each box with the option it edits. Several boxes share their caption, so their
// accessible names (in the form) say the carrier first.
std::vector<BoundField<ShippingOptions>> Fields(Ui::ShippingOptionsDialog& ui) {
    using O = ShippingOptions;
    using S = FieldShape;
    return {
        {ui.sassiCodCheck, 0, 0, &O::chk_sassi_cod, S::Flag},
        {ui.yuupackCodCheck, 0, 0, &O::chk_yuupack_cod, S::Flag},
        {ui.yuupackOpt100Check, 0, 0, &O::chk_yuupack_opt100, S::Flag},
        {ui.yamatoCodCheck, 0, 0, &O::chk_yamato_cod, S::Flag},
        {ui.yamatoOpt100Check, 0, 0, &O::chk_yamato_opt100, S::Flag},
        {ui.sagawaCodCheck, 0, 0, &O::chk_sagawa_cod, S::Flag},
        {ui.sagawaOpt100Check, 0, 0, &O::chk_sagawa_opt100, S::Flag},
        {ui.perikanCodCheck, 0, 0, &O::chk_perikan_cod, S::Flag},
        {ui.perikanOpt100Check, 0, 0, &O::chk_perikan_opt100, S::Flag},
        {ui.yuupackOptCheck, 0, 0, &O::chk_yuupack_opt, S::Flag},
    };
}

} // namespace

ShippingOptionsDialog::ShippingOptionsDialog(Host&, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::ShippingOptionsDialog>()),
      m_settings(settings) {
    m_ui->setupUi(this);
    SetButtonBox(m_ui->buttonBox);
    ShowFields(Fields(*m_ui), m_settings.send_opt);
}

ShippingOptionsDialog::~ShippingOptionsDialog() = default;

bool ShippingOptionsDialog::Store() {
    StoreFields(Fields(*m_ui), m_settings.send_opt);
    return true;
}

void ShippingOptionsDialog::OnWizardModeShown() {
    setWindowTitle(windowTitle() + QStringLiteral("　　(Step 5/6)"));
}

} // namespace hanamori
