#pragma once
// Tab 0, 商品の説明: the product texts of the description page.

#include "gui/app/tab_page.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace hanamori {

class ProductPage final : public TabPage {
    Q_OBJECT
public:
    explicit ProductPage(Host& host, QWidget* parent = nullptr);

    void ShowListing(SaleMaster& listing) override;
    void StoreListing(SaleMaster& listing) override;

private:
    QLineEdit* m_displayName;
    QCheckBox* m_useDescription;
    QPlainTextEdit* m_description;
};

} // namespace hanamori
