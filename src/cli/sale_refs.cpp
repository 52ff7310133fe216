#include "cli/sale_refs.h"

#include "core/listing/bidders.h"
#include "core/listing/listing_file.h"

namespace hanamori::cli {

bool AddSales(const Context& ctx, const std::string& arg, std::vector<SaleRef>& out) {
    std::string id = arg;
    std::optional<std::string> nick;
    if (std::size_t colon = arg.rfind(':'); colon != std::string::npos) {
        id = arg.substr(0, colon);
        nick = ArgToCp932(arg.substr(colon + 1), arg);
        if (!nick) {
            return false;
        }
    }
    const std::string path = ListingFileOf(ctx, id);
    SaleMaster listing;
    if (!ReadListing(listing, path)) {
        FailToReadListing(path);
        return false;
    }
    const std::string manage_no = ManageNoOf(id);
    if (nick) {
        int index = NicknameIndex(listing.customers, *nick);
        if (index < 0) {
            Fail(arg + ": no bidder with this nickname");
            return false;
        }
        out.push_back(
            {listing.customers[static_cast<std::size_t>(index)], listing.product_name, manage_no});
        return true;
    }
    if (listing.customers.count() == 0) {
        Fail(id + ": the listing has no winning bidder");
        return false;
    }
    for (int i = 0; i < listing.customers.count(); ++i) {
        out.push_back(
            {listing.customers[static_cast<std::size_t>(i)], listing.product_name, manage_no});
    }
    return true;
}

} // namespace hanamori::cli
