#pragma once
// How the windows follow a screen or font resolution above 96 dots per inch.

class QWidget;

namespace hanamori {

// Called before the application object exists. A factor between whole numbers (a font
// resolution of 144 is 1.5) would put the one-pixel borders of fields between device
// pixels, where they get lost: the whole part scales the windows, the rest the fonts,
// and the forms grow with the fonts (ScaledToFont).
void PrepareDisplayScaling();

// A length laid out in pixels at 96 dots per inch, at `widget`'s font resolution.
int ScaledToFont(const QWidget* widget, int pixels);

} // namespace hanamori
