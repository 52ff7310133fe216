// The listing import (hanamori-cli import) on arbitrary JSON. A listing that the JSON
// gives must save, read back as itself, and come back unchanged through its own JSON
// form, as show and import --replace pass it around.

#include "cli/listing_json.h"
#include "core/listing/listing_file.h"
#include "fuzz_support.h"

#include <cstdlib>
#include <sstream>

using namespace hanamori;

namespace {

std::string Bytes(const SaleMaster& listing) {
    std::ostringstream out;
    if (!WriteListing(listing, out)) {
        std::abort();
    }
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const nlohmann::json json = nlohmann::json::parse(fuzz::AsText(data, size), nullptr, false);
    if (json.is_discarded()) {
        return 0;
    }
    SaleMaster listing;
    std::string error;
    if (!cli::ListingFromJson(json, listing, error)) {
        if (error.empty()) {
            std::abort(); // a refusal always names what it refused
        }
        return 0;
    }
    const std::string bytes = Bytes(listing);
    SaleMaster read;
    if (!ReadListingBytes(read, bytes) || Bytes(read) != bytes) {
        std::abort();
    }
    // What show prints of it imports to the same file.
    const nlohmann::json shown = nlohmann::json::parse(cli::ListingToJson(read).dump());
    SaleMaster again;
    if (!cli::ListingFromJson(shown, again, error) || Bytes(again) != bytes) {
        std::abort();
    }
    return 0;
}
