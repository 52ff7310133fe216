#include "core/app/install_location.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace hanamori {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;
namespace fs = std::filesystem;

struct FakeEnv {
    std::map<std::string, std::string> vars;
    EnvLookup lookup() const {
        return [this](const char* name) {
            auto it = vars.find(name);
            return it == vars.end() ? nullptr : it->second.c_str();
        };
    }
};

// An installed program: bin/ beside share/hanamori/ with the shipped data.
struct Package {
    TempDir prefix;
    Package() {
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share/hanamori/CostData");
        fs::create_directories(prefix / "share/hanamori/template");
        WriteFile(prefix / "share/hanamori/template/color.lst", "colours");
    }
    std::string bin() const { return prefix / "bin/"; }
};

TEST(InstallLocation, AnInstalledProgramMakesAndKeepsThePerUserDirectory) {
    Package package;
    TempDir home;
    FakeEnv env{{{"HOME", home.path()}, {"XDG_DATA_HOME", "relative/is/ignored"}}};
    InstallLocation first = LocateInstallDir(package.bin(), env.lookup());
    ASSERT_EQ(first.error, "");
    EXPECT_EQ(first.dir, home / ".local/share/hanamori/");
    EXPECT_TRUE(IsCompleteWritableInstallDir(first.dir));
    EXPECT_EQ(ReadFile(first.dir + "template/color.lst"), "colours");

    WriteFile(first.dir + "Datas/1.rks", "listing");
    WriteFile(first.dir + "template/color.lst", "the seller's colours");
    env.vars["XDG_DATA_HOME"] = home / ".local/share";
    InstallLocation again = LocateInstallDir(package.bin(), env.lookup());
    EXPECT_EQ(again.dir, first.dir);
    EXPECT_EQ(ReadFile(again.dir + "Datas/1.rks"), "listing");
    EXPECT_EQ(ReadFile(again.dir + "template/color.lst"), "the seller's colours");
}

TEST(InstallLocation, AChosenOrCompleteDirectoryIsUsedAsItStands) {
    Package package;
    TempDir home, chosen;
    FakeEnv env{{{"HOME", home.path()}, {"HANAMORI_DIR", chosen.path()}}};
    EXPECT_EQ(LocateInstallDir(package.bin(), env.lookup()).dir, chosen.path());

    env.vars.erase("HANAMORI_DIR");
    for (const char* sub : kInstallSubdirs) {
        fs::create_directories(package.bin() + sub);
    }
    EXPECT_EQ(LocateInstallDir(package.bin(), env.lookup()).dir, package.bin());
    EXPECT_FALSE(fs::exists(home / ".local"));
}

TEST(InstallLocation, WithoutShippedDataOrPerUserDirectoryItFailsNamingWhatIsMissing) {
    TempDir bin, home;
    FakeEnv env{{{"XDG_DATA_HOME", home.path()}}};
    InstallLocation location = LocateInstallDir(bin.path(), env.lookup());
    EXPECT_NE(location.error.find("share/hanamori"), std::string::npos) << location.error;
    EXPECT_FALSE(fs::exists(home / "hanamori"));
    EXPECT_EQ(location.notice, "");

    // Without $HOME the user database names the home, and the choice is told.
    InstallLocation unset = LocateInstallDir(bin.path(), FakeEnv{}.lookup());
    EXPECT_EQ(unset.notice, "$HOME is not set: using " + unset.dir +
                                " in the home directory of the user database");
}

} // namespace
} // namespace hanamori
