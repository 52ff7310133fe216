#include "gui/page/link_static.h"

namespace hanamori {

LinkStatic::LinkStatic(QWidget* parent) : QLabel(parent) {
    SetTextColor(m_color);
}

void LinkStatic::SetTextColor(const QColor& color) {
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

} // namespace hanamori
