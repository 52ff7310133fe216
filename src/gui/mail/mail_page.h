#pragma once
// Tab 2, 案内メールの作成: the guidance mail for the selected bidder.

#include "gui/app/tab_page.h"

class QComboBox;
class QLineEdit;

namespace hanamori {

class MailPage final : public TabPage {
    Q_OBJECT
public:
    explicit MailPage(Host& host, QWidget* parent = nullptr);

    void ShowListing(SaleMaster& listing) override;
    void StoreListing(SaleMaster& listing) override;
    void ShowBidders(SaleMaster& listing) override;

private:
    QComboBox* m_bidders;
    QLineEdit* m_sellerNickname;
};

} // namespace hanamori
