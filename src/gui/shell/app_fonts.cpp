#include "gui/shell/app_fonts.h"

#include <QApplication>
#include <QFont>

#include <cstdlib>

namespace hanamori {
namespace {
constexpr const char* kFontLanguage = "FC_LANG";
} // namespace

bool PreferJapaneseFonts() {
    const char* chosen = std::getenv(kFontLanguage);
    if (chosen && *chosen) {
        return false;
    }
    return setenv(kFontLanguage, "ja", 1) == 0;
}

void ForgetJapaneseFontPreference() {
    unsetenv(kFontLanguage);
}

void PreferUnshapedText() {
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
}

} // namespace hanamori
