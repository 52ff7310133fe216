#include "gui/mail/mail_page.h"

#include "core/app/helpers.h"
#include "core/document/listing_resources.h"
#include "core/document/sale_master_doc.h"
#include "core/listing/records.h"
#include "core/mail/guidance_mail.h"
#include "core/mail/mail_template_list.h"
#include "core/settings/user_settings.h"
#include "core/shipping/prefectures.h"
#include "core/text/cp932.h"
#include "gui/widgets/field_codes.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/settings_text.h"
#include "gui/widgets/window_dialogs.h"
#include "ui_mail_page.h"

namespace hanamori {
namespace {
// Bytes the page reads from a seller field or the other-payment text.
constexpr std::size_t kPageFieldRead = 1023;

int ControlCode(const QWidget* control) {
    return control->property("fieldCode").toInt();
}

void SetLine(QLineEdit* edit, const std::string& cp932) {
    edit->setText(ToQt(cp932));
    edit->setCursorPosition(0);
}

std::string SellerField(const QLineEdit* edit, std::size_t capacity) {
    return FitField(LineToCp932(edit->text(), kPageFieldRead), capacity);
}
} // namespace

MailPage::MailPage(Host& host, WindowDialogs& dialogs, CSaleMasterDoc& doc, DocumentView& view,
                   UserSettings& settings, QWidget* parent)
    : TabPage(host, parent), m_dialogs(dialogs), m_doc(doc), m_view(view), m_settings(settings) {
    setObjectName(QStringLiteral("mailPage"));
}

MailPage::~MailPage() = default;

void MailPage::showEvent(QShowEvent* event) {
    EnsureBuilt();
    TabPage::showEvent(event);
}

void MailPage::EnsureBuilt() {
    if (m_ui) {
        return;
    }
    ChangeNotifyPause pause;
    m_ui = std::make_unique<Ui::MailPage>();
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("mailPage"));
    for (const MailTemplate& t : m_doc.resources().mail_templates().entries()) {
        m_ui->templateCombo->addItem(ToQt(t.name));
    }
    m_ui->templateCombo->setCurrentIndex(m_ui->templateCombo->count() > 0 ? 0 : -1);
    for (const std::string& name : Prefectures()) {
        m_ui->sellerPrefCombo->addItem(ToQt(name));
    }
    m_ui->sellerPrefCombo->setCurrentIndex(0);
    for (QPlainTextEdit* e : {m_ui->commentEdit, m_ui->otherPaymentEdit, m_ui->sellerAddressEdit}) {
        e->setTabChangesFocus(true);
    }
    // Two lines each, so both columns fit the form.
    const int two_lines = fontMetrics().lineSpacing() * 2 + 12;
    m_ui->otherPaymentEdit->setMaximumHeight(two_lines);
    m_ui->sellerAddressEdit->setMaximumHeight(two_lines);
    WireControls();

    connect(m_ui->mailBidderCombo, &QComboBox::currentIndexChanged, this,
            &MailPage::OnBidderChosen);
    connect(m_ui->mailCommentCheck, &QCheckBox::clicked, this, &MailPage::OnMailCommentClicked);
    connect(m_ui->enterBidderButton, &QPushButton::clicked, this, [this] { m_view.SelectTab(1); });
    connect(m_ui->buildMailButton, &QPushButton::clicked, this, &MailPage::BuildMail);
    connect(m_ui->loadOtherButton, &QPushButton::clicked, this, &MailPage::LoadOtherPaymentText);
    connect(m_ui->editPaymentButton, &QPushButton::clicked, this, &MailPage::EditPaymentSettings);
    connect(m_ui->editSellerButton, &QPushButton::clicked, this, &MailPage::EditSellerSettings);
    connect(m_ui->importSellerButton, &QPushButton::clicked, this, &MailPage::ImportSeller);

    ShowAccountNames();
    if (m_listing) {
        FillMailBlock();
        FillBidderCombo();
    }
    ShowBidder();
}

