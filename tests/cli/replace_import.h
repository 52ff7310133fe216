#pragma once
// The command line that replaces a listing from a JSON file.

#include "support/cli_runner.h"

#include <string>
#include <vector>

namespace hanamori::test {

// "import FILE --replace"; "import FILE" where import knows no --replace and always
// replaces (it then answers the flag with a usage error).
inline std::vector<std::string> ReplaceImportArgs(const std::string& dir,
                                                  const std::string& json_path) {
    std::vector<std::string> args = {"import", json_path, "--replace"};
    if (RunCli(dir, args).status == 2) {
        args.pop_back();
    }
    return args;
}

} // namespace hanamori::test
