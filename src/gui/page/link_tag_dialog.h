#pragma once
// The address and target window of an <a> tag.

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class LinkTagDialog;
}

namespace hanamori {

class Host;

struct LinkChoice {
    std::string url; // CP932, as typed
    int target = 0;  // kLinkNewWindow or kLinkCurrentWindow
};

class LinkTagDialog final : public QDialog {
    Q_OBJECT
public:
    explicit LinkTagDialog(Host& host, QWidget* parent = nullptr);
    ~LinkTagDialog() override;

    std::optional<LinkChoice> Run();
    LinkChoice choice() const { return m_choice; }
    // OK: an empty address is refused with a message and the dialog stays open.
    void accept() override;

private:
    std::unique_ptr<Ui::LinkTagDialog> m_ui;
    Host& m_host;
    LinkChoice m_choice;
};

} // namespace hanamori
