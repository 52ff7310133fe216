#include "core/shipping/cost_list.h"

#include "core/settings/user_settings.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <climits>

namespace hanamori {

const ListPieces& PiecesOf(int format) {
    static const ListPieces kPlain{"\r\n", "\r\n", "", "", "", ""};
    static const ListPieces kHtml{"<br>", "", "", "", "", ""};
    static const ListPieces kEmphasis{
        "<br>", "", "<font size=\"+0\"><b>", "</b></font>", "<font size=\"-1\">", "</font>"};
    switch (format) {
    case 0:
        return kPlain;
    case 2:
        return kEmphasis;
    default:
        return kHtml;
    }
}

const SellerProfile* SellerProfileOf(const UserSettings& settings, const std::string& seller_id) {
    int index = settings.ProfileIndexOfNickname(seller_id);
    return index < 0 ? nullptr : &settings.personal[static_cast<std::size_t>(index)];
}

std::string OriginNote(const SellerProfile* profile, const std::string& origin) {
    if (profile == nullptr || profile->chk_kenname == 0) {
        return {};
    }
    return StrPrintf("%sより発送　"_sj.c_str(), origin.c_str());
}

std::string RegionTotalLine(const ListPieces& pieces, std::int64_t total, int cost) {
    return StrPrintf("%s　　┗………… お支払総額(%lld円)"_sj.c_str(), pieces.br,
                     static_cast<long long>(total + cost));
}

std::string YahooTotalLine(const ListPieces& pieces, std::int64_t total, int cost) {
    return StrPrintf("%s　　…………… お支払総額(%lld円)"_sj.c_str(), pieces.br,
                     static_cast<long long>(total + cost));
}

int LessHandIn(int price) {
    return price < INT_MIN + 100 ? INT_MIN : price - 100;
}

} // namespace hanamori
