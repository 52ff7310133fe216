#include "gui/page/product_page.h"

#include "core/app/helpers.h"
#include "core/document/listing_resources.h"
#include "core/document/sale_master_doc.h"
#include "core/page/color_list.h"
#include "core/page/design_catalog.h"
#include "core/page/html_tags.h"
#include "core/page/product_form.h"
#include "core/settings/settings_files.h"
#include "core/shipping/prefectures.h"
#include "core/text/cp932.h"
#include "gui/widgets/edit_routing.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/settings_text.h"
#include "ui_product_page.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace hanamori {
namespace {

constexpr int kTagAbilities = 3;
constexpr int kClipboardAbilities = 1;

// Multi-line fields keep every byte typed: the listing file has no limit for them.
std::string FromField(const QPlainTextEdit* edit) {
    return MultilineToCp932(edit->toPlainText(), std::string::npos);
}

void SelectByName(QComboBox* combo, const std::string& name) {
    if (name.empty()) {
        return;
    }
    int index = combo->findText(ToQt(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        combo->setCurrentIndex(index);
    }
}

std::string SelectedName(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? std::string() : ToCp932Lossy(combo->currentText());
}

void SetAbilities(QWidget* edit, int abilities) {
    edit->setProperty("editAbilities", abilities);
}

} // namespace

ProductPage::ProductPage(Host& host, CSaleMasterDoc* doc, DocumentView* view, QWidget* parent)
    : TabPage(host, parent), m_ui(std::make_unique<Ui::ProductPage>()), m_doc(doc), m_view(view) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("productPage"));
    m_ui->nameBytesEdit->setVisible(false);

    QFont underlined = m_ui->designListLink->font();
    underlined.setUnderline(true);
    m_ui->designListLink->setFont(underlined);
    m_ui->designListLink->setCursor(Qt::PointingHandCursor);
    m_ui->designListLink->installEventFilter(this);
    m_ui->quantityUpDown->SetBuddy(m_ui->quantityEdit);
    m_ui->quantityUpDown->SetRange(1, 1000);

    SetUpFields();
    {
        ChangeNotifyPause pause;
        FillLists();
        if (m_doc) {
            ShowListing(m_doc->listing());
        }
        m_ui->nameBytesEdit->setText(QStringLiteral("0"));
    }

    connect(m_ui->computeCostsButton, &QPushButton::clicked, this, &ProductPage::ComputeMailCosts);
    connect(m_ui->previewButton, &QPushButton::clicked, this, &ProductPage::Preview);
    connect(m_ui->completeButton, &QPushButton::clicked, this, &ProductPage::Complete);
    connect(m_ui->standardButton, &QPushButton::clicked, this, &ProductPage::MakeStandard);
    connect(this, &TabPage::fieldLeft, this, &ProductPage::StoreSize);
}

ProductPage::~ProductPage() = default;

