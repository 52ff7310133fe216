// The listing file reader on arbitrary bytes. A file that reads must write back to
// bytes that read to the same listing.

#include "core/listing/listing_file.h"
#include "fuzz_support.h"

#include <cstdlib>
#include <sstream>

using namespace hanamori;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SaleMaster listing;
    if (!ReadListingBytes(listing, fuzz::AsText(data, size))) {
        return 0;
    }
    std::ostringstream out;
    if (!WriteListing(listing, out)) {
        std::abort();
    }
    SaleMaster again;
    std::ostringstream out_again;
    if (!ReadListingBytes(again, out.str()) || !WriteListing(again, out_again) ||
        out_again.str() != out.str()) {
        std::abort();
    }
    return 0;
}
