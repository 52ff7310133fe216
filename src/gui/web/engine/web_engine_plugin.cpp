#include "gui/web/engine/web_engine_plugin.h"

#include "gui/web/engine/engine_view.h"
#include "gui/web/engine/own_pages.h"

#include <QCoreApplication>
#include <QOpenGLContext>

// Qt's own, exported for the engine, which uses them too.
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace hanamori {

WebEnginePlugin::WebEnginePlugin() {
    // The engine draws through a GL context shared with the windows. Qt makes it as the
    // application starts when asked to (Qt::AA_ShareOpenGLContexts), which loads the GL
    // drivers on every start of the program, preview or not; made here, as Qt would
    // make it, the drivers load with the engine, before its first view.
    if (!qt_gl_global_share_context()) {
        auto* context = new QOpenGLContext(QCoreApplication::instance());
        context->setFormat(QSurfaceFormat::defaultFormat());
        context->create();
        qt_gl_set_global_share_context(context);
    }
    // Schemes are fixed when the engine starts, with its first profile or view; the
    // plugin is loaded before the program makes either.
    RegisterOwnPageScheme();
}

EngineView* WebEnginePlugin::CreateView(PageTrust trust, QWidget* parent,
                                        std::function<void(bool ok)> loaded) {
    return new EngineViewImpl(trust, parent, std::move(loaded));
}

} // namespace hanamori
