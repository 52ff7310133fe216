#include "gui/shell/sale_master_view.h"

#include "core/app/helpers.h"
#include "core/settings/settings_files.h"
#include "core/text/cp932.h"
#include "gui/bidder/bidder_page.h"
#include "gui/mail/mail_page.h"
#include "gui/page/product_page.h"
#include "gui/shell/display_scaling.h"
#include "gui/widgets/edit_routing.h"
#include "gui/widgets/field_codes.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/tab_page.h"
#include "gui/widgets/window_dialogs.h"
#include "ui_sale_master_view.h"

#include <QLayout>
#include <QPalette>

#include <algorithm>

namespace hanamori {
namespace {
const QColor kNameColor(0, 96, 0);
const QColor kNewFileColor(255, 0, 0);

void SetFieldText(QLineEdit* field, const QString& text, const QColor& color) {
    QPalette pal = field->palette();
    pal.setColor(QPalette::Text, color);
    field->setPalette(pal);
    field->setText(text);
    field->setCursorPosition(0);
}
} // namespace

QSize CSaleMasterView::FormSize() const {
    // Laid out at 96 dots per inch; a larger font resolution makes every text, and so
    // every control, larger.
    QSize size(ScaledToFont(this, 780), ScaledToFont(this, 568));
    if (layout()) {
        size = size.expandedTo(layout()->minimumSize());
    }
    return size;
}

CSaleMasterView::CSaleMasterView(Host& host, WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::SaleMasterView>()), m_host(host),
      m_dialogs(dialogs) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("saleMasterView"));
    SetControlId(m_ui->productNameEdit, 6008);
    SetControlId(m_ui->nameButton, 1265);
    SetControlId(m_ui->manageNoEdit, 5185);
    SetControlId(m_ui->pageUrlEdit, 5067);
    SetControlId(m_ui->openPageButton, 1142);
    SetControlId(m_ui->setPageButton, 1064);
    SetControlId(m_ui->tabWidget, 1000);

    QFont bold = m_ui->productNameEdit->font();
    bold.setPixelSize(ScaledToFont(this, 16));
    bold.setWeight(QFont::Black);
    m_ui->productNameEdit->setFont(bold);
    // Room for twelve digits and the field's margins.
    const int digits =
        m_ui->manageNoEdit->fontMetrics().horizontalAdvance(QStringLiteral("000000000000"));
    m_ui->manageNoEdit->setMaximumWidth(
        std::max(ScaledToFont(this, 130), digits + ScaledToFont(this, 16)));
    m_ui->tabWidget->setUsesScrollButtons(false);

    connect(m_ui->nameButton, &QPushButton::clicked, this, &CSaleMasterView::NameListing);
    connect(m_ui->openPageButton, &QPushButton::clicked, this, &CSaleMasterView::OpenAuctionPage);
    connect(m_ui->setPageButton, &QPushButton::clicked, this, &CSaleMasterView::SetAuctionPage);
    connect(m_ui->tabWidget, &QTabWidget::currentChanged, this, &CSaleMasterView::OnTabChanged);
    setMinimumSize(FormSize());
}

CSaleMasterView::~CSaleMasterView() = default;

void CSaleMasterView::AttachDocument(CSaleMasterDoc* doc) {
    m_doc = doc;
    if (!HasDocument()) {
        return;
    }
    // A rebuild replaces the pages of an earlier one.
    m_ui->tabWidget->clear();
    if (m_pagesExist) {
        for (TabPage*& p : m_pages) {
            delete p;
            p = nullptr;
        }
    }
    m_pages = {new ProductPage(m_host, m_doc, this), new BidderPage(m_host, m_dialogs),
               new MailPage(m_host, m_dialogs, *m_doc, *this, Settings())};
    const QString titles[3] = {QStringLiteral("商品の説明"), QStringLiteral("商品と落札者の管理"),
                               QStringLiteral("案内メールの作成")};
    for (int i = 0; i < 3; ++i) {
        m_pages[i]->SetContextMenu(m_contextMenu);
        connect(m_pages[i], &TabPage::fieldChanged, this, &CSaleMasterView::OnFieldChanged);
        connect(m_pages[i], &TabPage::listingEdited, this, [this] {
            m_doc->SetModified(true);
            emit listingModified();
        });
        m_ui->tabWidget->addTab(m_pages[i], titles[i]);
    }
    m_pagesExist = true;
    // The form holds the pages as now built. The tab widget tells its new size only
    // through a posted event, which a window not yet shown has not seen: it is told now.
    m_ui->tabWidget->updateGeometry();
    setMinimumSize(FormSize());
    SetChangeNotify(true);
    RefreshHeader();
    m_doc->UpdateTitle();
}

