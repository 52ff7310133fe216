#pragma once
// Killing a writer at random moments, for the crash-consistency tests.

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <sys/types.h>

namespace hanamori::test {

struct KillCounts {
    int attempts = 0;
    int kills = 0;    // ended by the SIGKILL while still running
    int finished = 0; // done before the signal came
};

// How long `start` (which starts a child process and returns its id) takes to run to
// its end: the shortest of a few runs, so that most kills land before the end.
std::chrono::microseconds RunTime(const std::function<pid_t(int attempt)>& start);

// Starts `start(attempt)` again and again, sends each child SIGKILL after a random
// delay below `window`, waits for it and then calls `check(attempt)`. Stops after
// `wanted_kills` kills, after `budget`, or when `check` returns false.
KillCounts KillAtRandomMoments(const std::function<pid_t(int attempt)>& start,
                               std::chrono::microseconds window, int wanted_kills,
                               std::chrono::seconds budget,
                               const std::function<bool(int attempt)>& check);

// Every regular file under `dir` (relative name -> bytes), leaving out the temporary
// files of saves (".tmp-" in the name).
std::map<std::string, std::string> FilesUnder(const std::string& dir);
// The number of temporary save files under `dir`.
int TempFilesUnder(const std::string& dir);

} // namespace hanamori::test
