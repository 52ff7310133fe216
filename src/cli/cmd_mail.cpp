// mail: the guidance mail of a listing, as "案内メール作成" builds it.

#include "cli/cli_document.h"
#include "cli/command.h"
#include "core/listing/listing_file.h"
#include "core/mail/guidance_mail.h"
#include "core/mail/mail_template_list.h"
#include "core/mail/placeholders.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"

namespace hanamori::cli {
namespace {

// The position of the bidder with this nickname (ASCII letters in either case, as
// registration compares them), or -1.
int BidderIndex(const CustomerList& list, const std::string& nickname) {
    for (int i = 0; i < list.count(); ++i) {
        if (EqualsIgnoreAsciiCase(list[static_cast<std::size_t>(i)].nickname, nickname)) {
            return i;
        }
    }
    return -1;
}

int RunMail(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto template_arg = TakeOption(args, "--template", missing);
    auto bidder_arg = TakeOption(args, "--bidder", missing);
    if (missing || !template_arg || args.size() != 1) {
        return Usage("mail");
    }
    auto template_name = ArgToCp932(*template_arg, "--template");
    if (!template_name) {
        return kExitFailure;
    }
    std::optional<std::string> nickname;
    if (bidder_arg) {
        nickname = ArgToCp932(*bidder_arg, "--bidder");
        if (!nickname) {
            return kExitFailure;
        }
    }

    CliDocument doc(ctx);
    if (!doc.Open(args[0])) {
        return kExitFailure;
    }
    SaleMaster& listing = doc.listing();
    const MailTemplateList& templates = doc.resources().mail_templates();
    // The tabs work on a copy of the stored bidders; the first one is selected.
    listing.customers.CopyTo(listing.customers_edit);
    if (nickname) {
        int index = BidderIndex(listing.customers_edit, *nickname);
        if (index < 0) {
            return Fail("--bidder: no bidder with the nickname \"" + *bidder_arg + "\"");
        }
        listing.customers_edit.current = index;
    }

    MailContext mail{listing, ctx.settings, doc.resources().shipping()};
    if (!BuildGuidanceMail(templates, template_name, mail, ctx.dir)) {
        return FailCp932("プレビューの作成に失敗しました。"_sj);
    }
    return kExitOk;
}

const CommandRegistration kMail("mail", "mail ID --template NAME [--bidder NICKNAME]", RunMail);

} // namespace
} // namespace hanamori::cli
