#include "gui/settings/payment_settings_dialog.h"

#include "core/settings/settings_input.h"
#include "core/settings/user_settings.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "gui/widgets/settings_text.h"
#include "ui_payment_settings_dialog.h"

#include <QPushButton>

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

// Selects the item whose text is `stored` exactly; anything else keeps the first item.
void SelectType(QComboBox* combo, const std::string& stored) {
    int index = combo->findText(ToQt(stored), Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

std::string TypeOf(const QComboBox* combo) {
    return combo->currentIndex() >= 0 ? ToCp932Lossy(combo->currentText()) : std::string();
}

std::string TextOf(const QLineEdit* edit) {
    return ToCp932Lossy(edit->text());
}

} // namespace

PaymentSettingsDialog::PaymentSettingsDialog(Host& host, UserSettings& settings, QWidget* parent)
    : SettingsDialog(parent), m_ui(std::make_unique<Ui::PaymentSettingsDialog>()),
      m_settings(settings) {
    m_ui->setupUi(this);
    SetButtonBox(m_ui->buttonBox);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    m_ui->buttonBox->button(QDialogButtonBox::Apply)->setText(QStringLiteral("適用(&A)"));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->buttonBox->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { Store(); });

    for (const BankRow& row : BankRows(*m_ui)) {
        for (int i = 0; i < kBankTypeCount; ++i) {
            row.type->addItem(ToQt(BankTypeName(i)));
        }
        for (QLineEdit* e : {row.name, row.branch, row.number, row.holder}) {
            GuardCp932Input(e, host);
        }
    }
    for (const PostalRow& row : PostalRows(*m_ui)) {
        for (int i = 0; i < kPostalTypeCount; ++i) {
            row.type->addItem(ToQt(PostalTypeName(i)));
        }
        for (QLineEdit* e : {row.sign, row.number, row.holder}) {
            GuardCp932Input(e, host);
        }
    }
    GuardCp932Input(m_ui->otherPaymentEdit, host);
    m_ui->otherPaymentEdit->setTabChangesFocus(true);
    ShowSettings();
    ResizeToFitScreen(this);
}

PaymentSettingsDialog::~PaymentSettingsDialog() = default;

void PaymentSettingsDialog::ShowSettings() {
    auto banks = BankRows(*m_ui);
    for (std::size_t i = 0; i < banks.size(); ++i) {
        const BankAccount& b = m_settings.bank[i];
        banks[i].check->setChecked(b.check != 0);
        banks[i].name->setText(ToQt(b.bank_name));
        banks[i].branch->setText(ToQt(b.sub_name));
        SelectType(banks[i].type, b.type);
        banks[i].number->setText(ToQt(b.number));
        banks[i].holder->setText(ToQt(b.user_name));
    }
    auto postal = PostalRows(*m_ui);
    for (std::size_t i = 0; i < postal.size(); ++i) {
        const PostalAccount& y = m_settings.yuubin[i];
        postal[i].check->setChecked(y.check != 0);
        SelectType(postal[i].type, y.type);
        postal[i].sign->setText(ToQt(y.sign));
        postal[i].number->setText(ToQt(y.number));
        postal[i].holder->setText(ToQt(y.user_name));
    }
    m_ui->otherPaymentCheck->setChecked(m_settings.etc.check != 0);
    m_ui->otherPaymentEdit->setPlainText(MultilineToQt(m_settings.etc.text));
}

bool PaymentSettingsDialog::Store() {
    auto banks = BankRows(*m_ui);
    for (std::size_t i = 0; i < banks.size(); ++i) {
        BankAccount b;
        b.check = banks[i].check->isChecked() ? 1 : 0;
        b.bank_name = TextOf(banks[i].name);
        b.sub_name = TextOf(banks[i].branch);
        b.type = TypeOf(banks[i].type);
        b.number = TextOf(banks[i].number);
        b.user_name = TextOf(banks[i].holder);
        LimitPaymentInput(b);
        m_settings.bank[i] = b;
    }
    auto postal = PostalRows(*m_ui);
    for (std::size_t i = 0; i < postal.size(); ++i) {
        PostalAccount y;
        y.check = postal[i].check->isChecked() ? 1 : 0;
        y.type = TypeOf(postal[i].type);
        y.sign = TextOf(postal[i].sign);
        y.number = TextOf(postal[i].number);
        y.user_name = TextOf(postal[i].holder);
        LimitPaymentInput(y);
        m_settings.yuubin[i] = y;
    }
    OtherPayment other;
    other.check = m_ui->otherPaymentCheck->isChecked() ? 1 : 0;
    // Line breaks go back to CR LF, as the side file holds them.
    other.text = MultilineToCp932(m_ui->otherPaymentEdit->toPlainText(), kOtherPaymentRead);
    LimitPaymentInput(other);
    m_settings.etc = other;
    emit settingsStored();
    return true;
}

void PaymentSettingsDialog::OnWizardModeShown() {
    setWindowTitle(windowTitle() + QStringLiteral("　　(設定ウィザード　Step 4/6)"));
}

} // namespace hanamori
