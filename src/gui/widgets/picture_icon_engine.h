#pragma once
// An icon drawn at build time at several sizes, each picture read only when a size is
// first painted: a window with a tool bar full of icons then opens without reading,
// parsing, decoding or drawing any of them.

#include <QIconEngine>
#include <QImage>
#include <QString>

#include <span>

namespace hanamori {

// The square picture of `side` pixels stored at `path` as bare premultiplied RGBA pixels,
// row by row (as the build draws them); a null image when it is missing or of another size.
QImage StoredPicture(const QString& path, int side);

class PictureIconEngine final : public QIconEngine {
public:
    // Pictures "<prefix><size>.rgba" for each of `sizes` (square, ascending).
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
