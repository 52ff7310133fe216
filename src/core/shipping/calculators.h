#pragma once
// The eleven shipping methods' calculators: ゆうパック (by size), Yahoo!ゆうパック (by
// weight and zone), the six postal kinds, and the region-priced parcel carriers ヤマト
// 宅急便, 佐川急便 and ペリカン便, which differ only in data. Each reads its own rate-file
// sections into tables of a fixed size; a calculator whose sections did not load prices
// nothing (-1) and lists nothing.

#include "core/shipping/carrier_calculator.h"
#include "core/shipping/prefectures.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hanamori {

struct ShippingOptions;

// A parcel carrier priced between regions, with a cost list per region.
class RegionCalculator : public CarrierCalculator {
public:
    using CarrierCalculator::CarrierCalculator;
    bool IsAvailable(const std::string& origin) const override;
    int Cost(const std::string& origin, const std::string& destination) const override;
    bool BuildList(const std::string& origin, int format, std::int64_t total) override;

protected:
    virtual RegionScheme Scheme() const = 0;
    // The price class of the current parcel and its size limit; false when none fits.
    virtual bool FindClass(int& price_class, int& size_limit) const = 0;
    // The table price between two regions (before the hand-in discount).
    virtual int RegionPrice(int from, int price_class, int to) const = 0;
    // The price between two prefectures of the regions; ゆうパック prices one
    // prefecture apart.
    virtual int PrefecturePrice(int from_region, int price_class, int to_region,
                                bool same_prefecture) const;
    virtual bool HandInDiscount() const = 0;
    virtual const std::string& CodMark() const = 0;
    virtual const std::string& HeadingFormat() const = 0;
    // Lines written between the heading and the region lines (ゆうパック's ※ line);
    // returns whether it wrote a line and sets `wrote_total`.
    virtual bool WriteNote(const std::string& origin, int price_class, int format,
                           std::int64_t total, bool& wrote_total);
    // The price less the hand-in discount when the seller's option asks for it.
    int Discounted(int price) const;
};

class YuPackCalculator final : public RegionCalculator {
public:
    using RegionCalculator::RegionCalculator;

protected:
    bool ReadTables(RateFiles& files) override;
    RegionScheme Scheme() const override { return RegionScheme::YuPack; }
    bool FindClass(int& price_class, int& size_limit) const override;
    int RegionPrice(int from, int price_class, int to) const override;
    int PrefecturePrice(int from_region, int price_class, int to_region,
                        bool same_prefecture) const override;
    bool HandInDiscount() const override;
    const std::string& CodMark() const override;
    const std::string& HeadingFormat() const override;
    bool WriteNote(const std::string& origin, int price_class, int format, std::int64_t total,
                   bool& wrote_total) override;

private:
    std::array<std::array<int, 13>, 13> m_zone{};
    std::array<int, 7> m_size_limits{};
    std::array<std::array<int, 8>, 7> m_prices{};
};

class YahooYuPackCalculator final : public CarrierCalculator {
public:
    using CarrierCalculator::CarrierCalculator;
    bool IsAvailable(const std::string& origin) const override;
    int Cost(const std::string& origin, const std::string& destination) const override;
    bool BuildList(const std::string& origin, int format, std::int64_t total) override;

protected:
    bool ReadTables(RateFiles& files) override;

private:
    int WeightClassOf() const;
    std::array<std::array<int, kPrefectureCount>, kPrefectureCount> m_zone{};
    std::array<int, 13> m_weight_limits{};
    std::array<std::array<int, 13>, 5> m_prices{};
};

// Postal kinds, by weight only; origin and destination play no part.
enum PostalKind {
    kTeikei = 0,    // 定形郵便
    kTeikeigai = 1, // 定形外郵便
    kSassi = 2,     // 冊子小包
    kExpack = 3,    // エクスパック500
    kKuroneko = 4,  // クロネコメール便
    kHikyaku = 5,   // 飛脚メール便
};

class PostalCalculator final : public CarrierCalculator {
public:
    using CarrierCalculator::CarrierCalculator;
    // Sets the kind (0 to 5) and its number of weight classes; other kinds have none.
    void SetPostalKind(int kind);
    int Cost(const std::string& origin, const std::string& destination) const override;

protected:
    bool ReadTables(RateFiles& files) override;

private:
    bool FitsMeasures() const;
    int m_kind = -1;
    int m_count = 0;
    std::array<int, 12> m_weight_limits{};
    std::array<int, 12> m_prices{};
};

// A region-priced parcel carrier as data: its rate file, how its price rows are laid
// out, the shipping options that apply to it and the name its cost list shows.
struct RegionCarrier {
    const char* name; // UTF-8, as the list heading shows it
    RegionScheme scheme;
    const char* file;
    // `classes` price rows per origin region, each with one price per destination region.
    const char* cost_section;
    // Two rows: the weight limits, then the size limits, of the price classes.
    const char* limits_section;
    int classes;
    // The price rows run from the last destination region back to the first.
    bool reversed;
    // A price is read from the smaller region to the larger, whichever way it goes.
    bool symmetric;
    std::int32_t ShippingOptions::*hand_in; // 100 yen less when handed in
    std::int32_t ShippingOptions::*cod;     // cash on delivery accepted
};

// ヤマト宅急便: 12 regions, 6 classes, read through the upper triangle.
extern const RegionCarrier kYamatoCarrier;
// 佐川急便: 13 regions, 5 classes, rows written from 沖縄 back to 北海道.
extern const RegionCarrier kSagawaCarrier;
// ペリカン便: 9 regions, 6 classes, origin row and destination column.
extern const RegionCarrier kPelicanCarrier;

// The calculator of one RegionCarrier. A parcel's price class is the larger of its
// weight class and its size class; a parcel beyond either has none.
class RegionCarrierCalculator final : public RegionCalculator {
public:
    explicit RegionCarrierCalculator(const RegionCarrier& carrier,
                                     const UserSettings* settings = nullptr);

protected:
    bool ReadTables(RateFiles& files) override;
    RegionScheme Scheme() const override { return m_carrier.scheme; }
    bool FindClass(int& price_class, int& size_limit) const override;
    int RegionPrice(int from, int price_class, int to) const override;
    bool HandInDiscount() const override;
    const std::string& CodMark() const override;
    const std::string& HeadingFormat() const override { return m_heading; }

private:
    const RegionCarrier& m_carrier;
    int m_regions;
    std::string m_heading;
    std::vector<int> m_weight_limits; // per class
    std::vector<int> m_size_limits;   // per class
    std::vector<int> m_prices;        // [from region][class][to region]
};

} // namespace hanamori
