#pragma once
// The HTML tags the text fields insert for sellers who do not write HTML themselves:
// bold, italic, centred, font, link and image. The selected text, the address and the
// colour text are inserted byte for byte; nothing is escaped or checked.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace hanamori {

// The tag commands, numbered as the 編集 menu and the context menu number them.
enum class TagCommand {
    Link = 35000,
    Font = 35001,
    Bold = 35002,
    Italic = 35003,
    Image = 35004,
    Center = 35005,
};

// The command with menu number `number`; false when the number is not a tag command.
bool TagCommandFromNumber(int number, TagCommand& command);

// Whether the command wraps a selection (all but the image tag).
bool NeedsSelection(TagCommand command);

// The message shown when a wrapping command finds nothing selected (CP932); empty for
// the image tag.
const std::string& NoSelectionMessage(TagCommand command);

// "<b>%s</b>", "<i>%s</i>" or "<center>%s</center>" around `selected`; the text alone
// for the other commands.
std::string WrapTag(TagCommand command, std::string_view selected);

// The size attribute of a font tag: "" for 0, "size=\"+N\" " for 1 to 6 and
// "size=\"-1\" " for -1 (note the trailing space); "" for anything else.
std::string FontSizePart(int size);
// <font [size]color="colour">selected</font>
std::string FontTag(int size, std::string_view color, std::string_view selected);

// Target windows of the link dialog.
inline constexpr int kLinkNewWindow = 0;
inline constexpr int kLinkCurrentWindow = 1;
// <a href="url" target="_blank">selected</a> for a new window, <a href="url">selected</a>
// for the current one.
std::string LinkTag(std::string_view url, int target, std::string_view selected);

// <img src="url"[ width][ height][ border]>, each attribute only when above 0.
std::string ImageTag(std::string_view url, int width, int height, int border);

// A text with a part replaced and where the caret ends.
struct TextReplacement {
    std::string text;
    std::size_t caret = 0; // just after the inserted text
};
// Replaces [start, end) of `text` with `insert` (positions in bytes, clamped to the
// text, swapped when given backwards).
TextReplacement ReplaceSelection(std::string_view text, std::size_t start, std::size_t end,
                                 std::string_view insert);

// ---- The font dialog's colour ------------------------------------------------------

// A colour component typed as text: its leading decimal digits, taken modulo 256
// (text without digits is 0).
int ColorComponent(std::string_view text);
// "#RRGGBB" in upper-case hexadecimal, each component taken modulo 256.
std::string ColorText(int red, int green, int blue);

struct Swatch {
    int red, green, blue;
};
inline constexpr int kSwatchCount = 28;
inline constexpr int kSwatchesPerRow = 14;
// The colour swatches, top row left to right, then the bottom row.
const std::array<Swatch, kSwatchCount>& Swatches();

// ---- Numbers typed into dialogs and fields -------------------------------------------

// True when the text holds only the ASCII digits 0-9 (the empty text too).
bool IsAsciiDigits(std::string_view text);
// The value of a text of ASCII digits (empty gives 0), held at the largest int.
int DigitsValue(std::string_view text);

} // namespace hanamori
