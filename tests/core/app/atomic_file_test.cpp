// Saves clean up after earlier saves that were killed before they finished.

#include "core/app/atomic_file.h"
#include "support/test_support.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace hanamori {
namespace {

TEST(AtomicFile, ASaveRemovesTheTempFilesOfKilledSavesButNotOfRunningOnes) {
    test::TempDir dir;
    std::string path = dir / "a.rks";
    test::WriteFile(dir / "a.rks.tmp-AbC123", "killed while writing");
    test::WriteFile(dir / "a.rks.tmp-Zz9999", "killed too");
    test::WriteFile(dir / "b.rks.tmp-AbC123", "another file's save");
    test::WriteFile(dir / "a.rks.tmp-notmine", "not a name a save makes");
    // A save in progress elsewhere holds a lock on its temporary file.
    test::WriteFile(dir / "a.rks.tmp-Runnin", "being written");
    int running = ::open((dir / "a.rks.tmp-Runnin").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    ASSERT_TRUE(SaveBytesAtomically(path, "new"));
    ::close(running);

    EXPECT_EQ(test::ReadFile(path), "new");
    EXPECT_FALSE(std::filesystem::exists(dir / "a.rks.tmp-AbC123"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.rks.tmp-Zz9999"));
    EXPECT_TRUE(std::filesystem::exists(dir / "a.rks.tmp-Runnin"));
    EXPECT_TRUE(std::filesystem::exists(dir / "b.rks.tmp-AbC123"));
    EXPECT_TRUE(std::filesystem::exists(dir / "a.rks.tmp-notmine"));

    // A failed save removes nothing but its own file.
    EXPECT_FALSE(SaveFileAtomically(path, [](std::ostream&) { return false; }));
    EXPECT_TRUE(std::filesystem::exists(dir / "a.rks.tmp-Runnin"));
    EXPECT_EQ(test::ReadFile(path), "new");
}

TEST(AtomicFile, AWriterThatThrowsFailsTheSaveAndLeavesNoTempFile) {
    test::TempDir dir;
    std::string path = dir / "s.ini";
    ASSERT_TRUE(SaveBytesAtomically(path, "old"));
    EXPECT_FALSE(SaveFileAtomically(path, [](std::ostream&) -> bool { throw std::bad_alloc(); }));
    EXPECT_EQ(test::ReadFile(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

} // namespace
} // namespace hanamori
