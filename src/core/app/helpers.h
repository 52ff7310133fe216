#pragma once
// Small helpers used all over the program: the installation directory, time stamps,
// integer checks, file tests and the change-notification switch.

#include <cstdint>
#include <string>
#include <string_view>

namespace hanamori {

// The installation directory, always ending in '/': the directory of the running
// executable unless SetInstallDir chose another (the CLI's --dir, tests).
const std::string& InstallDir();
void SetInstallDir(std::string dir);
// Directory of the running executable, ending in '/'.
std::string ExecutableDir();

// The current local time formatted with strftime `pattern` (at most 127 bytes).
std::string StampNow(const char* pattern);

// Every byte an ASCII digit; the empty text is true.
bool IsUnsignedInt(std::string_view text);
// First byte a digit or '-', every later byte a digit; "" and "-" are true.
bool IsSignedInt(std::string_view text);
// The standard decimal conversion of a validated text ("" and "-" give 0).
std::int32_t ToInt(std::string_view text);

// True when the path names an existing file or directory.
bool FileExists(const std::string& path);

// The process-wide switch that lets input controls report their changes.
void SetChangeNotify(bool on);
bool ChangeNotifyEnabled();

// The scratch files in work/ that the program deletes at exit.
extern const char* const kScratchFiles[6];
// Deletes the scratch files under `install_dir`; missing ones are skipped silently.
void DeleteScratchFiles(const std::string& install_dir);
// Removes what saves and locks that were killed more than a minute ago left behind in
// `install_dir`, its Datas/, user.ini/ and work/ (see RemoveAbandonedSaveFiles).
void RemoveAbandonedFiles(const std::string& install_dir);

} // namespace hanamori
