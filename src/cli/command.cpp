#include "cli/command.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>

namespace hanamori::cli {
namespace {
struct Entry {
    const char* usage;
    CommandFunction run;
    HelpFunction help;
};
std::map<std::string, Entry>& Registry() {
    static std::map<std::string, Entry> registry;
    return registry;
}

void PrintUsageLines(const std::string& command, std::ostream& out) {
    out << "usage: hanamori-cli [--dir DIR] COMMAND [ARGS...]\n";
    for (const auto& [name, entry] : Registry()) {
        if (command.empty() || command == name) {
            out << "  hanamori-cli " << entry.usage << '\n';
        }
    }
}
} // namespace

void CliHost::ShowMessage(const std::string& text, MessageIcon) {
    std::cerr << Cp932ToUtf8(text) << '\n';
}
Answer CliHost::AskYesNoCancel(const std::string& text, MessageIcon icon) {
    ShowMessage(text, icon);
    return Answer::No;
}
bool CliHost::AskYesNo(const std::string& text, MessageIcon icon) {
    ShowMessage(text, icon);
    return false;
}

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFunction run,
                                         HelpFunction help) {
    Registry()[name] = Entry{usage, run, help};
}

int Fail(const std::string& utf8_message) {
    std::cerr << "hanamori-cli: " << utf8_message << '\n';
    return kExitFailure;
}

int FailAbout(const std::string& cp932_message, const std::string& utf8_subject) {
    return Fail(Cp932ToUtf8(cp932_message) + ": " + utf8_subject);
}

int Usage(const std::string& command) {
    PrintUsageLines(command, std::cerr);
    return kExitUsage;
}

int UsageError(const std::string& command, const std::string& problem) {
    std::cerr << "hanamori-cli: " << problem << '\n';
    return Usage(command);
}

void PrintHelp(const Context& ctx, const std::string& command, std::ostream& out) {
    PrintUsageLines(command, out);
    if (command.empty()) {
        out << "  hanamori-cli --help | --version | COMMAND --help\n";
        return;
    }
    auto it = Registry().find(command);
    if (it != Registry().end() && it->second.help != nullptr) {
        out << '\n';
        it->second.help(ctx, out);
    }
}

bool IsCommand(const std::string& name) {
    return Registry().count(name) != 0;
}

std::optional<std::string> ArgToCp932(const std::string& utf8, const std::string& what) {
    auto converted = Utf8ToCp932(utf8);
    if (!converted) {
        std::string bad = FirstUnencodableChar(utf8);
        Fail(what + ": the character \"" + bad + "\" cannot be stored (Shift-JIS)");
        return std::nullopt;
    }
    return converted;
}

std::string ListingFileOf(const Context& ctx, const std::string& id) {
    bool is_path = id.find('/') != std::string::npos ||
                   (id.size() > 4 && id.compare(id.size() - 4, 4, ".rks") == 0);
    return is_path ? id : ctx.dir + "Datas/" + id + ".rks";
}

int FailToReadListing(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        return Fail("no such listing: " + path);
    }
    return FailAbout("ファイルの読み込みに失敗しました。"_sj, path);
}

std::string ManageNoOf(const std::string& id) {
    std::string stem =
        id.substr(id.find_last_of('/') == std::string::npos ? 0 : id.find_last_of('/') + 1);
    if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".rks") == 0) {
        stem.resize(stem.size() - 4);
    }
    return stem;
}

std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name,
                                      bool& missing_value) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end()) {
        return std::nullopt;
    }
    if (it + 1 == args.end()) {
        missing_value = true;
        args.erase(it);
        return std::nullopt;
    }
    std::string value = *(it + 1);
    args.erase(it, it + 2);
    return value;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end()) {
        return false;
    }
    args.erase(it);
    return true;
}

std::string LeftoverProblem(const std::vector<std::string>& args, std::size_t expected) {
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-') {
            return arg + ": unknown option";
        }
    }
    if (args.size() > expected) {
        return args[expected] + ": unexpected argument";
    }
    if (args.size() < expected) {
        return "missing argument";
    }
    return {};
}

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (begin == end || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> ReadInput(const std::string& path) {
    if (path == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin),
                           std::istreambuf_iterator<char>());
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteOutput(const std::string& path, const std::function<bool(std::ostream&)>& write) {
    if (path == "-") {
        bool ok = write(std::cout);
        std::cout.flush();
        return ok && std::cout.good();
    }
    return SaveScratchFile(path, write);
}

int RunCommand(const std::string& name, Context& ctx, const std::vector<std::string>& args) {
    auto it = Registry().find(name);
    if (it == Registry().end()) {
        return UsageError({}, name + ": unknown command");
    }
    return it->second.run(ctx, args);
}

} // namespace hanamori::cli
