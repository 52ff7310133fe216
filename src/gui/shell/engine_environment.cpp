#include "gui/shell/engine_environment.h"

#include "core/app/os.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>

namespace hanamori {

void PrepareBrowserEngineEnvironment() {
    constexpr const char* kNoSandbox = "QTWEBENGINE_DISABLE_SANDBOX";
    if (!RunsAsAdministrator() || qEnvironmentVariableIntValue(kNoSandbox) == 1) {
        return;
    }
    qputenv(kNoSandbox, QByteArrayLiteral("1"));
    std::fputs("hanamori: running as root, so page previews run without the browser "
               "engine's sandbox\n",
               stderr);
}

} // namespace hanamori
