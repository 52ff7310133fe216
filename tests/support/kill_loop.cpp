#include "support/kill_loop.h"

#include "support/test_support.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>

namespace hanamori::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool IsTempFile(const fs::path& p) {
    return p.filename().string().find(".tmp-") != std::string::npos;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

} // namespace

std::chrono::microseconds RunTime(const std::function<pid_t(int)>& start) {
    std::chrono::microseconds shortest = std::chrono::microseconds::max();
    for (int i = 0; i < 3; ++i) {
        auto begin = Clock::now();
        pid_t pid = start(i);
        if (pid > 0) {
            WaitFor(pid);
        }
        shortest = std::min(
            shortest, std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin));
    }
    return shortest;
}

KillCounts KillAtRandomMoments(const std::function<pid_t(int)>& start,
                               std::chrono::microseconds window, int wanted_kills,
                               std::chrono::seconds budget, const std::function<bool(int)>& check) {
    std::mt19937_64 random(std::random_device{}());
    std::uniform_int_distribution<long long> delay(0, std::max<long long>(window.count() - 1, 0));
    KillCounts counts;
    const auto end = Clock::now() + budget;
    while (counts.kills < wanted_kills && Clock::now() < end) {
        int attempt = counts.attempts++;
        pid_t pid = start(attempt);
        if (pid <= 0) {
            ADD_FAILURE() << "could not start the writer";
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        int status = WaitFor(pid);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
            ++counts.kills;
        } else {
            ++counts.finished;
        }
        if (!check(attempt)) {
            break;
        }
    }
    return counts;
}

std::map<std::string, std::string> FilesUnder(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (e.is_regular_file() && !IsTempFile(e.path())) {
            files[fs::relative(e.path(), dir).string()] = ReadFile(e.path().string());
        }
    }
    return files;
}

int TempFilesUnder(const std::string& dir) {
    int n = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        n += IsTempFile(e.path());
    }
    return n;
}

} // namespace hanamori::test
