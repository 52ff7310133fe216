#pragma once
// 案内メール: the mail just built, with buttons that copy the bidder's address, the
// title and the body to the clipboard for the seller's mail program.

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class MailDialog;
}

namespace hanamori {

class Host;

class MailDialog final : public QDialog {
    Q_OBJECT
public:
    // Shows the bidder's texts (CP932), then reads the title and the body from the work
    // directory; a file that cannot be read is reported and the dialog keeps what it has.
    MailDialog(Host& host, const std::string& name, const std::string& nickname,
               const std::string& mail, QWidget* parent = nullptr);
    ~MailDialog() override;

    // The field texts as the copy buttons take them (CP932, CR LF line ends).
    std::string titleText() const;
    std::string bodyText() const;

    // The three copy buttons: the whole text to the clipboard, then a notice.
    void CopyBody();
    void CopyTitle();
    void CopyMail();

private:
    void LoadFiles();
    void Copy(const std::string& text, const std::string& notice);

    std::unique_ptr<Ui::MailDialog> m_ui;
    Host& m_host;
};

} // namespace hanamori
