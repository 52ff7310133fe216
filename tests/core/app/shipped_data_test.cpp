#include "core/app/shipped_data.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace hanamori {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(ShippedData, ANewerShipmentUpdatesWhatTheSellerLeftAndKeepsWhatTheyChanged) {
    TempDir shipped, target;
    std::filesystem::create_directories(shipped / "template");
    WriteFile(shipped / "template/color.lst", "colours 1");
    WriteFile(shipped / "template/mail_paid.txt", "paid 1");
    WriteFile(shipped / "help.html", "help 1");
    ShippedDataReport first = LayOutShippedData(shipped.path(), target.path());
    ASSERT_EQ(first.error, "");
    EXPECT_EQ(ReadFile(target / "template/color.lst"), "colours 1");

    WriteFile(target / "template/color.lst", "the seller's colours");
    std::filesystem::remove(target / "help.html");
    WriteFile(shipped / "template/color.lst", "colours 2");
    WriteFile(shipped / "template/mail_paid.txt", "paid 2");
    WriteFile(shipped / "help.html", "help 2");
    std::filesystem::create_directories(shipped / "services");
    WriteFile(shipped / "services/today.dat", "new");
    ShippedDataReport second = LayOutShippedData(shipped.path(), target.path());
    ASSERT_EQ(second.error, "");
    EXPECT_EQ(second.kept, std::vector<std::string>{"template/color.lst"});
    EXPECT_EQ(ReadFile(target / "template/color.lst"), "the seller's colours");
    EXPECT_EQ(ReadFile(target / "template/mail_paid.txt"), "paid 2");
    EXPECT_EQ(ReadFile(target / "help.html"), "help 2");
    EXPECT_EQ(ReadFile(target / "services/today.dat"), "new");

    // The edit stays through later shipments too, also one equal to the last.
    WriteFile(shipped / "template/color.lst", "colours 3");
    EXPECT_EQ(LayOutShippedData(shipped.path(), target.path()).kept.size(), 1u);
    EXPECT_EQ(ReadFile(target / "template/color.lst"), "the seller's colours");
}

TEST(ShippedData, ADirectoryLaidOutBeforeTheManifestTakesTheShippedFiles) {
    TempDir shipped, target;
    WriteFile(shipped / "help.html", "help 2");
    WriteFile(target / "help.html", "help 1");
    ShippedDataReport report = LayOutShippedData(shipped.path(), target.path());
    EXPECT_EQ(report.error, "");
    EXPECT_TRUE(report.kept.empty());
    EXPECT_EQ(ReadFile(target / "help.html"), "help 2");
}

TEST(ShippedData, MissingShippedDataIsAFailureNamingIt) {
    TempDir target;
    ShippedDataReport report = LayOutShippedData(target / "none", target.path());
    EXPECT_NE(report.error.find(target / "none"), std::string::npos) << report.error;
}

} // namespace
} // namespace hanamori
