#pragma once
// The address, size and border of an <img> tag.

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class ImageTagDialog;
}

namespace hanamori {

class Host;

struct ImageChoice {
    std::string url; // CP932, as typed
    int width = 0;   // 0: the picture's own
    int height = 0;
    int border = 0; // 0 無し to 3 太線
};

class ImageTagDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ImageTagDialog(Host& host, QWidget* parent = nullptr);
    ~ImageTagDialog() override;

    std::optional<ImageChoice> Run();
    ImageChoice choice() const { return m_choice; }
    // OK: checks the address, the width and the height in that order; a failed check
    // shows its message and the dialog stays open.
    void accept() override;

private:
    std::unique_ptr<Ui::ImageTagDialog> m_ui;
    Host& m_host;
    ImageChoice m_choice;
};

} // namespace hanamori
