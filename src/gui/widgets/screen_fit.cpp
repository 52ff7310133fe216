#include "gui/widgets/screen_fit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>

namespace hanamori {

QSize FitToScreen(const QWidget* widget, QSize wanted) {
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return wanted;
    }
    // A tenth is left for the window's frame and the desktop's panels.
    QSize room = screen->availableGeometry().size() * 9 / 10;
    return wanted.boundedTo(room);
}

void ResizeToFitScreen(QWidget* window) {
    if (QLayout* layout = window->layout()) {
        layout->activate();
    }
    QSize wanted = window->sizeHint();
    if (window->hasHeightForWidth()) {
        // Wrapping labels are as high as the width they get.
        wanted.setHeight(window->heightForWidth(wanted.width()));
    }
    QSize size = FitToScreen(window, wanted);
    const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
    if (size.height() < wanted.height()) {
        size.rwidth() += bar;
    }
    if (size.width() < wanted.width()) {
        size.rheight() += bar;
    }
    window->resize(FitToScreen(window, size).expandedTo(window->minimumSizeHint()));
}

void ResizeToFitScreen(QWidget* window, QWidget* large, QSize natural, QSize least) {
    large->setMinimumSize(natural);
    ResizeToFitScreen(window);
    const QSize size = window->size();
    large->setMinimumSize(least.boundedTo(natural));
    if (QLayout* layout = window->layout()) {
        layout->activate();
    }
    window->resize(FitToScreen(window, size).expandedTo(window->minimumSizeHint()));
}

FittingScrollArea::FittingScrollArea(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    // Not a stop of its own on the tab chain; the controls in it scroll into view when
    // they take the focus.
    setFocusPolicy(Qt::NoFocus);
}

QSize FittingScrollArea::sizeHint() const {
    const int frame = 2 * frameWidth();
    QSize inner = widget() ? widget()->sizeHint() : QSize(0, 0);
    return inner + QSize(frame, frame);
}

} // namespace hanamori
