#pragma once
// Texts of the settings dialogs between the settings (CP932 bytes, lines ending in
// CR LF) and their edit fields, cut to the number of bytes a field reads.

#include <QString>

#include <cstddef>
#include <string>

namespace hanamori {

// A many-lined text for a QPlainTextEdit.
QString MultilineToQt(const std::string& cp932);
// A QPlainTextEdit's text with CR LF line ends, at most `max_bytes` bytes: never cut
// inside a double-byte character or between the CR and LF of a line end. Characters
// CP932 cannot hold are left out.
std::string MultilineToCp932(const QString& text, std::size_t max_bytes);
// A one-line field's text, at most `max_bytes` bytes, never cut inside a character.
std::string LineToCp932(const QString& text, std::size_t max_bytes);

} // namespace hanamori
