#pragma once
// Which file of a page's folder an address of the program's own pages reads, and the
// content type it is served with. Plain path rules, kept apart from the engine.

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace hanamori {

// The folder a page file's requests may read: its directory, with symbolic links
// resolved (the cleaned path when it does not exist).
QString PageFolderOf(const QString& page);

// The file of `folder` (as PageFolderOf gives it) that a request for `url` reads: empty
// when its path leaves the folder, by "..", by an encoded separator or through a
// symbolic link, or names no regular file.
QString FileInFolder(const QString& folder, const QUrl& url);

// The content type a file is served with; text is Shift-JIS, as the program writes it.
QByteArray ContentTypeOf(const QString& path);

} // namespace hanamori
