// hanamori-cli: the desktop program's core, driven from the command line.

#include "cli/command.h"
#include "core/app/helpers.h"
#include "core/settings/settings_files.h"

#include <csignal>
#include <string>
#include <vector>

namespace hanamori::cli {
int RunCommand(const std::string& name, Context& ctx, const std::vector<std::string>& args);
}

int main(int argc, char** argv) {
    using namespace hanamori;
    // A write past the file size limit must fail like a full disk (the save then cleans
    // up and reports it), not end the program half-way through.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string dir = ExecutableDir();
    if (!args.empty() && args[0] == "--dir") {
        if (args.size() < 2) {
            return cli::Usage();
        }
        dir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        return cli::Usage();
    }
    SetInstallDir(dir);
    cli::Context ctx;
    ctx.dir = InstallDir();
    LoadAllSettings(ctx.settings, ctx.dir);
    std::string command = args[0];
    args.erase(args.begin());
    return cli::RunCommand(command, ctx, args);
}
