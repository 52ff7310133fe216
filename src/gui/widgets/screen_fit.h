#pragma once
// Windows that open no larger than the screen allows: large scale factors on small
// screens would otherwise put a dialog's buttons below the screen's edge.

#include <QScrollArea>
#include <QSize>

class QWidget;

namespace hanamori {

// `wanted`, made smaller where needed so that a window of this size fits the screen
// `widget` will show on.
QSize FitToScreen(const QWidget* widget, QSize wanted);

// Sizes `window` to what its layout asks for, made smaller where the screen is
// smaller; room for a scroll bar is added where one side had to give way.
void ResizeToFitScreen(QWidget* window);

// Opens `window` at the size it asks for with `large` (a table or a long text, say) at
// `natural` size, made smaller where the screen is smaller; `large` may then shrink
// down to `least` and scroll what it holds.
void ResizeToFitScreen(QWidget* window, QWidget* large, QSize natural, QSize least);

// A scroll area that asks for room to show the whole of its widget, so a window around
// it opens as if it were not there; only a window made smaller than its contents shows
// the scroll bars.
class FittingScrollArea final : public QScrollArea {
    Q_OBJECT
public:
    explicit FittingScrollArea(QWidget* parent = nullptr);

    QSize sizeHint() const override;
};

} // namespace hanamori
