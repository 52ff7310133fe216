#include "cli/listing_json.h"

#include "cli/json_fields.h"

#include "core/text/cp932.h"

#include <algorithm>

namespace hanamori::cli {

using Json = nlohmann::ordered_json;

namespace {

// An amount that may be left not entered: -1, or 0 or more.
void ReadAmountOrUnset(JsonReader& r, const char* key, std::int32_t& field) {
    std::int32_t value = field;
    r.Int(key, value);
    if (r.error.empty() && value < -1) {
        r.error = r.prefix + key + ": must be -1 (not entered) or an amount of 0 or more";
        return;
    }
    field = value;
}

// The ids of the offered services: an array of distinct, non-empty strings.
void ReadServices(JsonReader& r, std::vector<std::string>& services) {
    if (!r.Has("services")) {
        return;
    }
    const auto& list = r.in["services"];
    if (!list.is_array()) {
        r.error = r.prefix + "services: must be an array of strings";
        return;
    }
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string name = r.prefix + "services[" + std::to_string(i) + "]";
        if (!list[i].is_string()) {
            r.error = name + ": must be a string";
            return;
        }
        const std::string& id = list[i].get_ref<const std::string&>();
        auto converted = Utf8ToCp932(id);
        if (id.empty() || !converted || id.find('\0') != std::string::npos ||
            converted->size() >= kServiceIdCapacity) {
            r.error = name + ": must be a service id of 1 to " +
                      std::to_string(kServiceIdCapacity - 1) + " characters";
            return;
        }
        if (std::find(ids.begin(), ids.end(), *converted) != ids.end()) {
            r.error = name + ": the service is offered twice";
            return;
        }
        ids.push_back(*converted);
    }
    services = std::move(ids);
}

Json AuctionJson(const AuctionRecord& a) {
    Json out = RecordJson(a);
    out["unit_cost"] = a.unit_cost;
    out["services"] = Json::array();
    for (const std::string& id : a.services) {
        out["services"].push_back(Cp932ToUtf8(id));
    }
    return out;
}

Json CustomerJson(const CustomerRecord& c) {
    Json out = RecordJson(c);
    out["shipping_paid"] = c.shipping_paid;
    out["tracking_no"] = Cp932ToUtf8(c.tracking_no);
    return out;
}

} // namespace

nlohmann::ordered_json ListingToJson(const SaleMaster& listing) {
    Json out;
    out["manage_no"] = Cp932ToUtf8(listing.manage_no);
    out["product_name"] = Cp932ToUtf8(listing.product_name);
    out["auction"] = AuctionJson(listing.auction);
    out["customers"] = Json::array();
    for (const CustomerRecord& c : listing.customers.records()) {
        out["customers"].push_back(CustomerJson(c));
    }
    out["mail"] = RecordJson(listing.mail);
    return out;
}

bool ListingFromJson(const nlohmann::json& json, SaleMaster& listing, std::string& error) {
    error.clear();
    if (!json.is_object()) {
        error = "the listing must be a JSON object";
        return false;
    }
    JsonReader top{json, "", error};
    top.Text("manage_no", listing.manage_no, kManageNoLength + 1);
    top.Text("product_name", listing.product_name, kProductNameCapacity);
    ReadObject(top, "auction", [&](JsonReader& r) {
        VisitFields(listing.auction, r);
        ReadAmountOrUnset(r, "unit_cost", listing.auction.unit_cost);
        ReadServices(r, listing.auction.services);
    });
    if (top.Has("customers")) {
        const auto& list = json["customers"];
        if (!list.is_array()) {
            error = "customers: must be an array";
        } else {
            listing.customers.Clear();
            for (std::size_t i = 0; i < list.size() && error.empty(); ++i) {
                if (!list[i].is_object()) {
                    error = "customers[" + std::to_string(i) + "]: must be an object";
                    break;
                }
                CustomerRecord record;
                JsonReader r{list[i], "customers[" + std::to_string(i) + "].", error};
                VisitFields(record, r);
                ReadAmountOrUnset(r, "shipping_paid", record.shipping_paid);
                r.Line("tracking_no", record.tracking_no, kTrackingNoCapacity);
                r.CheckNoUnknownKeys();
                listing.customers.Append(record);
            }
        }
    }
    ReadObject(top, "mail", [&](JsonReader& r) { VisitFields(listing.mail, r); });
    top.CheckNoUnknownKeys();
    return error.empty();
}

} // namespace hanamori::cli
