#pragma once
// The payment-destination block of a guidance mail: the accounts the seller ticked on
// the mail tab, with their details from the current payment settings.

#include <string>

namespace hanamori {

struct MailRecord;
struct UserSettings;

// Bank accounts 1-4, postal accounts 1-2, then the other payment, each only when ticked
// in `mail` and complete in `settings`; blocks apart by an empty line, numbered by a
// running number over the accounts actually written. Empty when nothing qualifies.
std::string PaymentDestinationBlock(const MailRecord& mail, const UserSettings& settings);

} // namespace hanamori
