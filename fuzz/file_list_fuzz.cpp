// The file list and the overview over a Datas directory that holds one good listing
// and one arbitrary file named like a listing.

#include "core/document/file_list.h"
#include "core/document/overview.h"
#include "core/listing/listing_file.h"
#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace hanamori;

namespace {

const std::string& DatasDir() {
    static const std::string dir = [] {
        std::string d = fuzz::ScratchDir() + "Datas";
        std::filesystem::create_directories(d);
        SaleMaster good;
        good.manage_no = "261207153000";
        good.product_name = "good";
        good.auction.listed = 1;
        CustomerRecord c;
        c.price = 1000;
        c.count = 2;
        good.customers.Append(c);
        if (!WriteListing(good, d + "/261207153000.rks")) {
            std::abort();
        }
        return d;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& dir = DatasDir();
    fuzz::PutFile(dir + "/261207153001.rks", fuzz::AsText(data, size));
    SaleMaster direct;
    bool reads = ReadListingBytes(direct, fuzz::AsText(data, size));

    std::vector<FileRow> rows = EnumerateListings(dir);
    if (rows.size() != 2) {
        std::abort();
    }
    for (const FileRow& row : rows) {
        bool fuzzed = row.manage_no == "261207153001";
        if ((fuzzed && row.readable() != reads) || (!fuzzed && row.name != "good")) {
            std::abort();
        }
        for (int column = 0; column < kFileListColumnCount; ++column) {
            (void)SortKey(row, column);
        }
    }
    SortRows(rows, kColumnName, false);
    std::ostringstream page;
    if (!WriteOverview(dir, "2026/12/08 09:00", page)) {
        std::abort();
    }
    return 0;
}
