#pragma once
// The frame every hanamori-cli command runs in: the installation directory, the
// settings as the desktop program loads them, and a host that writes messages to
// standard error.

#include "core/app/host.h"
#include "core/settings/settings_files.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Messages go to standard error in UTF-8; questions are answered No; nothing opens.
class CliHost : public Host {
public:
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    Answer AskYesNoCancel(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, MessageIcon icon) override;
    bool SetClipboardText(const std::string&) override { return false; }
    void OpenPage(const std::string&) override {}
};

struct Context {
    std::string dir; // installation directory, ending in '/'
    UserSettings& settings = Settings();
    CliHost host;
};

using CommandFunction = int (*)(Context& ctx, const std::vector<std::string>& args);
// Writes what `COMMAND --help` shows after the usage line: what the command does and
// the valid names where it takes names (read from the installation in `ctx`, which
// may not be a usable one: list what can be read).
using HelpFunction = void (*)(const Context& ctx, std::ostream& out);

// Each command file registers itself with a static instance of this. `help` is
// optional: without it, `COMMAND --help` prints the usage line alone.
struct CommandRegistration {
    CommandRegistration(const char* name, const char* usage, CommandFunction run,
                        HelpFunction help = nullptr);
};

// Prints "hanamori-cli: <message>" (message in UTF-8) to standard error; returns 1.
int Fail(const std::string& utf8_message);
// The program's own CP932 message followed by what it concerns (UTF-8), e.g.
// "ファイルの読み込みに失敗しました。: Datas/1.rks"; returns 1.
int FailAbout(const std::string& cp932_message, const std::string& utf8_subject);
// Prints the usage of `command` (or of everything) to standard error; returns 2.
int Usage(const std::string& command = {});
// A usage error: "hanamori-cli: <problem>" (naming the argument at fault), then the
// command's usage, on standard error; returns 2.
int UsageError(const std::string& command, const std::string& problem);
// The usage lines (and, for one command, its help) written to `out`: what --help shows.
void PrintHelp(const Context& ctx, const std::string& command, std::ostream& out);
bool IsCommand(const std::string& name);
// Runs a registered command; an unknown one is a usage error.
int RunCommand(const std::string& name, Context& ctx, const std::vector<std::string>& args);

// An argument converted to CP932, or nullopt after reporting which character of it
// cannot be stored.
std::optional<std::string> ArgToCp932(const std::string& utf8, const std::string& what);

// The listing file an ID names: a path to a .rks file, or a management number in Datas/.
std::string ListingFileOf(const Context& ctx, const std::string& id);
// Reports a listing file that could not be read: one that does not exist is no listing
// at all; any other gets the program's own "ファイルの読み込みに失敗しました。". Returns 1.
int FailToReadListing(const std::string& path);
// Reports a save of the listing file `path` that failed: a write-protected file gets
// its own message, any other the program's "ファイルの保存に失敗しました。". Returns 1.
int FailToSaveListing(const std::string& path);
// The management number an ID names (the file name's stem).
std::string ManageNoOf(const std::string& id);

// Simple option parsing: takes "--name value" out of `args`; nullopt when absent.
// `missing_value` is set when the option is present without a value.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name,
                                      bool& missing_value);
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// The usage problem of what is left after the options were taken: an option the
// command does not know, or an extra argument ("" when `args` holds `expected`
// plain arguments).
std::string LeftoverProblem(const std::vector<std::string>& args, std::size_t expected);

// A decimal integer (optional sign, digits only, fits 32 bits), or nullopt.
std::optional<int> ParseInt(const std::string& text);

// The most an input file may hold: far beyond any listing or settings a seller keeps,
// and little enough that reading it cannot exhaust the memory.
inline constexpr std::size_t kInputLimitBytes = std::size_t{64} << 20;

// The whole of an input file, or of standard input when `path` is "-"; nullopt when
// it cannot be read (a directory, no permission) or holds more than `limit` bytes,
// which is then not read further. `problem`, when given, is set to why.
std::optional<std::string> ReadInput(const std::string& path, std::string* problem = nullptr,
                                     std::size_t limit = kInputLimitBytes);
// Writes an output file with `write`, or to standard output when `path` is "-"; false
// when the file could not be written (the old one is then kept whole). A file that is
// not a regular file (a device, a FIFO) is written into, never replaced.
bool WriteOutput(const std::string& path, const std::function<bool(std::ostream&)>& write);

// Prints the management number of the listing just saved at `path`; when standard
// output cannot take it, says on standard error where the listing went. Returns the
// exit status.
int PrintSavedNumber(const std::string& number, const std::string& path);
// Flushes standard output at the end of a command: a command that succeeded but whose
// output did not all get written fails with a message. Returns the exit status.
int FinishOutput(int status);

// The subdirectory `name` of the installation ("Datas", "ServiceData") that a command
// reads; when it is missing or not a directory, reports it and returns false.
bool RequireSubdir(const Context& ctx, const std::string& name);

// A CP932 text as one field of a tab-separated line, in UTF-8: tabs and line breaks
// become blanks, so that a name cannot break the columns.
std::string TabField(const std::string& cp932);

// A file name (bytes, as the file system holds them) as UTF-8 text: a name that is not
// UTF-8 (a Shift-JIS name from another system) shows each such byte as \xHH.
std::string FileNameText(std::string_view name);

} // namespace hanamori::cli
