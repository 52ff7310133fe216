#pragma once
// The browser engine as the program sees it: a plugin library (hanamori_web) that makes
// engine views, loaded the first time a window needs one, so that a start without a
// preview never loads the engine. This header is shared with the plugin and holds only
// abstract classes: the two sides meet through virtual calls, never through linked
// symbols.

#include <QtPlugin>

#include <functional>

class QString;
class QUrl;
class QWidget;

namespace hanamori {

// What a view may do with the pages it shows.
enum class PageTrust {
    // The program's own pages (the preview): no scripts, no local file outside the
    // page's folder; remote images load as on the auction site.
    OwnPage,
    // Pages of the auction site (the auction page dialog): scripts run.
    Site,
};

// One engine view; the widget belongs to the parent it was made with.
class EngineView {
public:
    virtual ~EngineView() = default;
    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    // Shows the local page file `path`, read afresh also when it is the page shown, as
    // Shift-JIS whatever its bytes suggest.
    virtual void ShowFile(const QString& path) = 0;
    virtual QUrl Url() const = 0;
    virtual QString Title() const = 0;
};

class WebEngineFactory {
public:
    virtual ~WebEngineFactory() = default;
    // A new view inside `parent`; `loaded` is called each time a page finished loading
    // (false: with an error).
    virtual EngineView* CreateView(PageTrust trust, QWidget* parent,
                                   std::function<void(bool ok)> loaded) = 0;
};

} // namespace hanamori

#define HANAMORI_WEB_ENGINE_IID "jp.hanamori.WebEngineFactory/2"
Q_DECLARE_INTERFACE(hanamori::WebEngineFactory, HANAMORI_WEB_ENGINE_IID)
