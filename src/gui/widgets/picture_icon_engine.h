#pragma once
// An icon drawn at build time at several sizes, each picture read only when a size is
// first painted: a window with a tool bar full of icons then opens without reading,
// parsing or drawing any of them.

#include <QIconEngine>
#include <QString>

#include <span>

namespace hanamori {

class PictureIconEngine final : public QIconEngine {
public:
    // Pictures "<prefix><size>.png" for each of `sizes` (square, ascending).
    PictureIconEngine(QString prefix, std::span<const int> sizes);

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    QString m_prefix;
    std::span<const int> m_sizes;
};

} // namespace hanamori
