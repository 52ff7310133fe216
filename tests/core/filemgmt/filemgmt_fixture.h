#pragma once
// Listings written into a temporary installation's Datas directory.

#include "core/listing/listing_file.h"
#include "core/listing/records.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace hanamori::test {

struct Bidder {
    std::string nickname; // UTF-8
    std::int32_t price;
    std::int32_t count;
};

class FileMgmtTest : public ::testing::Test {
protected:
    TempInstall inst;
    std::string datas = inst / "Datas";

    // Writes Datas/<number>.rks with the name (UTF-8), status flags and bidders.
    SaleMaster Put(const std::string& number, const std::string& name_utf8, int listed = 0,
                   int ended = 0, int completed = 0, std::initializer_list<Bidder> bidders = {}) {
        SaleMaster m;
        m.manage_no = number;
        m.product_name = Sj(name_utf8);
        m.auction.listed = listed;
        m.auction.ended = ended;
        m.auction.completed = completed;
        for (const Bidder& b : bidders) {
            CustomerRecord c;
            c.nickname = Sj(b.nickname);
            c.price = b.price;
            c.count = b.count;
            m.customers.Append(c);
        }
        EXPECT_TRUE(WriteListing(m, ListingPath(inst.dir(), number)));
        return m;
    }
};

} // namespace hanamori::test
