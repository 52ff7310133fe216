// The region-priced carriers: the shared cost, availability and cost list, and the
// calculator of ヤマト宅急便, 佐川急便 and ペリカン便 with their rows of data.

#include "core/settings/user_settings.h"
#include "core/shipping/calculators.h"
#include "core/shipping/cost_list.h"
#include "core/shipping/rate_file.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <algorithm>

namespace hanamori {
namespace {

// First class whose limit is at least `value`, or -1.
int FirstClass(const std::vector<int>& limits, std::int64_t value) {
    for (std::size_t i = 0; i < limits.size(); ++i) {
        if (limits[i] >= value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

// ---- Shared by every region-priced carrier ----------------------------------------

int RegionCalculator::Discounted(int price) const {
    return HandInDiscount() ? LessHandIn(price) : price;
}

int RegionCalculator::PrefecturePrice(int from_region, int price_class, int to_region, bool) const {
    return RegionPrice(from_region, price_class, to_region);
}

bool RegionCalculator::WriteNote(const std::string&, int, int, std::int64_t, bool&) {
    return false;
}

int RegionCalculator::Cost(const std::string& origin, const std::string& destination) const {
    int price_class = 0;
    int size_limit = 0;
    if (!IsLoaded() || !FindClass(price_class, size_limit)) {
        return -1;
    }
    const int origin_index = PrefectureIndex(origin);
    const int destination_index = PrefectureIndex(destination);
    int from = RegionIndexOfPrefecture(Scheme(), origin_index);
    int to = RegionIndexOfPrefecture(Scheme(), destination_index);
    if (from < 0 || to < 0) {
        return -1;
    }
    // Two known names are the same bytes exactly when they are the same prefecture.
    return Discounted(PrefecturePrice(from, price_class, to, origin_index == destination_index));
}

bool RegionCalculator::IsAvailable(const std::string& origin) const {
    int price_class = 0;
    int size_limit = 0;
    if (!IsLoaded() || !FindClass(price_class, size_limit)) {
        return false;
    }
    int from = RegionIndexOfPrefecture(Scheme(), PrefectureIndex(origin));
    if (from < 0) {
        return false;
    }
    for (int to = 0; to < RegionCount(Scheme()); ++to) {
        if (RegionPrice(from, price_class, to) >= 0) {
            return true;
        }
    }
    return false;
}

bool RegionCalculator::BuildList(const std::string& origin, int format, std::int64_t total) {
    ClearText();
    int price_class = 0;
    int size_limit = 0;
    if (!IsAvailable(origin) || !FindClass(price_class, size_limit)) {
        return false;
    }
    const RegionScheme scheme = Scheme();
    int from = RegionIndexOfPrefecture(scheme, PrefectureIndex(origin));
    if (from < 0) {
        return false;
    }
    const ListPieces& p = PiecesOf(format);
    const SellerProfile* profile = SellerProfileOf(settings(), m_seller_id);
    std::string text =
        StrPrintf(HeadingFormat().c_str(), p.bold_open, p.bold_close, p.small_open,
                  CodMark().c_str(), OriginNote(profile, origin).c_str(), size_limit, p.br, p.br2);
    AppendText(text);

    bool wrote_total = false;
    bool wrote_line = WriteNote(origin, price_class, format, total, wrote_total);
    const auto& order = RegionTableOrder(scheme);
    for (int to = 0; to < RegionCount(scheme); ++to) {
        int cost = Discounted(RegionPrice(from, price_class, to));
        const char* lead1 = wrote_line ? p.br : "";
        const char* lead2 = wrote_total ? p.br : "";
        const std::string& region = RegionName(scheme, to);
        if (cost >= 0) {
            text = StrPrintf("%s%s [%s] %d円 ("_sj.c_str(), lead1, lead2, region.c_str(), cost);
        } else {
            text = StrPrintf("%s%s [%s] 発送不可 ("_sj.c_str(), lead1, lead2, region.c_str());
        }
        bool first = true;
        for (int prefecture : order) {
            if (RegionIndexOfPrefecture(scheme, prefecture) == to) {
                text += first ? "" : ", ";
                text += PrefectureName(prefecture);
                first = false;
            }
        }
        text += ")";
        if (cost >= 0 && total != kNoTotal) {
            text += RegionTotalLine(p, total, cost);
            wrote_total = true;
        }
        AppendText(text);
        wrote_line = true;
    }
    AppendText(p.small_close);
    return true;
}

// ---- The carriers priced by weight or size class between regions ---------------------

const RegionCarrier kYamatoCarrier{.name = "ヤマト宅急便",
                                   .scheme = RegionScheme::Yamato,
                                   .file = "yamato.dat",
                                   .cost_section = "yamato_cost",
                                   .limits_section = "yamato_sub",
                                   .classes = 6,
                                   .reversed = false,
                                   .symmetric = true,
                                   .hand_in = &ShippingOptions::chk_yamato_opt100,
                                   .cod = &ShippingOptions::chk_yamato_cod};
const RegionCarrier kSagawaCarrier{.name = "佐川急便",
                                   .scheme = RegionScheme::Sagawa,
                                   .file = "sagawa.dat",
                                   .cost_section = "sagawa_cost",
                                   .limits_section = "sagawa_sub",
                                   .classes = 5,
                                   .reversed = true,
                                   .symmetric = false,
                                   .hand_in = &ShippingOptions::chk_sagawa_opt100,
                                   .cod = &ShippingOptions::chk_sagawa_cod};
const RegionCarrier kPelicanCarrier{.name = "ペリカン便",
                                    .scheme = RegionScheme::Pelican,
                                    .file = "nittu.dat",
                                    .cost_section = "perikan_cost",
                                    .limits_section = "perikan_sub",
                                    .classes = 6,
                                    .reversed = false,
                                    .symmetric = false,
                                    .hand_in = &ShippingOptions::chk_perikan_opt100,
                                    .cod = &ShippingOptions::chk_perikan_cod};

RegionCarrierCalculator::RegionCarrierCalculator(const RegionCarrier& carrier,
                                                 const UserSettings* settings)
    : RegionCalculator(settings), m_carrier(carrier), m_regions(RegionCount(carrier.scheme)),
      m_heading("%s・"_sj + Utf8ToCp932Lossy(carrier.name) + "%s%s%s　　%s%dサイズ%s%s"_sj),
      m_weight_limits(static_cast<std::size_t>(carrier.classes)),
      m_size_limits(static_cast<std::size_t>(carrier.classes)),
      m_prices(static_cast<std::size_t>(m_regions * carrier.classes * m_regions)) {}

bool RegionCarrierCalculator::ReadTables(RateFiles& files) {
    const std::string* text = files.Contents(m_carrier.file);
    if (text == nullptr) {
        return false;
    }
    const int classes = m_carrier.classes;
    // Each price row carries its origin region's number and name and a free label.
    bool prices = ReadSection(
        *text, m_carrier.cost_section, m_regions * classes, 3 + m_regions,
        [&](int index, const RateRow& row) {
            int origin = index / classes;
            if (row.Int(0) != origin || row.fields[1] != RegionName(m_carrier.scheme, origin)) {
                return false;
            }
            auto line = m_prices.begin() + static_cast<std::ptrdiff_t>(index) * m_regions;
            for (int d = 0; d < m_regions; ++d) {
                line[m_carrier.reversed ? m_regions - 1 - d : d] =
                    row.Int(3 + static_cast<std::size_t>(d));
            }
            return true;
        });
    return prices && ReadSection(*text, m_carrier.limits_section, 2, 2 + classes,
                                 [&](int index, const RateRow& row) {
                                     if (row.Int(0) != index) {
                                         return false;
                                     }
                                     auto& target = index == 0 ? m_weight_limits : m_size_limits;
                                     for (std::size_t i = 0; i < target.size(); ++i) {
                                         target[i] = row.Int(2 + i);
                                     }
                                     return true;
                                 });
}

bool RegionCarrierCalculator::FindClass(int& price_class, int& size_limit) const {
    int by_weight = FirstClass(m_weight_limits, m_weight);
    int by_size = FirstClass(m_size_limits, Size());
    if (by_weight < 0 || by_size < 0) {
        return false;
    }
    price_class = std::max(by_weight, by_size);
    size_limit = m_size_limits[static_cast<std::size_t>(price_class)];
    return true;
}

int RegionCarrierCalculator::RegionPrice(int from, int price_class, int to) const {
    if (m_carrier.symmetric) {
        OrderPair(from, to);
    }
    return m_prices[static_cast<std::size_t>((from * m_carrier.classes + price_class) * m_regions +
                                             to)];
}

bool RegionCarrierCalculator::HandInDiscount() const {
    return settings().send_opt.*m_carrier.hand_in != 0;
}

const std::string& RegionCarrierCalculator::CodMark() const {
    static const std::string kNone;
    return settings().send_opt.*m_carrier.cod != 0 ? "(着払可)"_sj : kNone;
}

} // namespace hanamori
