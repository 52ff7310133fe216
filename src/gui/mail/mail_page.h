#pragma once
// Tab 3, 案内メールの作成: the guidance mail for the selected bidder. The seller picks a
// template, ticks the payment destinations to offer, checks the seller block and builds
// the mail, which the mail dialog then shows for copying.
//
// The controls are built when the page is first shown (or first asked to show the
// bidders); until then the listing's mail block stays as it was read, and storing
// leaves it alone.

#include "core/listing/records.h"
#include "core/mail/guidance_mail.h"
#include "gui/widgets/tab_page.h"

#include <memory>
#include <span>
#include <vector>

namespace Ui {
class MailPage;
}

namespace hanamori {

class CSaleMasterDoc;
class DocumentView;
class WindowDialogs;
struct UserSettings;

class MailPage final : public TabPage {
    Q_OBJECT
public:
    // `view` stores all tabs before a build and switches to the bidder tab.
    MailPage(Host& host, WindowDialogs& dialogs, CSaleMasterDoc& doc, DocumentView& view,
             UserSettings& settings, QWidget* parent = nullptr);
    ~MailPage() override;

    void ShowListing(SaleMaster& listing) override;
    void StoreListing(SaleMaster& listing) override;
    void ShowBidders(SaleMaster& listing) override;
    // The six account names beside the ticks, from the payment settings.
    void ShowAccountNames();
    // Whether the controls exist yet.
    bool isBuilt() const { return m_ui != nullptr; }

    // The buttons.
    void BuildMail();
    void LoadOtherPaymentText();
    void EditPaymentSettings();
    void EditSellerSettings();
    void ImportSeller();

protected:
    void EnsureBuilt() override;

private:
    // The listing's mail block, bound; and the selected bidder, shown only.
    std::span<const BoundField<MailRecord>> MailFields() const { return m_mailFields; }
    std::span<const BoundField<BidderView>> BidderFields() const { return m_bidderFields; }
    void WireControls();
    void FillMailBlock();
    void FillBidderCombo();
    void ShowBidder();
    void OnBidderChosen(int index);
    void OnMailCommentClicked(bool checked);
    std::string SellerNickname() const;

    std::unique_ptr<Ui::MailPage> m_ui;
    std::vector<BoundField<MailRecord>> m_mailFields;
    std::vector<BoundField<BidderView>> m_bidderFields;
    WindowDialogs& m_dialogs;
    CSaleMasterDoc& m_doc;
    DocumentView& m_view;
    UserSettings& m_settings;
    SaleMaster* m_listing = nullptr;
    bool m_filling = false;
};

} // namespace hanamori
