// The region-priced carriers: the shared cost, availability and cost list, and the
// tables of ヤマト宅急便, 佐川急便 and ペリカン便.

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
template <std::size_t N> int FirstClass(const std::array<int, N>& limits, std::int64_t value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (limits[i] >= value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The larger of the weight class and the size class, with its size limit.
template <std::size_t N>
bool LargerClass(const std::array<int, N>& weights, const std::array<int, N>& sizes, int weight,
                 std::int64_t size, int& price_class, int& size_limit) {
    int by_weight = FirstClass(weights, weight);
    int by_size = FirstClass(sizes, size);
    if (by_weight < 0 || by_size < 0) {
        return false;
    }
    price_class = std::max(by_weight, by_size);
    size_limit = sizes[static_cast<std::size_t>(price_class)];
    return true;
}

template <std::size_t N>
bool ReadLimits(RateFiles& files, const std::string& file, const char* section,
                std::array<int, N>& weights, std::array<int, N>& sizes) {
    const std::string* text = files.Contents(file);
    return text != nullptr && ReadSection(*text, section, 2, 2 + static_cast<int>(N),
                                          [&](int index, const RateRow& row) {
                                              if (row.Int(0) != index) {
                                                  return false;
                                              }
                                              auto& target = index == 0 ? weights : sizes;
                                              for (std::size_t i = 0; i < N; ++i) {
                                                  target[i] = row.Int(2 + i);
                                              }
                                              return true;
                                          });
}

// A "<carrier>_cost" section: `regions` origin regions x `classes` rows, each carrying
// its origin region number and name, a free label, then one price per destination.
template <std::size_t R, std::size_t C>
bool ReadRegionPrices(RateFiles& files, const std::string& file, const char* section,
                      RegionScheme scheme, bool reversed,
                      std::array<std::array<std::array<int, R>, C>, R>& prices) {
    const std::string* text = files.Contents(file);
    const int classes = static_cast<int>(C);
    return text != nullptr &&
           ReadSection(*text, section, static_cast<int>(R * C), 3 + static_cast<int>(R),
                       [&](int index, const RateRow& row) {
                           int origin = index / classes;
                           if (row.Int(0) != origin ||
                               row.fields[1] != RegionName(scheme, origin)) {
                               return false;
                           }
                           auto& line = prices[static_cast<std::size_t>(origin)]
                                              [static_cast<std::size_t>(index % classes)];
                           for (std::size_t d = 0; d < R; ++d) {
                               line[reversed ? R - 1 - d : d] = row.Int(3 + d);
                           }
                           return true;
                       });
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

// ---- ヤマト宅急便: 12 regions, 6 classes, read through the upper triangle ---------

bool YamatoCalculator::ReadTables(RateFiles& files) {
    return ReadRegionPrices(files, "yamato.dat", "yamato_cost", RegionScheme::Yamato, false,
                            m_prices) &&
           ReadLimits(files, "yamato.dat", "yamato_sub", m_weight_limits, m_size_limits);
}

bool YamatoCalculator::FindClass(int& price_class, int& size_limit) const {
    return LargerClass(m_weight_limits, m_size_limits, m_weight, Size(), price_class, size_limit);
}

int YamatoCalculator::RegionPrice(int from, int price_class, int to) const {
    OrderPair(from, to);
    return m_prices[static_cast<std::size_t>(from)][static_cast<std::size_t>(price_class)]
                   [static_cast<std::size_t>(to)];
}

bool YamatoCalculator::HandInDiscount() const {
    return settings().send_opt.chk_yamato_opt100 != 0;
}

const std::string& YamatoCalculator::CodMark() const {
    static const std::string kNone;
    return settings().send_opt.chk_yamato_cod != 0 ? "(着払可)"_sj : kNone;
}

const std::string& YamatoCalculator::HeadingFormat() const {
    return "%s・ヤマト宅急便%s%s%s　　%s%dサイズ%s%s"_sj;
}

// ---- 佐川急便: 13 regions, 5 classes, rows written from 沖縄 back to 北海道 ----------

bool SagawaCalculator::ReadTables(RateFiles& files) {
    return ReadRegionPrices(files, "sagawa.dat", "sagawa_cost", RegionScheme::Sagawa, true,
                            m_prices) &&
           ReadLimits(files, "sagawa.dat", "sagawa_sub", m_weight_limits, m_size_limits);
}

bool SagawaCalculator::FindClass(int& price_class, int& size_limit) const {
    return LargerClass(m_weight_limits, m_size_limits, m_weight, Size(), price_class, size_limit);
}

int SagawaCalculator::RegionPrice(int from, int price_class, int to) const {
    return m_prices[static_cast<std::size_t>(from)][static_cast<std::size_t>(price_class)]
                   [static_cast<std::size_t>(to)];
}

bool SagawaCalculator::HandInDiscount() const {
    return settings().send_opt.chk_sagawa_opt100 != 0;
}

const std::string& SagawaCalculator::CodMark() const {
    static const std::string kNone;
    return settings().send_opt.chk_sagawa_cod != 0 ? "(着払可)"_sj : kNone;
}

const std::string& SagawaCalculator::HeadingFormat() const {
    return "%s・佐川急便%s%s%s　　%s%dサイズ%s%s"_sj;
}

// ---- ペリカン便: 9 regions, 6 classes, origin row and destination column -----------

bool PelicanCalculator::ReadTables(RateFiles& files) {
    return ReadRegionPrices(files, "nittu.dat", "perikan_cost", RegionScheme::Pelican, false,
                            m_prices) &&
           ReadLimits(files, "nittu.dat", "perikan_sub", m_weight_limits, m_size_limits);
}

bool PelicanCalculator::FindClass(int& price_class, int& size_limit) const {
    return LargerClass(m_weight_limits, m_size_limits, m_weight, Size(), price_class, size_limit);
}

int PelicanCalculator::RegionPrice(int from, int price_class, int to) const {
    return m_prices[static_cast<std::size_t>(from)][static_cast<std::size_t>(price_class)]
                   [static_cast<std::size_t>(to)];
}

bool PelicanCalculator::HandInDiscount() const {
    return settings().send_opt.chk_perikan_opt100 != 0;
}

const std::string& PelicanCalculator::CodMark() const {
    static const std::string kNone;
    return settings().send_opt.chk_perikan_cod != 0 ? "(着払可)"_sj : kNone;
}

const std::string& PelicanCalculator::HeadingFormat() const {
    return "%s・ペリカン便%s%s%s　　%s%dサイズ%s%s"_sj;
}

} // namespace hanamori
