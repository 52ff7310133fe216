#include "gui/mail/bidder_page.h"

#include "core/listing/records.h"
#include "gui/app/qt_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace hanamori {
namespace {
constexpr int kMemoId = 5180, kMemoCode = 55;
constexpr int kBidderComboId = 1101, kBidderComboCode = 47;
} // namespace

BidderPage::BidderPage(Host& host, QWidget* parent) : TabPage(host, parent) {
    setObjectName(QStringLiteral("bidderPage"));
    auto* product = new QGroupBox(QStringLiteral("■ 商品の状況 ■"), this);
    auto* productForm = new QFormLayout(product);
    m_memo = new QPlainTextEdit(product);
    m_memo->setObjectName(QStringLiteral("memoEdit"));
    productForm->addRow(QStringLiteral("メモ欄"), m_memo);

    auto* bidders = new QGroupBox(QStringLiteral("■ 落札者情報 ■"), this);
    auto* bidderForm = new QFormLayout(bidders);
    m_bidders = new QComboBox(bidders);
    m_bidders->setObjectName(QStringLiteral("bidderCombo"));
    bidderForm->addRow(QStringLiteral("落札者"), m_bidders);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addWidget(bidders);
    layout->addStretch();

    WireField(m_memo, kMemoId, kMemoCode);
    WireField(m_bidders, kBidderComboId, kBidderComboCode);
    connect(m_bidders, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_listing && index >= 0) {
            m_listing->customers_edit.current = index;
        }
    });
}

void BidderPage::ShowListing(SaleMaster& listing) {
    ChangeNotifyPause pause;
    m_listing = &listing;
    m_memo->setPlainText(ToQt(listing.auction.memo));
    listing.customers.CopyTo(listing.customers_edit);
    ShowBidders(listing);
}

void BidderPage::StoreListing(SaleMaster& listing) {
    listing.auction.memo = ToCp932Lossy(m_memo->toPlainText());
    listing.customers_edit.CopyTo(listing.customers);
}

void BidderPage::ShowBidders(SaleMaster& listing) {
    ChangeNotifyPause pause;
    m_listing = &listing;
    const CustomerList& list = listing.customers_edit;
    int current = list.current;
    m_bidders->clear();
    for (const CustomerRecord& r : list.records()) {
        m_bidders->addItem(ToQt(r.nickname));
    }
    if (current >= 0 && current < list.count()) {
        m_bidders->setCurrentIndex(current);
    }
}

} // namespace hanamori
