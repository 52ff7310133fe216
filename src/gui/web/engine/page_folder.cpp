#include "gui/web/engine/page_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>

namespace hanamori {
namespace {
QString Inside(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
} // namespace

QString PageFolderOf(const QString& page) {
    const QString folder = QFileInfo(page).absolutePath();
    const QString real = QFileInfo(folder).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(folder) : real;
}

QString FileInFolder(const QString& folder, const QUrl& url) {
    // Decoded, "%2F.." is a step up like any other and is cleaned away below.
    const QString path = url.path(QUrl::FullyDecoded);
    if (folder.isEmpty() || !path.startsWith(QLatin1Char('/')) || path.contains(QChar())) {
        return QString();
    }
    const QString inside = Inside(folder);
    const QString joined = QDir::cleanPath(inside + path.mid(1));
    if (!joined.startsWith(inside)) {
        return QString();
    }
    const QString real = QFileInfo(joined).canonicalFilePath();
    if (real.isEmpty() || !real.startsWith(inside) || !QFileInfo(real).isFile()) {
        return QString();
    }
    return real;
}

QByteArray ContentTypeOf(const QString& path) {
    // Pages are the common case; the type database is read only for what they link.
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray type = "text/html";
    if (suffix != QLatin1String("html") && suffix != QLatin1String("htm")) {
        type =
            QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toLatin1();
    }
    if (type.startsWith("text/")) {
        type += ";charset=Shift_JIS";
    }
    return type;
}

} // namespace hanamori
