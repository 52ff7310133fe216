#include "support/cli_runner.h"

#include "support/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

namespace hanamori::test {
namespace {
std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}
} // namespace

CliResult RunCliAt(const std::string& cli_path, const std::string& dir,
                   const std::vector<std::string>& args, const std::string& input) {
    TempDir io;
    WriteFile(io / "in", input);
    std::string command = Quote(cli_path);
    if (!dir.empty()) {
        command += " --dir " + Quote(dir);
    }
    for (const std::string& a : args) {
        command += " " + Quote(a);
    }
    command += " <" + Quote(io / "in") + " >" + Quote(io / "out") + " 2>" + Quote(io / "err");
    int raw = std::system(command.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(io / "out");
    r.err = ReadFile(io / "err");
    return r;
}

std::vector<CliResult> RunCliConcurrently(const std::string& cli_path, const std::string& dir,
                                          const std::vector<std::string>& args, int count) {
    return RunCliConcurrently(cli_path, dir,
                              std::vector<std::vector<std::string>>(std::size_t(count), args));
}

std::vector<CliResult> RunCliConcurrently(const std::string& cli_path, const std::string& dir,
                                          const std::vector<std::vector<std::string>>& runs) {
    TempDir io;
    const int count = static_cast<int>(runs.size());
    std::string script;
    for (int i = 0; i < count; ++i) {
        std::string command = Quote(cli_path) + " --dir " + Quote(dir);
        for (const std::string& a : runs[std::size_t(i)]) {
            command += " " + Quote(a);
        }
        std::string n = std::to_string(i);
        script += "(" + command + " >" + Quote(io / ("out" + n)) + " 2>" + Quote(io / ("err" + n)) +
                  "; echo $? >" + Quote(io / ("rc" + n)) + ") &\n";
    }
    script += "wait\n";
    WriteFile(io / "run.sh", script);
    std::system(("sh " + Quote(io / "run.sh")).c_str());
    std::vector<CliResult> results;
    for (int i = 0; i < count; ++i) {
        std::string n = std::to_string(i);
        CliResult r;
        r.status = std::atoi(ReadFile(io / ("rc" + n)).c_str());
        r.out = ReadFile(io / ("out" + n));
        r.err = ReadFile(io / ("err" + n));
        results.push_back(r);
    }
    return results;
}

} // namespace hanamori::test
