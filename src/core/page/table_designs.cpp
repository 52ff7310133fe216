// The three table designs デザイン１, デザイン２ and デザイン３. Their literals are kept
// byte for byte as pages made before have them, unclosed cells included.

#include "core/page/page_builders.h"
#include "core/page/page_writer.h"
#include "core/page/table_cells.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <functional>

namespace hanamori {
namespace {

// How a design opens and closes one section around its content.
struct SectionFrame {
    std::function<bool(const std::string& heading)> open;
    std::function<bool()> close;
};

// The six sections in their order, each framed by the design.
bool WriteSections(std::ostream& out, const PageSources& src, const SectionFrame& frame,
                   const std::string& payment_heading) {
    const AuctionRecord& a = src.listing.auction;
    const PageSections s = SectionsOf(a);
    if (s.description &&
        !(frame.open("商品説明"_sj) && WriteTextBlock(out, a.description) && frame.close())) {
        return false;
    }
    if (s.quantity && !(frame.open("出品個数"_sj) && PutF(out, "%d 個"_sj.c_str(), a.quantity) &&
                        frame.close())) {
        return false;
    }
    if (s.notes && !(frame.open("注意事項"_sj) && WriteTextBlock(out, a.notes) && frame.close())) {
        return false;
    }
    if (s.other && !(frame.open("その他"_sj) && WriteTextBlock(out, a.other) && frame.close())) {
        return false;
    }
    if (s.shipping &&
        !(frame.open("発送方法"_sj) && WriteShippingCell(out, src) && frame.close())) {
        return false;
    }
    if (s.payment &&
        !(frame.open(payment_heading) && WritePaymentCell(out, src) && frame.close())) {
        return false;
    }
    return true;
}

// The decorative first and last rows of デザイン３.
std::string Design3Stripe(const ColorSet& c) {
    return StrPrintf(
        "<tr><td width=\"15\" bgcolor=\"%s\">　</td><td bgcolor=\"%s\">　</td>"
        "<td bgcolor=\"%s\">　</td><td bgcolor=\"%s\">　</td>"
        "<td bgcolor=\"%s\">　</td><td bgcolor=\"%s\">　</td>"
        "<td bgcolor=\"%s\">　</td><td bgcolor=\"%s\">　</td>"
        "<td bgcolor=\"%s\">　</td><td width=\"15\" bgcolor=\"%s\">　</td></tr>"_sj.c_str(),
        c.color2.c_str(), c.color3.c_str(), c.color1.c_str(), c.color2.c_str(), c.color3.c_str(),
        c.color1.c_str(), c.color2.c_str(), c.color3.c_str(), c.color1.c_str(), c.color2.c_str());
}

} // namespace

bool BuildDesign1(std::ostream& out, const PageSources& src, const ColorSet& c) {
    const AuctionRecord& a = src.listing.auction;
    if (!PutF(out,
              "<p align=\"center\"><table width=\"640\" bgcolor=\"%s\" cellspacing=\"1\" "
              "cellpadding=\"5\">",
              c.color1.c_str())) {
        return false;
    }
    // The title row has no "</td>".
    if (!a.display_name.empty() &&
        !PutF(out, "<tr><td bgcolor=\"%s\" colspan=\"2\" align=\"center\"><b>%s</b></tr>",
              c.color2.c_str(), a.display_name.c_str())) {
        return false;
    }
    SectionFrame frame{
        [&](const std::string& heading) {
            return PutF(out,
                        "<tr><td bgcolor=\"%s\" align=\"center\" width=\"120\" "
                        "valign=\"top\"><b>%s</b></td>",
                        c.color3.c_str(), heading.c_str()) &&
                   PutF(out, "<td bgcolor=\"%s\">", c.color4.c_str());
        },
        [&] { return Put(out, "</td></tr>"); },
    };
    return WriteSections(out, src, frame, "支払方法"_sj) && Put(out, "</table></p>");
}

bool BuildDesign2(std::ostream& out, const PageSources& src, const ColorSet& c) {
    const AuctionRecord& a = src.listing.auction;
    if (!PutF(out,
              "<p align=\"center\"><table width=\"640\" bgcolor=\"%s\" cellspacing=\"0\" "
              "cellpadding=\"10\">",
              c.color4.c_str())) {
        return false;
    }
    if (!a.display_name.empty() &&
        !PutF(out, "<tr><td bgcolor=\"%s\" align=\"center\"><b>%s</b></td></tr>", c.color2.c_str(),
              a.display_name.c_str())) {
        return false;
    }
    // The section rows close with "</table></tr>", without "</td>".
    SectionFrame frame{
        [&](const std::string& heading) {
            return PutF(out,
                        "<tr><td><table width=\"620\" cellpadding=\"5\"><tr><td "
                        "bgcolor=\"%s\"><b>%s</b></td></tr><tr><td>",
                        c.color3.c_str(), heading.c_str());
        },
        [&] { return Put(out, "</td></tr></table></tr>"); },
    };
    // Opens with a centred paragraph but closes with "</center>", as pages always had.
    return WriteSections(out, src, frame, "支払方法"_sj) && Put(out, "</table></center>");
}

bool BuildDesign3(std::ostream& out, const PageSources& src, const ColorSet& c) {
    const AuctionRecord& a = src.listing.auction;
    if (!PutF(out,
              "<p align=\"center\"><table width=\"640\" bgcolor=\"%s\" cellspacing=\"5\" "
              "cellpadding=\"5\">",
              c.color4.c_str()) ||
        !Put(out, Design3Stripe(c))) {
        return false;
    }
    if (!a.display_name.empty() &&
        !PutF(out,
              "<tr><td width=\"10\" bgcolor=\"%s\">　</td><td colspan=\"8\"><table "
              "cellspacing=\"1\" cellpadding=\"5\" width=\"100%%\"><tr><td bgcolor=\"%s\" "
              "align=\"center\"><b>%s</b></td></tr></table></td><td width=\"15\" "
              "bgcolor=\"%s\">　</td></tr>"_sj.c_str(),
              c.color2.c_str(), c.color2.c_str(), a.display_name.c_str(), c.color2.c_str())) {
        return false;
    }
    // Section rows have a 10-pixel left edge cell, the stripes 15.
    SectionFrame frame{
        [&](const std::string& heading) {
            return PutF(out,
                        "<tr><td width=\"10\" bgcolor=\"%s\">　</td><td colspan=\"8\"><table "
                        "width=\"100%%\" cellpadding=\"5\"><tr><td "
                        "bgcolor=\"%s\"><b>%s</b></td></tr><tr><td>"_sj.c_str(),
                        c.color2.c_str(), c.color3.c_str(), heading.c_str());
        },
        [&] {
            return PutF(
                out,
                "</td></tr></table></td><td width=\"15\" bgcolor=\"%s\">　</td></tr>"_sj.c_str(),
                c.color2.c_str());
        },
    };
    // This design spells the payment heading 支払い方法.
    return WriteSections(out, src, frame, "支払い方法"_sj) && Put(out, Design3Stripe(c)) &&
           Put(out, "</table></p>");
}

} // namespace hanamori
