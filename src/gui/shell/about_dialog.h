#pragma once
// バージョン情報: the program icon and its version.

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

namespace hanamori {

class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};

} // namespace hanamori