void CSaleMasterView::SetContextMenu(QMenu* menu) {
    m_contextMenu = menu;
    for (TabPage* p : m_pages) {
        if (p) {
            p->SetContextMenu(menu);
        }
    }
}

bool CSaleMasterView::HasDocument() {
    if (m_doc) {
        return true;
    }
    m_host.ShowMessage(
        "深刻なエラーが発生しました。\nビューに対応するドキュメントが見つかりません。"_sj,
        MessageIcon::Stop);
    return false;
}

void CSaleMasterView::FocusCurrentPage() {
    if (QWidget* w = m_ui->tabWidget->currentWidget()) {
        w->setFocus();
    }
}

void CSaleMasterView::StoreAllTabs() {
    if (!m_doc || !m_pagesExist) {
        return;
    }
    for (TabPage* p : m_pages) {
        p->StoreListing(m_doc->listing());
    }
}

void CSaleMasterView::LoadAllTabs() {
    if (!m_doc || !m_pagesExist) {
        return;
    }
    for (TabPage* p : m_pages) {
        p->ShowListing(m_doc->listing());
    }
    RefreshHeader();
}

void CSaleMasterView::SelectTab(int index) {
    ShowTab(index);
}

bool CSaleMasterView::ShowTab(int index) {
    if (index < 0 || index > 2 || !m_pagesExist) {
        return false;
    }
    if (m_ui->tabWidget->currentIndex() == index) {
        OnTabChanged(index);
    } else {
        m_ui->tabWidget->setCurrentIndex(index);
    }
    return true;
}

int CSaleMasterView::CurrentTab() const {
    return m_ui->tabWidget->currentIndex();
}

void CSaleMasterView::OnTabChanged(int index) {
    if (!m_doc || index < 0 || index > 2 || !m_pagesExist) {
        return;
    }
    TabPage* p = m_pages[index];
    p->setFocus();
    if (index != 0) {
        p->ShowBidders(m_doc->listing());
    }
}

void CSaleMasterView::RefreshHeader() {
    if (!m_doc) {
        return;
    }
    const SaleMaster& l = m_doc->listing();
    if (l.product_name.empty()) {
        SetFieldText(m_ui->productNameEdit, QStringLiteral("※新規ファイル"), kNewFileColor);
    } else {
        SetFieldText(m_ui->productNameEdit, ToQt(l.product_name), kNameColor);
    }
    m_ui->manageNoEdit->setText(ToQt(l.manage_no));
    m_ui->pageUrlEdit->setText(l.auction.page_url.empty() ? QStringLiteral("※ページ未設定")
                                                          : ToQt(l.auction.page_url));
    m_ui->pageUrlEdit->setCursorPosition(0);
}

void CSaleMasterView::OnFieldChanged(int kind, int code) {
    if (m_doc && ChangeMarksModified(kind, code)) {
        m_doc->SetModified(true);
        emit listingModified();
    }
}

void CSaleMasterView::NameListing() {
    if (!HasDocument()) {
        return;
    }
    if (m_doc->NameListing()) {
        m_doc->SetModified(true);
        RefreshHeader();
    }
}

void CSaleMasterView::OpenAuctionPage() {
    if (!HasDocument()) {
        return;
    }
    const std::string& url = m_doc->listing().auction.page_url;
    if (url.empty()) {
        m_host.ShowMessage("ページが設定されていません。"_sj, MessageIcon::Exclamation);
        return;
    }
    m_host.OpenPage(url);
}

void CSaleMasterView::SetAuctionPage() {
    if (!HasDocument()) {
        return;
    }
    if (auto url = m_dialogs.AskPageUrl(m_doc->listing().auction.page_url)) {
        m_doc->listing().auction.page_url = *url;
        m_doc->SetModified(true);
        RefreshHeader();
    }
}

} // namespace hanamori
