#include "core/text/format.h"

#include <cstdio>
#include <vector>

namespace hanamori {

std::string StrVPrintf(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0) {
        return {};
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        return std::string(small, static_cast<std::size_t>(n));
    }
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string StrPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = StrVPrintf(format, args);
    va_end(args);
    return out;
}

std::string FormatWith(const std::string& format, const std::string& arg) {
    std::string out;
    out.reserve(format.size() + arg.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            char next = format[i + 1];
            if (next == 's') {
                out += arg;
                ++i;
                continue;
            }
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

} // namespace hanamori
