#pragma once
// Tab 1, 商品と落札者の管理: the product's memo and the winning bidders.

#include "gui/app/tab_page.h"

class QComboBox;
class QPlainTextEdit;

namespace hanamori {

class BidderPage final : public TabPage {
    Q_OBJECT
public:
    explicit BidderPage(Host& host, QWidget* parent = nullptr);

    void ShowListing(SaleMaster& listing) override;
    void StoreListing(SaleMaster& listing) override;
    void ShowBidders(SaleMaster& listing) override;

private:
    SaleMaster* m_listing = nullptr;
    QPlainTextEdit* m_memo;
    QComboBox* m_bidders;
};

} // namespace hanamori
