#include "gui/widgets/picture_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cstring>

namespace hanamori {

QImage StoredPicture(const QString& path, int side) {
    const QByteArray pixels = QResource(path).uncompressedData();
    if (side <= 0 || pixels.size() != qsizetype(side) * side * 4) {
        return {};
    }
    QImage image(side, side, QImage::Format_RGBA8888_Premultiplied);
    for (int y = 0; y < side; ++y) {
        std::memcpy(image.scanLine(y), pixels.constData() + qsizetype(y) * side * 4,
                    std::size_t(side) * 4);
    }
    return image;
}

PictureIconEngine::PictureIconEngine(QString prefix, std::span<const int> sizes)
    : m_prefix(std::move(prefix)), m_sizes(sizes) {}

QSize PictureIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    // Square pictures, scaled to fit as a drawing would be.
    const int side = std::min(size.width(), size.height());
    return {side, side};
}

QPixmap PictureIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    const int side = actualSize(size, mode, state).width();
    if (side <= 0) {
        return {};
    }
    const QString key = QStringLiteral("%1%2-%3").arg(m_prefix).arg(side).arg(int(mode));
    QPixmap pm;
    if (QPixmapCache::find(key, &pm)) {
        return pm;
    }
    // The smallest picture at least as large, else the largest.
    const auto drawn = std::lower_bound(m_sizes.begin(), m_sizes.end(), side);
    const int source = drawn == m_sizes.end() ? m_sizes.back() : *drawn;
    pm = QPixmap::fromImage(StoredPicture(QStringLiteral("%1%2.rgba").arg(m_prefix).arg(source),
                                          source));
    if (pm.width() != side) {
        pm = pm.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    if (mode != QIcon::Normal && !pm.isNull()) {
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
    }
    QPixmapCache::insert(key, pm);
    return pm;
}

void PictureIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap pm = pixmap(rect.size() * ratio, mode, state);
    pm.setDevicePixelRatio(ratio);
    const QSize shown = pm.size() / ratio;
    painter->drawPixmap(QRect(rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                      (rect.height() - shown.height()) / 2),
                              shown),
                        pm);
}

QList<QSize> PictureIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (const int s : m_sizes) {
        sizes.append(QSize(s, s));
    }
    return sizes;
}

QIconEngine* PictureIconEngine::clone() const {
    return new PictureIconEngine(m_prefix, m_sizes);
}

QString PictureIconEngine::key() const {
    return QStringLiteral("hanamori-picture");
}

} // namespace hanamori
