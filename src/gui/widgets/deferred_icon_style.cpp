#include "gui/widgets/deferred_icon_style.h"

#include <QGuiApplication>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace hanamori {

DeferredIconEngine::DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

const QIcon& DeferredIconEngine::Icon() {
    if (!m_made) {
        m_icon = m_make();
        m_made = true;
    }
    return m_icon;
}

void DeferredIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                               QIcon::State state) {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return Icon().pixmap(size, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return Icon().actualSize(size, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) {
    return Icon().availableSizes(mode, state);
}

QIconEngine* DeferredIconEngine::clone() const {
    auto* copy = new DeferredIconEngine(m_make);
    copy->m_icon = m_icon;
    copy->m_made = m_made;
    return copy;
}

QString DeferredIconEngine::key() const {
    return QStringLiteral("hanamori-deferred");
}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton) {
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    // The picture depends only on the writing direction, which is kept for later.
    QStyleOption direction;
    direction.direction = option ? option->direction
                          : widget ? widget->layoutDirection()
                                   : QGuiApplication::layoutDirection();
    const QPointer<QStyle> base = baseStyle();
    return QIcon(new DeferredIconEngine([base, icon, direction] {
        return base ? base->standardIcon(icon, &direction) : QIcon();
    }));
}

} // namespace hanamori
