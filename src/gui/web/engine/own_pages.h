#pragma once
// Where the program's own pages are shown: a profile of their own, whose pages are
// served by the program from the page's folder under an address of its own, rather than
// read by the engine as local files. The page then arrives with its charset (Shift-JIS)
// and without the engine's detour for pages handed over in one piece, and its folder is
// the only local place it reaches: any other file, and every file: address, is refused.
// Each view has a host of its own in that address, so its relative image paths resolve
// to its own page's folder.

#include <QHash>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

namespace hanamori {

// Tells the engine of the scheme; must run before the engine's first profile or view.
void RegisterOwnPageScheme();

// The profile of the program's own pages, made on the first call.
QWebEngineProfile* OwnPageProfile();

// Serves each view's page folder under that view's host.
class PageFolders final : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // The address of the local page file `page` for the view known as `host`; that view's
    // requests reach the page's folder from now on, and no other.
    QUrl AddressOf(const QString& host, const QString& page);
    void Forget(const QString& host);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QHash<QString, QString> m_folders;
};

// The handler of OwnPageProfile().
PageFolders& OwnPageFolders();

} // namespace hanamori
