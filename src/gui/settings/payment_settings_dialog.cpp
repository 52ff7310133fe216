#include "gui/settings/payment_settings_dialog.h"

#include "core/settings/settings_input.h"
#include "core/settings/user_settings.h"
#include "gui/widgets/field_binding.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "ui_payment_settings_dialog.h"

#include <QPushButton>

#include <vector>

namespace hanamori {
namespace {

struct BankRow {
    QCheckBox* check;
    QLineEdit *name, *branch;
    QComboBox* type;
    QLineEdit *number, *holder;
};

struct PostalRow {
    QCheckBox* check;
    QComboBox* type;
    QLineEdit *sign, *number, *holder;
};

std::array<BankRow, kBankCount> BankRows(Ui::PaymentSettingsDialog& ui) {
    return {{
        {ui.bankCheck1, ui.bankNameEdit1, ui.branchNameEdit1, ui.bankTypeCombo1, ui.bankNumberEdit1,
         ui.bankHolderEdit1},
        {ui.bankCheck2, ui.bankNameEdit2, ui.branchNameEdit2, ui.bankTypeCombo2, ui.bankNumberEdit2,
         ui.bankHolderEdit2},
        {ui.bankCheck3, ui.bankNameEdit3, ui.branchNameEdit3, ui.bankTypeCombo3, ui.bankNumberEdit3,
         ui.bankHolderEdit3},
        {ui.bankCheck4, ui.bankNameEdit4, ui.branchNameEdit4, ui.bankTypeCombo4, ui.bankNumberEdit4,
         ui.bankHolderEdit4},
    }};
}

std::array<PostalRow, kPostalCount> PostalRows(Ui::PaymentSettingsDialog& ui) {
    return {{
        {ui.postalCheck1, ui.postalTypeCombo1, ui.postalSignEdit1, ui.postalNumberEdit1,
         ui.postalHolderEdit1},
        {ui.postalCheck2, ui.postalTypeCombo2, ui.postalSignEdit2, ui.postalNumberEdit2,
         ui.postalHolderEdit2},
    }};
}

// The fields of one row, bound to its account. A type not in the list shows the first.
constexpr std::size_t kWhole = std::string::npos; // the core cuts the texts after reading

std::vector<BoundField<BankAccount>> BankFields(const BankRow& row) {
    using B = BankAccount;
    using S = FieldShape;
    return {
        {row.check, 0, 0, &B::check, S::Flag},
        {row.name, 0, 0, &B::bank_name, S::Line, kWhole},
        {row.branch, 0, 0, &B::sub_name, S::Line, kWhole},
        {row.type, 0, 0, &B::type, S::NameOrFirst, kWhole},
        {row.number, 0, 0, &B::number, S::Line, kWhole},
        {row.holder, 0, 0, &B::user_name, S::Line, kWhole},
    };
}

std::vector<BoundField<PostalAccount>> PostalFields(const PostalRow& row) {
    using P = PostalAccount;
    using S = FieldShape;
    return {
        {row.check, 0, 0, &P::check, S::Flag},
        {row.type, 0, 0, &P::type, S::NameOrFirst, kWhole},
        {row.sign, 0, 0, &P::sign, S::Line, kWhole},
        {row.number, 0, 0, &P::number, S::Line, kWhole},
        {row.holder, 0, 0, &P::user_name, S::Line, kWhole},
    };
}

std::vector<BoundField<OtherPayment>> OtherFields(Ui::PaymentSettingsDialog& ui) {
    using O = OtherPayment;
    using S = FieldShape;
    // Line breaks go back to CR LF, as the side file holds them.
    return {
        {ui.otherPaymentCheck, 0, 0, &O::check, S::Flag},
        {ui.otherPaymentEdit, 0, 0, &O::text, S::Lines, kOtherPaymentRead},
    };
}

} // namespace

PaymentSettingsDialog::PaymentSettingsDialog(Host& host, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::PaymentSettingsDialog>()),
      m_settings(settings) {
    m_ui->setupUi(this);
    SetButtonBox(m_ui->buttonBox);

    for (const BankRow& row : BankRows(*m_ui)) {
        for (int i = 0; i < kBankTypeCount; ++i) {
            row.type->addItem(ToQt(BankTypeName(i)));
        }
        GuardTextFields(BankFields(row), host);
    }
    for (const PostalRow& row : PostalRows(*m_ui)) {
        for (int i = 0; i < kPostalTypeCount; ++i) {
            row.type->addItem(ToQt(PostalTypeName(i)));
        }
        GuardTextFields(PostalFields(row), host);
    }
    GuardTextFields(OtherFields(*m_ui), host);
    m_ui->otherPaymentEdit->setTabChangesFocus(true);
    ShowSettings();
    ResizeToFitScreen(this);
}

PaymentSettingsDialog::~PaymentSettingsDialog() = default;

void PaymentSettingsDialog::ShowSettings() {
    auto banks = BankRows(*m_ui);
    for (std::size_t i = 0; i < banks.size(); ++i) {
        ShowFields(BankFields(banks[i]), m_settings.bank[i]);
    }
    auto postal = PostalRows(*m_ui);
    for (std::size_t i = 0; i < postal.size(); ++i) {
        ShowFields(PostalFields(postal[i]), m_settings.yuubin[i]);
    }
    ShowFields(OtherFields(*m_ui), m_settings.etc);
}

bool PaymentSettingsDialog::Store() {
    auto banks = BankRows(*m_ui);
    for (std::size_t i = 0; i < banks.size(); ++i) {
        BankAccount b;
        StoreFields(BankFields(banks[i]), b);
        LimitPaymentInput(b);
        m_settings.bank[i] = b;
    }
    auto postal = PostalRows(*m_ui);
    for (std::size_t i = 0; i < postal.size(); ++i) {
        PostalAccount y;
        StoreFields(PostalFields(postal[i]), y);
        LimitPaymentInput(y);
        m_settings.yuubin[i] = y;
    }
    OtherPayment other;
    StoreFields(OtherFields(*m_ui), other);
    LimitPaymentInput(other);
    m_settings.etc = other;
    emit settingsStored();
    return true;
}

void PaymentSettingsDialog::OnWizardModeShown() {
    setWindowTitle(windowTitle() + QStringLiteral("　　(設定ウィザード　Step 4/6)"));
}

} // namespace hanamori
