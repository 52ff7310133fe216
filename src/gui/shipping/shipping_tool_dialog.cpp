#include "gui/shipping/shipping_tool_dialog.h"

#include "core/app/helpers.h"
#include "core/app/host.h"
#include "core/listing/bidders.h"
#include "core/settings/user_settings.h"
#include "core/shipping/prefectures.h"
#include "core/text/cp932.h"
#include "gui/widgets/edit_routing.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "ui_shipping_tool_dialog.h"

#include <QHeaderView>
#include <QPushButton>

namespace hanamori {
namespace {
const QString kCheapMark = QStringLiteral("最安");

QString ShownText(const std::string& cp932) {
    QString text = ToQt(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void SelectByText(QComboBox* combo, const std::string& text) {
    combo->setCurrentIndex(text.empty() ? -1 : combo->findText(ToQt(text), Qt::MatchExactly));
}

enum ServiceColumn { kServiceName, kServiceCost, kServiceCheap, kServiceDate, kServiceColumns };
} // namespace

ShippingToolDialog::ShippingToolDialog(Host& host, const UserSettings& settings,
                                       const ShippingToolRequest& request, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ShippingToolDialog>()), m_host(host),
      m_settings(settings), m_request(request), m_engine(settings), m_charge(request.charge) {
    m_ui->setupUi(this);
    Ui::ShippingToolDialog& ui = *m_ui;
    ui.buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    m_rows = {{
        {ui.teikeiCostEdit, ui.teikeiSendButton, ui.teikeiCheapLabel},
        {ui.teikeigaiCostEdit, ui.teikeigaiSendButton, ui.teikeigaiCheapLabel},
        {ui.sassiCostEdit, ui.sassiSendButton, ui.sassiCheapLabel},
        {ui.expackCostEdit, ui.expackSendButton, ui.expackCheapLabel},
        {ui.kuronekoCostEdit, ui.kuronekoSendButton, ui.kuronekoCheapLabel},
        {ui.hikyakuCostEdit, ui.hikyakuSendButton, ui.hikyakuCheapLabel},
        {ui.yupackCostEdit, ui.yupackSendButton, ui.yupackCheapLabel},
        {ui.yahooYupackCostEdit, ui.yahooYupackSendButton, ui.yahooYupackCheapLabel},
        {ui.yamatoCostEdit, ui.yamatoSendButton, ui.yamatoCheapLabel},
        {ui.sagawaCostEdit, ui.sagawaSendButton, ui.sagawaCheapLabel},
        {ui.pelicanCostEdit, ui.pelicanSendButton, ui.pelicanCheapLabel},
    }};
    const int width = ui.teikeiCheapLabel->fontMetrics().horizontalAdvance(kCheapMark) + 4;
    for (int i = 0; i < kShippingMethodCount; ++i) {
        auto method = static_cast<ShippingMethod>(i);
        Row& row = m_rows[static_cast<std::size_t>(i)];
        row.cheap->setMinimumWidth(width);
        QString name = ToQt(ShippingMethodName(method));
        row.cost->setAccessibleName(name);
        row.send->setAccessibleDescription(name + QStringLiteral("の料金を送料に入れます"));
        connect(row.send, &QPushButton::clicked, this, [this, method] { Send(method); });
    }
    ui.yahooYupackLabel->setAccessibleName(QStringLiteral("Yahoo!ゆうパック"));
    const std::pair<QPushButton*, ShippingMethod> lists[] = {
        {ui.yupackListButton, ShippingMethod::YuPack},
        {ui.yahooYupackListButton, ShippingMethod::YahooYuPack},
        {ui.yamatoListButton, ShippingMethod::Yamato},
        {ui.pelicanListButton, ShippingMethod::Pelican},
        {ui.sagawaListButton, ShippingMethod::Sagawa}};
    for (const auto& [button, method] : lists) {
        button->setAccessibleDescription(ToQt(ShippingMethodName(method)) +
                                         QStringLiteral("の送料一覧"));
        connect(button, &QPushButton::clicked, this, [this, method = method] { ShowList(method); });
    }
    for (QLineEdit* side : {ui.side1Edit, ui.side2Edit, ui.side3Edit}) {
        GuardCp932Input(side, host, {kNoCapacity, true});
        connect(side, &QLineEdit::textChanged, this, [this, side] { OnSideEdited(side); });
    }
    GuardCp932Input(ui.chargeEdit, host, {kNoCapacity, true});
    SetControlId(ui.chargeEdit, 5005);
    ui.servicesTable->setColumnCount(kServiceColumns);
    ui.servicesTable->setHorizontalHeaderLabels({QStringLiteral("発送方法"),
                                                 QStringLiteral("送料(円)"), QString(),
                                                 QStringLiteral("適用日")});
    ui.servicesTable->verticalHeader()->hide();
    // Every service in view without scrolling, in rows as tight as the cost fields.
    ui.servicesTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ui.servicesTable->horizontalHeader()->setStretchLastSection(true);
    ui.servicesTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.servicesTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.serviceSendButton->setAccessibleName(QStringLiteral("送る（現在の発送方法）"));
    ui.serviceSendButton->setAccessibleDescription(
        QStringLiteral("選んだ発送方法と料金を発送方法と送料に入れます"));
    connect(ui.servicesTable, &QTableWidget::itemSelectionChanged, this,
            &ShippingToolDialog::OnServiceChosen);
    connect(ui.serviceSendButton, &QPushButton::clicked, this, &ShippingToolDialog::SendService);
    connect(ui.calculateButton, &QPushButton::clicked, this, &ShippingToolDialog::Calculate);
    connect(ui.buttonBox, &QDialogButtonBox::accepted, this, &ShippingToolDialog::accept);
    connect(ui.buttonBox, &QDialogButtonBox::rejected, this, &ShippingToolDialog::reject);
    // The eleven methods keep their own height beside a longer list of services.
    ui.costsRowLayout->setAlignment(ui.costsGroup, Qt::AlignTop);
    Prepare();
    // The widths set above leave the nested layouts' size hints stale until the next
    // event loop; drop them, or the tool sizes itself too narrow for both lists.
    for (QLayout* layout : ui.contentWidget->findChildren<QLayout*>()) {
        layout->invalidate();
    }
    // Large scale factors on small screens: the tool scrolls instead of hiding OK.
    ResizeToFitScreen(this);
}

ShippingToolDialog::~ShippingToolDialog() = default;

void ShippingToolDialog::Prepare() {
    Ui::ShippingToolDialog& ui = *m_ui;
    if (!m_request.bidder_mode) {
        for (Row& row : m_rows) {
            row.send->setEnabled(false);
        }
        for (QWidget* w : ui.bidderGroup->findChildren<QWidget*>()) {
            w->setEnabled(false);
        }
    }
    ui.serviceSendButton->setEnabled(false);
    m_services = LoadServiceCatalogue(InstallDir() + kServiceDataDir);
    ReportServiceProblems(m_services, m_host);
    FillServices({});
    if (!LoadToolRates(m_engine, InstallDir() + "CostData", m_host)) {
        return;
    }
    m_filling = true;
    Fill();
    m_filling = false;
}

void ShippingToolDialog::Fill() {
    Ui::ShippingToolDialog& ui = *m_ui;
    for (const WeightClass& w : WeightClasses()) {
        ui.weightCombo->addItem(ToQt(w.label), w.limit);
    }
    ui.weightCombo->setCurrentIndex(0);
    for (const std::string& pref : Prefectures()) {
        ui.originCombo->addItem(ToQt(pref));
        ui.destinationCombo->addItem(ToQt(pref));
    }
    std::string weight = WeightClassLabel(m_request.weight);
    if (!weight.empty()) {
        ui.weightCombo->setCurrentIndex(ui.weightCombo->findText(ToQt(weight), Qt::MatchExactly));
    }
    SelectByText(ui.originCombo, m_request.origin);
    SelectByText(ui.destinationCombo, m_request.destination);
    const std::pair<QLineEdit*, int> sides[] = {{ui.side1Edit, m_request.side1},
                                                {ui.side2Edit, m_request.side2},
                                                {ui.side3Edit, m_request.side3}};
    for (const auto& [edit, value] : sides) {
        edit->setText(value < 0 ? QString() : QString::number(value));
    }
    ui.sumEdit->setText(QString::number(std::int64_t{SideValue(ui.side1Edit)} +
                                        SideValue(ui.side2Edit) + SideValue(ui.side3Edit)));
    if (m_request.bidder_mode) {
        ui.bidderNameEdit->setText(ToQt(m_request.bidder_name));
        ui.bidderNicknameEdit->setText(ToQt(m_request.bidder_nickname));
        ui.shipMethodEdit->setText(ToQt(m_request.ship_method));
        ui.bidderPrefEdit->setText(ToQt(m_request.destination));
        ui.chargeEdit->setText(QString::number(m_request.charge));
    }
    ui.remarksEdit->setPlainText(ShownText(ToolRemarks(m_settings.send_opt)));
}

int ShippingToolDialog::SideValue(const QLineEdit* side) const {
    return ParseAmountField(ToCp932Lossy(side->text()), false).value_or(0);
}

void ShippingToolDialog::OnSideEdited(QLineEdit* side) {
    if (m_filling) {
        return;
    }
    if (!ParseAmountField(ToCp932Lossy(side->text()), false)) {
        m_host.ShowMessage("整数(半角)を入力してください。"_sj, MessageIcon::Information);
        side->clear();
        return;
    }
    Ui::ShippingToolDialog& ui = *m_ui;
    ui.sumEdit->setText(QString::number(std::int64_t{SideValue(ui.side1Edit)} +
                                        SideValue(ui.side2Edit) + SideValue(ui.side3Edit)));
}

void ShippingToolDialog::Calculate() {
    Ui::ShippingToolDialog& ui = *m_ui;
    if (ui.weightCombo->currentIndex() < 0 || ui.originCombo->currentIndex() < 0 ||
        ui.destinationCombo->currentIndex() < 0) {
        return;
    }
    const int weight = ui.weightCombo->currentData().toInt();
    const std::string origin = PrefectureName(ui.originCombo->currentIndex());
    const std::string destination = PrefectureName(ui.destinationCombo->currentIndex());
    m_engine.SetParcel(SideValue(ui.side1Edit), SideValue(ui.side2Edit), SideValue(ui.side3Edit),
                       weight);
    for (int i = 0; i < kShippingMethodCount; ++i) {
        auto method = static_cast<ShippingMethod>(i);
        int cost = m_engine.Cost(method, origin, destination);
        m_costs[static_cast<std::size_t>(i)] = cost;
        Row& row = RowOf(method);
        row.cost->setText(cost < 0 ? QStringLiteral("発送不可") : QString::number(cost));
        row.send->setEnabled(CostToSend(m_request.bidder_mode, m_costs, method).has_value());
    }
    // The cheapest methods stand out: bold, with a short note beside them.
    std::vector<ShippingMethod> cheapest = CheapestMethods(m_costs);
    for (int i = 0; i < kShippingMethodCount; ++i) {
        auto method = static_cast<ShippingMethod>(i);
        bool mark = std::find(cheapest.begin(), cheapest.end(), method) != cheapest.end();
        Row& row = RowOf(method);
        QFont font = row.cost->font();
        font.setBold(mark);
        row.cost->setFont(font);
        row.cheap->setText(mark ? kCheapMark : QString());
        row.cost->setAccessibleDescription(mark ? kCheapMark : QString());
    }
    const ServiceParcel parcel{
        {SideValue(ui.side1Edit), SideValue(ui.side2Edit), SideValue(ui.side3Edit)}, weight};
    FillServices(QuoteServices(m_services, parcel, ui.originCombo->currentIndex(),
                               ui.destinationCombo->currentIndex()));
}

// One row per service: before a calculation its name and date; after it the cost,
// 発送不可 or why no prices ship, the cheapest cost in bold with the mark. The carrier
// is the rows' tool tip.
void ShippingToolDialog::FillServices(const std::vector<ServiceQuote>& quotes) {
    QTableWidget* table = m_ui->servicesTable;
    m_quotes = quotes;
    table->setRowCount(static_cast<int>(m_services.services.size()));
    for (std::size_t i = 0; i < m_services.services.size(); ++i) {
        const ServiceTariff& s = m_services.services[i];
        const ServiceQuote* quote = i < quotes.size() ? &quotes[i] : nullptr;
        const bool cheap = quote && quote->cheapest;
        QString cost = quote || !s.withheld.empty()
                           ? ToQt(QuoteCostText(quote ? *quote : ServiceQuote{&s, -1, false}))
                           : QString();
        const QString cells[] = {ToQt(s.name), cost, cheap ? kCheapMark : QString(),
                                 s.effective.empty() ? QStringLiteral("―") : ToQt(s.effective)};
        for (int column = 0; column < kServiceColumns; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(ToQt(s.carrier));
            if (column == kServiceCost || column == kServiceCheap) {
                QFont font = item->font();
                font.setBold(cheap);
                item->setFont(font);
            }
            if (column == kServiceCost) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table->setItem(static_cast<int>(i), column, item);
        }
    }
    // Never squeezed into scrolling of its own: where the screen is small the whole
    // tool scrolls, with every service and date in full.
    table->resizeColumnsToContents();
    // Room for the mark from the start, so the tool keeps its width once it calculates.
    QFont bold = table->font();
    bold.setBold(true);
    table->setColumnWidth(kServiceCheap,
                          std::max(table->columnWidth(kServiceCheap),
                                   QFontMetrics(bold).horizontalAdvance(kCheapMark) + 12));
    int width = 2 * table->frameWidth();
    for (int column = 0; column < kServiceColumns; ++column) {
        width += table->horizontalHeader()->sectionSize(column);
    }
    table->setMinimumSize(width, 2 * table->frameWidth() + table->horizontalHeader()->height() +
                                     table->verticalHeader()->length());
    OnServiceChosen();
}

void ShippingToolDialog::OnServiceChosen() {
    m_ui->serviceSendButton->setEnabled(
        QuoteToSend(m_request.bidder_mode, m_quotes, m_ui->servicesTable->currentRow()) != nullptr);
}

// "送る" of the current services: the service's name into "発送方法" and its cost into
// "送料", as the bidder tab will take them on OK.
void ShippingToolDialog::SendService() {
    const ServiceQuote* quote =
        QuoteToSend(m_request.bidder_mode, m_quotes, m_ui->servicesTable->currentRow());
    if (quote != nullptr) {
        m_ui->shipMethodEdit->setText(ToQt(quote->service->name));
        m_ui->chargeEdit->setText(QString::number(quote->cost));
    }
}

void ShippingToolDialog::ShowList(ShippingMethod method) {
    Ui::ShippingToolDialog& ui = *m_ui;
    if (ui.weightCombo->currentIndex() < 0 || ui.originCombo->currentIndex() < 0 ||
        ui.destinationCombo->currentIndex() < 0) {
        return;
    }
    m_engine.SetParcel(SideValue(ui.side1Edit), SideValue(ui.side2Edit), SideValue(ui.side3Edit),
                       ui.weightCombo->currentData().toInt());
    m_engine.SetSellerId(m_request.seller_id);
    m_engine.SetOrigin(PrefectureName(ui.originCombo->currentIndex()));
    m_engine.List(method, kListPlain, false);
    ui.listEdit->setPlainText(ShownText(m_engine.ListText(method)));
}

void ShippingToolDialog::Send(ShippingMethod method) {
    if (std::optional<std::int32_t> cost = CostToSend(m_request.bidder_mode, m_costs, method)) {
        m_ui->chargeEdit->setText(QString::number(*cost));
    }
}

void ShippingToolDialog::accept() {
    ToolOk ok =
        ConfirmToolOk(m_request.bidder_mode, ToCp932Lossy(m_ui->chargeEdit->text()), m_host);
    m_charge = ok.charge;
    if (ok.closes) {
        QDialog::accept();
    }
}

std::optional<ShippingToolResult> ShippingToolDialog::Run() {
    if (exec() != QDialog::Accepted || !m_request.bidder_mode) {
        return std::nullopt;
    }
    return ShippingToolResult{m_charge, ToCp932Lossy(m_ui->shipMethodEdit->text())};
}

} // namespace hanamori
