#pragma once
// Lets the seller type the address of the product's auction page.

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class PageUrlDialog;
}

namespace hanamori {

class Host;

class PageUrlDialog final : public QDialog {
    Q_OBJECT
public:
    PageUrlDialog(Host& host, const std::string& current, QWidget* parent = nullptr);
    ~PageUrlDialog() override;

    // The address (CP932, cut to the field's capacity), or nullopt when cancelled.
    std::optional<std::string> Run();
    std::string url() const;

private:
    std::unique_ptr<Ui::PageUrlDialog> m_ui;
};

} // namespace hanamori
