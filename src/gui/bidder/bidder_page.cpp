#include "gui/bidder/bidder_page.h"

#include "core/app/helpers.h"
#include "core/app/host.h"
#include "core/document/dealings.h"
#include "core/listing/bidders.h"
#include "core/listing/records.h"
#include "core/shipping/prefectures.h"
#include "core/shipping/shipping_tool.h"
#include "core/text/cp932.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/settings_text.h"
#include "gui/widgets/window_dialogs.h"
#include "ui_bidder_page.h"

#include <QKeyEvent>

#include <algorithm>
#include <vector>

namespace hanamori {
namespace {

constexpr int kBidderComboCode = 47, kTotalCode = 48;
constexpr std::size_t kMemoCapacity = 32768;
// A bidder's text fields keep at most this much, whatever their record's capacity.
constexpr std::size_t kBidderFieldCapacity = kBidderFieldMax + 1;

} // namespace

// A stage box with its date edit.
struct BidderPage::Stage {
    QCheckBox* box;
    QLineEdit* date;
};

BidderPage::BidderPage(Host& host, WindowDialogs& dialogs, QWidget* parent)
    : TabPage(host, parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("bidderPage"));
    connect(this, &TabPage::fieldLeft, this, &BidderPage::OnFieldLeft);
}

BidderPage::~BidderPage() = default;

void BidderPage::EnsureBuilt() {
    if (m_ui) {
        return;
    }
    ChangeNotifyPause pause;
    m_ui = std::make_unique<Ui::BidderPage>();
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("bidderPage"));
    for (const std::string& pref : Prefectures()) {
        m_ui->prefCombo->addItem(ToQt(pref));
    }
    m_ui->prefCombo->setCurrentIndex(-1);
    WireControls();
    if (m_listing) {
        FillProduct();
        FillBidderCombo();
        ShowSelectedBidder();
    } else {
        EnableBidderFields(false);
    }
}

