// Claiming a new file's name on file systems that lack the calls a claim prefers.

#include "core/app/atomic_file.h"
#include "support/kill_loop.h"
#include "support/test_support.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace hanamori {
namespace {

namespace fs = std::filesystem;

const std::string kContent(4096, 'x');

bool WriteContent(std::ostream& out) {
    return !!(out << kContent);
}

// On a file system with neither a rename that refuses to replace nor hard links (a FAT
// stick), with the plain rename slowed so that kills land in the claim's last steps.
TEST(Claim, WithoutHardLinksANameIsClaimedOnceAndNeverShowsAnEmptyFile) {
    const NamingCalls system = FileNamingCalls();
    FileNamingCalls() = {[](const char*, const char*) { return errno = EINVAL, -1; },
                         [](const char*, const char*) { return errno = EPERM, -1; },
                         [](const char* from, const char* to) {
                             std::this_thread::sleep_for(std::chrono::milliseconds(2));
                             return std::rename(from, to);
                         }};
    test::TempDir dir;
    EXPECT_EQ(SaveNewFileAtomically(dir / "1.rks", WriteContent), ClaimResult::Claimed);
    EXPECT_EQ(SaveNewFileAtomically(dir / "1.rks", WriteContent), ClaimResult::Taken);

    int runs = 0;
    auto start = [&](int) -> pid_t {
        const std::string name = dir / (std::to_string(++runs) + "k.rks");
        pid_t pid = ::fork();
        if (pid == 0) {
            SaveNewFileAtomically(name, WriteContent);
            ::_exit(0);
        }
        return pid;
    };
    std::string broken;
    auto check = [&](int) {
        const std::string name = dir / (std::to_string(runs) + "k.rks");
        if (fs::exists(name) && test::ReadFile(name) != kContent) {
            broken = name;
        }
        return broken.empty();
    };
    test::KillCounts counts = test::KillAtRandomMoments(start, test::RunTime(start), 100,
                                                        std::chrono::seconds(20), check);
    FileNamingCalls() = system;
    EXPECT_EQ(broken, "");
    EXPECT_GE(counts.kills, 50);
}

} // namespace
} // namespace hanamori
