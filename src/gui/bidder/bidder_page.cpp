#include "gui/bidder/bidder_page.h"

#include "core/app/helpers.h"
#include "core/app/host.h"
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
constexpr std::size_t kBidderFieldCapacity = kBidderFieldMax + 1;
constexpr int kCountMin = 1, kCountMax = 1000;

// A fixed text field of the selected bidder, stored when its edit is left (capacity 0:
// a heap text).
struct TextField {
    int code;
    std::string CustomerRecord::*member;
    std::size_t capacity;
};

} // namespace

// A stage box with its date edit, and for the bidder stages the record fields they show.
struct BidderPage::Stage {
    QCheckBox* box;
    QLineEdit* date;
    std::int32_t CustomerRecord::*tick; // nullptr for the product stages
    std::string CustomerRecord::*date_member;
};

struct BidderPage::AmountField {
    QLineEdit* edit;
    int code;
    std::int32_t CustomerRecord::*member;
    bool signed_allowed;
    const std::string* message;
};

namespace {
std::vector<TextField> TextFields() {
    using C = CustomerRecord;
    return {
        {77, &C::name, kPersonTextCapacity},
        {67, &C::mail, kMailAddressCapacity},
        {65, &C::zip, kPersonTextCapacity},
        {78, &C::phone, kPersonTextCapacity},
        {63, &C::notice_sent_date, kDateCapacity},
        {62, &C::method_told_date, kDateCapacity},
        {59, &C::paid_date, kDateCapacity},
        {61, &C::shipped_date, kDateCapacity},
        {60, &C::closed_date, kDateCapacity},
        {56, &C::ship_method, 0},
        {68, &C::address, 0},
        {57, &C::comment, 0},
    };
}
} // namespace

BidderPage::BidderPage(Host& host, WindowDialogs& dialogs, QWidget* parent)
    : TabPage(host, parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("bidderPage"));
    connect(this, &TabPage::fieldLeft, this, &BidderPage::OnFieldLeft);
}

BidderPage::~BidderPage() = default;

