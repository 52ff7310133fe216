#include "gui/shell/engine_environment.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>

namespace hanamori {

void PrepareBrowserEngineEnvironment() {
    constexpr const char* kNoSandbox = "QTWEBENGINE_DISABLE_SANDBOX";
    if (geteuid() != 0 || qEnvironmentVariableIntValue(kNoSandbox) == 1) {
        return;
    }
    qputenv(kNoSandbox, QByteArrayLiteral("1"));
    std::fputs("hanamori: running as root, so page previews run without the browser "
               "engine's sandbox\n",
               stderr);
}

} // namespace hanamori
