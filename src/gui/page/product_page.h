#pragma once
// Tab 0, 商品の説明: the product texts, the page design and colour, the parcel, the
// payment and shipping methods of the description page; from here the seller previews
// the page and opens the completed one.

#include "core/listing/records.h"
#include "gui/widgets/tab_page.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace Ui {
class ProductPage;
}

class QLineEdit;

namespace hanamori {

class CSaleMasterDoc;
class DocumentView;

// The windows the page opens, behind one interface so that tests can stand in for them.
class ProductPageWindows {
public:
    virtual ~ProductPageWindows() = default;
    // Shows the page file `path` in the preview window: the one open window reloads
    // it and comes to the front, or a new one opens.
    virtual void ShowPreview(const std::string& path) = 0;
    // The completed-page dialog on the body file `path`, modal.
    virtual void ShowCompletedPage(const std::string& path) = 0;
};

class ProductPage final : public TabPage {
    Q_OBJECT
public:
    // `doc` and `view` may be null; the preview and the completed page then fail with
    // their message.
    ProductPage(Host& host, CSaleMasterDoc* doc, DocumentView* view, QWidget* parent = nullptr);
    ~ProductPage() override;

    void ShowListing(SaleMaster& listing) override;
    void StoreListing(SaleMaster& listing) override;

    // The buttons: 送料計算, プレビュー, 完成, タイプ一覧, これを標準設定とする.
    void ComputeMailCosts();
    void Preview();
    void Complete();
    void OpenDesignList();
    void MakeStandard();

    // Stands in other windows for the preview and the completed page (nullptr: the
    // real ones).
    void SetWindows(ProductPageWindows* windows);
    ProductPageWindows& windows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The page's fields, bound to the listing's auction record.
    std::span<const BoundField<AuctionRecord>> Fields() const { return m_fields; }
    void SetUpFields();
    void FillLists();
    void CheckDigits(QLineEdit* edit, const char* message);
    void ShowSizeTotal();
    void StoreSize(int code);
    // Stores all tabs and checks the selections; the design and colour names, or
    // false after the message.
    bool PrepareBuild(const char* no_design, const char* no_color, std::string& design,
                      std::string& color);

    std::unique_ptr<Ui::ProductPage> m_ui;
    std::vector<BoundField<AuctionRecord>> m_fields;
    CSaleMasterDoc* m_doc;
    DocumentView* m_view;
    std::unique_ptr<ProductPageWindows> m_ownWindows;
    ProductPageWindows* m_windows = nullptr;
};

} // namespace hanamori
