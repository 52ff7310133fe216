#include "cli/command.h"

#include "core/text/cp932.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>

namespace hanamori::cli {
namespace {
struct Entry {
    const char* usage;
    CommandFunction run;
};
std::map<std::string, Entry>& Registry() {
    static std::map<std::string, Entry> registry;
    return registry;
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

CommandRegistration::CommandRegistration(const char* name, const char* usage,
                                         CommandFunction run) {
    Registry()[name] = Entry{usage, run};
}

int Fail(const std::string& utf8_message) {
    std::cerr << "hanamori-cli: " << utf8_message << '\n';
    return kExitFailure;
}

int FailCp932(const std::string& cp932_message) { return Fail(Cp932ToUtf8(cp932_message)); }

int Usage(const std::string& command) {
    std::cerr << "usage: hanamori-cli [--dir DIR] COMMAND [ARGS...]\n";
    for (const auto& [name, entry] : Registry()) {
        if (command.empty() || command == name) {
            std::cerr << "  hanamori-cli " << entry.usage << '\n';
        }
    }
    return kExitUsage;
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

std::string ManageNoOf(const std::string& id) {
    std::string stem = id.substr(id.find_last_of('/') == std::string::npos ? 0 : id.find_last_of('/') + 1);
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

int RunCommand(const std::string& name, Context& ctx, const std::vector<std::string>& args) {
    auto it = Registry().find(name);
    if (it == Registry().end()) {
        return Usage();
    }
    return it->second.run(ctx, args);
}

} // namespace hanamori::cli
