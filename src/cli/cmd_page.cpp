// page: the product description page of a listing, as "完成" and "プレビュー" build it.

#include "cli/cli_document.h"
#include "cli/command.h"
#include "cli/names.h"
#include "core/listing/listing_file.h"
#include "core/page/color_list.h"
#include "core/page/design_catalog.h"
#include "core/page/page_builders.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"

#include <iostream>

namespace hanamori::cli {
namespace {

std::vector<std::string> DesignNames() {
    return {DesignCatalog().begin(), DesignCatalog().end()};
}

std::vector<std::string> ColorNames(const ColorList& colors) {
    std::vector<std::string> names;
    for (const ColorSet& set : colors.sets()) {
        names.push_back(set.name);
    }
    return names;
}

// The name given on the command line (which must name one of `names`), else the
// listing's own, else the standard one. The last two go to the builder as they are,
// which reports an unknown one and falls back as the desktop program does. With none of
// the three, the seller is asked to choose, as the window asks (`missing`), and shown
// the names to choose from; with `missing` null nothing is needed.
std::optional<std::string> ChooseName(const std::optional<std::string>& arg, const char* option,
                                      const char* what, const std::vector<std::string>& names,
                                      const std::string& listing_value,
                                      const std::string& standard_value, const char* missing) {
    const std::string choices = std::string(option) + " " +
                                (names.empty() ? std::string("(none loaded)") : NameList(names));
    if (arg) {
        if (auto found = FindNameArg(names, *arg)) {
            return found;
        }
        Fail(std::string(option) + ": " + *arg + ": no " + what + " of this name (" +
             (names.empty() ? std::string("none loaded") : NameList(names)) + ")");
        return std::nullopt;
    }
    const std::string& chosen = listing_value.empty() ? standard_value : listing_value;
    if (chosen.empty() && missing) {
        FailAbout(Utf8ToCp932Lossy(missing), choices);
        return std::nullopt;
    }
    return chosen;
}

int RunPage(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    std::optional<std::string> design_arg, color_arg, output_arg;
    for (auto [option, value] : {std::pair{"--design", &design_arg},
                                 std::pair{"--color", &color_arg}, std::pair{"-o", &output_arg}}) {
        bool missing = false;
        *value = TakeOption(args, option, missing);
        if (missing) {
            return UsageError("page", std::string(option) + ": missing value");
        }
    }
    bool preview = TakeFlag(args, "--preview");
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("page", problem);
    }

    CliDocument doc(ctx);
    if (!doc.Open(args[0])) {
        return kExitFailure;
    }
    SaleMaster& listing = doc.listing();
    const AuctionRecord& a = listing.auction;
    // The window's own requests when nothing is chosen, for a preview and for a page.
    auto design = ChooseName(design_arg, "--design", "design", DesignNames(), a.design_type,
                             ctx.settings.hanamo.page_type,
                             preview ? "作成するページのデザイン(タイプ)を選択してください。"
                                     : "作成するページの種類を選択してください。");
    if (!design) {
        return kExitFailure;
    }
    // The plain design uses no colours, so it needs none chosen.
    const char* no_color = FindDesign(*design) == kDesignSimplePlain ? nullptr
                           : preview ? "作成するページのデザイン(カラー)を選択してください。"
                                     : "作成するページのカラーを選択してください。";
    auto color =
        ChooseName(color_arg, "--color", "colour set", ColorNames(doc.resources().colors()),
                   a.design_color, ctx.settings.hanamo.page_color, no_color);
    if (!color) {
        return kExitFailure;
    }

    std::string path =
        output_arg ? *output_arg : ctx.dir + (preview ? "work/preview.html" : "work/body.html");
    EngineCostLists lists(doc.resources().shipping());
    PageSources src{listing, ctx.settings, doc.resources().colors(), lists, ctx.host};
    bool ok = WriteOutput(path, [&](std::ostream& out) {
        return preview ? WritePreview(out, src, *design, *color)
                       : WriteBody(out, src, *design, *color);
    });
    if (!ok) {
        // A page that is no preview is named as the completed-page window names it.
        return FailAbout(preview ? "プレビューの作成に失敗しました。"_sj
                                 : "商品の紹介ページの作成に失敗しました。"_sj,
                         path == "-" ? "standard output" : path);
    }
    return kExitOk;
}

void PageHelp(const Context& ctx, std::ostream& out) {
    out << "Builds the product description page into work/body.html (--preview:\n"
           "work/preview.html; -o FILE, or - for standard output). Without --design or\n"
           "--color the listing's own are used, else the standard ones of hanamo.ini.\n"
           "Names match with full-width or ASCII digits, letters and brackets.\n"
        << "Designs: " << NameList(DesignNames()) << '\n';
    ColorList colors;
    if (LoadColorList(colors, ctx.dir + "template")) {
        out << "Colour sets: " << NameList(ColorNames(colors)) << '\n';
    } else {
        out << "Colour sets: none (" << ctx.dir << "template/" << kColorListFileName
            << " cannot be read)\n";
    }
}

const CommandRegistration kPage("page",
                                "page ID [--design NAME] [--color NAME] [--preview] [-o FILE|-]",
                                RunPage, PageHelp);

} // namespace
} // namespace hanamori::cli
