#pragma once
// The JSON form of a listing: record and field names as in the listing records, texts
// in UTF-8, flags and numbers as integers.

#include "core/listing/records.h"

#include <nlohmann/json.hpp>
#include <string>

namespace hanamori::cli {

nlohmann::ordered_json ListingToJson(const SaleMaster& listing);

// Fills `listing` (already holding the defaults of a new listing) from `json`. Unknown
// keys, wrong types, texts that do not fit CP932 or their field are refused: returns
// false with `error` naming the field, and `listing` must then be discarded.
bool ListingFromJson(const nlohmann::json& json, SaleMaster& listing, std::string& error);

} // namespace hanamori::cli
