#include "cli/command.h"

#include "core/app/atomic_file.h"
#include "core/listing/listing_file.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
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

int FailToSaveListing(const std::string& path) {
    if (IsWriteProtected(path)) {
        return FailAbout(ReadOnlySaveMessage(), path);
    }
    return FailAbout("ファイルの保存に失敗しました。"_sj, path);
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

std::optional<std::string> ReadInput(const std::string& path, std::string* problem,
                                     std::size_t limit) {
    auto refuse = [&](const std::string& why) -> std::optional<std::string> {
        if (problem != nullptr) {
            *problem = why;
        }
        return std::nullopt;
    };
    std::string text;
    std::string why;
    if (!ReadInputBounded(path, path == "-", limit, text, why)) {
        return refuse(why);
    }
    return text;
}

bool WriteOutput(const std::string& path, const std::function<bool(std::ostream&)>& write) {
    if (path == "-") {
        bool ok = write(std::cout);
        std::cout.flush();
        return ok && std::cout.good();
    }
    if (KindOf(path) == PathKind::Other) {
        // A device or a FIFO is where the output goes, not a file to replace.
        std::ofstream out(path, std::ios::binary);
        bool ok = out && write(out);
        out.flush();
        ok = ok && out.good();
        out.close();
        return ok && !out.fail();
    }
    return SaveScratchFile(path, write);
}

int PrintSavedNumber(const std::string& number, const std::string& path) {
    std::cout << number << '\n';
    std::cout.flush();
    if (!std::cout) {
        const int error = errno;
        return Fail("standard output: " + std::string(std::strerror(error)) +
                    "; the listing was saved as " + path);
    }
    return kExitOk;
}

int FinishOutput(int status) {
    std::cout.flush();
    if (!std::cout && status == kExitOk) {
        const int error = errno;
        return Fail("standard output: cannot be written (" + std::string(std::strerror(error)) +
                    ")");
    }
    return status;
}

bool RequireSubdir(const Context& ctx, const std::string& name) {
    const std::string path = ctx.dir + name + "/";
    const PathKind kind = KindOf(ctx.dir + name);
    if (kind == PathKind::Missing) {
        Fail(path + ": no such directory");
        return false;
    }
    if (kind != PathKind::Directory) {
        Fail(path + ": not a directory");
        return false;
    }
    return true;
}

std::string TabField(const std::string& cp932) {
    std::string text = Cp932ToUtf8(cp932);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::string FileNameText(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    std::size_t i = 0;
    while (i < name.size()) {
        const auto c = static_cast<unsigned char>(name[i]);
        // The length of a well-formed UTF-8 sequence starting here, or 0.
        std::size_t length = c < 0x80                 ? 1
                             : c >= 0xC2 && c <= 0xDF ? 2
                             : c >= 0xE0 && c <= 0xEF ? 3
                             : c >= 0xF0 && c <= 0xF4 ? 4
                                                      : 0;
        if (length > 1) {
            if (i + length > name.size()) {
                length = 0;
            } else {
                const auto second = static_cast<unsigned char>(name[i + 1]);
                const unsigned char low = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
                const unsigned char high = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
                bool ok = second >= low && second <= high;
                for (std::size_t k = 2; k < length && ok; ++k) {
                    ok = (static_cast<unsigned char>(name[i + k]) & 0xC0) == 0x80;
                }
                length = ok ? length : 0;
            }
        }
        if (length == 0) {
            text += "\\x";
            text += kHex[c >> 4];
            text += kHex[c & 0xF];
            ++i;
        } else {
            text.append(name.substr(i, length));
            i += length;
        }
    }
    return text;
}

int RunCommand(const std::string& name, Context& ctx, const std::vector<std::string>& args) {
    auto it = Registry().find(name);
    if (it == Registry().end()) {
        return UsageError({}, name + ": unknown command");
    }
    return it->second.run(ctx, args);
}

} // namespace hanamori::cli
