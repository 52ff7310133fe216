#include "gui/settings/listing_settings_dialog.h"

#include "core/settings/user_settings.h"
#include "gui/widgets/field_binding.h"
#include "ui_listing_settings_dialog.h"

#include <QCheckBox>
#include <QPushButton>

#include <vector>

namespace hanamori {

namespace {

// Every field of the dialog with the listing default it edits.
std::vector<BoundField<InPlace>> Fields(Ui::ListingSettingsDialog& ui, UserSettings& s) {
    using S = FieldShape;
    ItemInfoDefaults& i = s.item_info;
    PaymentDefaults& p = s.payment;
    SendMethodDefaults& m = s.send_method;
    return {
        {ui.otherCheck, 0, 0, &i.chk_etc, S::FlagIsOne},
        {ui.otherEdit, 0, 0, &i.text, S::Lines, kListingOtherRead},
        {ui.bankCheck, 0, 0, &p.chk_bank, S::FlagIsOne},
        {ui.bankEdit, 0, 0, &p.banks_text, S::Lines, kListingPaymentTextRead},
        {ui.postalCheck, 0, 0, &p.chk_yuubin, S::FlagIsOne},
        {ui.postalEdit, 0, 0, &p.yuubin_text, S::Lines, kListingPaymentTextRead},
        {ui.otherPaymentCheck, 0, 0, &p.chk_etc, S::FlagIsOne},
        {ui.otherPaymentEdit, 0, 0, &p.etc_text, S::Lines, kListingPaymentTextRead},
        {ui.teikeiCheck, 0, 0, &m.chk_teikei, S::FlagIsOne},
        {ui.teikeigaiCheck, 0, 0, &m.chk_teikeigai, S::FlagIsOne},
        {ui.bookletCheck, 0, 0, &m.chk_sassi, S::FlagIsOne},
        {ui.expackCheck, 0, 0, &m.chk_expack, S::FlagIsOne},
        {ui.kuronekoMailCheck, 0, 0, &m.chk_kuroneko, S::FlagIsOne},
        {ui.hikyakuMailCheck, 0, 0, &m.chk_hikyaku, S::FlagIsOne},
        {ui.yupackCheck, 0, 0, &m.chk_yuupack, S::FlagIsOne},
        {ui.yahooYupackCheck, 0, 0, &m.chk_y_yuupack, S::FlagIsOne},
        {ui.yamatoCheck, 0, 0, &m.chk_yamato, S::FlagIsOne},
        {ui.sagawaCheck, 0, 0, &m.chk_sagawa, S::FlagIsOne},
        {ui.pelicanCheck, 0, 0, &m.chk_perikan, S::FlagIsOne},
        {ui.otherShipCheck, 0, 0, &m.chk_etc, S::FlagIsOne},
        // A one-line field keeps its bytes as a fixed field one byte longer would.
        {ui.otherShipNameEdit, 0, 0, &m.edt_etc, S::Line, kListingOtherShipNameRead + 1},
        {ui.shippingNotesEdit, 0, 0, &m.text, S::Lines, kListingShippingNotesRead},
    };
}

} // namespace

ListingSettingsDialog::ListingSettingsDialog(Host& host, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::ListingSettingsDialog>()),
      m_settings(settings) {
    m_ui->setupUi(this);
    SetButtonBox(m_ui->buttonBox);

    GuardTextFields(Fields(*m_ui, m_settings), host);
    Fill();
}

ListingSettingsDialog::~ListingSettingsDialog() = default;

void ListingSettingsDialog::Fill() {
    ShowFields(Fields(*m_ui, m_settings), kInPlace);
}

bool ListingSettingsDialog::Store() {
    InPlace in_place;
    StoreFields(Fields(*m_ui, m_settings), in_place);
    return true;
}

void ListingSettingsDialog::OnWizardModeShown() {
    setWindowTitle(windowTitle() + QStringLiteral("　　(設定ウィザード　Step 3/6)"));
}

} // namespace hanamori
