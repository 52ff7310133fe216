#include "cli/listing_json.h"

#include "cli/json_fields.h"

#include "core/text/cp932.h"

namespace hanamori::cli {

using Json = nlohmann::ordered_json;

nlohmann::ordered_json ListingToJson(const SaleMaster& listing) {
    Json out;
    out["manage_no"] = Cp932ToUtf8(listing.manage_no);
    out["product_name"] = Cp932ToUtf8(listing.product_name);
    out["auction"] = RecordJson(listing.auction);
    out["customers"] = Json::array();
    for (const CustomerRecord& c : listing.customers.records()) {
        out["customers"].push_back(RecordJson(c));
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
    ReadObject(top, "auction", [&](JsonReader& r) { VisitFields(listing.auction, r); });
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
