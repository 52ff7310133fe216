#pragma once
// The fonts the windows draw their Japanese texts with.

#include <QString>

namespace hanamori {

// Called before the application object exists. Every text of the program is Japanese, so
// the font configuration is asked for Japanese fonts unless the seller has named a font
// language (FC_LANG): kanji then take their Japanese forms on a desktop set to another
// language too (a Chinese font could be picked for them otherwise), and the windows'
// font holds the kana and kanji itself instead of falling back to another for each.
// Returns whether it asked.
bool PreferJapaneseFonts();

// Called once the first window has chosen its fonts (the font configuration keeps the
// language it read): programs started later, a browser say, get the desktop's own.
void ForgetJapaneseFontPreference();

// Called once the application object exists. The windows' text skips the shaper where
// the script does not need it: kana, kanji and Latin show the same without it (only the
// kerning of Latin pairs goes), and measuring the labels and fields of the large product
// form would otherwise cost a good part of start-up.
void PreferUnshapedText();

// Called once the application object exists. The desktop often names the windows' font
// by an alias ("Sans Serif"), which Qt finds in no font and so asks the font
// configuration for every font that could stand in, once for each style the windows
// use. Asking once here which font the alias stands for gives the same font (the one Qt
// would pick first) for a fraction of the start-up. A font the desktop names itself is
// kept as it is.
void NameTheWindowsFontItself();

// The font the font configuration picks for `family` in upright style (the first that Qt
// would try for it); empty when it picks none.
QString ConfiguredFamily(const QString& family);

} // namespace hanamori
