#pragma once
// The plugin's entry: makes the engine views the program asks for.

#include "gui/web/web_engine.h"

#include <QObject>

namespace hanamori {

class WebEnginePlugin final : public QObject, public WebEngineFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID HANAMORI_WEB_ENGINE_IID)
    Q_INTERFACES(hanamori::WebEngineFactory)
public:
    WebEnginePlugin();
    EngineView* CreateView(PageTrust trust, QWidget* parent,
                           std::function<void(bool ok)> loaded) override;
};

} // namespace hanamori
