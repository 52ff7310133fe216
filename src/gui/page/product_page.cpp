#include "gui/page/product_page.h"

#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "gui/app/qt_text.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace hanamori {
namespace {
// Field codes and control identifiers of the page's controls.
constexpr int kDisplayNameId = 6007, kDisplayNameCode = 12;
constexpr int kUseDescriptionId = 1012, kUseDescriptionCode = 36;
constexpr int kDescriptionId = 6000, kDescriptionCode = 6;
} // namespace

ProductPage::ProductPage(Host& host, QWidget* parent) : TabPage(host, parent) {
    setObjectName(QStringLiteral("productPage"));
    auto* group = new QGroupBox(QStringLiteral("■ 商品の紹介 ■"), this);
    auto* form = new QFormLayout(group);
    m_displayName = new QLineEdit(group);
    m_displayName->setObjectName(QStringLiteral("displayNameEdit"));
    form->addRow(QStringLiteral("商品名　(Web表示用)"), m_displayName);
    m_useDescription = new QCheckBox(QStringLiteral("商品の説明"), group);
    m_useDescription->setObjectName(QStringLiteral("useDescriptionCheck"));
    m_description = new QPlainTextEdit(group);
    m_description->setObjectName(QStringLiteral("descriptionEdit"));
    form->addRow(m_useDescription, m_description);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);

    WireField(m_displayName, kDisplayNameId, kDisplayNameCode);
    WireField(m_useDescription, kUseDescriptionId, kUseDescriptionCode);
    WireField(m_description, kDescriptionId, kDescriptionCode);
}

void ProductPage::ShowListing(SaleMaster& listing) {
    ChangeNotifyPause pause;
    const AuctionRecord& a = listing.auction;
    m_displayName->setText(ToQt(a.display_name));
    m_useDescription->setChecked(a.use_description != 0);
    m_description->setPlainText(ToQt(a.description));
}

void ProductPage::StoreListing(SaleMaster& listing) {
    AuctionRecord& a = listing.auction;
    a.display_name = FitField(ToCp932Lossy(m_displayName->text()), kDisplayNameCapacity);
    a.use_description = m_useDescription->isChecked() ? 1 : 0;
    a.description = ToCp932Lossy(m_description->toPlainText());
}

} // namespace hanamori
