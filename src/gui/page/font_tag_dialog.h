#pragma once
// Font colour and size for a <font> tag: the colour as text, from the R, G, B boxes or
// from one of the 28 swatches, and the size from サイズ-1 to サイズ+6.

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

class QPushButton;

namespace Ui {
class FontTagDialog;
}

namespace hanamori {

class Host;

struct FontChoice {
    int size = 0;      // -1 to 6
    std::string color; // CP932, as typed
};

class FontTagDialog final : public QDialog {
    Q_OBJECT
public:
    explicit FontTagDialog(Host& host, QWidget* parent = nullptr);
    ~FontTagDialog() override;

    std::optional<FontChoice> Run();
    FontChoice choice() const;
    // Swatch `index` (0-27, top row first) as a click would choose it.
    void ClickSwatch(int index);
    QPushButton* swatch(int index) const;

private:
    void UpdateColor();
    void PaintSample(const QColor& color);

    std::unique_ptr<Ui::FontTagDialog> m_ui;
    QPushButton* m_swatches[28] = {};
    bool m_ready = false;
};

} // namespace hanamori
