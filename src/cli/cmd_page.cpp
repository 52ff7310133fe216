// page: the product description page of a listing, as "完成" and "プレビュー" build it.

#include "cli/cli_document.h"
#include "cli/command.h"
#include "core/listing/listing_file.h"
#include "core/page/color_list.h"
#include "core/page/page_builders.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"

namespace hanamori::cli {
namespace {

// The name given on the command line, else the listing's own, else the standard one.
std::optional<std::string> ChooseName(const std::optional<std::string>& arg, const char* option,
                                      const std::string& listing_value,
                                      const std::string& standard_value) {
    if (arg) {
        return ArgToCp932(*arg, option);
    }
    return listing_value.empty() ? standard_value : listing_value;
}

int RunPage(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto design_arg = TakeOption(args, "--design", missing);
    auto color_arg = TakeOption(args, "--color", missing);
    auto output_arg = TakeOption(args, "-o", missing);
    bool preview = TakeFlag(args, "--preview");
    if (missing || args.size() != 1) {
        return Usage("page");
    }

    CliDocument doc(ctx);
    if (!doc.Open(args[0])) {
        return kExitFailure;
    }
    SaleMaster& listing = doc.listing();
    const AuctionRecord& a = listing.auction;
    auto design = ChooseName(design_arg, "--design", a.design_type, ctx.settings.hanamo.page_type);
    auto color = ChooseName(color_arg, "--color", a.design_color, ctx.settings.hanamo.page_color);
    if (!design || !color) {
        return kExitFailure;
    }

    std::string path =
        output_arg ? *output_arg : ctx.dir + (preview ? "work/preview.html" : "work/body.html");
    EngineCostLists lists(doc.resources().shipping());
    PageSources src{listing, ctx.settings, doc.resources().colors(), lists, ctx.host};
    bool ok = preview ? WritePreviewFile(src, *design, *color, path)
                      : WriteBodyFile(src, *design, *color, path);
    if (!ok) {
        return FailCp932("プレビューの作成に失敗しました。"_sj);
    }
    return kExitOk;
}

const CommandRegistration
    kPage("page", "page ID [--design NAME] [--color NAME] [--preview] [-o FILE]", RunPage);

} // namespace
} // namespace hanamori::cli
