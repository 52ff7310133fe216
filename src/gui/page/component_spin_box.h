#pragma once
// A colour component box of the font dialog: arrows step through 0 to 255, while any
// number may be typed, which counts modulo 256.

#include <QSpinBox>

namespace hanamori {

class ComponentSpinBox final : public QSpinBox {
    Q_OBJECT
public:
    explicit ComponentSpinBox(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& text) const override;
};

} // namespace hanamori
