#include "gui/settings/user_settings_dialog.h"

#include "core/settings/settings_input.h"
#include "core/shipping/prefectures.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "gui/widgets/settings_text.h"
#include "ui_user_settings_dialog.h"

#include <QPushButton>

namespace hanamori {

UserSettingsDialog::UserSettingsDialog(Host& host, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::UserSettingsDialog>()),
      m_settings(settings), m_editor(settings, std::nullopt) {
    m_ui->setupUi(this);
    SetButtonBox(m_ui->buttonBox);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    m_ui->buttonBox->button(QDialogButtonBox::Apply)->setText(QStringLiteral("適用(&A)"));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->buttonBox->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { Store(); });

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
    for (QLineEdit* e :
         {m_ui->nameEdit, m_ui->nicknameEdit, m_ui->mailEdit, m_ui->postEdit, m_ui->phoneEdit,
          m_ui->cityEdit, m_ui->bannerTextEdit, m_ui->bannerUrlEdit}) {
        GuardCp932Input(e, host);
    }
    GuardCp932Input(m_ui->addressEdit, host);
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
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        e->setReadOnly(on);
    }
    m_ui->addressEdit->setReadOnly(on);
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_ui->prefCombo, m_ui->kennameCheck, m_ui->cityRateCheck, m_ui->yAuctionCheck,
             m_ui->boothCheck, m_ui->boothTypeCombo, m_ui->defaultCheck}) {
        w->setEnabled(!on);
    }
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
    m_ui->nameEdit->setText(ToQt(p.name));
    m_ui->nicknameEdit->setText(ToQt(p.nickname));
    m_ui->mailEdit->setText(ToQt(p.mail));
    m_ui->postEdit->setText(ToQt(p.post));
    // A name that is not a prefecture leaves the list without a selection.
    m_ui->prefCombo->setCurrentIndex(PrefectureIndex(p.address1));
    m_ui->kennameCheck->setChecked(p.chk_kenname != 0);
    m_ui->addressEdit->setPlainText(MultilineToQt(p.address));
    m_ui->phoneEdit->setText(ToQt(p.phone));
    m_ui->cityRateCheck->setChecked(p.chk_address2 != 0);
    m_ui->cityEdit->setText(ToQt(p.address2));
    m_ui->yAuctionCheck->setChecked(p.y_auction != 0);
    m_ui->boothCheck->setChecked(p.mybooth_flag != 0);
    bool known_type = p.mybooth_type >= 0 && p.mybooth_type < kBoothTypeCount;
    m_ui->boothTypeCombo->setCurrentIndex(known_type ? p.mybooth_type : -1);
    m_ui->bannerTextEdit->setText(ToQt(p.banner_text));
    m_ui->bannerUrlEdit->setText(ToQt(p.bunner_url));
    UpdateBannerUrl();
}

void UserSettingsDialog::StoreShownProfile() {
    SellerProfile p = m_editor.shownProfile();
    p.name = ToCp932Lossy(m_ui->nameEdit->text());
    p.nickname = ToCp932Lossy(m_ui->nicknameEdit->text());
    p.mail = ToCp932Lossy(m_ui->mailEdit->text());
    p.post = ToCp932Lossy(m_ui->postEdit->text());
    p.address1 = m_ui->prefCombo->currentIndex() >= 0
                     ? PrefectureName(m_ui->prefCombo->currentIndex())
                     : std::string();
    p.chk_kenname = m_ui->kennameCheck->isChecked() ? 1 : 0;
    p.address = MultilineToCp932(m_ui->addressEdit->toPlainText(), kProfileAddressRead);
    p.phone = ToCp932Lossy(m_ui->phoneEdit->text());
    p.chk_address2 = m_ui->cityRateCheck->isChecked() ? 1 : 0;
    p.address2 = ToCp932Lossy(m_ui->cityEdit->text());
    p.y_auction = m_ui->yAuctionCheck->isChecked() ? 1 : 0;
    p.mybooth_flag = m_ui->boothCheck->isChecked() ? 1 : 0;
    // An unknown stored style stays as it was while nothing is chosen.
    if (m_ui->boothTypeCombo->currentIndex() >= 0) {
        p.mybooth_type = m_ui->boothTypeCombo->currentIndex();
    }
    p.banner_text = ToCp932Lossy(m_ui->bannerTextEdit->text());
    p.bunner_url = ToCp932Lossy(m_ui->bannerUrlEdit->text());
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
