#include "gui/shell/display_scaling.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

namespace hanamori {

void PrepareDisplayScaling() {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
}

void PreferUnshapedText() {
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
}

int ScaledToFont(const QWidget* widget, int pixels) {
    const qreal scale = std::max<qreal>(1.0, widget->logicalDpiY() / 96.0);
    return qRound(pixels * scale);
}

} // namespace hanamori
