#pragma once
// Text crossing between the program (CP932 bytes) and the window system (QString).

#include <QString>

#include <optional>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace hanamori {

class Host;

// CP932 bytes to a QString.
QString ToQt(const std::string& cp932);
// A QString to CP932 bytes; nullopt when it holds a character CP932 cannot hold.
std::optional<std::string> ToCp932(const QString& text);
// The same, with such characters left out (for texts that were already guarded).
std::string ToCp932Lossy(const QString& text);
// The first character of `text` that CP932 cannot hold, or an empty string.
QString FirstUnencodable(const QString& text);

// The message that refuses a character CP932 cannot hold (CP932).
std::string UnencodableMessage(const QString& character);

// Keeps characters that CP932 cannot hold out of a field: a typed or pasted one is
// taken out again and the user is told which character it was.
void GuardCp932Input(QLineEdit* edit, Host& host);
void GuardCp932Input(QPlainTextEdit* edit, Host& host);

} // namespace hanamori
