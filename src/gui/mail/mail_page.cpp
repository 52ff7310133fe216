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
// Bytes the page reads from a many-lined seller field or the other-payment text.
constexpr std::size_t kPageFieldRead = 1023;

void SetLine(QLineEdit* edit, const std::string& cp932) {
    edit->setText(ToQt(cp932));
    edit->setCursorPosition(0);
}

// Shows the fields with the start of each one-line text in view.
template <typename Record>
void ShowFromStart(std::span<const BoundField<Record>> fields, const Record& record) {
    for (const BoundField<Record>& f : fields) {
        ShowField(f, record);
        if (auto* line = qobject_cast<QLineEdit*>(f.widget); line && f.HasMember()) {
            line->setCursorPosition(0);
        }
    }
}
} // namespace

MailPage::MailPage(Host& host, WindowDialogs& dialogs, CSaleMasterDoc& doc, DocumentView& view,
                   UserSettings& settings, QWidget* parent)
    : TabPage(host, parent), m_dialogs(dialogs), m_doc(doc), m_view(view), m_settings(settings) {
    setObjectName(QStringLiteral("mailPage"));
}

MailPage::~MailPage() = default;

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
    using M = MailRecord;
    using V = BidderView;
    using S = FieldShape;
    // Text fields 5300-5325, so that the edit commands reach them.
    m_mailFields = {
        {u.sellerPhoneEdit, 5300, 79, &M::seller_phone, S::Line, kPersonTextCapacity},
        {u.postal2Edit, 5305, 85, {}, S::Shown},
        {u.postal1Edit, 5306, 86, {}, S::Shown},
        {u.otherPaymentEdit, 5309, 89, &M::other_payment_text, S::Lines, kPageFieldRead},
        {u.sellerZipEdit, 5312, 92, &M::seller_zip, S::Line, kPersonTextCapacity},
        {u.sellerNicknameEdit, 5313, 93, &M::seller_nickname, S::Line, kPersonTextCapacity},
        {u.sellerNameEdit, 5314, 94, &M::seller_name, S::Line, kPersonTextCapacity},
        {u.sellerMailEdit, 5315, 95, &M::seller_mail, S::Line, kMailAddressCapacity},
        {u.sellerAddressEdit, 5316, 96, &M::seller_address, S::Lines, kPageFieldRead},
        {u.bank4Edit, 5321, 103, {}, S::Shown},
        {u.bank3Edit, 5322, 104, {}, S::Shown},
        {u.bank2Edit, 5323, 105, {}, S::Shown},
        {u.bank1Edit, 5324, 106, {}, S::Shown},
        {u.templateCombo, 1300, 107, {}, S::Shown},
        {u.sellerPrefCombo, 1301, 109, &M::seller_pref, S::NameOrNone, kPrefCapacity},
        {u.postal2Check, 1303, 112, &M::postal2, S::Flag},
        {u.postal1Check, 1304, 113, &M::postal1, S::Flag},
        {u.otherPaymentCheck, 1305, 114, &M::use_other_payment, S::Flag},
        {u.bank4Check, 1307, 118, &M::bank4, S::Flag},
        {u.bank3Check, 1308, 119, &M::bank3, S::Flag},
        {u.bank2Check, 1309, 120, &M::bank2, S::Flag},
        {u.bank1Check, 1310, 121, &M::bank1, S::Flag},
    };
    // The selected bidder, shown only.
    m_bidderFields = {
        {u.totalEdit, 5301, 80, &V::total, S::Shown},
        {u.bidderPrefEdit, 5302, 81, &V::pref, S::Shown},
        {u.bidderZipEdit, 5303, 82, &V::zip, S::Shown},
        {u.bidderAddressEdit, 5304, 83, &V::address, S::Shown},
        {u.shipCostEdit, 5307, 87, &V::ship_cost, S::Shown},
        {u.otherChargeEdit, 5308, 88, &V::other_charge, S::Shown},
        {u.countEdit, 5310, 90, &V::count, S::Shown},
        {u.priceEdit, 5311, 91, &V::price, S::Shown},
        {u.shipMethodEdit, 5317, 97, &V::ship_method, S::Shown},
        {u.commentEdit, 5318, 98, &V::comment, S::Shown},
        {u.bidderNicknameEdit, 5319, 99, &V::nickname, S::Shown},
        {u.bidderMailEdit, 5320, 100, &V::mail, S::Shown},
        {u.bidderNameEdit, 5325, 122, &V::name, S::Shown},
        {u.bidderPhoneEdit, 0, 0, &V::phone, S::Shown},
        {u.mailBidderCombo, 1302, 110, {}, S::Shown},
        {u.mailCommentCheck, 1306, 115, {}, S::Shown},
    };
    WireFields(MailFields());
    WireFields(BidderFields());
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
    // A name that is not a prefecture leaves the list without a selection.
    ShowFromStart(MailFields(), m_listing->mail);
}

void MailPage::StoreListing(SaleMaster& listing) {
    // A page never shown holds nothing of the listing's: its mail block stays as read.
    if (!m_ui || m_listing != &listing) {
        return;
    }
    StoreFields(MailFields(), listing.mail);
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
    ShowFromStart(BidderFields(), v);
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
    MailRecord shown;
    StoreField(*FieldOn(MailFields(), m_ui->sellerNicknameEdit), shown);
    return shown.seller_nickname;
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
    const std::string missing = MissingMailNamesWarning(listing);
    if (!missing.empty()) {
        host().ShowMessage(missing, MessageIcon::Exclamation);
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
    emit fieldChanged(kChangeText, FieldOn(MailFields(), m_ui->otherPaymentEdit)->code);
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
    // Every text of the block but the other-payment text is the seller's.
    for (const BoundField<MailRecord>& f : MailFields()) {
        auto* text = std::get_if<std::string MailRecord::*>(&f.member);
        if (text && *text != &MailRecord::other_payment_text) {
            ShowField(f, seller);
            if (auto* line = qobject_cast<QLineEdit*>(f.widget)) {
                line->setCursorPosition(0);
            }
        }
    }
    emit fieldChanged(kChangeText, FieldOn(MailFields(), m_ui->sellerNicknameEdit)->code);
}

} // namespace hanamori
