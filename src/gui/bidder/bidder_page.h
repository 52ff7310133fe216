#pragma once
// Tab 1, 商品と落札者の管理: the product's stages and memo, and the winning bidders with
// their contact data, amounts and the stages of each dealing. The page edits the
// listing's working bidder list `customers_edit` in place; the selected bidder is the
// list's `current`, which the mail tab shares.
//
// The controls are built when the page is first shown (or first asked to show the
// bidders); until then showing and storing work on the listing alone.

#include "core/listing/records.h"
#include "gui/widgets/tab_page.h"

#include <memory>
#include <span>
#include <vector>

namespace Ui {
class BidderPage;
}

class QCheckBox;
class QLineEdit;

namespace hanamori {

class WindowDialogs;

class BidderPage final : public TabPage {
    Q_OBJECT
public:
    BidderPage(Host& host, WindowDialogs& dialogs, QWidget* parent = nullptr);
    ~BidderPage() override;

    void ShowListing(SaleMaster& listing) override;
    void StoreListing(SaleMaster& listing) override;
    void ShowBidders(SaleMaster& listing) override;

    // 落札者登録...: registers a bidder through the registration dialog.
    void RegisterBidder();
    // 削除...: removes the selected bidder after asking.
    void DeleteBidder();
    // 送料計算ツールを開く: the shipping tool for the selected bidder.
    void OpenShippingTool();

    // Whether the controls exist yet.
    bool isBuilt() const { return m_ui != nullptr; }

protected:
    void EnsureBuilt() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Stage;

    // The page's own fields, bound to the auction record, and those of the selected bidder.
    std::span<const BoundField<AuctionRecord>> PageFields() const { return m_pageFields; }
    std::span<const BoundField<CustomerRecord>> BidderFields() const { return m_bidderFields; }

    void WireControls();
    void FillProduct();
    void FillBidderCombo();
    void ShowSelectedBidder();
    void EnableBidderFields(bool on);
    void ShowTotal();
    CustomerRecord* Selected();

    void OnBidderChosen(int index);
    void OnAmountChanged(const BoundField<CustomerRecord>& field);
    void OnFieldLeft(int code);
    void OnStageClicked(const Stage& stage);
    void OnPrefChosen(int index);
    void StepCount(int delta);
    void StoreBidderFields();
    void StoreBidderField(const BoundField<CustomerRecord>& field);
    // A stage date left holding a text that is not a date: the seller is told, and the
    // text is kept as typed.
    void WarnAboutStageDate(const BoundField<CustomerRecord>& field);

    std::unique_ptr<Ui::BidderPage> m_ui;
    std::vector<Stage> m_stages;
    std::vector<BoundField<AuctionRecord>> m_pageFields;
    std::vector<BoundField<CustomerRecord>> m_bidderFields;
    WindowDialogs& m_dialogs;
    SaleMaster* m_listing = nullptr;
    QString m_warnedDate;
};

} // namespace hanamori