void MailPage::WireControls() {
    Ui::MailPage& u = *m_ui;
    // Control identifiers (text fields 5300-5325, so the edit commands reach them) and
    // the field codes that decide whether a change marks the listing modified.
    WireField(u.sellerPhoneEdit, 5300, 79);
    WireField(u.totalEdit, 5301, 80);
    WireField(u.bidderPrefEdit, 5302, 81);
    WireField(u.bidderZipEdit, 5303, 82);
    WireField(u.bidderAddressEdit, 5304, 83);
    WireField(u.postal2Edit, 5305, 85);
    WireField(u.postal1Edit, 5306, 86);
    WireField(u.shipCostEdit, 5307, 87);
    WireField(u.otherChargeEdit, 5308, 88);
    WireField(u.otherPaymentEdit, 5309, 89);
    WireField(u.countEdit, 5310, 90);
    WireField(u.priceEdit, 5311, 91);
    WireField(u.sellerZipEdit, 5312, 92);
    WireField(u.sellerNicknameEdit, 5313, 93);
    WireField(u.sellerNameEdit, 5314, 94);
    WireField(u.sellerMailEdit, 5315, 95);
    WireField(u.sellerAddressEdit, 5316, 96);
    WireField(u.shipMethodEdit, 5317, 97);
    WireField(u.commentEdit, 5318, 98);
    WireField(u.bidderNicknameEdit, 5319, 99);
    WireField(u.bidderMailEdit, 5320, 100);
    WireField(u.bank4Edit, 5321, 103);
    WireField(u.bank3Edit, 5322, 104);
    WireField(u.bank2Edit, 5323, 105);
    WireField(u.bank1Edit, 5324, 106);
    WireField(u.bidderNameEdit, 5325, 122);
    WireField(u.templateCombo, 1300, 107);
    WireField(u.sellerPrefCombo, 1301, 109);
    WireField(u.mailBidderCombo, 1302, 110);
    WireField(u.postal2Check, 1303, 112);
    WireField(u.postal1Check, 1304, 113);
    WireField(u.otherPaymentCheck, 1305, 114);
    WireField(u.mailCommentCheck, 1306, 115);
    WireField(u.bank4Check, 1307, 118);
    WireField(u.bank3Check, 1308, 119);
    WireField(u.bank2Check, 1309, 120);
    WireField(u.bank1Check, 1310, 121);
}

void MailPage::ShowListing(SaleMaster& listing) {
    m_listing = &listing;
    if (!m_ui) {
        return;
    }
    ChangeNotifyPause pause;
    FillMailBlock();
    ShowAccountNames();
    FillBidderCombo();
    ShowBidder();
}

void MailPage::FillMailBlock() {
    const MailRecord& m = m_listing->mail;
    m_ui->bank1Check->setChecked(m.bank1 != 0);
    m_ui->bank2Check->setChecked(m.bank2 != 0);
    m_ui->bank3Check->setChecked(m.bank3 != 0);
    m_ui->bank4Check->setChecked(m.bank4 != 0);
    m_ui->postal1Check->setChecked(m.postal1 != 0);
    m_ui->postal2Check->setChecked(m.postal2 != 0);
    m_ui->otherPaymentCheck->setChecked(m.use_other_payment != 0);
    m_ui->otherPaymentEdit->setPlainText(MultilineToQt(m.other_payment_text));
    SetLine(m_ui->sellerNameEdit, m.seller_name);
    SetLine(m_ui->sellerNicknameEdit, m.seller_nickname);
    SetLine(m_ui->sellerMailEdit, m.seller_mail);
    SetLine(m_ui->sellerZipEdit, m.seller_zip);
    // A name that is not a prefecture leaves the list without a selection.
    m_ui->sellerPrefCombo->setCurrentIndex(PrefectureIndex(m.seller_pref));
    m_ui->sellerAddressEdit->setPlainText(MultilineToQt(m.seller_address));
    SetLine(m_ui->sellerPhoneEdit, m.seller_phone);
}

