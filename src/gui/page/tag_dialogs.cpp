#include "gui/page/tag_dialogs.h"

namespace hanamori {
namespace {
TagDialogs* g_dialogs = nullptr;
}

std::optional<FontChoice> QtTagDialogs::AskFont(Host& host, QWidget* parent) {
    FontTagDialog dialog(host, parent);
    return dialog.Run();
}

std::optional<LinkChoice> QtTagDialogs::AskLink(Host& host, QWidget* parent) {
    LinkTagDialog dialog(host, parent);
    return dialog.Run();
}

std::optional<ImageChoice> QtTagDialogs::AskImage(Host& host, QWidget* parent) {
    ImageTagDialog dialog(host, parent);
    return dialog.Run();
}

TagDialogs& CurrentTagDialogs() {
    static QtTagDialogs real;
    return g_dialogs ? *g_dialogs : real;
}

void SetTagDialogs(TagDialogs* dialogs) {
    g_dialogs = dialogs;
}

} // namespace hanamori
