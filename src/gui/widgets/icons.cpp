#include "gui/widgets/icons.h"

#include "gui/widgets/picture_icon_engine.h"

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
        icon.addPixmap(QPixmap::fromImage(
            StoredPicture(QStringLiteral(":/window_icon/hanamori-%1.rgba").arg(size), size)));
    }
    return icon;
}

QIcon ToolIcon(const char* name) {
    InitGuiResources();
    // The sizes the tool bar and menus ask for at common scales (drawn at build time).
    static constexpr int kDrawnSizes[] = {16, 20, 24, 32, 40, 48};
    return QIcon(new PictureIconEngine(QStringLiteral(":/tool_icons/%1-").arg(QLatin1String(name)),
                                       kDrawnSizes));
}

QIcon StatusIcon(int status) {
    if (status < 0 || status > 3) {
        return {};
    }
    InitGuiResources();
    return QIcon(QStringLiteral(":/icons/status%1.svg").arg(status));
}

} // namespace hanamori
