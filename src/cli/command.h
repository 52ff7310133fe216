#pragma once
// The frame every hanamori-cli command runs in: the installation directory, the
// settings as the desktop program loads them, and a host that writes messages to
// standard error.

#include "core/app/host.h"
#include "core/settings/settings_files.h"

#include <optional>
#include <string>
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
    void SetClipboardText(const std::string&) override {}
    void OpenPage(const std::string&) override {}
};

struct Context {
    std::string dir; // installation directory, ending in '/'
    UserSettings& settings = Settings();
    CliHost host;
};

using CommandFunction = int (*)(Context& ctx, const std::vector<std::string>& args);

// Each command file registers itself with a static instance of this.
struct CommandRegistration {
    CommandRegistration(const char* name, const char* usage, CommandFunction run);
};

// Prints "hanamori-cli: <message>" (message in UTF-8) to standard error; returns 1.
int Fail(const std::string& utf8_message);
// Same, for a message in the program's own CP932 text.
int FailCp932(const std::string& cp932_message);
// Prints the usage of `command` (or of everything) to standard error; returns 2.
int Usage(const std::string& command = {});

// An argument converted to CP932, or nullopt after reporting which character of it
// cannot be stored.
std::optional<std::string> ArgToCp932(const std::string& utf8, const std::string& what);

// The listing file an ID names: a path to a .rks file, or a management number in Datas/.
std::string ListingFileOf(const Context& ctx, const std::string& id);
// The management number an ID names (the file name's stem).
std::string ManageNoOf(const std::string& id);

// Simple option parsing: takes "--name value" out of `args`; nullopt when absent.
// `missing_value` is set when the option is present without a value.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name,
                                      bool& missing_value);
bool TakeFlag(std::vector<std::string>& args, const std::string& name);

} // namespace hanamori::cli
