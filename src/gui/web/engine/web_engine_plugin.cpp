#include "gui/web/engine/web_engine_plugin.h"

#include "gui/web/engine/engine_view.h"

namespace hanamori {

EngineView* WebEnginePlugin::CreateView(PageTrust trust, QWidget* parent,
                                        std::function<void(bool ok)> loaded) {
    return new EngineViewImpl(trust, parent, std::move(loaded));
}

} // namespace hanamori
