#pragma once
// The program's own icons (drawn as SVG; the window and tool icons also as pictures drawn
// at build time, shipped in the program's resources).

#include <QIcon>

namespace hanamori {

// Makes the resources of the GUI library available (it is linked statically).
void InitGuiResources();

// The program's icon, as pictures at the sizes a window hands the window manager (16 to
// 64 pixels); launchers take the larger ones from the installed icon theme.
QIcon ProgramIcon();
// A toolbar icon by name: "new", "open", "save", "cut", ...
QIcon ToolIcon(const char* name);
// The file list's status icon for status 0-3; a null icon for any other value.
QIcon StatusIcon(int status);

} // namespace hanamori