void BidderPage::showEvent(QShowEvent* event) {
    EnsureBuilt();
    TabPage::showEvent(event);
}

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
    using C = CustomerRecord;
    m_stages = {
        {ui.listedCheck, ui.listedDateEdit, nullptr, nullptr},
        {ui.endedCheck, ui.endedDateEdit, nullptr, nullptr},
        {ui.completedCheck, ui.completedDateEdit, nullptr, nullptr},
        {ui.noticeSentCheck, ui.noticeSentDateEdit, &C::notice_sent, &C::notice_sent_date},
        {ui.methodToldCheck, ui.methodToldDateEdit, &C::method_told, &C::method_told_date},
        {ui.paidCheck, ui.paidDateEdit, &C::paid, &C::paid_date},
        {ui.shippedCheck, ui.shippedDateEdit, &C::shipped, &C::shipped_date},
        {ui.closedCheck, ui.closedDateEdit, &C::closed, &C::closed_date},
    };
    m_amounts = {
        {ui.shipCostEdit, 51, &C::ship_cost, false, &"送料は整数(半角)を入力してください。"_sj},
        {ui.otherChargeEdit, 52, &C::other_charge, true,
         &"その他の料金は整数(半角)を入力してください。"_sj},
        {ui.countEdit, 53, &C::count, false, &"落札数は整数(半角)を入力してください。"_sj},
        {ui.priceEdit, 54, &C::price, false, &"落札金額は整数(半角)を入力してください。"_sj},
    };

    // Control identifiers (text fields 5000-5999: clipboard commands only) and codes.
    const int stage_check_ids[] = {1201, 1202, 1203, 1211, 1212, 1213, 1214, 1215};
    const int stage_check_codes[] = {70, 50, 76, 75, 74, 71, 73, 72};
    const int stage_date_ids[] = {5181, 5182, 5183, 5191, 5192, 5193, 5194, 5195};
    const int stage_date_codes[] = {58, 49, 64, 63, 62, 59, 61, 60};
    for (std::size_t i = 0; i < m_stages.size(); ++i) {
        const Stage& s = m_stages[i];
        WireField(s.box, stage_check_ids[i], stage_check_codes[i]);
        WireField(s.date, stage_date_ids[i], stage_date_codes[i]);
        s.date->setAccessibleName(s.box->text() + QStringLiteral("の日付"));
        connect(s.box, &QCheckBox::clicked, this, [this, i] { OnStageClicked(m_stages[i]); });
    }
    WireField(ui.memoEdit, 5180, 55);
    WireField(ui.bidderCombo, 1101, kBidderComboCode);
    WireField(ui.nameEdit, 5196, 77);
    WireField(ui.nicknameEdit, 5197, 66);
    WireField(ui.mailEdit, 5198, 67);
    WireField(ui.shipMethodEdit, 5201, 56);
    WireField(ui.totalEdit, 5204, kTotalCode);
    WireField(ui.zipEdit, 5205, 65);
    WireField(ui.prefCombo, 1218, 69);
    WireField(ui.addressEdit, 5206, 68);
    WireField(ui.phoneEdit, 5207, 78);
    WireField(ui.commentEdit, 5208, 57);
    const int amount_ids[] = {5202, 5203, 5200, 5199};
    for (std::size_t i = 0; i < m_amounts.size(); ++i) {
        const AmountField& a = m_amounts[i];
        WireField(a.edit, amount_ids[i], a.code);
        connect(a.edit, &QLineEdit::textChanged, this,
                [this, i] { OnAmountChanged(m_amounts[i]); });
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
    value = std::clamp(value + delta, kCountMin, kCountMax);
    // Typed or stepped, the new text is a change of the field.
    m_ui->countEdit->setText(QString::number(value));
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
        AuctionRecord& a = listing.auction;
        a.listed = m_ui->listedCheck->isChecked() ? 1 : 0;
        a.ended = m_ui->endedCheck->isChecked() ? 1 : 0;
        a.completed = m_ui->completedCheck->isChecked() ? 1 : 0;
        a.listed_date = FitField(ToCp932Lossy(m_ui->listedDateEdit->text()), kDateCapacity);
        a.ended_date = FitField(ToCp932Lossy(m_ui->endedDateEdit->text()), kDateCapacity);
        a.completed_date = FitField(ToCp932Lossy(m_ui->completedDateEdit->text()), kDateCapacity);
        a.memo = MultilineToCp932(m_ui->memoEdit->toPlainText(), kMemoCapacity - 1);
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
    const AuctionRecord& a = m_listing->auction;
    m_ui->listedCheck->setChecked(a.listed != 0);
    m_ui->endedCheck->setChecked(a.ended != 0);
    m_ui->completedCheck->setChecked(a.completed != 0);
    m_ui->listedDateEdit->setText(ToQt(a.listed_date));
    m_ui->endedDateEdit->setText(ToQt(a.ended_date));
    m_ui->completedDateEdit->setText(ToQt(a.completed_date));
    m_ui->memoEdit->setPlainText(MultilineToQt(a.memo));
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
    for (std::size_t i = 3; i < m_stages.size(); ++i) {
        m_stages[i].box->setEnabled(on);
        m_stages[i].date->setEnabled(on);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui.deleteButton, ui.nameEdit, ui.nicknameEdit, ui.mailEdit, ui.priceEdit, ui.countEdit,
             ui.countUpButton, ui.countDownButton, ui.shipMethodEdit, ui.shipCostEdit,
             ui.otherChargeEdit, ui.shippingToolButton, ui.totalEdit, ui.zipEdit, ui.prefCombo,
             ui.addressEdit, ui.phoneEdit, ui.commentEdit}) {
        w->setEnabled(on);
    }
}

