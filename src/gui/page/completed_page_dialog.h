#pragma once
// The finished description page: its HTML and size, and a button that copies the
// whole text to the clipboard for the auction's description box.

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class CompletedPageDialog;
}

namespace hanamori {

class Host;

class CompletedPageDialog final : public QDialog {
    Q_OBJECT
public:
    // Reads the page file `path` at once; a file that cannot be opened is reported and
    // the dialog shows empty fields.
    CompletedPageDialog(Host& host, const std::string& path, QWidget* parent = nullptr);
    ~CompletedPageDialog() override;

    // クリップボードにコピーする: the whole page text, then the message; the dialog stays.
    void CopyToClipboard();
    const std::string& pageBytes() const { return m_page; }

private:
    std::unique_ptr<Ui::CompletedPageDialog> m_ui;
    Host& m_host;
    std::string m_page; // CP932, as read
};

} // namespace hanamori
