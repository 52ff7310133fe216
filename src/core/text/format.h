#pragma once
// printf-style formatting into std::string, for the program's fixed text formats.

#include <cstdarg>
#include <string>

namespace hanamori {

// Formats like sprintf into a new string (no length limit).
std::string StrPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string StrVPrintf(const char* format, va_list args);

// Replaces the "%s" of a one-argument text format without scanning the argument,
// for formats held as std::string (e.g. "ｺﾋﾟｰ ～ %s"_sj).
std::string FormatWith(const std::string& format, const std::string& arg);

} // namespace hanamori
