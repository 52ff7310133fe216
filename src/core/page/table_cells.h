#pragma once
// The content cells that the three table designs share.

#include "core/page/page_builders.h"

#include <ostream>

namespace hanamori {

// The shipping methods with their costs: mail-type methods with a cost, the cost lists
// of the ticked parcel carriers, then the shipping notes, separated by "<br><br>".
// Prepares the cost-list request (parcel, origin, no totals) whether or not a carrier
// is ticked.
bool WriteShippingCell(std::ostream& out, const PageSources& src);

// The ticked payment methods that have a text, separated by "<br>".
bool WritePaymentCell(std::ostream& out, const PageSources& src);

} // namespace hanamori
