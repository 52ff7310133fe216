#include "gui/widgets/settings_text.h"

#include "core/text/cp932.h"
#include "gui/widgets/qt_text.h"

namespace hanamori {

QString MultilineToQt(const std::string& cp932) {
    QString text = ToQt(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string MultilineToCp932(const QString& text, std::size_t max_bytes) {
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::string bytes = ToCp932Lossy(crlf);
    std::size_t n = SafeCutLength(bytes, max_bytes);
    if (n < bytes.size() && n > 0 && bytes[n - 1] == '\r' && bytes[n] == '\n') {
        --n;
    }
    bytes.resize(n);
    return bytes;
}

std::string LineToCp932(const QString& text, std::size_t max_bytes) {
    std::string bytes = ToCp932Lossy(text);
    bytes.resize(SafeCutLength(bytes, max_bytes));
    return bytes;
}

} // namespace hanamori
