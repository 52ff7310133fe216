// Claiming management numbers: a listing's whole file takes a free name, and a number
// whose file exists moves on to the next free second.

#include "core/listing/listing_file.h"
#include "core/listing/manage_no.h"
#include "support/kill_loop.h"
#include "support/test_support.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace hanamori {
namespace {

TEST(ManageNo, ANewListingTakesTheFirstFreeSecond) {
    test::TempInstall inst;
    const std::string datas = inst / "Datas";
    auto saved_as = [&](const std::string& first) -> std::optional<std::string> {
        SaleMaster m;
        m.manage_no = first;
        return SaveNewListing(m, datas) ? std::optional(m.manage_no) : std::nullopt;
    };
    EXPECT_EQ(saved_as("261207235959"), std::optional<std::string>("261207235959"));
    test::WriteFile(inst / "Datas/261208000000.rks", "someone else's");
    // Past taken numbers and over midnight.
    EXPECT_EQ(saved_as("261207235959"), std::optional<std::string>("261208000001"));
    EXPECT_EQ(test::ReadFile(inst / "Datas/261208000000.rks"), "someone else's");
    // Something that is not a number moves on from now.
    auto fresh = saved_as("abc");
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(ManageNoTime(*fresh));
    EXPECT_FALSE(ManageNoTime("261332000000"));
    // A directory of that name is taken too.
    std::filesystem::create_directory(inst / "Datas/280101000000.rks");
    EXPECT_EQ(saved_as("280101000000"), std::optional<std::string>("280101000001"));

    SaleMaster m;
    m.manage_no = "261207235959";
    EXPECT_FALSE(SaveNewListing(m, inst / "missing"));
    EXPECT_EQ(m.manage_no, "261207235959");
    // A claim leaves nothing but the listing's own file.
    EXPECT_EQ(test::TempFilesUnder(datas), 0);
}

// The number read as local time gives what mktime gives, in a zone with summer time too
// (a skipped and a doubled hour among them).
TEST(ManageNo, NumberTimeIsMktimeInEveryZone) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    for (const char* zone : {"Asia/Tokyo", "Europe/Berlin", "America/New_York", "UTC"}) {
        setenv("TZ", zone, 1);
        tzset();
        for (const char* number : {"260330023000", "261026023000", "261207153000", "310101000000",
                                   "260229120000", "270229120000", "261309000000"}) {
            std::tm tm{};
            std::sscanf(number, "%2d%2d%2d%2d%2d%2d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                        &tm.tm_hour, &tm.tm_min, &tm.tm_sec);
            tm.tm_year += 100;
            tm.tm_mon -= 1;
            tm.tm_isdst = -1;
            const int month = tm.tm_mon, day = tm.tm_mday;
            const std::time_t expected = std::mktime(&tm);
            const bool valid = tm.tm_mon == month && tm.tm_mday == day;
            EXPECT_EQ(ManageNoTime(number),
                      valid ? std::optional<std::time_t>(expected) : std::nullopt)
                << zone << ' ' << number;
        }
    }
    old ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
}

TEST(ManageNo, SaveNewListingWritesTheClaimedFileOrGivesItBack) {
    test::TempInstall inst;
    const std::string datas = inst / "Datas";
    SaleMaster first;
    first.manage_no = "261207100000";
    first.product_name = "first";
    ASSERT_TRUE(SaveNewListing(first, datas));
    SaleMaster second = first;
    second.product_name = "second";
    ASSERT_TRUE(SaveNewListing(second, datas));
    EXPECT_EQ(second.manage_no, "261207100001");
    SaleMaster read;
    ASSERT_TRUE(ReadListing(read, ListingPath(inst.dir(), "261207100000")));
    EXPECT_EQ(read.product_name, "first");
    ASSERT_TRUE(ReadListing(read, ListingPath(inst.dir(), "261207100001")));
    EXPECT_EQ(read.product_name, "second");
    EXPECT_EQ(read.manage_no, "261207100001"); // the number inside is the claimed one

    // A save that fails (the disk "full" after 100 bytes, even for root) leaves no
    // empty claimed file behind.
    SaleMaster big;
    big.manage_no = "261207200000";
    big.auction.description = std::string(5000, 'x');
    struct rlimit old_limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = SaveNewListing(big, datas);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(std::filesystem::exists(inst / "Datas/261207200000.rks"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(datas),
                            std::filesystem::directory_iterator()),
              2);
}

} // namespace
} // namespace hanamori
