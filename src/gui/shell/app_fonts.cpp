#include "gui/shell/app_fonts.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QtGlobal>

#include <cstdlib>

#include <fontconfig/fontconfig.h>

namespace hanamori {
namespace {
constexpr const char* kFontLanguage = "FC_LANG";
} // namespace

bool PreferJapaneseFonts() {
    const char* chosen = std::getenv(kFontLanguage);
    if (chosen && *chosen) {
        return false;
    }
    return qputenv(kFontLanguage, QByteArrayLiteral("ja"));
}

void ForgetJapaneseFontPreference() {
    qunsetenv(kFontLanguage);
}

void PreferUnshapedText() {
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
}

QString ConfiguredFamily(const QString& family) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) {
        return {};
    }
    // As Qt asks for its stand-ins: the family and the upright style; the default
    // substitutions add the language, the weight and the rest.
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    QString chosen;
    FcChar8* chosen_name = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &chosen_name) == FcResultMatch) {
        chosen = QString::fromUtf8(reinterpret_cast<const char*>(chosen_name));
    }
    if (match) {
        FcPatternDestroy(match);
    }
    return chosen;
}

void NameTheWindowsFontItself() {
    QFont font = QApplication::font();
    if (font.families().size() != 1) {
        return;
    }
    const QString chosen = ConfiguredFamily(font.families().front());
    if (chosen.isEmpty() || chosen.compare(font.families().front(), Qt::CaseInsensitive) == 0) {
        return;
    }
    font.setFamilies({chosen});
    QApplication::setFont(font);
}

} // namespace hanamori
