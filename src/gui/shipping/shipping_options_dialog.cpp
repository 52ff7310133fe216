#include "gui/shipping/shipping_options_dialog.h"

#include "core/settings/user_settings.h"
#include "ui_shipping_options_dialog.h"

#include <QPushButton>

#include <array>

#include <cstdint>

namespace hanamori {
namespace {

// Each box with the option it edits and the name it is announced with (the group's
// carrier first, since several boxes share their caption).
struct OptionBox {
    QCheckBox* box;
    std::int32_t ShippingOptions::*option;
    const char* accessible;
};

std::array<OptionBox, 10> Boxes(Ui::ShippingOptionsDialog& ui) {
    using O = ShippingOptions;
    return {{
        {ui.sassiCodCheck, &O::chk_sassi_cod, "冊子小包 着払いOK (+20円)"},
        {ui.yuupackCodCheck, &O::chk_yuupack_cod, "ゆうパック 着払いOK"},
        {ui.yuupackOpt100Check, &O::chk_yuupack_opt100, "ゆうパック 持ち込みする(送料：-100円)"},
        {ui.yamatoCodCheck, &O::chk_yamato_cod, "ヤマト宅急便 着払いOK"},
        {ui.yamatoOpt100Check, &O::chk_yamato_opt100, "ヤマト宅急便 持ち込みする(送料：-100円)"},
        {ui.sagawaCodCheck, &O::chk_sagawa_cod, "佐川急便 着払いOK"},
        {ui.sagawaOpt100Check, &O::chk_sagawa_opt100, "佐川急便 持ち込みする(送料：-100円)"},
        {ui.perikanCodCheck, &O::chk_perikan_cod, "ペリカン便 着払いOK"},
        {ui.perikanOpt100Check, &O::chk_perikan_opt100,
         "ペリカン便 ネットから集荷依頼する 持ち込みする(送料：-100円)"},
        {ui.yuupackOptCheck, &O::chk_yuupack_opt,
         "発送方法にYahoo!ゆうパックが選択されていたら、ゆうパックの料金は表示しない"},
    }};
}

} // namespace

ShippingOptionsDialog::ShippingOptionsDialog(Host&, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::ShippingOptionsDialog>()),
      m_settings(settings) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    SetButtonBox(m_ui->buttonBox);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &ShippingOptionsDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &ShippingOptionsDialog::reject);
    for (const OptionBox& b : Boxes(*m_ui)) {
        b.box->setAccessibleName(QString::fromUtf8(b.accessible));
        b.box->setChecked(m_settings.send_opt.*(b.option) != 0);
    }
}

ShippingOptionsDialog::~ShippingOptionsDialog() = default;

bool ShippingOptionsDialog::Store() {
    for (const OptionBox& b : Boxes(*m_ui)) {
        m_settings.send_opt.*(b.option) = b.box->isChecked() ? 1 : 0;
    }
    return true;
}

void ShippingOptionsDialog::OnWizardModeShown() {
    setWindowTitle(windowTitle() + QStringLiteral("　　(Step 5/6)"));
}

} // namespace hanamori