void BidderPage::ShowSelectedBidder() {
    Ui::BidderPage& ui = *m_ui;
    EnableBidderFields(m_listing && m_listing->customers_edit.count() > 0);
    const CustomerRecord* r = Selected();
    // Without a selected bidder the fields are emptied, so that no removed bidder's data
    // stays on show.
    static const CustomerRecord kNone = [] {
        CustomerRecord none;
        none.count = 0;
        return none;
    }();
    const CustomerRecord& shown = r ? *r : kNone;
    ui.nameEdit->setText(ToQt(shown.name));
    ui.nicknameEdit->setText(ToQt(shown.nickname));
    ui.mailEdit->setText(ToQt(shown.mail));
    ui.shipMethodEdit->setText(ToQt(shown.ship_method));
    ui.zipEdit->setText(ToQt(shown.zip));
    ui.phoneEdit->setText(ToQt(shown.phone));
    ui.addressEdit->setPlainText(MultilineToQt(shown.address));
    ui.commentEdit->setPlainText(MultilineToQt(shown.comment));
    int pref = PrefectureIndex(shown.pref);
    ui.prefCombo->setCurrentIndex(pref);
    for (std::size_t i = 3; i < m_stages.size(); ++i) {
        m_stages[i].box->setChecked(shown.*(m_stages[i].tick) != 0);
        m_stages[i].date->setText(ToQt(shown.*(m_stages[i].date_member)));
    }
    for (const AmountField& a : m_amounts) {
        a.edit->setText(r ? QString::number(shown.*(a.member)) : QString());
    }
    if (r) {
        ShowTotal();
    } else {
        ui.totalEdit->clear();
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

void BidderPage::OnAmountChanged(const AmountField& field) {
    if (!ChangeNotifyEnabled()) {
        return;
    }
    std::optional<std::int32_t> value =
        ParseAmountField(ToCp932Lossy(field.edit->text()), field.signed_allowed);
    if (!value) {
        host().ShowMessage(*field.message, MessageIcon::Information);
        ChangeNotifyPause pause;
        field.edit->clear();
        return;
    }
    if (CustomerRecord* r = Selected()) {
        r->*(field.member) = *value;
        ShowTotal();
    }
}

void BidderPage::OnFieldLeft(int code) {
    StoreBidderField(code);
}

void BidderPage::StoreBidderField(int code) {
    CustomerRecord* r = Selected();
    if (!r || !m_ui) {
        return;
    }
    for (const AmountField& a : m_amounts) {
        if (a.code == code) {
            // A rejected text has already been emptied; an empty field stores 0.
            if (auto value = ParseAmountField(ToCp932Lossy(a.edit->text()), a.signed_allowed)) {
                r->*(a.member) = *value;
                ShowTotal();
            }
            return;
        }
    }
    for (const TextField& f : TextFields()) {
        if (f.code != code) {
            continue;
        }
        const std::size_t capacity =
            f.capacity ? std::min(f.capacity, kBidderFieldCapacity) : kBidderFieldCapacity;
        for (QLineEdit* edit : findChildren<QLineEdit*>()) {
            if (edit->property("fieldCode").toInt() == code) {
                r->*(f.member) = FitField(ToCp932Lossy(edit->text()), capacity);
            }
        }
        // Many-lined fields keep CR LF line ends, as the listing file holds them.
        for (QPlainTextEdit* edit : findChildren<QPlainTextEdit*>()) {
            if (edit->property("fieldCode").toInt() == code) {
                r->*(f.member) = MultilineToCp932(edit->toPlainText(), capacity - 1);
            }
        }
        return;
    }
}

void BidderPage::StoreBidderFields() {
    if (!Selected()) {
        return;
    }
    for (const TextField& f : TextFields()) {
        StoreBidderField(f.code);
    }
    for (const AmountField& a : m_amounts) {
        StoreBidderField(a.code);
    }
}

void BidderPage::OnStageClicked(const Stage& stage) {
    bool ticked = stage.box->isChecked();
    if (stage.tick) {
        CustomerRecord* r = Selected();
        if (!r) {
            return;
        }
        r->*(stage.tick) = ticked ? 1 : 0;
        if (ticked && stage.date->text().isEmpty()) {
            std::string today = StampNow("%Y/%m/%d");
            ChangeNotifyPause pause;
            stage.date->setText(ToQt(today));
            r->*(stage.date_member) = today;
        }
        return;
    }
    // Product stages are stored with the rest of the page.
    if (ticked && stage.date->text().isEmpty()) {
        ChangeNotifyPause pause;
        stage.date->setText(ToQt(StampNow("%Y/%m/%d")));
    }
}

void BidderPage::OnPrefChosen(int index) {
    if (!ChangeNotifyEnabled()) {
        return;
    }
    if (CustomerRecord* r = Selected()) {
        r->pref = index >= 0 ? PrefectureName(index) : std::string();
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
            StoreBidderField(56); // ship_method, as on leaving the field
        }
        m_ui->shipCostEdit->setText(QString::number(result->charge));
    }
}

} // namespace hanamori
