#include "core/listing/listing_extras.h"

#include "core/text/cp932.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>

namespace hanamori {
namespace {

constexpr std::size_t kKeyCapacity = 256;
constexpr std::string_view kUnitCost = "unit_cost";
constexpr std::string_view kService = "service";
constexpr std::string_view kBidderPrefix = "bidder.";
constexpr std::string_view kShippingPaid = "shipping_paid";
constexpr std::string_view kTrackingNo = "tracking_no";

// What of a text a file stores: up to its terminator.
std::string_view Stored(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

// The section's writer: a failed write makes every later one fail.
class ExtrasWriter {
public:
    explicit ExtrasWriter(std::ostream& out) : m_out(out) {}
    void Int(std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        const char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                           static_cast<char>((u >> 16) & 0xFF),
                           static_cast<char>((u >> 24) & 0xFF)};
        Put(b, 4);
    }
    // A text up to its terminator, cut to what a field of `capacity` holds (0: all).
    void Text(std::string_view text, std::size_t capacity = 0) {
        std::size_t length = Stored(text).size();
        if (capacity != 0) {
            length = SafeCutLength(text.substr(0, length), capacity - 1);
        }
        if (length > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            m_failed = true;
            return;
        }
        Int(static_cast<std::int32_t>(length));
        Put(text.data(), length);
    }
    void Value(std::string_view key, std::string_view value, std::size_t capacity = 0) {
        Text(key, kKeyCapacity);
        Text(value, capacity);
    }
    bool ok() const { return !m_failed && m_out.good(); }

private:
    void Put(const char* data, std::size_t n) {
        if (ok() && n != 0) {
            m_out.write(data, static_cast<std::streamsize>(n));
        }
    }
    std::ostream& m_out;
    bool m_failed = false;
};

// The offered services that can be stored: an empty id would not read back.
std::size_t StoredServices(const AuctionRecord& a) {
    return static_cast<std::size_t>(
        std::count_if(a.services.begin(), a.services.end(),
                      [](const std::string& id) { return !Stored(id).empty(); }));
}

bool HasBidderExtras(const CustomerRecord& c) {
    return c.shipping_paid >= 0 || !c.tracking_no.empty() || !c.other_extras.empty();
}

// An amount as the section stores it: "-1" (not entered) or decimal digits without a
// leading zero, nothing else.
bool ReadAmount(std::string_view text, std::int32_t& amount) {
    if (text == "-1") {
        amount = -1;
        return true;
    }
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] < '0' || text[0] > '9' || (text.size() > 1 && text[0] == '0') ||
        ec != std::errc() || at != end) {
        return false;
    }
    amount = value;
    return true;
}

// The value of `key` of one bidder; `record` null when the bidders are not kept, where
// known values are still checked.
bool ApplyBidderValue(std::string_view key, const std::string& value, CustomerRecord* record) {
    std::int32_t amount = 0;
    if (key == kShippingPaid) {
        if (!ReadAmount(value, amount)) {
            return false;
        }
        if (record) {
            record->shipping_paid = amount;
        }
        return true;
    }
    if (key == kTrackingNo) {
        if (value.size() >= kTrackingNoCapacity) {
            return false;
        }
        if (record) {
            record->tracking_no = value;
        }
        return true;
    }
    if (record) {
        record->other_extras.emplace_back(key, value);
    }
    return true;
}

