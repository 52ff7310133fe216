#pragma once
// Runs the real hanamori-cli as a child process (tests/cli only).

#include <string>
#include <vector>

namespace hanamori::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `cli_path --dir dir args...` with `input` on standard input (no --dir when
// `dir` is empty).
CliResult RunCliAt(const std::string& cli_path, const std::string& dir,
                   const std::vector<std::string>& args, const std::string& input = {});

// Starts `count` runs of `cli_path --dir dir args...` at once and waits for them all;
// the results in the order they were started.
std::vector<CliResult> RunCliConcurrently(const std::string& cli_path, const std::string& dir,
                                          const std::vector<std::string>& args, int count);
// The same with each run's own arguments.
std::vector<CliResult> RunCliConcurrently(const std::string& cli_path, const std::string& dir,
                                          const std::vector<std::vector<std::string>>& runs);

#ifdef HANAMORI_CLI_PATH
inline CliResult RunCli(const std::string& dir, const std::vector<std::string>& args,
                        const std::string& input = {}) {
    return RunCliAt(HANAMORI_CLI_PATH, dir, args, input);
}
#endif

} // namespace hanamori::test
