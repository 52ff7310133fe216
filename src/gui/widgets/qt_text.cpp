#include "gui/widgets/qt_text.h"

#include "core/text/cp932.h"

namespace hanamori {

QString ToQt(const std::string& cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::optional<std::string> ToCp932(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

std::string ToCp932Lossy(const QString& text) {
    return Utf8ToCp932Lossy(text.toStdString());
}

} // namespace hanamori