void BidderPage::WireControls() {
    Ui::BidderPage& ui = *m_ui;
    using A = AuctionRecord;
    using C = CustomerRecord;
    using S = FieldShape;
    // Text fields 5000-5999: the clipboard commands reach them, the tag commands do not.
    m_pageFields = {
        {ui.listedCheck, 1201, 70, &A::listed, S::Flag},
        {ui.endedCheck, 1202, 50, &A::ended, S::Flag},
        {ui.completedCheck, 1203, 76, &A::completed, S::Flag},
        {ui.listedDateEdit, 5181, 58, &A::listed_date, S::Line, kDateCapacity},
        {ui.endedDateEdit, 5182, 49, &A::ended_date, S::Line, kDateCapacity},
        {ui.completedDateEdit, 5183, 64, &A::completed_date, S::Line, kDateCapacity},
        {ui.memoEdit, 5180, 55, &A::memo, S::Lines, kMemoCapacity - 1},
        {ui.bidderCombo, 1101, kBidderComboCode, {}, S::Shown},
    };
    constexpr std::size_t kPerson = std::min(kPersonTextCapacity, kBidderFieldCapacity);
    constexpr std::size_t kMail = std::min(kMailAddressCapacity, kBidderFieldCapacity);
    constexpr std::size_t kDate = std::min(kDateCapacity, kBidderFieldCapacity);
    m_bidderFields = {
        {ui.noticeSentCheck, 1211, 75, &C::notice_sent, S::Flag},
        {ui.methodToldCheck, 1212, 74, &C::method_told, S::Flag},
        {ui.paidCheck, 1213, 71, &C::paid, S::Flag},
        {ui.shippedCheck, 1214, 73, &C::shipped, S::Flag},
        {ui.closedCheck, 1215, 72, &C::closed, S::Flag},
        {ui.noticeSentDateEdit, 5191, 63, &C::notice_sent_date, S::Line, kDate},
        {ui.methodToldDateEdit, 5192, 62, &C::method_told_date, S::Line, kDate},
        {ui.paidDateEdit, 5193, 59, &C::paid_date, S::Line, kDate},
        {ui.shippedDateEdit, 5194, 61, &C::shipped_date, S::Line, kDate},
        {ui.closedDateEdit, 5195, 60, &C::closed_date, S::Line, kDate},
        {ui.nameEdit, 5196, 77, &C::name, S::Line, kPerson},
        {ui.nicknameEdit, 5197, 66, &C::nickname, S::Shown},
        {ui.mailEdit, 5198, 67, &C::mail, S::Line, kMail},
        {ui.priceEdit, 5199, 54, &C::price, S::Amount, 0, 0,
         "落札金額は整数(半角)を入力してください。"},
        {ui.countEdit, 5200, 53, &C::count, S::Amount, 0, 0,
         "落札数は整数(半角)を入力してください。"},
        {ui.shipMethodEdit, 5201, 56, &C::ship_method, S::Line, kBidderFieldCapacity},
        {ui.shipCostEdit, 5202, 51, &C::ship_cost, S::Amount, 0, 0,
         "送料は整数(半角)を入力してください。"},
        {ui.otherChargeEdit, 5203, 52, &C::other_charge, S::SignedAmount, 0, 0,
         "その他の料金は整数(半角)を入力してください。"},
        {ui.totalEdit, 5204, kTotalCode, {}, S::Shown},
        {ui.zipEdit, 5205, 65, &C::zip, S::Line, kPerson},
        {ui.prefCombo, 1218, 69, &C::pref, S::NameOrNone, kPrefCapacity},
        // Many-lined fields keep CR LF line ends, as the listing file holds them.
        {ui.addressEdit, 5206, 68, &C::address, S::Lines, kBidderFieldCapacity - 1},
        {ui.phoneEdit, 5207, 78, &C::phone, S::Line, kPerson},
        {ui.commentEdit, 5208, 57, &C::comment, S::Lines, kBidderFieldCapacity - 1},
    };
    WireFields(PageFields());
    WireFields(BidderFields());

    m_stages = {
        {ui.listedCheck, ui.listedDateEdit},         {ui.endedCheck, ui.endedDateEdit},
        {ui.completedCheck, ui.completedDateEdit},   {ui.noticeSentCheck, ui.noticeSentDateEdit},
        {ui.methodToldCheck, ui.methodToldDateEdit}, {ui.paidCheck, ui.paidDateEdit},
        {ui.shippedCheck, ui.shippedDateEdit},       {ui.closedCheck, ui.closedDateEdit},
    };
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        const Stage& s = m_stages[i];
        s.date->setAccessibleName(s.box->text() + QStringLiteral("の日付"));
        connect(s.box, &QCheckBox::clicked, this, [this, i] { OnStageClicked(m_stages[i]); });
    }
    for (const BoundField<CustomerRecord>& f : m_bidderFields) {
        if (f.refusal) {
            connect(static_cast<QLineEdit*>(f.widget), &QLineEdit::textChanged, this,
                    [this, &f] { OnAmountChanged(f); });
        }
    }
    ui.priceLabel->setAccessibleName(QStringLiteral("落札金額(半角)"));
    ui.priceEdit->setAccessibleName(QStringLiteral("落札金額(半角)"));
    ui.commentEdit->setAccessibleName(QStringLiteral("取引内容に関するコメント"));
    ui.countUpButton->setAccessibleName(QStringLiteral("落札数を増やす"));
    ui.countDownButton->setAccessibleName(QStringLiteral("落札数を減らす"));
    ui.countUpButton->setFocusPolicy(Qt::NoFocus);
    ui.countDownButton->setFocusPolicy(Qt::NoFocus);

    connect(ui.bidderCombo, &QComboBox::currentIndexChanged, this, &BidderPage::OnBidderChosen);
    connect(ui.prefCombo, &QComboBox::currentIndexChanged, this, &BidderPage::OnPrefChosen);
    connect(ui.registerButton, &QPushButton::clicked, this, &BidderPage::RegisterBidder);
    connect(ui.deleteButton, &QPushButton::clicked, this, &BidderPage::DeleteBidder);
    connect(ui.shippingToolButton, &QPushButton::clicked, this, &BidderPage::OpenShippingTool);
    connect(ui.countUpButton, &QToolButton::clicked, this, [this] { StepCount(1); });
    connect(ui.countDownButton, &QToolButton::clicked, this, [this] { StepCount(-1); });
    ui.countEdit->installEventFilter(this);
}

