#include "core/listing/listing_extras.h"
#include "core/listing/listing_file.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace hanamori {
namespace {

using test::Le32;
using test::Sj;

std::string Bytes(const SaleMaster& listing) {
    return test::ListingBytes(listing);
}

std::string Text(const std::string& s) {
    return Le32(static_cast<std::int32_t>(s.size())) + s;
}

// An extras section holding the given key and value texts.
std::string Section(std::initializer_list<std::pair<std::string, std::string>> values) {
    std::string s = std::string(kExtrasTag, kTagLength) + Le32(static_cast<int>(values.size()));
    for (const auto& [key, value] : values) {
        s += Text(key) + Text(value);
    }
    return s;
}

SaleMaster Sold() {
    SaleMaster l;
    l.manage_no = "261207153000";
    l.product_name = Sj("木製カトラリー");
    for (int i = 0; i < 2; ++i) {
        CustomerRecord c;
        c.nickname = "taro" + std::to_string(i);
        c.price = 1500;
        l.customers.Append(c);
    }
    return l;
}

TEST(ListingExtras, AreASuffixTheOlderLayoutNeverSeesAndRoundTrip) {
    SaleMaster plain = Sold();
    SaleMaster extra = plain;
    extra.auction.unit_cost = 420;
    extra.auction.services = {"click_post", "yupacket"};
    extra.customers[1].shipping_paid = 185;
    extra.customers[1].tracking_no = "1234-5678-9012";
    const std::string older = Bytes(plain);
    const std::string bytes = Bytes(extra);
    // A reader of the older layout stops where the mail section ends: it reads the very
    // bytes a listing without the extras has.
    ASSERT_GT(bytes.size(), older.size());
    EXPECT_EQ(bytes.substr(0, older.size()), older);
    EXPECT_EQ(bytes.substr(older.size(), kTagLength), std::string(kExtrasTag, kTagLength));

    SaleMaster read;
    read.auction.unit_cost = 9; // values held before are not kept
    ASSERT_TRUE(ReadListingBytes(read, bytes));
    EXPECT_TRUE(read == extra);
    EXPECT_EQ(read.customers[0].shipping_paid, -1);
    // A file without the section clears what the reused listing held.
    ASSERT_TRUE(ReadListingBytes(read, older));
    EXPECT_TRUE(read == plain);
    EXPECT_FALSE(HasExtras(read));
}

TEST(ListingExtras, KeysOfALaterVersionAreKeptWithTheirBidder) {
    const std::string bytes = Bytes(Sold()) + Section({{"bidder.1.shipping_paid", "520"},
                                                       {"gift_wrap", "1"},
                                                       {"bidder.0.rating", Sj("良い")}});
    SaleMaster read;
    ASSERT_TRUE(ReadListingBytes(read, bytes));
    EXPECT_EQ(read.customers[1].shipping_paid, 520);
    ASSERT_EQ(read.customers[0].other_extras.size(), 1u);
    // The first bidder goes; the second moves up and keeps its values.
    std::swap(read.customers[0], read.customers[1]);
    read.customers.Remove(1);
    SaleMaster again;
    ASSERT_TRUE(ReadListingBytes(again, Bytes(read)));
    EXPECT_EQ(again.customers[0].shipping_paid, 520);
    EXPECT_TRUE(again.customers[0].other_extras.empty());
    EXPECT_EQ(again.auction.other_extras, (OtherExtras{{"gift_wrap", "1"}}));
}

TEST(ListingExtras, ADamagedSectionFailsTheReadAndOtherTrailingBytesDoNot) {
    const std::string base = Bytes(Sold());
    for (const auto& [key, value] : std::initializer_list<std::pair<std::string, std::string>>{
             {"unit_cost", "12a"},
             {"unit_cost", "-2"},
             {"unit_cost", "012"},
             {"unit_cost", "99999999999"},
             {"service", ""},
             {"bidder.2.shipping_paid", "1"}, // the file holds two bidders
             {"bidder.x.tracking_no", "1"},
             {"bidder.01.tracking_no", "1"},
             {"bidder.0.tracking_no", std::string(kTrackingNoCapacity, '1')}}) {
        SaleMaster read;
        EXPECT_FALSE(ReadListingBytes(read, base + Section({{key, value}}))) << key << value;
    }
    const std::string good = base + Section({{"unit_cost", "0"}});
    for (std::size_t cut = base.size() + 1; cut < good.size(); cut += 7) {
        SaleMaster read;
        EXPECT_FALSE(ReadListingBytes(read, good.substr(0, cut))) << cut;
    }
    SaleMaster read;
    EXPECT_TRUE(ReadListingBytes(read, base + "written by something else"));
    EXPECT_TRUE(ReadListingBytes(read, good));
    EXPECT_EQ(read.auction.unit_cost, 0);
}

TEST(ListingExtras, AreFoundPastTheFirstReadOfALongFile) {
    test::TempDir dir;
    SaleMaster long_one = Sold();
    long_one.auction.description = std::string((std::size_t{5} << 20) - 20, 'a');
    long_one.customers[0].tracking_no = "7777";
    const std::string path = dir / "long.rks";
    ASSERT_TRUE(WriteListing(long_one, path));
    SaleMaster read;
    ASSERT_TRUE(ReadListing(read, path));
    EXPECT_EQ(read.customers[0].tracking_no, "7777");
}

} // namespace
} // namespace hanamori
