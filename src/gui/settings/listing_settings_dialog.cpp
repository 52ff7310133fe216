#include "gui/settings/listing_settings_dialog.h"

#include "core/settings/user_settings.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/settings_text.h"
#include "ui_listing_settings_dialog.h"

#include <QCheckBox>
#include <QPushButton>

#include <cstdint>
#include <utility>
#include <vector>

namespace hanamori {

namespace {

// Each check box of the dialog with the listing default it edits.
std::vector<std::pair<QCheckBox*, std::int32_t*>> CheckFields(Ui::ListingSettingsDialog& ui,
                                                              UserSettings& s) {
    SendMethodDefaults& m = s.send_method;
    return {
        {ui.otherCheck, &s.item_info.chk_etc},   {ui.bankCheck, &s.payment.chk_bank},
        {ui.postalCheck, &s.payment.chk_yuubin}, {ui.otherPaymentCheck, &s.payment.chk_etc},
        {ui.teikeiCheck, &m.chk_teikei},         {ui.teikeigaiCheck, &m.chk_teikeigai},
        {ui.bookletCheck, &m.chk_sassi},         {ui.expackCheck, &m.chk_expack},
        {ui.kuronekoMailCheck, &m.chk_kuroneko}, {ui.hikyakuMailCheck, &m.chk_hikyaku},
        {ui.yupackCheck, &m.chk_yuupack},        {ui.yahooYupackCheck, &m.chk_y_yuupack},
        {ui.yamatoCheck, &m.chk_yamato},         {ui.sagawaCheck, &m.chk_sagawa},
        {ui.pelicanCheck, &m.chk_perikan},       {ui.otherShipCheck, &m.chk_etc},
    };
}

struct TextField {
    QPlainTextEdit* edit;
    std::string* value;
    std::size_t read_limit;
};

std::vector<TextField> TextFields(Ui::ListingSettingsDialog& ui, UserSettings& s) {
    return {
        {ui.otherEdit, &s.item_info.text, kListingOtherRead},
        {ui.bankEdit, &s.payment.banks_text, kListingPaymentTextRead},
        {ui.postalEdit, &s.payment.yuubin_text, kListingPaymentTextRead},
        {ui.otherPaymentEdit, &s.payment.etc_text, kListingPaymentTextRead},
        {ui.shippingNotesEdit, &s.send_method.text, kListingShippingNotesRead},
    };
}

} // namespace

ListingSettingsDialog::ListingSettingsDialog(Host& host, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::ListingSettingsDialog>()),
      m_settings(settings) {
    m_ui->setupUi(this);
    SetButtonBox(m_ui->buttonBox);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    QPushButton* apply = m_ui->buttonBox->button(QDialogButtonBox::Apply);
    apply->setText(QStringLiteral("適用(&A)"));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &ListingSettingsDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &ListingSettingsDialog::reject);
    connect(apply, &QPushButton::clicked, this, &ListingSettingsDialog::Store);

    for (const TextField& field : TextFields(*m_ui, m_settings)) {
        GuardCp932Input(field.edit, host);
    }
    GuardCp932Input(m_ui->otherShipNameEdit, host);
    Fill();
}

ListingSettingsDialog::~ListingSettingsDialog() = default;

void ListingSettingsDialog::Fill() {
    for (auto [check, value] : CheckFields(*m_ui, m_settings)) {
        check->setChecked(*value == 1);
    }
    for (const TextField& field : TextFields(*m_ui, m_settings)) {
        field.edit->setPlainText(MultilineToQt(*field.value));
    }
    m_ui->otherShipNameEdit->setText(ToQt(m_settings.send_method.edt_etc));
}

bool ListingSettingsDialog::Store() {
    for (auto [check, value] : CheckFields(*m_ui, m_settings)) {
        *value = check->isChecked() ? 1 : 0;
    }
    for (const TextField& field : TextFields(*m_ui, m_settings)) {
        *field.value = MultilineToCp932(field.edit->toPlainText(), field.read_limit);
    }
    m_settings.send_method.edt_etc =
        LineToCp932(m_ui->otherShipNameEdit->text(), kListingOtherShipNameRead);
    return true;
}

void ListingSettingsDialog::OnWizardModeShown() {
    setWindowTitle(windowTitle() + QStringLiteral("　　(設定ウィザード　Step 3/6)"));
}

} // namespace hanamori
