// mail: the guidance mail of a listing, as "案内メール作成" builds it.

#include "cli/cli_document.h"
#include "cli/command.h"
#include "cli/names.h"
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

std::vector<std::string> TemplateNames(const MailTemplateList& templates) {
    std::vector<std::string> names;
    for (const MailTemplate& t : templates.entries()) {
        names.push_back(t.name);
    }
    return names;
}

int RunMail(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    std::optional<std::string> template_arg, bidder_arg;
    for (auto [option, value] :
         {std::pair{"--template", &template_arg}, std::pair{"--bidder", &bidder_arg}}) {
        bool missing = false;
        *value = TakeOption(args, option, missing);
        if (missing) {
            return UsageError("mail", std::string(option) + ": missing value");
        }
    }
    if (!template_arg) {
        return UsageError("mail", "--template: missing");
    }
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("mail", problem);
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
    std::vector<std::string> names = TemplateNames(templates);
    auto template_name = FindNameArg(names, *template_arg);
    if (!template_name) {
        return Fail("--template: " + *template_arg + ": no template of this name (" +
                    (names.empty() ? std::string("none loaded") : NameList(names)) + ")");
    }
    // The tabs work on a copy of the stored bidders; the first one is selected.
    listing.customers.CopyTo(listing.customers_edit);
    // A guidance mail is written to a winning bidder; without one there is no one to
    // address it to.
    if (listing.customers_edit.count() == 0) {
        return Fail(args[0] +
                    ": the listing has no winning bidder (register one with "
                    "\"bidder " +
                    args[0] + " add --nickname NICK\")");
    }
    if (nickname) {
        int index = BidderIndex(listing.customers_edit, *nickname);
        if (index < 0) {
            return Fail("--bidder: no bidder with the nickname \"" + *bidder_arg + "\"");
        }
        listing.customers_edit.current = index;
    }

    MailContext mail{listing, ctx.settings, doc.resources().shipping()};
    if (!BuildGuidanceMail(templates, template_name, mail, ctx.dir)) {
        return FailAbout("プレビューの作成に失敗しました。"_sj,
                         ctx.dir + "work/mail.txt, " + ctx.dir + "work/mail_title.txt (from " +
                             templates.BodyPath(*templates.Find(*template_name)) + ")");
    }
    return kExitOk;
}

void MailHelp(const Context& ctx, std::ostream& out) {
    out << "Builds the guidance mail into work/mail.txt and work/mail_title.txt for the\n"
           "bidder of that nickname (default: the listing's first bidder).\n"
           "Names match with full-width or ASCII digits, letters and brackets.\n";
    MailTemplateList templates;
    if (templates.LoadMailTemplates(ctx.dir + "template")) {
        out << "Templates: " << NameList(TemplateNames(templates)) << '\n';
    } else {
        out << "Templates: none (" << ctx.dir << "template/template.lst cannot be read)\n";
    }
}

const CommandRegistration kMail("mail", "mail ID --template NAME [--bidder NICKNAME]", RunMail,
                                MailHelp);

} // namespace
} // namespace hanamori::cli
