// The product page's buttons: 送料計算, プレビュー, 完成, タイプ一覧 and
// これを標準設定とする.

#include "core/app/helpers.h"
#include "core/document/listing_resources.h"
#include "core/document/sale_master_doc.h"
#include "core/page/html_tags.h"
#include "core/page/page_builders.h"
#include "core/page/product_form.h"
#include "core/settings/settings_keeper.h"
#include "core/text/cp932.h"
#include "gui/page/product_page.h"
#include "gui/page/product_page_windows.h"
#include "gui/widgets/qt_text.h"
#include "ui_product_page.h"

namespace hanamori {
void ProductPage::ComputeMailCosts() {
    Ui::ProductPage& u = *m_ui;
    if (u.weightCombo->currentIndex() < 0 || u.originCombo->currentIndex() < 0) {
        return;
    }
    auto side = [](const QLineEdit* e) { return DigitsValue(e->text().toStdString()); };
    auto costs = MailTypeCosts(InstallDir() + "CostData", side(u.lengthEdit), side(u.widthEdit),
                               side(u.heightEdit), u.weightCombo->currentData().toInt(),
                               ToCp932Lossy(u.originCombo->currentText()));
    const std::pair<QLineEdit*, QAbstractButton*> kinds[kMailKindCount] = {
        {u.teikeiCostEdit, u.teikeiCheck},     {u.teikeigaiCostEdit, u.teikeigaiCheck},
        {u.bookletCostEdit, u.bookletCheck},   {u.expackCostEdit, u.expackCheck},
        {u.kuronekoCostEdit, u.kuronekoCheck}, {u.hikyakuCostEdit, u.hikyakuCheck}};
    for (int i = 0; i < kMailKindCount; ++i) {
        auto [edit, tick] = kinds[i];
        MailTypeFields fields =
            MailTypeAfterCosting(costs[static_cast<std::size_t>(i)], tick->isChecked());
        edit->setText(QString::fromStdString(fields.cost_text));
        if (fields.untick) {
            tick->click(); // as the seller would, so the listing counts as modified
        }
    }
}

bool ProductPage::PrepareBuild(const char* no_design, const char* no_color, std::string& design,
                               std::string& color) {
    if (m_view) {
        m_view->StoreAllTabs();
    }
    if (!m_view || !m_doc) {
        host().ShowMessage("プレビューの作成に失敗しました。"_sj, MessageIcon::Stop);
        return false;
    }
    if (m_ui->designCombo->currentIndex() < 0) {
        host().ShowMessage(*Utf8ToCp932(no_design), MessageIcon::Information);
        return false;
    }
    if (m_ui->colorCombo->currentIndex() < 0) {
        host().ShowMessage(*Utf8ToCp932(no_color), MessageIcon::Information);
        return false;
    }
    design = ToCp932Lossy(m_ui->designCombo->currentText());
    color = ToCp932Lossy(m_ui->colorCombo->currentText());
    return true;
}

void ProductPage::Preview() {
    std::string design, color;
    if (!PrepareBuild("作成するページのデザイン(タイプ)を選択してください。",
                      "作成するページのデザイン(カラー)を選択してください。", design, color)) {
        return;
    }
    ListingResources& res = m_doc->resources();
    EngineCostLists lists(res.shipping());
    PageSources src{m_doc->listing(), Settings(), res.colors(), lists, host()};
    std::string path = InstallDir() + "work/preview.html";
    if (!WritePreviewFile(src, design, color, path)) {
        host().ShowMessage("プレビューの作成に失敗しました。"_sj, MessageIcon::Stop);
        return;
    }
    windows().ShowPreview(path);
}

void ProductPage::Complete() {
    std::string design, color;
    if (!PrepareBuild("作成するページの種類を選択してください。",
                      "作成するページのカラーを選択してください。", design, color)) {
        return;
    }
    ListingResources& res = m_doc->resources();
    EngineCostLists lists(res.shipping());
    PageSources src{m_doc->listing(), Settings(), res.colors(), lists, host()};
    std::string path = InstallDir() + "work/body.html";
    if (!WriteBodyFile(src, design, color, path)) {
        host().ShowMessage("プレビューの作成に失敗しました。"_sj, MessageIcon::Stop);
        return;
    }
    windows().ShowCompletedPage(path);
}

void ProductPage::OpenDesignList() {
    host().OpenPage(InstallDir() + "help/design_list.html");
}

void ProductPage::MakeStandard() {
    HanamoSettings& s = Settings().hanamo;
    s.page_type = *ReadBoundText(m_ui->designCombo, FieldShape::Name, kDesignNameCapacity);
    s.page_color = *ReadBoundText(m_ui->colorCombo, FieldShape::Name, kDesignNameCapacity);
    WriteSettingsChanges(host());
}

void ProductPage::SetWindows(ProductPageWindows* windows) {
    m_windows = windows;
}

ProductPageWindows& ProductPage::windows() {
    if (m_windows) {
        return *m_windows;
    }
    if (!m_ownWindows) {
        m_ownWindows = std::make_unique<QtProductPageWindows>(host(), this);
    }
    return *m_ownWindows;
}

} // namespace hanamori
