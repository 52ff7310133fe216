// render_icon SVG SIZE OUT: a drawing as a SIZE x SIZE picture. OUT ending in ".rgba" gets
// the bare pixels (premultiplied RGBA, row by row), which the program shows without
// decoding anything; any other name gets a PNG, for the icon theme sizes a desktop asks for.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool SavePixels(const QImage& image, const QString& path) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const char*>(pixels.constScanLine(y));
        if (out.write(row, qint64(pixels.width()) * 4) != qint64(pixels.width()) * 4) {
            return false;
        }
    }
    return out.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_icon SVG SIZE OUT\n");
        return 2;
    }
    const int size = QByteArray(argv[2]).toInt();
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || size <= 0) {
        std::fprintf(stderr, "render_icon: %s: not a picture, or size %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    const QString out = QString::fromLocal8Bit(argv[3]);
    const bool saved = out.endsWith(QLatin1String(".rgba")) ? SavePixels(image, out)
                                                            : image.save(out, "PNG");
    if (!saved) {
        std::fprintf(stderr, "render_icon: %s: cannot write\n", argv[3]);
    }
    return saved ? 0 : 1;
}
