#include "gui/shell/display_scaling.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

namespace hanamori {

void PrepareDisplayScaling() {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
}

int ScaledToFont(const QWidget* widget, int pixels) {
    const qreal scale = std::max<qreal>(1.0, widget->logicalDpiY() / 96.0);
    return qRound(pixels * scale);
}

} // namespace hanamori