void ProductPage::SetUpFields() {
    Ui::ProductPage& u = *m_ui;
    struct TextField {
        QWidget* edit;
        int id, code;
    };
    const TextField tags[] = {{u.displayNameEdit, 6007, 12}, {u.descriptionEdit, 6000, 6},
                              {u.notesEdit, 6001, 5},        {u.otherEdit, 6002, 4},
                              {u.bankEdit, 6004, 20},        {u.postalEdit, 6005, 1},
                              {u.otherPaymentEdit, 6006, 22}};
    for (const TextField& f : tags) {
        if (auto* line = qobject_cast<TagLineEdit*>(f.edit)) {
            WireField(line, f.id, f.code);
            line->SetHost(&host());
        } else if (auto* text = qobject_cast<TagTextEdit*>(f.edit)) {
            WireField(text, f.id, f.code);
            text->SetHost(&host());
        }
        SetAbilities(f.edit, kTagAbilities);
    }
    const TextField plain[] = {{u.nameBytesEdit, 5058, 17},     {u.quantityEdit, 5053, 7},
                               {u.lengthEdit, 5013, 10},        {u.widthEdit, 5014, 9},
                               {u.heightEdit, 5015, 8},         {u.sizeTotalEdit, 5016, 11},
                               {u.teikeiCostEdit, 5027, 2},     {u.teikeigaiCostEdit, 5028, 3},
                               {u.bookletCostEdit, 5029, 16},   {u.expackCostEdit, 5030, 21},
                               {u.kuronekoCostEdit, 5031, 18},  {u.hikyakuCostEdit, 5032, 19},
                               {u.otherShipNameEdit, 5025, 13}, {u.otherShipCostEdit, 5033, 15},
                               {u.shippingNotesEdit, 5047, 14}};
    for (const TextField& f : plain) {
        if (auto* line = qobject_cast<QLineEdit*>(f.edit)) {
            WireField(line, f.id, f.code);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(f.edit)) {
            WireField(text, f.id, f.code);
        }
        SetAbilities(f.edit, kClipboardAbilities);
    }
    const std::pair<QAbstractButton*, std::pair<int, int>> ticks[] = {
        {u.useDescriptionCheck, {1012, 36}},  {u.useQuantityCheck, {1137, 37}},
        {u.useNotesCheck, {1060, 35}},        {u.useOtherCheck, {1132, 34}},
        {u.useBankCheck, {1048, 45}},         {u.usePostalCheck, {1050, 27}},
        {u.useOtherPaymentCheck, {1054, 38}}, {u.teikeiCheck, {1077, 31}},
        {u.teikeigaiCheck, {1017, 32}},       {u.bookletCheck, {1018, 39}},
        {u.expackCheck, {1019, 46}},          {u.kuronekoCheck, {1023, 43}},
        {u.hikyakuCheck, {1020, 45}},         {u.otherShipCheck, {1022, 33}},
        {u.yupackCheck, {1040, 28}},          {u.yahooYupackCheck, {1042, 30}},
        {u.yamatoCheck, {1044, 29}},          {u.sagawaCheck, {1045, 40}},
        {u.pelicanCheck, {1046, 42}}};
    for (const auto& [button, ids] : ticks) {
        WireField(button, ids.first, ids.second);
    }
    WireField(u.weightCombo, 1010, 23);
    WireField(u.designCombo, 1001, 24);
    WireField(u.originCombo, 1026, 25);
    WireField(u.colorCombo, 1002, 26);
    SetControlId(u.designListLink, 1221);
    SetControlId(u.standardButton, 1005);
    SetControlId(u.previewButton, 1008);
    SetControlId(u.completeButton, 1011);
    SetControlId(u.computeCostsButton, 1038);
    SetControlId(u.originLabel, 1295);
    SetControlId(u.quantityUpDown, 1103);

    // The checks while typing.
    const std::pair<QLineEdit*, const char*> costs[] = {
        {u.teikeiCostEdit, "定形郵便の料金は整数(半角)を入力してください。"},
        {u.teikeigaiCostEdit, "定形外郵便の料金は整数(半角)を入力してください。"},
        {u.bookletCostEdit, "冊子小包の料金は整数(半角)を入力してください。"},
        {u.expackCostEdit, "EXPACK500の料金は整数(半角)を入力してください。"},
        {u.kuronekoCostEdit, "クロネコメール便の料金は整数(半角)を入力してください。"},
        {u.hikyakuCostEdit, "飛脚メール便の料金は整数(半角)を入力してください。"},
        {u.otherShipCostEdit, "その他の発送方法の料金は整数(半角)を入力してください。"},
        {u.quantityEdit, "商品個数は整数(半角)を入力してください。"}};
    for (const auto& [edit, message] : costs) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit = edit, message = message] { CheckDigits(edit, message); });
    }
    for (QLineEdit* size : {u.lengthEdit, u.widthEdit, u.heightEdit}) {
        connect(size, &QLineEdit::textChanged, this, &ProductPage::CheckSizes);
    }
    connect(u.displayNameEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (ChangeNotifyEnabled()) {
            m_ui->nameBytesEdit->setText(QString::number(ToCp932Lossy(text).size()));
        }
    });
}

void ProductPage::FillLists() {
    Ui::ProductPage& u = *m_ui;
    const UserSettings& settings = Settings();
    for (const std::string& name : DesignCatalog()) {
        u.designCombo->addItem(ToQt(name));
    }
    // A filled list selects its first item by itself; without a standard design or
    // colour the seller chooses, so nothing stays selected.
    u.designCombo->setCurrentIndex(-1);
    SelectByName(u.designCombo, settings.hanamo.page_type);
    if (m_doc) {
        for (const ColorSet& set : m_doc->resources().colors().sets()) {
            u.colorCombo->addItem(ToQt(set.name));
        }
    }
    u.colorCombo->setCurrentIndex(-1);
    SelectByName(u.colorCombo, settings.hanamo.page_color);
    for (const WeightClass& c : WeightClasses()) {
        u.weightCombo->addItem(ToQt(c.label), c.limit);
    }
    u.weightCombo->setCurrentIndex(0);
    for (const std::string& pref : Prefectures()) {
        u.originCombo->addItem(ToQt(pref));
    }
    u.originCombo->setCurrentIndex(0);
}

