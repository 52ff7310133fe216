#pragma once
// Text crossing between the program (CP932 bytes) and the window system (QString).

#include <QString>

#include <optional>
#include <string>

namespace hanamori {

// CP932 bytes to a QString.
QString ToQt(const std::string& cp932);
// A QString to CP932 bytes; nullopt when it holds a character CP932 cannot hold.
std::optional<std::string> ToCp932(const QString& text);
// The same, with such characters left out (for texts that were already guarded).
std::string ToCp932Lossy(const QString& text);

} // namespace hanamori
