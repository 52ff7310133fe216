#include "core/listing/listing_file.h"
#include "core/settings/user_settings.h"
#include "support/test_support.h"

#include <climits>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hanamori {
namespace {

using test::Le32;
using test::Sj;

std::string Bytes(const SaleMaster& listing) {
    return test::ListingBytes(listing);
}

SaleMaster FreshListing() {
    UserSettings settings;
    SaleMaster listing;
    listing.Reset(settings);
    listing.manage_no = "261207153000";
    return listing;
}

TEST(ListingFile, AFreshListingStartsWithTheDocumentedLayout) {
    std::string b = Bytes(FreshListing());
    std::string zero4(4, '\0');
    EXPECT_EQ(b.substr(0, 32), kSaleMasterTag);
    EXPECT_EQ(b.substr(32, 4), Le32(100));
    EXPECT_EQ(b.substr(36, 12), "261207153000");
    EXPECT_EQ(b.substr(48, 4), zero4);
    EXPECT_EQ(b.substr(52, 32), kAuctionTag);
    EXPECT_EQ(b.substr(84, 4), zero4);                        // page_url
    EXPECT_EQ(b.substr(88, 5), std::string("\0\0\0\0\0", 5)); // listed, listed_date
    EXPECT_EQ(b.substr(98, 1), std::string(1, '\0'));         // completed
    EXPECT_EQ(b.substr(103, 16), std::string(16, '\0'));      // memo .. display_name
    EXPECT_EQ(b[119], '\x01');                                // use_description
    EXPECT_EQ(b.substr(120, 4), zero4);
    EXPECT_EQ(b[124], '\x01'); // use_notes
    EXPECT_EQ(b.substr(125, 4), zero4);
    // The bidder section of an empty list is its tag and a zero count.
    auto at = b.find(kCustomerTag);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(b.substr(at + 32, 4), zero4);
    EXPECT_EQ(b.substr(at + 36, 32), kMailTag);
    // Mail section: 10 flag bytes and eight empty texts end the file.
    EXPECT_EQ(b.size(), at + 36 + 32 + 10 + 8 * 4);
}

SaleMaster FullListing() {
    SaleMaster l = FreshListing();
    l.product_name = Sj("ソニー製 表示パネル");
    AuctionRecord& a = l.auction;
    a.page_url = "http://page.example.jp/auction/x123";
    a.listed = 1;
    a.listed_date = "2026/12/01";
    a.ended = 2; // flags above 1 come back as stored
    a.ended_date = "2026/12/05";
    a.completed = 255;
    a.completed_date = "2026/12/07";
    a.memo = Sj("メモ\r\n二行目");
    a.design_type = Sj("テーブル表示1");
    a.design_color = Sj("ソフトブルー");
    a.display_name = Sj("【美品】表示パネル");
    a.use_description = 0;
    a.description = Sj("説明文\r\n\r\n改行あり");
    a.notes = Sj("注意事項");
    a.use_other = 1;
    a.other = Sj("その他");
    a.use_quantity = 1;
    a.quantity = 3;
    a.weight_g = 9999999;
    a.length_cm = 30;
    a.width_cm = 20;
    a.height_cm = -1;
    a.use_bank = 1;
    a.bank_text = Sj("銀行");
    a.use_postal = 1;
    a.postal_text = Sj("郵便");
    a.use_other_payment = 1;
    a.other_payment_text = Sj("代引");
    a.origin_pref = Sj("北海道");
    a.use_teikei = 1;
    a.teikei_cost = 80;
    a.use_teikeigai = 1;
    a.teikeigai_cost = 140;
    a.use_booklet = 1;
    a.booklet_cost = 290;
    a.use_expack = 1;
    a.expack_cost = 500;
    a.use_kuroneko_mail = 1;
    a.kuroneko_mail_cost = 160;
    a.use_hikyaku_mail = 1;
    a.hikyaku_mail_cost = 160;
    a.use_other_ship = 1;
    a.other_ship_name = Sj("手渡し");
    a.other_ship_cost = 0;
    a.use_yupack = a.use_yahoo_yupack = a.use_yamato = a.use_sagawa = a.use_pelican = 1;
    a.shipping_notes = Sj("週末発送");
    for (int i = 0; i < 2; ++i) {
        CustomerRecord c;
        c.name = Sj("山田太郎") + std::to_string(i);
        c.nickname = "taro" + std::to_string(i);
        c.mail = "taro@example.jp";
        c.price = 1500;
        c.count = 2;
        c.ship_method = Sj("ゆうパック");
        c.ship_cost = 800;
        c.other_charge = -300;
        c.zip = "530-0001";
        c.pref = Sj("大阪府");
        c.address = Sj("大阪市北区\r\n梅田1-1");
        c.phone = "06-0000-0000";
        c.mail_comment = 1;
        c.comment = Sj("よろしく");
        c.notice_sent = c.method_told = c.paid = c.shipped = c.closed = 1;
        c.notice_sent_date = c.method_told_date = c.paid_date = "2026/12/06";
        c.shipped_date = c.closed_date = "2026/12/07";
        l.customers.Append(c);
    }
    MailRecord& m = l.mail;
    m.bank1 = m.bank3 = m.bank6 = m.postal2 = m.postal3 = m.use_other_payment = 1;
    m.other_payment_text = Sj("代引き");
    m.seller_name = Sj("佐藤花子");
    m.seller_nickname = "hanako";
    m.seller_mail = "hanako@example.jp";
    m.seller_zip = "100-0001";
    m.seller_pref = Sj("東京都");
    m.seller_address = Sj("千代田区\r\n1-1");
    m.seller_phone = "03-0000-0000";
    return l;
}

TEST(ListingFile, EveryFieldRoundTripsByteForByte) {
    SaleMaster original = FullListing();
    std::string bytes = Bytes(original);
    SaleMaster read = FreshListing();
    ASSERT_TRUE(ReadListingBytes(read, bytes));
    EXPECT_EQ(Bytes(read), bytes);
    // Every field comes back, and the working copy of the bidders is never stored.
    EXPECT_TRUE(read == original);
}

TEST(ListingFile, AnyFormatNumberIsAccepted) {
    std::string bytes = Bytes(FullListing());
    bytes.replace(32, 4, Le32(7));
    SaleMaster read;
    EXPECT_TRUE(ReadListingBytes(read, bytes));
}

TEST(ListingFile, DamagedFilesFailWithoutCrashing) {
    std::string good = Bytes(FullListing());
    SaleMaster read;
    // Every truncation fails.
    for (std::size_t cut : {std::size_t(0), std::size_t(10), std::size_t(40), std::size_t(100),
                            good.size() / 2, good.size() - 1}) {
        EXPECT_FALSE(ReadListingBytes(read, good.substr(0, cut))) << cut;
    }
    // A tag with one blank fewer reads the next byte as its last and fails.
    std::string short_tag = good;
    short_tag.erase(52 + 20, 1);
    EXPECT_FALSE(ReadListingBytes(read, short_tag));
    // Negative and huge lengths (product_name at offset 48) are refused.
    for (std::int32_t bad : {-1, INT32_MIN, 0x7FFFFFFF, 260}) {
        std::string b = good;
        b.replace(48, 4, Le32(bad));
        EXPECT_FALSE(ReadListingBytes(read, b)) << bad;
    }
    // A huge bidder count fails without allocating for it.
    std::string b = good;
    auto at = b.find(kCustomerTag);
    b.replace(at + 32, 4, Le32(0x7FFFFFFF));
    EXPECT_FALSE(ReadListingBytes(read, b));
}

TEST(ListingFile, PartialReadsDecodeTheirTextsAndFailExactlyAsAWholeRead) {
    const std::string good = Bytes(FullListing());
    const ListingTexts kParts[] = {ListingTexts::NameOnly(),
                                   ListingTexts::NameAndBidders({&CustomerRecord::name})};
    SaleMaster whole, part;
    ASSERT_TRUE(ReadListingBytes(whole, good));
    for (const ListingTexts& texts : kParts) {
        part = FullListing(); // what a part read does not decode is left empty
        ASSERT_TRUE(ReadListingBytes(part, good, texts));
        EXPECT_EQ(part.product_name, whole.product_name);
        EXPECT_EQ(part.auction.completed, whole.auction.completed);
        EXPECT_EQ(part.auction.description, std::string());
        EXPECT_EQ(part.mail.seller_address, std::string());
        if (!texts.keeps_bidders()) {
            EXPECT_EQ(part.customers.count(), 0);
            continue;
        }
        ASSERT_EQ(part.customers.count(), whole.customers.count());
        EXPECT_EQ(part.customers[1].price, whole.customers[1].price);
        EXPECT_EQ(part.customers[1].name, whole.customers[1].name);
        EXPECT_EQ(part.customers[1].nickname, std::string());
    }
    // Every cut, and a negative, too long or huge length anywhere: each part read
    // succeeds or fails as the whole read does.
    auto same = [&](const std::string& bytes, const char* what, std::size_t at) {
        const bool ok = ReadListingBytes(whole, bytes);
        for (const ListingTexts& texts : kParts) {
            part = SaleMaster();
            EXPECT_EQ(ReadListingBytes(part, bytes, texts), ok) << what << " at " << at;
        }
    };
    for (std::size_t at = 0; at < good.size(); ++at) {
        same(good.substr(0, at), "cut", at);
        for (std::int32_t bad : {-1, 11, 256, 0x7FFFFFFF}) {
            std::string b = good;
            b.replace(at, std::min<std::size_t>(4, good.size() - at), Le32(bad));
            same(b, "length", at);
        }
    }
}

TEST(ListingFile, ACutInsideTheBiddersKeepsTheBiddersBeforeIt) {
    std::string good = Bytes(FullListing());
    auto mail = good.find(kMailTag);
    SaleMaster read;
    EXPECT_FALSE(ReadListingBytes(read, good.substr(0, mail - 20)));
    EXPECT_EQ(read.customers.count(), 1);
    EXPECT_EQ(read.product_name, Sj("ソニー製 表示パネル"));
}

TEST(ListingFile, ReadOnlyFilesOpenAndFailedSavesKeepTheOldFile) {
    test::TempInstall inst;
    SaleMaster listing = FullListing();
    std::string path = ListingPath(inst.dir(), listing.manage_no);
    ASSERT_TRUE(WriteListing(listing, path));
    std::string before = test::ReadFile(path);
    // Marked read-only by the seller: it opens, and no save replaces it (for the
    // administrator either, whom the permission alone would not stop).
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    SaleMaster read;
    EXPECT_TRUE(ReadListing(read, path));
    listing.product_name = "changed";
    EXPECT_FALSE(WriteListing(listing, path));
    EXPECT_EQ(test::ReadFile(path), before);
    ::chmod(path.c_str(), 0644);
    // A directory where nothing can be written: the save fails, the file stays whole.
    ::chmod((inst.dir() + "Datas").c_str(), 0555);
    listing.product_name = "changed";
    bool saved = WriteListing(listing, path);
    ::chmod((inst.dir() + "Datas").c_str(), 0755);
    if (::geteuid() != 0) { // root writes anywhere; the directory test needs a user
        EXPECT_FALSE(saved);
        EXPECT_EQ(test::ReadFile(path), before);
    }
    EXPECT_FALSE(WriteListing(listing, inst.dir() + "no-such-dir/x.rks"));
}

TEST(ListingFile, ASaveThatRunsOutOfSpaceKeepsTheOldFileWhole) {
    test::TempInstall inst;
    SaleMaster listing = FullListing();
    std::string path = ListingPath(inst.dir(), listing.manage_no);
    ASSERT_TRUE(WriteListing(listing, path));
    std::string before = test::ReadFile(path);
    // A file size limit makes the disk "full" after 100 bytes, even for root.
    struct rlimit old_limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old_limit;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    listing.auction.description = std::string(5000, 'x');
    bool saved = WriteListing(listing, path);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inst / "Datas"),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind
}

TEST(ListingFile, AWriteThatFailsPartWayIsReported) {
    // A stream that takes only 100 bytes.
    struct Limited : std::streambuf {
        int left = 100;
        int overflow(int c) override { return left-- > 0 ? c : traits_type::eof(); }
    } buf;
    std::ostream out(&buf);
    EXPECT_FALSE(WriteListing(FullListing(), out));
}

} // namespace
} // namespace hanamori