void MailPage::StoreListing(SaleMaster& listing) {
    // A page never shown holds nothing of the listing's: its mail block stays as read.
    if (!m_ui || m_listing != &listing) {
        return;
    }
    MailRecord& m = listing.mail;
    m.bank1 = m_ui->bank1Check->isChecked() ? 1 : 0;
    m.bank2 = m_ui->bank2Check->isChecked() ? 1 : 0;
    m.bank3 = m_ui->bank3Check->isChecked() ? 1 : 0;
    m.bank4 = m_ui->bank4Check->isChecked() ? 1 : 0;
    m.postal1 = m_ui->postal1Check->isChecked() ? 1 : 0;
    m.postal2 = m_ui->postal2Check->isChecked() ? 1 : 0;
    m.use_other_payment = m_ui->otherPaymentCheck->isChecked() ? 1 : 0;
    m.other_payment_text = MultilineToCp932(m_ui->otherPaymentEdit->toPlainText(), kPageFieldRead);
    m.seller_name = SellerField(m_ui->sellerNameEdit, kPersonTextCapacity);
    m.seller_nickname = SellerField(m_ui->sellerNicknameEdit, kPersonTextCapacity);
    m.seller_mail = SellerField(m_ui->sellerMailEdit, kMailAddressCapacity);
    m.seller_zip = SellerField(m_ui->sellerZipEdit, kPersonTextCapacity);
    int pref = m_ui->sellerPrefCombo->currentIndex();
    m.seller_pref = pref >= 0 ? PrefectureName(pref) : std::string();
    m.seller_address = MultilineToCp932(m_ui->sellerAddressEdit->toPlainText(), kPageFieldRead);
    m.seller_phone = SellerField(m_ui->sellerPhoneEdit, kPersonTextCapacity);
}

void MailPage::ShowBidders(SaleMaster& listing) {
    m_listing = &listing;
    if (!m_ui) {
        EnsureBuilt();
        return;
    }
    ChangeNotifyPause pause;
    FillBidderCombo();
    ShowBidder();
}

void MailPage::FillBidderCombo() {
    const CustomerList& list = m_listing->customers_edit;
    m_filling = true;
    m_ui->mailBidderCombo->clear();
    for (const CustomerRecord& r : list.records()) {
        m_ui->mailBidderCombo->addItem(ToQt(r.nickname));
    }
    m_ui->mailBidderCombo->setCurrentIndex(list.Current() ? list.current : -1);
    m_filling = false;
}

void MailPage::ShowBidder() {
    ChangeNotifyPause pause;
    const CustomerRecord* bidder = m_listing ? m_listing->customers_edit.Current() : nullptr;
    BidderView v = ViewOfBidder(bidder);
    SetLine(m_ui->bidderNameEdit, v.name);
    SetLine(m_ui->bidderNicknameEdit, v.nickname);
    SetLine(m_ui->bidderMailEdit, v.mail);
    SetLine(m_ui->priceEdit, v.price);
    SetLine(m_ui->countEdit, v.count);
    SetLine(m_ui->shipMethodEdit, v.ship_method);
    SetLine(m_ui->shipCostEdit, v.ship_cost);
    SetLine(m_ui->otherChargeEdit, v.other_charge);
    SetLine(m_ui->totalEdit, v.total);
    SetLine(m_ui->bidderZipEdit, v.zip);
    SetLine(m_ui->bidderPrefEdit, v.pref);
    SetLine(m_ui->bidderAddressEdit, v.address);
    SetLine(m_ui->bidderPhoneEdit, v.phone);
    m_ui->commentEdit->setPlainText(MultilineToQt(v.comment));
    m_ui->mailCommentCheck->setChecked(v.mail_comment);
    m_ui->mailCommentCheck->setEnabled(m_listing && m_listing->customers_edit.count() > 0);
}

