#pragma once
// Helpers for the page tests: cost lists without rate files, a stream that runs out of
// room, and a builder run into memory.

#include "core/page/page_builders.h"
#include "core/settings/user_settings.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <streambuf>
#include <vector>

namespace hanamori::test {

// Cost lists from a table, recording what the builders asked for.
class FakeCostLists : public PageCostLists {
public:
    std::map<ShippingMethod, std::string> lists;
    std::vector<ShippingMethod> requested;
    std::string seller_id, origin;
    int parcel[4] = {-9, -9, -9, -9};
    int basis[3] = {-9, -9, -9};
    int setups = 0;

    void SetSellerId(const std::string& nickname) override { seller_id = nickname; }
    void SetTotalBasis(int p, int q, int s) override {
        basis[0] = p;
        basis[1] = q;
        basis[2] = s;
        ++setups;
    }
    void SetParcel(int a, int b, int c, int w) override {
        parcel[0] = a;
        parcel[1] = b;
        parcel[2] = c;
        parcel[3] = w;
    }
    void SetOrigin(const std::string& pref) override { origin = pref; }
    const std::string& CostList(ShippingMethod carrier) override {
        requested.push_back(carrier);
        return lists[carrier];
    }
};

// Takes at most `room` bytes, then refuses the rest of a write and everything after.
class LimitedBuf : public std::streambuf {
public:
    explicit LimitedBuf(std::size_t room) : m_room(room) {}
    std::string data;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), m_room);
        data.append(s, take);
        m_room -= take;
        return static_cast<std::streamsize>(take);
    }
    int_type overflow(int_type c) override {
        if (m_room == 0 || traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::eof();
        }
        data.push_back(traits_type::to_char_type(c));
        --m_room;
        return c;
    }

private:
    std::size_t m_room;
};

// Everything a build needs, owned in one place; tests change the parts they need.
struct PageFixture {
    SaleMaster listing;
    UserSettings settings;
    ColorList colors;
    FakeCostLists shipping;
    ScriptedHost host;

    PageFixture() {
        ParseColorList(Sj("ブルー,#336699,#6699cc,#99ccff,#ffffff\r\n"
                          "グレー,#404040,#808080,#c0c0c0,#f0f0f0\r\n"),
                       colors);
        // An empty listing: nothing ticked, no texts.
        AuctionRecord& a = listing.auction;
        a = AuctionRecord();
        a.use_description = 0;
        a.use_notes = 0;
    }
    PageSources Sources() { return {listing, settings, colors, shipping, host}; }

    // The page body in the design and colour set named (UTF-8 names), as UTF-8.
    std::string Body(const std::string& design, const std::string& color = "ブルー") {
        std::ostringstream out;
        EXPECT_TRUE(WritePageBody(out, Sources(), Sj(design), Sj(color)));
        return Utf8(out.str());
    }
};

} // namespace hanamori::test