void ProductPage::CheckDigits(QLineEdit* edit, const char* message) {
    if (!ChangeNotifyEnabled() || IsAsciiDigits(edit->text().toStdString())) {
        return;
    }
    host().ShowMessage(*Utf8ToCp932(message), MessageIcon::Information);
    edit->clear();
}

void ProductPage::CheckSizes() {
    if (!ChangeNotifyEnabled()) {
        return;
    }
    Ui::ProductPage& u = *m_ui;
    const std::pair<QLineEdit*, const char*> sizes[] = {
        {u.lengthEdit, "縦幅は整数(半角)を入力してください。"},
        {u.widthEdit, "横幅は整数(半角)を入力してください。"},
        {u.heightEdit, "高さは整数(半角)を入力してください。"}};
    for (const auto& [edit, message] : sizes) {
        if (!IsAsciiDigits(edit->text().toStdString())) {
            host().ShowMessage(*Utf8ToCp932(message), MessageIcon::Information);
            edit->clear();
            return;
        }
    }
    int total = SizeTotal(u.lengthEdit->text().toStdString(), u.widthEdit->text().toStdString(),
                          u.heightEdit->text().toStdString());
    u.sizeTotalEdit->setText(QString::number(total));
}

void ProductPage::StoreSize(int code) {
    if (!m_doc) {
        return;
    }
    AuctionRecord& a = m_doc->listing().auction;
    switch (code) {
    case 10:
        a.length_cm = ReadFieldNumber(m_ui->lengthEdit->text().toStdString());
        break;
    case 9:
        a.width_cm = ReadFieldNumber(m_ui->widthEdit->text().toStdString());
        break;
    case 8:
        a.height_cm = ReadFieldNumber(m_ui->heightEdit->text().toStdString());
        break;
    default:
        break;
    }
}

void ProductPage::ShowListing(SaleMaster& listing) {
    ChangeNotifyPause pause;
    Ui::ProductPage& u = *m_ui;
    const AuctionRecord& a = listing.auction;
    SelectByName(u.designCombo, a.design_type);
    SelectByName(u.colorCombo, a.design_color);
    u.displayNameEdit->setText(ToQt(a.display_name));
    u.nameBytesEdit->setText(QString::number(a.display_name.size()));

    u.useDescriptionCheck->setChecked(a.use_description != 0);
    u.descriptionEdit->setPlainText(MultilineToQt(a.description));
    u.useQuantityCheck->setChecked(a.use_quantity != 0);
    u.useNotesCheck->setChecked(a.use_notes != 0);
    u.notesEdit->setPlainText(MultilineToQt(a.notes));
    u.useOtherCheck->setChecked(a.use_other != 0);
    u.otherEdit->setPlainText(MultilineToQt(a.other));
    u.useBankCheck->setChecked(a.use_bank != 0);
    u.bankEdit->setPlainText(MultilineToQt(a.bank_text));
    u.usePostalCheck->setChecked(a.use_postal != 0);
    u.postalEdit->setPlainText(MultilineToQt(a.postal_text));
    u.useOtherPaymentCheck->setChecked(a.use_other_payment != 0);
    u.otherPaymentEdit->setPlainText(MultilineToQt(a.other_payment_text));
    u.teikeiCheck->setChecked(a.use_teikei != 0);
    u.teikeigaiCheck->setChecked(a.use_teikeigai != 0);
    u.bookletCheck->setChecked(a.use_booklet != 0);
    u.expackCheck->setChecked(a.use_expack != 0);
    u.kuronekoCheck->setChecked(a.use_kuroneko_mail != 0);
    u.hikyakuCheck->setChecked(a.use_hikyaku_mail != 0);
    u.otherShipCheck->setChecked(a.use_other_ship != 0);
    u.otherShipNameEdit->setText(ToQt(a.other_ship_name));
    u.yupackCheck->setChecked(a.use_yupack != 0);
    u.yahooYupackCheck->setChecked(a.use_yahoo_yupack != 0);
    u.yamatoCheck->setChecked(a.use_yamato != 0);
    u.sagawaCheck->setChecked(a.use_sagawa != 0);
    u.pelicanCheck->setChecked(a.use_pelican != 0);
    u.shippingNotesEdit->setPlainText(MultilineToQt(a.shipping_notes));

    u.quantityEdit->setText(QString::number(a.quantity <= 0 ? 1 : a.quantity));
    int weight = WeightClassIndex(a.weight_g);
    if (weight >= 0) {
        u.weightCombo->setCurrentIndex(weight);
    }
    const std::pair<QLineEdit*, int> numbers[] = {{u.lengthEdit, a.length_cm},
                                                  {u.widthEdit, a.width_cm},
                                                  {u.heightEdit, a.height_cm},
                                                  {u.teikeiCostEdit, a.teikei_cost},
                                                  {u.teikeigaiCostEdit, a.teikeigai_cost},
                                                  {u.bookletCostEdit, a.booklet_cost},
                                                  {u.expackCostEdit, a.expack_cost},
                                                  {u.kuronekoCostEdit, a.kuroneko_mail_cost},
                                                  {u.hikyakuCostEdit, a.hikyaku_mail_cost},
                                                  {u.otherShipCostEdit, a.other_ship_cost}};
    for (const auto& [edit, value] : numbers) {
        edit->setText(QString::fromStdString(FieldNumberText(value)));
    }
    // An unset size (-1) counts 0, as it does while typing.
    long long total =
        0LL + std::max(a.length_cm, 0) + std::max(a.width_cm, 0) + std::max(a.height_cm, 0);
    u.sizeTotalEdit->setText(QString::number(std::min<long long>(total, INT32_MAX)));
    SelectByName(u.originCombo, a.origin_pref);
}

