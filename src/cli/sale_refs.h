#pragma once
// The sales that `ID[:NICK]` arguments name: that bidder of the listing, or every bidder
// of it when the nickname is left out.

#include "cli/command.h"
#include "core/listing/records.h"

#include <string>
#include <vector>

namespace hanamori::cli {

struct SaleRef {
    CustomerRecord bidder;
    std::string product_name; // CP932
    std::string manage_no;
};

// Appends the sales `arg` names to `out`; false after reporting why not (a listing that
// cannot be read, no bidder of that nickname, a listing without bidders).
bool AddSales(const Context& ctx, const std::string& arg, std::vector<SaleRef>& out);

} // namespace hanamori::cli
