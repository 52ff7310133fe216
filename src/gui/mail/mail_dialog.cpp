#include "gui/mail/mail_dialog.h"

#include "core/app/helpers.h"
#include "core/app/host.h"
#include "core/mail/mail_writer.h"
#include "core/text/cp932.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "gui/widgets/settings_text.h"
#include "ui_mail_dialog.h"

#include <fstream>
#include <iterator>
#include <optional>

namespace hanamori {
namespace {
std::optional<std::string> ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
} // namespace

MailDialog::MailDialog(Host& host, const std::string& name, const std::string& nickname,
                       const std::string& mail, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MailDialog>()), m_host(host) {
    m_ui->setupUi(this);
    m_ui->nameEdit->setText(ToQt(name));
    m_ui->nicknameEdit->setText(ToQt(nickname));
    m_ui->mailEdit->setText(ToQt(mail));
    m_ui->bodyEdit->setTabChangesFocus(true);
    m_ui->bodyEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(m_ui->copyBodyButton, &QPushButton::clicked, this, &MailDialog::CopyBody);
    connect(m_ui->copyTitleButton, &QPushButton::clicked, this, &MailDialog::CopyTitle);
    connect(m_ui->copyMailButton, &QPushButton::clicked, this, &MailDialog::CopyMail);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
    resize(FitToScreen(this, QSize(640, 560)).expandedTo(minimumSizeHint()));
    LoadFiles();
}

MailDialog::~MailDialog() = default;

void MailDialog::LoadFiles() {
    const std::string dir = InstallDir();
    auto title = ReadWhole(MailTitlePath(dir));
    if (title) {
        m_ui->titleEdit->setText(ToQt(*title));
        m_ui->titleEdit->setCursorPosition(0);
    }
    auto body = ReadWhole(MailBodyPath(dir));
    if (body) {
        m_ui->bodyEdit->setPlainText(MultilineToQt(*body));
    }
    if (!title || !body) {
        m_host.ShowMessage("メールの作成に失敗しました。"_sj, MessageIcon::Stop);
    }
}

std::string MailDialog::titleText() const {
    return ToCp932Lossy(m_ui->titleEdit->text());
}

std::string MailDialog::bodyText() const {
    return MultilineToCp932(m_ui->bodyEdit->toPlainText(), std::string::npos);
}

void MailDialog::Copy(const std::string& text, const std::string& notice) {
    if (!m_host.SetClipboardText(text)) {
        m_host.ShowMessage("クリップボードへのコピーに失敗しました。"_sj, MessageIcon::Stop);
        return;
    }
    m_host.ShowMessage(notice, MessageIcon::Information);
}

void MailDialog::CopyBody() {
    Copy(bodyText(), "メール本文をクリップボードへのコピーしました。"_sj);
}

void MailDialog::CopyTitle() {
    Copy(titleText(), "メールタイトルをクリップボードへのコピーしました。"_sj);
}

void MailDialog::CopyMail() {
    Copy(ToCp932Lossy(m_ui->mailEdit->text()),
         "メールアドレスをクリップボードへのコピーしました。"_sj);
}

} // namespace hanamori
