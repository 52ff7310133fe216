#include "gui/settings/user_settings_dialog.h"

#include "core/settings/settings_input.h"
#include "core/shipping/prefectures.h"
#include "gui/widgets/field_binding.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "ui_user_settings_dialog.h"

#include <QPushButton>

#include <vector>

namespace hanamori {
namespace {

// Every field of the shown profile. The texts are kept whole here; the core cuts them
// when the profiles are applied.
std::vector<BoundField<SellerProfile>> Fields(Ui::UserSettingsDialog& ui) {
    using P = SellerProfile;
    using S = FieldShape;
    constexpr std::size_t kWhole = std::string::npos;
    return {
        {ui.nameEdit, 0, 0, &P::name, S::Line, kWhole},
        {ui.nicknameEdit, 0, 0, &P::nickname, S::Line, kWhole},
        {ui.mailEdit, 0, 0, &P::mail, S::Line, kWhole},
        {ui.postEdit, 0, 0, &P::post, S::Line, kWhole},
        // A name that is not a prefecture leaves the list without a selection.
        {ui.prefCombo, 0, 0, &P::address1, S::NameOrNone, kWhole},
        {ui.kennameCheck, 0, 0, &P::chk_kenname, S::Flag},
        {ui.addressEdit, 0, 0, &P::address, S::Lines, kProfileAddressRead},
        {ui.phoneEdit, 0, 0, &P::phone, S::Line, kWhole},
        {ui.cityRateCheck, 0, 0, &P::chk_address2, S::Flag},
        {ui.cityEdit, 0, 0, &P::address2, S::Line, kWhole},
        {ui.yAuctionCheck, 0, 0, &P::y_auction, S::Flag},
        {ui.boothCheck, 0, 0, &P::mybooth_flag, S::Flag},
        // An unknown stored style stays as it was while nothing is chosen.
        {ui.boothTypeCombo, 0, 0, &P::mybooth_type, S::Index},
        {ui.bannerTextEdit, 0, 0, &P::banner_text, S::Line, kWhole},
        {ui.bannerUrlEdit, 0, 0, &P::bunner_url, S::Line, kWhole},
    };
}

} // namespace

UserSettingsDialog::UserSettingsDialog(Host& host, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::UserSettingsDialog>()),
      m_settings(settings), m_editor(settings, std::nullopt) {
    m_ui->setupUi(this);
    SetButtonBox(m_ui->buttonBox);

    for (const std::string& name : Prefectures()) {
        m_ui->prefCombo->addItem(ToQt(name));
    }
    m_ui->prefCombo->setCurrentIndex(0);
    for (int i = 0; i < kBoothTypeCount; ++i) {
        m_ui->boothTypeCombo->addItem(ToQt(BoothTypeName(i)));
    }
    m_ui->boothTypeCombo->setCurrentIndex(0);
    for (int i = 0; i < kProfileCount; ++i) {
        connect(ProfileButton(i), &QAbstractButton::clicked, this, [this, i] { SwitchTo(i); });
    }
    connect(m_ui->boothTypeCombo, &QComboBox::currentIndexChanged, this,
            &UserSettingsDialog::UpdateBannerUrl);
    GuardTextFields(Fields(*m_ui), host);
    m_ui->addressEdit->setTabChangesFocus(true);
    ShowProfile();
    ResizeToFitScreen(this);
}

UserSettingsDialog::~UserSettingsDialog() = default;

QAbstractButton* UserSettingsDialog::ProfileButton(int index) const {
    QAbstractButton* buttons[kProfileCount] = {m_ui->profileButton1, m_ui->profileButton2,
                                               m_ui->profileButton3, m_ui->profileButton4,
                                               m_ui->profileButton5};
    return buttons[index];
}

void UserSettingsDialog::SetNickname(const std::string& nickname) {
    m_editor = ProfileEditor(m_settings, nickname);
    ShowProfile();
}

void UserSettingsDialog::SetSelectionMode(bool on) {
    m_selecting = on;
    // The texts stay readable and selectable; the rest cannot be changed.
    for (const BoundField<SellerProfile>& f : Fields(*m_ui)) {
        if (auto* line = qobject_cast<QLineEdit*>(f.widget)) {
            line->setReadOnly(on);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(f.widget)) {
            text->setReadOnly(on);
        } else {
            f.widget->setEnabled(!on);
        }
    }
    m_ui->defaultCheck->setEnabled(!on);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)
        ->setText(on ? QStringLiteral("選択") : QStringLiteral("OK"));
    m_ui->buttonBox->button(QDialogButtonBox::Apply)->setEnabled(!on);
}

void UserSettingsDialog::ShowProfile() {
    const int shown = m_editor.shown();
    const SellerProfile& p = m_editor.shownProfile();
    for (int i = 0; i < kProfileCount; ++i) {
        ProfileButton(i)->setText(ToQt(m_editor.Caption(i)));
        ProfileButton(i)->setChecked(i == shown);
    }
    m_ui->defaultCheck->setChecked(m_editor.ShownIsDefault());
    ShowFields(Fields(*m_ui), p);
    UpdateBannerUrl();
}

void UserSettingsDialog::StoreShownProfile() {
    SellerProfile p = m_editor.shownProfile();
    StoreFields(Fields(*m_ui), p);
    m_editor.StoreShown(p, m_ui->defaultCheck->isChecked());
}

void UserSettingsDialog::SwitchTo(int index) {
    StoreShownProfile();
    m_editor.Show(index);
    ShowProfile();
}

void UserSettingsDialog::UpdateBannerUrl() {
    m_ui->bannerUrlEdit->setEnabled(m_ui->boothTypeCombo->currentIndex() == kBoothTypeOwnBanner);
}

bool UserSettingsDialog::Store() {
    if (m_selecting) {
        return true;
    }
    StoreShownProfile();
    m_editor.ApplyTo(m_settings);
    ShowProfile();
    emit sellerSettingsChanged();
    return true;
}

void UserSettingsDialog::OnWizardModeShown() {
    setWindowTitle(windowTitle() + QStringLiteral("　　(設定ウィザード　Step 2/6)"));
}

} // namespace hanamori
