#pragma once
// Finding and loading the browser engine plugin.

#include "gui/web/web_engine.h"

#include <QString>
#include <QStringList>

namespace hanamori {

// Where the plugin is looked for, in order: "plugins/" beside the executable (the build's
// installation directory), "../lib/hanamori/" from it (an installed program), then the
// library paths Qt searches (QT_PLUGIN_PATH among them).
QStringList WebEnginePluginCandidates();

// The engine, loaded on the first call and kept for the rest of the run; nullptr when
// the plugin cannot be loaded, with the reason in `error`.
WebEngineFactory* LoadWebEngine(QString* error = nullptr);

// The message shown when a window needs the engine and it cannot be loaded.
QString WebEngineMissingMessage(const QString& reason);

} // namespace hanamori
