#include "gui/widgets/icons.h"

#include <QString>

static void InitHanamoriResources() {
    Q_INIT_RESOURCE(hanamori);
}

namespace hanamori {

void InitGuiResources() {
    static bool done = false;
    if (!done) {
        InitHanamoriResources();
        done = true;
    }
}

QIcon ProgramIcon() {
    InitGuiResources();
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        icon.addFile(QStringLiteral(":/window_icon/hanamori-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QIcon ToolIcon(const char* name) {
    InitGuiResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QIcon StatusIcon(int status) {
    if (status < 0 || status > 3) {
        return {};
    }
    InitGuiResources();
    return QIcon(QStringLiteral(":/icons/status%1.svg").arg(status));
}

} // namespace hanamori