bool ApplyValue(const std::string& key, const std::string& value, SaleMaster& listing,
                std::int32_t bidder_count) {
    const std::string_view k = key;
    if (k == kUnitCost) {
        return ReadAmount(value, listing.auction.unit_cost);
    }
    if (k == kService) {
        if (value.empty() || value.size() >= kServiceIdCapacity) {
            return false;
        }
        listing.auction.services.push_back(value);
        return true;
    }
    if (k.substr(0, kBidderPrefix.size()) != kBidderPrefix) {
        listing.auction.other_extras.emplace_back(key, value);
        return true;
    }
    // "bidder.N.key": N in decimal, one of the bidders the file holds.
    const std::string_view rest = k.substr(kBidderPrefix.size());
    std::int32_t index = -1;
    const auto [at, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), index);
    const std::size_t digits = static_cast<std::size_t>(at - rest.data());
    if (ec != std::errc() || digits == 0 || (digits > 1 && rest[0] == '0') || index < 0 ||
        index >= bidder_count || digits + 1 >= rest.size() || rest[digits] != '.') {
        return false;
    }
    CustomerRecord* record = index < listing.customers.count()
                                 ? &listing.customers[static_cast<std::size_t>(index)]
                                 : nullptr;
    return ApplyBidderValue(rest.substr(digits + 1), value, record);
}

} // namespace

bool HasExtras(const SaleMaster& listing) {
    const AuctionRecord& a = listing.auction;
    if (a.unit_cost >= 0 || StoredServices(a) != 0 || !a.other_extras.empty()) {
        return true;
    }
    for (const CustomerRecord& c : listing.customers.records()) {
        if (HasBidderExtras(c)) {
            return true;
        }
    }
    return false;
}

void ClearExtras(SaleMaster& listing) {
    listing.auction.unit_cost = -1;
    listing.auction.services.clear();
    listing.auction.other_extras.clear();
    for (std::int32_t i = 0; i < listing.customers.count(); ++i) {
        CustomerRecord& c = listing.customers[static_cast<std::size_t>(i)];
        c.shipping_paid = -1;
        c.tracking_no.clear();
        c.other_extras.clear();
    }
}

bool WriteExtrasSection(std::ostream& out, const SaleMaster& listing) {
    const AuctionRecord& a = listing.auction;
    const auto& bidders = listing.customers.records();
    // An amount below 0 is "not entered", however it was set.
    std::size_t count = (a.unit_cost >= 0 ? 1 : 0) + StoredServices(a) + a.other_extras.size();
    for (const CustomerRecord& c : bidders) {
        count += (c.shipping_paid >= 0 ? 1 : 0) + (c.tracking_no.empty() ? 0 : 1) +
                 c.other_extras.size();
    }
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    out.write(kExtrasTag, static_cast<std::streamsize>(kTagLength));
    ExtrasWriter w(out);
    w.Int(static_cast<std::int32_t>(count));
    if (a.unit_cost >= 0) {
        w.Value(kUnitCost, std::to_string(a.unit_cost));
    }
    for (const std::string& id : a.services) {
        if (!Stored(id).empty()) {
            w.Value(kService, id, kServiceIdCapacity);
        }
    }
    for (const auto& [key, value] : a.other_extras) {
        w.Value(key, value);
    }
    for (std::size_t i = 0; i < bidders.size(); ++i) {
        const CustomerRecord& c = bidders[i];
        const std::string prefix = std::string(kBidderPrefix) + std::to_string(i) + ".";
        if (c.shipping_paid >= 0) {
            w.Value(prefix + std::string(kShippingPaid), std::to_string(c.shipping_paid));
        }
        if (!c.tracking_no.empty()) {
            w.Value(prefix + std::string(kTrackingNo), c.tracking_no, kTrackingNoCapacity);
        }
        for (const auto& [key, value] : c.other_extras) {
            w.Value(prefix + key, value);
        }
    }
    return w.ok();
}

bool ReadExtrasSection(ListingReader& in, SaleMaster& listing, std::int32_t bidder_count) {
    std::int32_t count = 0;
    if (!in.Tag(kExtrasTag) || !in.Int(count) || count < 0) {
        return false;
    }
    std::string key;
    std::string value;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!in.Text(key, kKeyCapacity) || !in.Text(value) ||
            !ApplyValue(key, value, listing, bidder_count)) {
            return false;
        }
    }
    return true;
}

} // namespace hanamori