void ProductPage::StoreListing(SaleMaster& listing) {
    Ui::ProductPage& u = *m_ui;
    AuctionRecord& a = listing.auction;
    a.design_type = FitField(SelectedName(u.designCombo), kDesignNameCapacity);
    a.design_color = FitField(SelectedName(u.colorCombo), kDesignNameCapacity);
    a.origin_pref = FitField(SelectedName(u.originCombo), kPrefCapacity);
    a.display_name = FitField(ToCp932Lossy(u.displayNameEdit->text()), kDisplayNameCapacity);
    a.description = FromField(u.descriptionEdit);
    a.notes = FromField(u.notesEdit);
    a.other = FromField(u.otherEdit);
    a.bank_text = FromField(u.bankEdit);
    a.postal_text = FromField(u.postalEdit);
    a.other_payment_text = FromField(u.otherPaymentEdit);
    a.other_ship_name = FitField(ToCp932Lossy(u.otherShipNameEdit->text()), kOtherShipNameCapacity);
    a.shipping_notes = FromField(u.shippingNotesEdit);

    auto tick = [](const QAbstractButton* b) { return b->isChecked() ? 1 : 0; };
    a.use_description = tick(u.useDescriptionCheck);
    a.use_quantity = tick(u.useQuantityCheck);
    a.use_notes = tick(u.useNotesCheck);
    a.use_other = tick(u.useOtherCheck);
    a.use_bank = tick(u.useBankCheck);
    a.use_postal = tick(u.usePostalCheck);
    a.use_other_payment = tick(u.useOtherPaymentCheck);
    a.use_teikei = tick(u.teikeiCheck);
    a.use_teikeigai = tick(u.teikeigaiCheck);
    a.use_booklet = tick(u.bookletCheck);
    a.use_expack = tick(u.expackCheck);
    a.use_kuroneko_mail = tick(u.kuronekoCheck);
    a.use_hikyaku_mail = tick(u.hikyakuCheck);
    a.use_other_ship = tick(u.otherShipCheck);
    a.use_yupack = tick(u.yupackCheck);
    a.use_yahoo_yupack = tick(u.yahooYupackCheck);
    a.use_yamato = tick(u.yamatoCheck);
    a.use_sagawa = tick(u.sagawaCheck);
    a.use_pelican = tick(u.pelicanCheck);

    auto number = [](const QLineEdit* e) { return ReadFieldNumber(e->text().toStdString()); };
    a.quantity = number(u.quantityEdit);
    a.length_cm = number(u.lengthEdit);
    a.width_cm = number(u.widthEdit);
    a.height_cm = number(u.heightEdit);
    a.teikei_cost = number(u.teikeiCostEdit);
    a.teikeigai_cost = number(u.teikeigaiCostEdit);
    a.booklet_cost = number(u.bookletCostEdit);
    a.expack_cost = number(u.expackCostEdit);
    a.kuroneko_mail_cost = number(u.kuronekoCostEdit);
    a.hikyaku_mail_cost = number(u.hikyakuCostEdit);
    a.other_ship_cost = number(u.otherShipCostEdit);
    a.weight_g = u.weightCombo->currentIndex() < 0 ? -1 : u.weightCombo->currentData().toInt();
}

bool ProductPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->designListLink) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            OpenDesignList();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                OpenDesignList();
                return true;
            }
        }
        return false;
    }
    return TabPage::eventFilter(watched, event);
}

} // namespace hanamori
