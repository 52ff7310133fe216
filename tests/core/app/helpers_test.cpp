#include "core/app/atomic_file.h"
#include "core/app/helpers.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {
namespace {

TEST(Helpers, IntegerChecks) {
    EXPECT_TRUE(IsUnsignedInt(""));
    EXPECT_TRUE(IsUnsignedInt("007"));
    EXPECT_FALSE(IsUnsignedInt("-1"));
    EXPECT_FALSE(IsUnsignedInt("1.5"));
    EXPECT_FALSE(IsUnsignedInt(" 1"));
    EXPECT_FALSE(IsUnsignedInt(test::Sj("１２")));
    EXPECT_TRUE(IsSignedInt(""));
    EXPECT_TRUE(IsSignedInt("-"));
    EXPECT_TRUE(IsSignedInt("-300"));
    EXPECT_FALSE(IsSignedInt("3-"));
    EXPECT_FALSE(IsSignedInt("--3"));
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt("-"), 0);
    EXPECT_EQ(ToInt("-300"), -300);
}

TEST(Helpers, ScratchFilesGoAndOtherFilesStay) {
    test::TempInstall inst;
    for (const char* name : kScratchFiles) {
        test::WriteFile(inst / (std::string("work/") + name), "x");
    }
    test::WriteFile(inst / "work/keep.txt", "x");
    DeleteScratchFiles(inst.dir());
    for (const char* name : kScratchFiles) {
        EXPECT_FALSE(FileExists(inst / (std::string("work/") + name))) << name;
    }
    EXPECT_TRUE(FileExists(inst / "work/keep.txt"));
    DeleteScratchFiles(inst.dir()); // nothing left to delete: no complaint
}

TEST(Helpers, InstallDirAlwaysEndsInASeparator) {
    std::string before = InstallDir();
    SetInstallDir("/");
    EXPECT_EQ(InstallDir(), "/");
    SetInstallDir("/opt/hanamori");
    EXPECT_EQ(InstallDir(), "/opt/hanamori/");
    SetInstallDir(before);
    EXPECT_EQ(ExecutableDir().back(), '/');
}

TEST(AtomicFile, AFailedSaveKeepsTheOldFileWhole) {
    test::TempDir dir;
    std::string path = dir / "data.bin";
    ASSERT_TRUE(SaveBytesAtomically(path, "old content"));
    EXPECT_FALSE(SaveFileAtomically(path, [](std::ostream& out) {
        out << "half";
        return false;
    }));
    EXPECT_EQ(test::ReadFile(path), "old content");
    // No temporary file is left behind.
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFile, ASaveKeepsTheFilesPermissionsAndFollowsLinks) {
    test::TempDir dir;
    std::string path = dir / "data.bin";
    ASSERT_TRUE(SaveBytesAtomically(path, "one"));
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(SaveBytesAtomically(path, "two"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    std::string link = dir / "link.bin";
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(SaveBytesAtomically(link, "three"));
    struct stat lst {};
    ASSERT_EQ(::lstat(link.c_str(), &lst), 0);
    EXPECT_TRUE(S_ISLNK(lst.st_mode));
    EXPECT_EQ(test::ReadFile(path), "three");
}

} // namespace
} // namespace hanamori

namespace hanamori {
namespace {

// The program creates no directories: the build must lay out everything it needs.
TEST(Installation, TheBuildLaysOutACompleteInstallationDirectory) {
    const std::string dist = test::DistDir() + "/";
    for (const char* dir : {"Datas", "work", "template", "CostData", "user.ini", "help"}) {
        EXPECT_TRUE(std::filesystem::is_directory(dist + dir)) << dir;
    }
    for (const char* file :
         {"help.html", "help/design_list.html", "template/color.lst", "template/template.lst",
          "CostData/yupack.dat", "CostData/yupack2.dat", "CostData/yubin.dat",
          "CostData/yamato.dat", "CostData/sagawa.dat", "CostData/nittu.dat", "hanamori-cli"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(dist + file)) << file;
    }
}

} // namespace
} // namespace hanamori
