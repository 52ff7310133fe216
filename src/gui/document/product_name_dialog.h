#pragma once
// 商品名の設定: asks for the listing's product name.

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class ProductNameDialog;
}

namespace hanamori {

class Host;

class ProductNameDialog final : public QDialog {
    Q_OBJECT
public:
    // Opens with `current` (CP932) in the field.
    ProductNameDialog(Host& host, const std::string& current, QWidget* parent = nullptr);
    ~ProductNameDialog() override;

    // Runs the dialog; the name (CP932, at most 259 bytes) or nullopt when cancelled.
    std::optional<std::string> Run();
    // The name taken by the last accept.
    const std::string& name() const { return m_name; }

    void accept() override;

private:
    std::unique_ptr<Ui::ProductNameDialog> m_ui;
    Host& m_host;
    std::string m_name;
};

} // namespace hanamori
