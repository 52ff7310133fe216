#include "core/settings/user_settings.h"

#include "core/text/cp932.h"

namespace hanamori {

const std::string& DefaultBannerText() { return "マイ・オークションをごらんください"_sj; }

UserSettings::UserSettings() {
    for (SellerProfile& p : personal) {
        p.banner_text = DefaultBannerText();
    }
}

const SellerProfile& UserSettings::CurrentProfile() const {
    if (def_pers < 0 || def_pers >= kProfileCount) {
        return personal[0];
    }
    return personal[static_cast<std::size_t>(def_pers)];
}

int UserSettings::ProfileIndexOfNickname(std::string_view nickname) const {
    for (int i = 0; i < kProfileCount; ++i) {
        if (EqualsIgnoreAsciiCase(personal[static_cast<std::size_t>(i)].nickname, nickname)) {
            return i;
        }
    }
    return -1;
}

} // namespace hanamori
