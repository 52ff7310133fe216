// ゆうパック (priced by size between Yu-Pack regions) and Yahoo!ゆうパック (priced by
// weight and by zone between prefectures).

#include "core/settings/user_settings.h"
#include "core/shipping/calculators.h"
#include "core/shipping/cost_list.h"
#include "core/shipping/rate_file.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

namespace hanamori {
namespace {
constexpr int kYuPackMaxWeight = 30000;
constexpr int kYahooMaxSize = 150;
constexpr int kYuPackZones = 8;
constexpr int kYahooZones = 5;

bool ZonesFit(const RateRow& row, std::size_t first, std::size_t count, int zones) {
    for (std::size_t i = first; i < first + count; ++i) {
        int zone = row.Int(i);
        if (zone < 0 || zone >= zones) {
            return false;
        }
    }
    return true;
}
} // namespace

// ---- ゆうパック ---------------------------------------------------------------------

bool YuPackCalculator::ReadTables(RateFiles& files) {
    const std::string* text = files.Contents("yupack2.dat");
    if (text == nullptr) {
        return false;
    }
    bool ok = ReadSection(*text, "yupack2_sub", 13, 2 + 13, [&](int index, const RateRow& row) {
        if (row.Int(0) != index || row.fields[1] != RegionName(RegionScheme::YuPack, index) ||
            !ZonesFit(row, 2, 13, kYuPackZones)) {
            return false;
        }
        for (std::size_t k = 0; k < 13; ++k) {
            m_zone[static_cast<std::size_t>(index)][k] = row.Int(2 + k);
        }
        return true;
    });
    return ok && ReadSection(*text, "yupack2_cost", 7, 2 + 8, [&](int index, const RateRow& row) {
               if (row.Int(0) != index) {
                   return false;
               }
               m_size_limits[static_cast<std::size_t>(index)] = row.Int(1);
               for (std::size_t z = 0; z < 8; ++z) {
                   m_prices[static_cast<std::size_t>(index)][z] = row.Int(2 + z);
               }
               return true;
           });
}

bool YuPackCalculator::FindClass(int& price_class, int& size_limit) const {
    if (m_weight > kYuPackMaxWeight) {
        return false;
    }
    for (std::size_t s = 0; s < m_size_limits.size(); ++s) {
        if (m_size_limits[s] >= Size()) {
            price_class = static_cast<int>(s);
            size_limit = m_size_limits[s];
            return true;
        }
    }
    return false;
}

int YuPackCalculator::RegionPrice(int from, int price_class, int to) const {
    int zone = m_zone[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
    return m_prices[static_cast<std::size_t>(price_class)][static_cast<std::size_t>(zone)];
}

int YuPackCalculator::PrefecturePrice(int from_region, int price_class, int to_region,
                                      bool same_prefecture) const {
    return same_prefecture ? m_prices[static_cast<std::size_t>(price_class)][0]
                           : RegionPrice(from_region, price_class, to_region);
}

bool YuPackCalculator::HandInDiscount() const {
    return settings().send_opt.chk_yuupack_opt100 != 0;
}

const std::string& YuPackCalculator::CodMark() const {
    static const std::string kNone;
    return settings().send_opt.chk_yuupack_cod != 0 ? "(着払可+20円)"_sj : kNone;
}

const std::string& YuPackCalculator::HeadingFormat() const {
    return "%s・ゆうパック%s%s%s　　%s%dサイズ%s%s"_sj;
}

bool YuPackCalculator::WriteNote(const std::string& origin, int price_class, int format,
                                 std::int64_t total, bool& wrote_total) {
    const SellerProfile* profile = SellerProfileOf(settings(), m_seller_id);
    if (profile == nullptr || profile->chk_kenname == 0) {
        return false;
    }
    const ListPieces& p = PiecesOf(format);
    int price = Discounted(m_prices[static_cast<std::size_t>(price_class)][0]);
    std::string text =
        StrPrintf("%s%s※%s内は送料%d円となります。"_sj.c_str(), "", "", origin.c_str(), price);
    // A negative price is not a price: no total is made from it.
    if (total != kNoTotal && price >= 0) {
        text += RegionTotalLine(p, total, price);
        wrote_total = true;
    }
    AppendText(text);
    return true;
}

// ---- Yahoo!ゆうパック ------------------------------------------------------------------

bool YahooYuPackCalculator::ReadTables(RateFiles& files) {
    const std::string* text = files.Contents("yupack.dat");
    if (text == nullptr) {
        return false;
    }
    bool ok = ReadSection(*text, "yupack_sub", kPrefectureCount, 2 + kPrefectureCount,
                          [&](int index, const RateRow& row) {
                              if (row.Int(0) != index || row.fields[1] != PrefectureName(index) ||
                                  !ZonesFit(row, 2, kPrefectureCount, kYahooZones)) {
                                  return false;
                              }
                              for (std::size_t k = 0; k < kPrefectureCount; ++k) {
                                  m_zone[static_cast<std::size_t>(index)][k] = row.Int(2 + k);
                              }
                              return true;
                          });
    return ok &&
           ReadSection(*text, "yahoo_yupack_cost", 6, 2 + 13, [&](int index, const RateRow& row) {
               if (row.Int(0) != index) {
                   return false;
               }
               auto& target =
                   index == 0 ? m_weight_limits : m_prices[static_cast<std::size_t>(index - 1)];
               for (std::size_t w = 0; w < 13; ++w) {
                   target[w] = row.Int(2 + w);
               }
               return true;
           });
}

int YahooYuPackCalculator::WeightClassOf() const {
    for (std::size_t w = 0; w < m_weight_limits.size(); ++w) {
        if (m_weight_limits[w] >= m_weight) {
            return static_cast<int>(w);
        }
    }
    return -1;
}

namespace {
// Parcels are not taken from 宮崎県 (44) and 鹿児島県 (45).
bool RefusedOrigin(int origin_index) {
    return origin_index == 44 || origin_index == 45;
}
} // namespace

int YahooYuPackCalculator::Cost(const std::string& origin, const std::string& destination) const {
    int a = PrefectureIndex(origin);
    if (!IsLoaded() || RefusedOrigin(a) || Size() > kYahooMaxSize) {
        return -1;
    }
    int b = PrefectureIndex(destination);
    int w = WeightClassOf();
    if (a < 0 || b < 0 || w < 0) {
        return -1;
    }
    OrderPair(a, b);
    int zone = m_zone[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    return m_prices[static_cast<std::size_t>(zone)][static_cast<std::size_t>(w)];
}

bool YahooYuPackCalculator::IsAvailable(const std::string& origin) const {
    const int from = PrefectureIndex(origin);
    return IsLoaded() && !RefusedOrigin(from) && Size() <= kYahooMaxSize && from >= 0 &&
           WeightClassOf() >= 0;
}

bool YahooYuPackCalculator::BuildList(const std::string& origin, int format, std::int64_t total) {
    ClearText();
    if (!IsAvailable(origin)) {
        return false;
    }
    const int w = WeightClassOf();
    const int from = PrefectureIndex(origin);
    const ListPieces& p = PiecesOf(format);
    const SellerProfile* profile = SellerProfileOf(settings(), m_seller_id);
    std::string label = WeightClassLabel(m_weight_limits[static_cast<std::size_t>(w)]);
    AppendText(StrPrintf(" %s・Yahoo!ゆうパック%s%s　　%s重さ%s%s%s"_sj.c_str(), p.bold_open,
                         p.bold_close, p.small_open, OriginNote(profile, origin).c_str(),
                         label.c_str(), p.br, p.br2));

    std::string zone_labels[kYahooZones];
    int zone_prices[kYahooZones];
    for (int z = 0; z < kYahooZones; ++z) {
        zone_prices[z] = m_prices[static_cast<std::size_t>(z)][static_cast<std::size_t>(w)];
        zone_labels[z] = StrPrintf(" [ %d円の地域 ]"_sj.c_str(), zone_prices[z]);
    }
    bool wrote_line = false;
    bool wrote_total = false;
    // Zone 0 is the rate within the seller's own city, shown only when the city is known.
    auto total_line = [&](int price) {
        // A negative price is not a price: no total is made from it.
        if (total != kNoTotal && price >= 0) {
            wrote_total = true;
            return YahooTotalLine(p, total, price);
        }
        return std::string();
    };
    if (profile != nullptr && !profile->address2.empty() && profile->chk_address2 != 0) {
        std::string text = StrPrintf("%s%s (%s-%s)", zone_labels[0].c_str(), p.br, origin.c_str(),
                                     profile->address2.c_str());
        AppendText(text + total_line(zone_prices[0]));
        wrote_line = true;
    }
    for (int z = 1; z < kYahooZones; ++z) {
        std::string text = StrPrintf("%s%s%s%s (", wrote_line ? p.br : "", wrote_total ? p.br : "",
                                     zone_labels[z].c_str(), p.br);
        bool first = true;
        for (int to = 0; to < kPrefectureCount; ++to) {
            int a = from;
            int b = to;
            OrderPair(a, b);
            if (m_zone[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] == z) {
                text += first ? "" : ", ";
                text += PrefectureName(to);
                first = false;
            }
        }
        text += ")";
        AppendText(text + total_line(zone_prices[z]));
        wrote_line = true;
    }
    AppendText(p.small_close);
    return true;
}

} // namespace hanamori
