#pragma once
// The form on the open listing: the header (name, management number, auction page)
// and the three tab pages.

#include "core/document/sale_master_doc.h"

#include <QWidget>

#include <array>
#include <memory>

class QMenu;

namespace Ui {
class SaleMasterView;
}

namespace hanamori {

class TabPage;
class WindowDialogs;

class CSaleMasterView final : public QWidget, public DocumentView {
    Q_OBJECT
public:
    // The size of the form; the frame never grows beyond it. It grows with the font
    // resolution, and is never smaller than what the form's controls need.
    QSize FormSize() const;

    CSaleMasterView(Host& host, WindowDialogs& dialogs, QWidget* parent = nullptr);
    ~CSaleMasterView() override;

    // Builds the tabs and the header for `doc` (the view's first update).
    void AttachDocument(CSaleMasterDoc* doc);
    // The edit context menu handed to the pages' text fields.
    void SetContextMenu(QMenu* menu);

    // DocumentView
    void FocusCurrentPage() override;
    void StoreAllTabs() override;
    void LoadAllTabs() override;
    void SelectTab(int index) override;
    // Shows tab `index`; false and nothing happens for an index outside 0-2.
    bool ShowTab(int index);
    int CurrentTab() const;
    // Sets the three header fields from the listing.
    void RefreshHeader();

    TabPage* page(int index) const { return m_pages.at(index); }

    // Header buttons: 設定..., 開く, ページ設定.
    void NameListing();
    void OpenAuctionPage();
    void SetAuctionPage();

signals:
    // A control reported a change that marked the listing modified.
    void listingModified();

private:
    void OnFieldChanged(int kind, int code);
    void OnTabChanged(int index);
    bool HasDocument();

    std::unique_ptr<Ui::SaleMasterView> m_ui;
    Host& m_host;
    WindowDialogs& m_dialogs;
    CSaleMasterDoc* m_doc = nullptr;
    std::array<TabPage*, 3> m_pages{};
    bool m_pagesExist = false;
    QMenu* m_contextMenu = nullptr;
};

} // namespace hanamori
