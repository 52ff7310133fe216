#pragma once
// A static text drawn in its own colour (pure blue unless told otherwise) on the
// window's background.

#include <QLabel>

namespace hanamori {

class LinkStatic final : public QLabel {
    Q_OBJECT
public:
    explicit LinkStatic(QWidget* parent = nullptr);
    void SetTextColor(const QColor& color);
    QColor textColor() const { return m_color; }

private:
    QColor m_color{0, 0, 255};
};

} // namespace hanamori
