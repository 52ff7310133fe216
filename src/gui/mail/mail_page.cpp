#include "gui/mail/mail_page.h"

#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "gui/app/qt_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace hanamori {

MailPage::MailPage(Host& host, QWidget* parent) : TabPage(host, parent) {
    setObjectName(QStringLiteral("mailPage"));
    auto* group = new QGroupBox(QStringLiteral("■ 案内メール ■"), this);
    auto* form = new QFormLayout(group);
    m_bidders = new QComboBox(group);
    m_bidders->setObjectName(QStringLiteral("mailBidderCombo"));
    form->addRow(QStringLiteral("落札者"), m_bidders);
    m_sellerNickname = new QLineEdit(group);
    m_sellerNickname->setObjectName(QStringLiteral("sellerNicknameEdit"));
    m_sellerNickname->setReadOnly(true);
    form->addRow(QStringLiteral("出品者ニックネーム"), m_sellerNickname);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}

void MailPage::ShowListing(SaleMaster& listing) {
    ChangeNotifyPause pause;
    m_sellerNickname->setText(ToQt(listing.mail.seller_nickname));
    ShowBidders(listing);
}

void MailPage::StoreListing(SaleMaster&) {
    // Nothing on this page edits the listing yet.
}

void MailPage::ShowBidders(SaleMaster& listing) {
    ChangeNotifyPause pause;
    m_bidders->clear();
    for (const CustomerRecord& r : listing.customers_edit.records()) {
        m_bidders->addItem(ToQt(r.nickname));
    }
    int current = listing.customers_edit.current;
    if (current >= 0 && current < listing.customers_edit.count()) {
        m_bidders->setCurrentIndex(current);
    }
}

} // namespace hanamori
