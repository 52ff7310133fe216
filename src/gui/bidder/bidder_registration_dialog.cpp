#include "gui/bidder/bidder_registration_dialog.h"

#include "core/app/host.h"
#include "gui/widgets/edit_routing.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "ui_bidder_registration_dialog.h"

#include <QKeyEvent>
#include <QPushButton>

namespace hanamori {

BidderRegistrationDialog::BidderRegistrationDialog(Host& host, const CustomerList& registered,
                                                   QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::BidderRegistrationDialog>()), m_host(host),
      m_registered(registered) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("登録"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    m_ui->countEdit->setText(QStringLiteral("1"));
    m_ui->countUpButton->setAccessibleName(QStringLiteral("落札数を増やす"));
    m_ui->countDownButton->setAccessibleName(QStringLiteral("落札数を減らす"));
    m_ui->countUpButton->setFocusPolicy(Qt::NoFocus);
    m_ui->countDownButton->setFocusPolicy(Qt::NoFocus);
    SetControlId(m_ui->nicknameEdit, 5001);
    SetControlId(m_ui->mailEdit, 5002);
    SetControlId(m_ui->priceEdit, 5003);
    SetControlId(m_ui->countEdit, 5004);
    // Each field takes what the registration keeps of it; the amounts take full-width
    // digits as digits.
    GuardCp932Input(m_ui->nicknameEdit, host, {kRegistrationNicknameMax});
    GuardCp932Input(m_ui->mailEdit, host, {kRegistrationMailMax});
    GuardCp932Input(m_ui->priceEdit, host, {kRegistrationAmountMax, true});
    GuardCp932Input(m_ui->countEdit, host, {kRegistrationAmountMax, true});
    m_ui->countEdit->installEventFilter(this);
    connect(m_ui->countUpButton, &QToolButton::clicked, this, [this] { StepCount(1); });
    connect(m_ui->countDownButton, &QToolButton::clicked, this, [this] { StepCount(-1); });
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &BidderRegistrationDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &BidderRegistrationDialog::reject);
    setFixedSize(sizeHint());
}

BidderRegistrationDialog::~BidderRegistrationDialog() = default;

bool BidderRegistrationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->countEdit && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepCount(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BidderRegistrationDialog::StepCount(int delta) {
    int value = ParseAmountField(ToCp932Lossy(m_ui->countEdit->text()), false).value_or(0);
    m_ui->countEdit->setText(QString::number(hanamori::StepCount(value, delta)));
}

void BidderRegistrationDialog::accept() {
    const std::string price = ToCp932Lossy(m_ui->priceEdit->text());
    NewBidder b = ReadRegistration(ToCp932Lossy(m_ui->nicknameEdit->text()),
                                   ToCp932Lossy(m_ui->mailEdit->text()), price,
                                   ToCp932Lossy(m_ui->countEdit->text()));
    if (auto refusal = RegistrationRefusal(m_registered, b.nickname)) {
        m_host.ShowMessage(*refusal, MessageIcon::Exclamation);
        return;
    }
    // A price that is no amount is not taken as another one: the seller corrects it.
    if (!CleanAmount(price)) {
        m_host.ShowMessage(PriceRefusal(), MessageIcon::Information);
        m_ui->priceEdit->setFocus(Qt::OtherFocusReason);
        m_ui->priceEdit->selectAll();
        return;
    }
    m_bidder = b;
    QDialog::accept();
}

std::optional<NewBidder> BidderRegistrationDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_bidder;
}

} // namespace hanamori
