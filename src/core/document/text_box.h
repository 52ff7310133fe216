#pragma once
// Placed text and rules on a page, in millimetres from the page's top-left corner, and
// the metrics every page of the program is set with: a fixed-pitch Japanese face in
// which a double-byte CP932 character is one em wide and a single-byte one half an em.
// The PDF writer declares exactly these widths, and the window draws each character
// at its place, so every reader of a page sees the same layout.

#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

inline constexpr double kMmPerPt = 25.4 / 72.0;
// Where the glyphs of a line reach, in ems above and below its baseline.
inline constexpr double kAscentEm = 0.88;
inline constexpr double kDescentEm = 0.12;

struct PlacedText {
    double x = 0; // left end of the baseline
    double y = 0; // the baseline
    double size_pt = 0;
    std::string text; // CP932, one line
    bool bold = false;

    double Width() const;
    double Top() const { return y - kAscentEm * size_pt * kMmPerPt; }
    double Bottom() const { return y + kDescentEm * size_pt * kMmPerPt; }
};

struct PlacedRule {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width_pt = 0.5;
};

struct LayoutPage {
    double width = 0;
    double height = 0;
    std::vector<PlacedText> texts;
    std::vector<PlacedRule> rules;
};

// The width of a CP932 text in ems.
double TextEms(std::string_view cp932);
// The width of a CP932 text set at `size_pt`, in millimetres.
inline double TextWidthMm(std::string_view cp932, double size_pt) {
    return TextEms(cp932) * size_pt * kMmPerPt;
}
// The byte length of the CP932 character that starts at `text[i]`.
std::size_t Cp932CharLength(std::string_view text, std::size_t i);
// A text's lines: split at CR LF, LF or CR; an empty text has no line.
std::vector<std::string> TextLines(std::string_view cp932);
// `line` broken into pieces of at most `max_ems`, never inside a character nor inside a
// run of digits, letters and hyphens (a house number stays whole). Empty when a
// run that cannot be broken is wider than `max_ems` by itself.
std::vector<std::string> WrapLine(std::string_view line, double max_ems);

} // namespace hanamori
