#include "gui/shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace hanamori {

bool LoadQtTranslations() {
    // Only the base module: its catalogue holds every standard dialog, is read by
    // mapping the file, and spares start-up the other modules' catalogues that
    // "qt_ja" would pull in.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace hanamori
