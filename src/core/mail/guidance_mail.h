#pragma once
// "案内メール作成" without its window: the mail body and title of one template written
// to the work directory, and what the mail tab shows of the selected bidder.

#include "core/mail/placeholders.h"

#include <optional>
#include <string>

namespace hanamori {

class MailTemplateList;
struct CustomerRecord;
struct MailRecord;
struct SellerProfile;

// Writes "work/mail.txt" and then "work/mail_title.txt" under `install_dir` from the
// template called `template_name`. False when no template is chosen or either file
// could not be built; a failed build may leave the earlier files partly replaced.
bool BuildGuidanceMail(const MailTemplateList& templates,
                       const std::optional<std::string>& template_name, const MailContext& ctx,
                       const std::string& install_dir);

// The warning after a mail was built with the seller's name, the product name or the
// selected bidder's name empty (no bidder counts as an empty name), naming each of
// them; empty when all three are there. The mail is built either way.
std::string MissingMailNamesWarning(const SaleMaster& listing);

// The bidder's fields as the mail tab shows them (CP932); all empty without a bidder.
struct BidderView {
    std::string name, nickname, mail, price, count, ship_method, ship_cost, other_charge, total,
        zip, pref, address, phone, comment;
    bool mail_comment = false;
};
BidderView ViewOfBidder(const CustomerRecord* bidder);

// "出品者情報を取り込む": a seller profile into the mail block's seller fields, each
// cut to its field.
void CopySellerProfile(const SellerProfile& profile, MailRecord& mail);

} // namespace hanamori
