#include "core/listing/listing_dir.h"
#include "core/listing/listing_file.h"
#include "core/settings/user_settings.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace hanamori {
namespace {

// Saves replace the file, so the file system's birth time is the last save; a listing
// named by its management number keeps its creation time from that number.
TEST(ListingTimes, CreationTimeComesFromTheManagementNumberWhenItIsEarlier) {
    test::TempInstall inst;
    UserSettings settings;
    SaleMaster listing;
    listing.Reset(settings);
    listing.manage_no = "200102030405"; // 2020/01/02 03:04:05
    std::string path = ListingPath(inst.dir(), listing.manage_no);
    ASSERT_TRUE(WriteListing(listing, path));
    ASSERT_TRUE(WriteListing(listing, path)); // saved again
    SaleMaster read;
    ListingFileTimes times;
    ASSERT_TRUE(ReadListingWithTimes(path, read, &times));
    EXPECT_EQ(FormatListTime(times.created), "20/01/02 03:04");
    EXPECT_NE(FormatListTime(times.saved), "20/01/02 03:04");

    // A file renamed by hand, or a stem that is no date, shows the file's own time.
    for (const char* stem : {"renamed", "201399999999"}) {
        std::string other = ListingPath(inst.dir(), stem);
        ASSERT_TRUE(WriteListing(listing, other));
        ASSERT_TRUE(ReadListingWithTimes(other, read, &times));
        EXPECT_EQ(FormatListTime(times.created), FormatListTime(times.saved)) << stem;
    }
}

} // namespace
} // namespace hanamori
