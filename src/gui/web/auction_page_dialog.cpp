#include "gui/web/auction_page_dialog.h"

#include "core/app/atomic_file.h"
#include "core/app/helpers.h"
#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "gui/web/web_browser.h"
#include "gui/web/web_engine_loader.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "ui_auction_page_dialog.h"

#include <QLabel>
#include <QPushButton>

namespace hanamori {

bool TakesLoadedAddress(const QString& url) {
    return url.left(5).compare(QLatin1String("file:"), Qt::CaseInsensitive) != 0;
}

const std::string& WorkPageText() {
    static const std::string kText = "<html><head><title>Hanamori - "
                                     "作業用</title></head><body>ここにオークションのページをドラッ"
                                     "グ＆ドロップすると自動的に設定されます。</body></html>"_sj;
    return kText;
}

bool WriteWorkPage(const std::string& path) {
    return SaveScratchFile(path, [](std::ostream& out) {
        out << WorkPageText();
        return static_cast<bool>(out);
    });
}

AuctionPageDialog::AuctionPageDialog(Host& host, WebEngineFactory* engine,
                                     const std::string& current, QWidget* parent,
                                     const QString& engineError)
    : QDialog(parent), m_ui(std::make_unique<Ui::AuctionPageDialog>()) {
    m_ui->setupUi(this);
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    GuardCp932Input(m_ui->urlEdit, host);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_ui->urlEdit->setText(ToQt(current));
    resize(FitToScreen(this, QSize(640, 420)));
    if (!engine) {
        auto* why = new QLabel(WebEngineMissingMessage(engineError), m_ui->browserFrame);
        why->setObjectName(QStringLiteral("engineMissingLabel"));
        why->setWordWrap(true);
        why->setAlignment(Qt::AlignCenter);
        m_ui->browserLayout->addWidget(why);
        return;
    }
    m_browser = new WebBrowser(*engine, PageTrust::Site, m_ui->browserFrame);
    m_ui->browserLayout->addWidget(m_browser);
    setTabOrder(m_ui->buttonBox, m_browser);
    connect(m_browser, &WebBrowser::loadFinished, this, &AuctionPageDialog::OnLoadFinished);

    if (!current.empty()) {
        m_browser->Navigate(current);
    } else {
        // A failed write still leaves the browser's own error page and a usable field.
        std::string work = InstallDir() + "work/workpage.html";
        WriteWorkPage(work);
        m_browser->Navigate(work);
    }
}

AuctionPageDialog::~AuctionPageDialog() = default;

void AuctionPageDialog::OnLoadFinished(bool ok) {
    QString address = m_browser->LocationUrl();
    if (!address.isEmpty() && TakesLoadedAddress(address)) {
        m_ui->urlEdit->setText(address.left(m_ui->urlEdit->maxLength()));
    }
    emit pageLoaded(ok);
}

std::string AuctionPageDialog::url() const {
    return FitField(ToCp932Lossy(m_ui->urlEdit->text().left(m_ui->urlEdit->maxLength())),
                    kUrlCapacity);
}

std::optional<std::string> AuctionPageDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return url();
}

} // namespace hanamori
