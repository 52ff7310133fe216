#include "gui/page/product_page.h"

#include "core/app/helpers.h"
#include "core/document/listing_resources.h"
#include "core/document/sale_master_doc.h"
#include "core/listing/bidders.h"
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

constexpr int kTagAbilities = kEditAbilityClipboard | kEditAbilityTags;
constexpr int kClipboardAbilities = kEditAbilityClipboard;

} // namespace

ProductPage::ProductPage(Host& host, CSaleMasterDoc* doc, DocumentView* view, QWidget* parent)
    : TabPage(host, parent), m_ui(std::make_unique<Ui::ProductPage>()), m_doc(doc), m_view(view) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("productPage"));
    m_ui->nameBytesEdit->setVisible(false);
    // The payment texts show two lines, as a bank's name and its account take, with room
    // to spare: this column then sets the form's height, which the other tabs, built when
    // first shown, fit in, so the window keeps its size as they come up.
    const int two_lines = fontMetrics().lineSpacing() * 2 + 16;
    for (QWidget* payment : {m_ui->bankEdit, m_ui->postalEdit, m_ui->otherPaymentEdit}) {
        payment->setMinimumHeight(two_lines);
    }

    QFont underlined = m_ui->designListLink->font();
    underlined.setUnderline(true);
    m_ui->designListLink->setFont(underlined);
    m_ui->designListLink->setCursor(Qt::PointingHandCursor);
    m_ui->designListLink->installEventFilter(this);
    m_ui->quantityUpDown->SetBuddy(m_ui->quantityEdit);
    m_ui->quantityUpDown->SetRange(kCountMin, kCountMax);

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
    using A = AuctionRecord;
    using S = FieldShape;
    constexpr std::size_t kWhole = std::string::npos; // many-lined texts keep every byte
    m_fields = {
        // 商品の紹介 and the payment texts: tags may be inserted.
        {u.displayNameEdit, 6007, 12, &A::display_name, S::Line, kDisplayNameCapacity,
         kTagAbilities},
        {u.descriptionEdit, 6000, 6, &A::description, S::Lines, kWhole, kTagAbilities},
        {u.notesEdit, 6001, 5, &A::notes, S::Lines, kWhole, kTagAbilities},
        {u.otherEdit, 6002, 4, &A::other, S::Lines, kWhole, kTagAbilities},
        {u.bankEdit, 6004, 20, &A::bank_text, S::Lines, kWhole, kTagAbilities},
        {u.postalEdit, 6005, 1, &A::postal_text, S::Lines, kWhole, kTagAbilities},
        {u.otherPaymentEdit, 6006, 22, &A::other_payment_text, S::Lines, kWhole, kTagAbilities},
        // Plain texts and numbers.
        {u.nameBytesEdit, 5058, 17, {}, S::Shown, 0, kClipboardAbilities},
        {u.quantityEdit, 5053, 7, &A::quantity, S::Count, 0, kClipboardAbilities,
         "商品個数は整数(半角)を入力してください。"},
        {u.lengthEdit, 5013, 10, &A::length_cm, S::Number, 0, kClipboardAbilities,
         "縦幅は整数(半角)を入力してください。"},
        {u.widthEdit, 5014, 9, &A::width_cm, S::Number, 0, kClipboardAbilities,
         "横幅は整数(半角)を入力してください。"},
        {u.heightEdit, 5015, 8, &A::height_cm, S::Number, 0, kClipboardAbilities,
         "高さは整数(半角)を入力してください。"},
        {u.sizeTotalEdit, 5016, 11, {}, S::Shown, 0, kClipboardAbilities},
        {u.teikeiCostEdit, 5027, 2, &A::teikei_cost, S::Number, 0, kClipboardAbilities,
         "定形郵便の料金は整数(半角)を入力してください。"},
        {u.teikeigaiCostEdit, 5028, 3, &A::teikeigai_cost, S::Number, 0, kClipboardAbilities,
         "定形外郵便の料金は整数(半角)を入力してください。"},
        {u.bookletCostEdit, 5029, 16, &A::booklet_cost, S::Number, 0, kClipboardAbilities,
         "冊子小包の料金は整数(半角)を入力してください。"},
        {u.expackCostEdit, 5030, 21, &A::expack_cost, S::Number, 0, kClipboardAbilities,
         "EXPACK500の料金は整数(半角)を入力してください。"},
        {u.kuronekoCostEdit, 5031, 18, &A::kuroneko_mail_cost, S::Number, 0, kClipboardAbilities,
         "クロネコメール便の料金は整数(半角)を入力してください。"},
        {u.hikyakuCostEdit, 5032, 19, &A::hikyaku_mail_cost, S::Number, 0, kClipboardAbilities,
         "飛脚メール便の料金は整数(半角)を入力してください。"},
        {u.otherShipNameEdit, 5025, 13, &A::other_ship_name, S::Line, kOtherShipNameCapacity,
         kClipboardAbilities},
        {u.otherShipCostEdit, 5033, 15, &A::other_ship_cost, S::Number, 0, kClipboardAbilities,
         "その他の発送方法の料金は整数(半角)を入力してください。"},
        {u.shippingNotesEdit, 5047, 14, &A::shipping_notes, S::Lines, kWhole, kClipboardAbilities},
        // The ticks. 銀行振込 and 飛脚メール便 share their code.
        {u.useDescriptionCheck, 1012, 36, &A::use_description, S::Flag},
        {u.useQuantityCheck, 1137, 37, &A::use_quantity, S::Flag},
        {u.useNotesCheck, 1060, 35, &A::use_notes, S::Flag},
        {u.useOtherCheck, 1132, 34, &A::use_other, S::Flag},
        {u.useBankCheck, 1048, 45, &A::use_bank, S::Flag},
        {u.usePostalCheck, 1050, 27, &A::use_postal, S::Flag},
        {u.useOtherPaymentCheck, 1054, 38, &A::use_other_payment, S::Flag},
        {u.teikeiCheck, 1077, 31, &A::use_teikei, S::Flag},
        {u.teikeigaiCheck, 1017, 32, &A::use_teikeigai, S::Flag},
        {u.bookletCheck, 1018, 39, &A::use_booklet, S::Flag},
        {u.expackCheck, 1019, 46, &A::use_expack, S::Flag},
        {u.kuronekoCheck, 1023, 43, &A::use_kuroneko_mail, S::Flag},
        {u.hikyakuCheck, 1020, 45, &A::use_hikyaku_mail, S::Flag},
        {u.otherShipCheck, 1022, 33, &A::use_other_ship, S::Flag},
        {u.yupackCheck, 1040, 28, &A::use_yupack, S::Flag},
        {u.yahooYupackCheck, 1042, 30, &A::use_yahoo_yupack, S::Flag},
        {u.yamatoCheck, 1044, 29, &A::use_yamato, S::Flag},
        {u.sagawaCheck, 1045, 40, &A::use_sagawa, S::Flag},
        {u.pelicanCheck, 1046, 42, &A::use_pelican, S::Flag},
        // The lists.
        {u.weightCombo, 1010, 23, &A::weight_g, S::UpperBound},
        {u.designCombo, 1001, 24, &A::design_type, S::Name, kDesignNameCapacity},
        {u.originCombo, 1026, 25, &A::origin_pref, S::Name, kPrefCapacity},
        {u.colorCombo, 1002, 26, &A::design_color, S::Name, kDesignNameCapacity},
    };
    WireFields(Fields());
    for (const BoundField<AuctionRecord>& f : m_fields) {
        if (auto* line = qobject_cast<TagLineEdit*>(f.widget)) {
            line->SetHost(&host());
        } else if (auto* text = qobject_cast<TagTextEdit*>(f.widget)) {
            text->SetHost(&host());
        }
    }
    SetControlId(u.designListLink, 1221);
    SetControlId(u.standardButton, 1005);
    SetControlId(u.previewButton, 1008);
    SetControlId(u.completeButton, 1011);
    SetControlId(u.computeCostsButton, 1038);
    SetControlId(u.originLabel, 1295);
    SetControlId(u.quantityUpDown, 1103);

    // The checks while typing; the size total follows the sizes.
    for (const BoundField<AuctionRecord>& f : m_fields) {
        if (auto* edit = qobject_cast<QLineEdit*>(f.widget); edit && f.refusal) {
            connect(edit, &QLineEdit::textChanged, this,
                    [this, edit, message = f.refusal] { CheckDigits(edit, message); });
        }
    }
    for (QLineEdit* size : {u.lengthEdit, u.widthEdit, u.heightEdit}) {
        connect(size, &QLineEdit::textChanged, this, &ProductPage::ShowSizeTotal);
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
    ShowBoundText(u.designCombo, FieldShape::Name, settings.hanamo.page_type);
    if (m_doc) {
        for (const ColorSet& set : m_doc->resources().colors().sets()) {
            u.colorCombo->addItem(ToQt(set.name));
        }
    }
    u.colorCombo->setCurrentIndex(-1);
    ShowBoundText(u.colorCombo, FieldShape::Name, settings.hanamo.page_color);
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

void ProductPage::ShowSizeTotal() {
    if (!ChangeNotifyEnabled()) {
        return;
    }
    Ui::ProductPage& u = *m_ui;
    int total = SizeTotal(u.lengthEdit->text().toStdString(), u.widthEdit->text().toStdString(),
                          u.heightEdit->text().toStdString());
    u.sizeTotalEdit->setText(QString::number(total));
}

void ProductPage::StoreSize(int code) {
    if (!m_doc) {
        return;
    }
    // A size is stored as soon as it is left: the shipping tool reads it from the listing.
    const BoundField<AuctionRecord>* f = FieldWithCode(Fields(), code);
    Ui::ProductPage& u = *m_ui;
    if (f && (f->widget == u.lengthEdit || f->widget == u.widthEdit || f->widget == u.heightEdit)) {
        StoreField(*f, m_doc->listing().auction);
    }
}

void ProductPage::ShowListing(SaleMaster& listing) {
    ChangeNotifyPause pause;
    const AuctionRecord& a = listing.auction;
    ShowFields(Fields(), a);
    m_ui->nameBytesEdit->setText(QString::number(a.display_name.size()));
    m_ui->sizeTotalEdit->setText(QString::number(SizeTotal(a.length_cm, a.width_cm, a.height_cm)));
}

void ProductPage::StoreListing(SaleMaster& listing) {
    StoreFields(Fields(), listing.auction);
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