bool BidderPage::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys step the quantity, as its up-down buttons do.
    if (m_ui && watched == m_ui->countEdit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            StepCount(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return TabPage::eventFilter(watched, event);
}

void BidderPage::StepCount(int delta) {
    if (!Selected()) {
        return;
    }
    int value = ParseAmountField(ToCp932Lossy(m_ui->countEdit->text()), false).value_or(0);
    // Typed or stepped, the new text is a change of the field.
    m_ui->countEdit->setText(QString::number(hanamori::StepCount(value, delta)));
}

void BidderPage::ShowListing(SaleMaster& listing) {
    m_listing = &listing;
    listing.customers.CopyTo(listing.customers_edit);
    if (!m_ui) {
        return;
    }
    ChangeNotifyPause pause;
    FillProduct();
    FillBidderCombo();
    ShowSelectedBidder();
}

void BidderPage::StoreListing(SaleMaster& listing) {
    if (m_ui && m_listing == &listing) {
        // A field still being edited (the save came by keyboard, so it was never left)
        // counts as left: what the page shows is what is stored.
        StoreBidderFields();
        StoreFields(PageFields(), listing.auction);
    }
    listing.customers_edit.CopyTo(listing.customers);
}

void BidderPage::ShowBidders(SaleMaster& listing) {
    m_listing = &listing;
    if (!m_ui) {
        EnsureBuilt();
        return;
    }
    ChangeNotifyPause pause;
    FillBidderCombo();
    ShowSelectedBidder();
}

void BidderPage::FillProduct() {
    ShowFields(PageFields(), m_listing->auction);
}

void BidderPage::FillBidderCombo() {
    const CustomerList& list = m_listing->customers_edit;
    int current = list.current;
    m_ui->bidderCombo->clear();
    for (const CustomerRecord& r : list.records()) {
        m_ui->bidderCombo->addItem(ToQt(r.nickname));
    }
    m_ui->bidderCombo->setCurrentIndex(current >= 0 && current < list.count() ? current : -1);
}

CustomerRecord* BidderPage::Selected() {
    return m_listing ? m_listing->customers_edit.Current() : nullptr;
}

void BidderPage::EnableBidderFields(bool on) {
    Ui::BidderPage& ui = *m_ui;
    for (const BoundField<CustomerRecord>& f : m_bidderFields) {
        f.widget->setEnabled(on);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{ui.deleteButton, ui.countUpButton,
                                                      ui.countDownButton, ui.shippingToolButton}) {
        w->setEnabled(on);
    }
}

void BidderPage::ShowSelectedBidder() {
    EnableBidderFields(m_listing && m_listing->customers_edit.count() > 0);
    // Without a selected bidder the fields are emptied, so that no removed bidder's data
    // stays on show.
    if (const CustomerRecord* r = Selected()) {
        ShowFields(BidderFields(), *r);
        ShowTotal();
    } else {
        ClearFields(BidderFields());
        m_ui->totalEdit->clear();
    }
}

void BidderPage::ShowTotal() {
    if (const CustomerRecord* r = Selected()) {
        ChangeNotifyPause pause;
        m_ui->totalEdit->setText(ToQt(TotalText(*r)));
    }
}

void BidderPage::OnBidderChosen(int index) {
    if (!ChangeNotifyEnabled() || !m_listing) {
        return;
    }
    m_listing->customers_edit.current = index;
    ChangeNotifyPause pause;
    ShowSelectedBidder();
}

void BidderPage::OnAmountChanged(const BoundField<CustomerRecord>& field) {
    if (!ChangeNotifyEnabled()) {
        return;
    }
    if (!ReadBoundNumber(field.widget, field.shape)) {
        host().ShowMessage(*Utf8ToCp932(field.refusal), MessageIcon::Information);
        ChangeNotifyPause pause;
        ClearBoundField(field.widget);
        return;
    }
    if (CustomerRecord* r = Selected()) {
        StoreField(field, *r);
        ShowTotal();
    }
}

void BidderPage::OnFieldLeft(int code) {
    if (const BoundField<CustomerRecord>* f = FieldWithCode(BidderFields(), code)) {
        StoreBidderField(*f);
        WarnAboutStageDate(*f);
    }
}

void BidderPage::WarnAboutStageDate(const BoundField<CustomerRecord>& field) {
    // The bidder's five stage date fields are the controls 5191 to 5195, in stage order.
    const int stage = field.control_id - 5190;
    if (stage < kStageNoticeSent || stage > kStageClosed) {
        return;
    }
    const QString typed = static_cast<QLineEdit*>(field.widget)->text();
    // Said once for a text, however often the field is left with it.
    if (typed == m_warnedDate) {
        return;
    }
    m_warnedDate = typed;
    const std::string warning = StageDateWarning(stage, ToCp932Lossy(typed));
    if (!warning.empty()) {
        host().ShowMessage(warning, MessageIcon::Exclamation);
    }
}

void BidderPage::StoreBidderField(const BoundField<CustomerRecord>& field) {
    CustomerRecord* r = Selected();
    if (!r || !m_ui) {
        return;
    }
    // A rejected amount has already been emptied; an empty one stores 0.
    StoreField(field, *r);
    if (field.refusal) {
        ShowTotal();
    }
}

void BidderPage::StoreBidderFields() {
    if (!Selected()) {
        return;
    }
    // The fields that store when they are left; the ticks and the prefecture store as
    // they are chosen.
    for (const BoundField<CustomerRecord>& f : m_bidderFields) {
        if (qobject_cast<QLineEdit*>(f.widget) || qobject_cast<QPlainTextEdit*>(f.widget)) {
            StoreBidderField(f);
        }
    }
}

void BidderPage::OnStageClicked(const Stage& stage) {
    CustomerRecord* r = Selected();
    // A bidder's stage is stored as it is clicked; the product's with the rest of the page.
    const BoundField<CustomerRecord>* tick = FieldOn(BidderFields(), stage.box);
    if (tick) {
        if (!r) {
            return;
        }
        StoreField(*tick, *r);
    }
    const std::string shown = ToCp932Lossy(stage.date->text());
    const std::string date =
        StageDateAfterClick(stage.box->isChecked(), shown, StampNow("%Y/%m/%d"));
    if (date == shown) {
        return;
    }
    ChangeNotifyPause pause;
    stage.date->setText(ToQt(date));
    if (tick) {
        StoreField(*FieldOn(BidderFields(), stage.date), *r);
    }
}

void BidderPage::OnPrefChosen(int index) {
    if (!ChangeNotifyEnabled()) {
        return;
    }
    if (CustomerRecord* r = Selected()) {
        StoreField(*FieldOn(BidderFields(), m_ui->prefCombo), *r);
    }
}

void BidderPage::RegisterBidder() {
    if (!m_listing) {
        return;
    }
    EnsureBuilt();
    CustomerList& list = m_listing->customers_edit;
    std::optional<NewBidder> bidder = m_dialogs.AskNewBidder(list);
    if (!bidder) {
        return;
    }
    hanamori::RegisterBidder(list, *bidder);
    {
        ChangeNotifyPause pause;
        FillBidderCombo();
        ShowSelectedBidder();
    }
    emit listingEdited();
}

void BidderPage::DeleteBidder() {
    if (!m_listing || !Selected()) {
        return;
    }
    EnsureBuilt();
    if (!host().AskYesNo("現在選択されている落札者情報を削除します。\nよろしいですか？"_sj,
                         MessageIcon::Exclamation)) {
        return;
    }
    RemoveCurrentBidder(m_listing->customers_edit);
    {
        ChangeNotifyPause pause;
        FillBidderCombo();
        ShowSelectedBidder();
    }
    emit listingEdited();
}

void BidderPage::OpenShippingTool() {
    CustomerRecord* r = Selected();
    if (!r) {
        host().ShowMessage("落札者情報を登録してください！"_sj, MessageIcon::Exclamation);
        return;
    }
    EnsureBuilt();
    std::optional<ShippingToolResult> result =
        m_dialogs.RunShippingTool(BidderToolRequest(*m_listing, *r));
    if (result && result->charge >= 0) {
        // Put in as if typed: stored, the total recomputed, the listing modified. The
        // method changes only when a current service was sent to the bidder.
        if (result->ship_method != r->ship_method) {
            m_ui->shipMethodEdit->setText(ToQt(result->ship_method));
            StoreBidderField(*FieldOn(BidderFields(), m_ui->shipMethodEdit)); // as on leaving
        }
        m_ui->shipCostEdit->setText(QString::number(result->charge));
    }
}

} // namespace hanamori
