#pragma once
// Qt's own texts (the buttons and labels of the standard file, print, colour and font
// dialogs) in Japanese, as the program's own texts are.

namespace hanamori {

// Installs Qt's Japanese translation of its base module from the system's translations
// folder (the qt6-translations-l10n package), whatever the desktop's language. False,
// with Qt's English texts left in place, when the file is not there.
bool LoadQtTranslations();

} // namespace hanamori
