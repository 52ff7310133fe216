// The paragraph under the page that links to the seller's booth on the auction site.

#include "core/page/booth_hosts.h"
#include "core/page/design_catalog.h"
#include "core/page/page_builders.h"
#include "core/page/page_writer.h"
#include "core/settings/user_settings.h"

namespace hanamori {

bool WriteBoothBanner(std::ostream& out, const PageSources& src, std::string_view design_name) {
    int index = src.settings.ProfileIndexOfNickname(src.listing.mail.seller_nickname);
    if (index < 0) {
        return true;
    }
    const SellerProfile& profile = src.settings.personal[static_cast<std::size_t>(index)];
    if (profile.y_auction == 0 || profile.mybooth_flag == 0) {
        return true;
    }

    int design = FindDesign(design_name);
    if (design < 0) {
        return Put(out, "<p></p>");
    }
    const std::string image = profile.mybooth_type == 0   ? std::string(kBoothBannerImage)
                              : profile.mybooth_type == 1 ? std::string(kBoothButtonImage)
                                                          : profile.bunner_url;
    std::string banner = design <= kDesign3 ? "<p align=\"center\">" : "<p>";
    banner += "<a href=\"";
    banner += kBoothPageBase;
    banner += profile.nickname;
    banner += "\" target=\"new\"><img alt=\"";
    banner += profile.banner_text;
    banner += "\" src=\"";
    banner += image;
    banner += "\"></a><br>";
    banner += profile.banner_text;
    banner += "</p>";
    return Put(out, banner);
}

} // namespace hanamori