void MailPage::OnBidderChosen(int index) {
    if (m_filling || !m_listing || index < 0) {
        return;
    }
    m_listing->customers_edit.current = index;
    ShowBidder();
}

void MailPage::OnMailCommentClicked(bool checked) {
    if (!m_listing) {
        return;
    }
    if (CustomerRecord* bidder = m_listing->customers_edit.Current()) {
        bidder->mail_comment = checked ? 1 : 0;
    }
}

void MailPage::ShowAccountNames() {
    if (!m_ui) {
        return; // the build shows them
    }
    ChangeNotifyPause pause;
    QLineEdit* banks[kBankCount] = {m_ui->bank1Edit, m_ui->bank2Edit, m_ui->bank3Edit,
                                    m_ui->bank4Edit};
    for (std::size_t i = 0; i < kBankCount; ++i) {
        SetLine(banks[i], m_settings.bank[i].bank_name);
    }
    SetLine(m_ui->postal1Edit, m_settings.yuubin[0].type);
    SetLine(m_ui->postal2Edit, m_settings.yuubin[1].type);
}

std::string MailPage::SellerNickname() const {
    return SellerField(m_ui->sellerNicknameEdit, kPersonTextCapacity);
}

void MailPage::BuildMail() {
    EnsureBuilt();
    m_view.StoreAllTabs();
    SaleMaster& listing = m_doc.listing();
    std::optional<std::string> name;
    int index = m_ui->templateCombo->currentIndex();
    if (index >= 0) {
        name = ToCp932Lossy(m_ui->templateCombo->itemText(index));
    }
    MailContext ctx{listing, m_settings, m_doc.resources().shipping()};
    if (!BuildGuidanceMail(m_doc.resources().mail_templates(), name, ctx, InstallDir())) {
        host().ShowMessage("プレビューの作成に失敗しました。"_sj, MessageIcon::Stop);
        return;
    }
    const CustomerRecord* bidder = SelectedBidder(listing);
    if (bidder) {
        m_dialogs.ShowMail(bidder->name, bidder->nickname, bidder->mail);
    } else {
        m_dialogs.ShowMail({}, {}, {});
    }
}

void MailPage::LoadOtherPaymentText() {
    EnsureBuilt();
    m_ui->otherPaymentEdit->setPlainText(MultilineToQt(m_settings.etc.text));
    // Marks the listing modified even when the text was the same.
    emit fieldChanged(kChangeText, ControlCode(m_ui->otherPaymentEdit));
}

void MailPage::EditPaymentSettings() {
    m_dialogs.EditPaymentSettings([this] { ShowAccountNames(); });
}

void MailPage::EditSellerSettings() {
    EnsureBuilt();
    m_dialogs.EditUserSettings(SellerNickname());
}

void MailPage::ImportSeller() {
    EnsureBuilt();
    std::optional<int> chosen = m_dialogs.ChooseSellerProfile(SellerNickname());
    if (!chosen || *chosen < 0 || *chosen >= kProfileCount) {
        return;
    }
    MailRecord seller;
    CopySellerProfile(m_settings.personal[static_cast<std::size_t>(*chosen)], seller);
    SetLine(m_ui->sellerZipEdit, seller.seller_zip);
    SetLine(m_ui->sellerNicknameEdit, seller.seller_nickname);
    SetLine(m_ui->sellerNameEdit, seller.seller_name);
    SetLine(m_ui->sellerMailEdit, seller.seller_mail);
    m_ui->sellerPrefCombo->setCurrentIndex(PrefectureIndex(seller.seller_pref));
    m_ui->sellerAddressEdit->setPlainText(MultilineToQt(seller.seller_address));
    SetLine(m_ui->sellerPhoneEdit, seller.seller_phone);
    emit fieldChanged(kChangeText, ControlCode(m_ui->sellerNicknameEdit));
}

} // namespace hanamori
