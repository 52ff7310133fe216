// The two page documents, their frame and the dispatch to the design builders.

#include "core/app/atomic_file.h"
#include "core/page/design_catalog.h"
#include "core/page/page_builders.h"
#include "core/page/page_writer.h"
#include "core/text/cp932.h"

namespace hanamori {

const std::string& UnknownDesignMessage() {
    return "指定のページタイプが見つかりませんでした。\nシンプル表示で作成します。"_sj;
}

const std::string& UnknownColorMessage() {
    return "指定のカラーリストが見つかりませんでした。\n標準のカラーで作成します。"_sj;
}

bool WritePreviewHeader(std::ostream& out, std::string_view design_name,
                        std::string_view color_name) {
    std::string head = "<html>\n<head>\n" + "<title>Hanamori プレビュー「"_sj +
                       std::string(design_name) + " - " + std::string(color_name) +
                       "」</title>\n"_sj +
                       "</head>\n<body>\n<center>\n<hr size=\"1\" width=\"100%\">\n"
                       "</center>\n<br>\n";
    return Put(out, head);
}

bool WritePreviewFooter(std::ostream& out) {
    return Put(out, "<br>\n<hr size=\"1\" width=\"100%\">\n</body>\n</html>\n");
}

bool WritePageBody(std::ostream& out, const PageSources& src, std::string_view design_name,
                   std::string_view color_name) {
    int design = FindDesign(design_name);
    if (design < 0) {
        src.host.ShowMessage(UnknownDesignMessage(), MessageIcon::Exclamation);
        design = kDesignSimplePlain;
    }
    int color = FindColorSet(src.colors, color_name);
    if (color < 0) {
        src.host.ShowMessage(UnknownColorMessage(), MessageIcon::Exclamation);
        color = 0;
    }
    static const ColorSet no_colors;
    const ColorSet& colors =
        src.colors.empty() ? no_colors : src.colors[static_cast<std::size_t>(color)];
    // With no colour set at all nothing can stand in; only the plain design goes on.
    if (src.colors.empty() && design != kDesignSimplePlain) {
        return false;
    }

    src.shipping.SetSellerId(src.listing.mail.seller_nickname);
    switch (design) {
    case kDesign1:
        return BuildDesign1(out, src, colors);
    case kDesign2:
        return BuildDesign2(out, src, colors);
    case kDesign3:
        return BuildDesign3(out, src, colors);
    case kDesignSimpleColor:
        return BuildSimpleColor(out, src, colors);
    default:
        return BuildSimplePlain(out, src, colors);
    }
}

bool WritePreview(std::ostream& out, const PageSources& src, const std::string& design_name,
                  const std::string& color_name) {
    return WritePreviewHeader(out, design_name, color_name) &&
           WritePageBody(out, src, design_name, color_name) &&
           WriteBoothBanner(out, src, design_name) && WritePreviewFooter(out);
}

bool WriteBody(std::ostream& out, const PageSources& src, const std::string& design_name,
               const std::string& color_name) {
    return WritePageBody(out, src, design_name, color_name) &&
           WriteBoothBanner(out, src, design_name);
}

bool WritePreviewFile(const PageSources& src, const std::string& design_name,
                      const std::string& color_name, const std::string& path) {
    return SaveScratchFile(
        path, [&](std::ostream& out) { return WritePreview(out, src, design_name, color_name); });
}

bool WriteBodyFile(const PageSources& src, const std::string& design_name,
                   const std::string& color_name, const std::string& path) {
    return SaveScratchFile(
        path, [&](std::ostream& out) { return WriteBody(out, src, design_name, color_name); });
}

} // namespace hanamori
