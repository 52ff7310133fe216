// hanamori-cli: the desktop program's core, driven from the command line.

#include "cli/command.h"
#include "core/app/atomic_file.h"
#include "core/app/helpers.h"
#include "core/app/install_location.h"
#include "core/app/version.h"
#include "core/settings/settings_files.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

bool IsDirectory(const std::string& path) {
    return hanamori::KindOf(path) == hanamori::PathKind::Directory;
}

// What is wrong with `dir` as an installation directory, or "" when nothing is.
// Without its rate files and templates every command would quietly produce nothing
// useful, so the directory is refused before anything runs.
std::string InstallDirProblem(const std::string& dir) {
    if (!IsDirectory(dir)) {
        return "no such directory";
    }
    std::string missing;
    for (const char* sub : {"CostData", "template"}) {
        if (!IsDirectory(dir + sub)) {
            missing += missing.empty() ? "" : " and ";
            missing += std::string(sub) + "/";
        }
    }
    if (!missing.empty()) {
        return "not an installation directory (" + missing + " missing)";
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    using namespace hanamori;
    // A write past the file size limit must fail like a full disk (the save then cleans
    // up and reports it), not end the program half-way through.
    std::signal(SIGXFSZ, SIG_IGN);
    // Likewise a reader that went away: the write fails and the command says so.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string dir;
    if (!args.empty() && args[0] == "--dir") {
        if (args.size() < 2) {
            return cli::UsageError({}, "--dir: missing value");
        }
        dir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    cli::Context ctx;
    if (args.empty()) {
        return cli::UsageError({}, "missing command");
    }
    if (args[0] == "--help" || args[0] == "-h") {
        cli::PrintHelp(ctx, {}, std::cout);
        return cli::FinishOutput(cli::kExitOk);
    }
    if (args[0] == "--version") {
        std::cout << "hanamori-cli " << kVersion << '\n';
        return cli::FinishOutput(cli::kExitOk);
    }
    std::string command = args[0];
    args.erase(args.begin());
    if (!cli::IsCommand(command)) {
        return cli::UsageError({}, command + ": unknown command");
    }
    // The desktop program's choice, unless --dir made one; made only now, so that
    // --help and --version create nothing.
    std::string problem;
    if (dir.empty()) {
        InstallLocation location = LocateInstallDir(ExecutableDir(), std::getenv);
        dir = location.dir;
        problem = location.error;
        if (!location.notice.empty()) {
            std::cerr << "hanamori-cli: " << location.notice << '\n';
        }
    }
    SetInstallDir(dir);
    ctx.dir = InstallDir();
    if (problem.empty() && !InstallDirProblem(ctx.dir).empty()) {
        problem = dir + ": " + InstallDirProblem(ctx.dir);
    }
    bool wants_help = std::find(args.begin(), args.end(), "--help") != args.end();
    if (wants_help) {
        // The names a command takes come from the installation; list them when it is one.
        if (problem.empty()) {
            LoadAllSettings(ctx.settings, ctx.dir);
        }
        cli::PrintHelp(ctx, command, std::cout);
        return cli::FinishOutput(cli::kExitOk);
    }
    if (!problem.empty()) {
        return cli::Fail(problem);
    }
    RemoveAbandonedFiles(ctx.dir);
    ReadSettingsFiles(ctx.settings, ctx.dir);
    try {
        return cli::FinishOutput(cli::RunCommand(command, ctx, args));
    } catch (const std::bad_alloc&) {
        return cli::Fail(command + ": not enough memory");
    } catch (const std::exception& error) {
        return cli::Fail(command + ": " + error.what());
    }
}
