#pragma once
// One shipping service of today's catalogue, as its data file describes it: name,
// carrier, effective date, source, the parcel limits and one price table (flat, by
// weight step, by thickness step, or by region pair and size class). Pricing a parcel
// needs nothing but this record.

#include "core/shipping/prefectures.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hanamori {

// The parcel as the seller measured it. Sides in whole centimetres (0 when not set),
// weight in grams.
struct ServiceParcel {
    std::array<std::int32_t, 3> sides_cm{};
    std::int32_t weight_g = 0;
};

// What a service takes. Lengths in millimetres (data files give centimetres with at
// most one decimal), weight in grams; 0 means no limit.
struct ServiceLimits {
    std::array<std::int32_t, 3> box_mm{}; // the largest box, longest side first
    std::int32_t longest_mm = 0;
    std::int32_t sum_mm = 0;       // length + width + height
    std::int32_t thickness_mm = 0; // the shortest side
    std::int32_t weight_g = 0;
};

enum class PriceTableKind { None, Flat, WeightSteps, ThicknessSteps, RegionPairs };

// One step of a step table: items up to `up_to` (grams, or millimetres of thickness)
// cost `price`.
struct PriceStep {
    std::int32_t up_to = 0;
    std::int32_t price = 0;
};

// A size class of a region carrier: up to `max_sum_mm` of sides and `max_weight_g`
// (0: that measure does not limit the class).
struct SizeClass {
    std::string name;
    std::int32_t max_sum_mm = 0;
    std::int32_t max_weight_g = 0;
};

struct ServiceRegion {
    std::string id;   // as the rate rows name it
    std::string name; // as the seller reads it
};

struct ServiceTariff {
    std::string file; // the data file's name, for messages
    // A short ASCII name that stays when the service's caption changes: what a listing
    // stores for the services it offers.
    std::string id;
    std::string name;
    // The list the service is shown in ("" for the carriers' own services; the auction
    // site's flat-rate services share one), as the seller reads it.
    std::string group;
    std::string carrier;
    std::string effective; // "YYYY-MM-DD" the prices below took effect, or empty
    std::string source;
    // Set when the prices rest on one unverified source: shown as 「要確認」.
    bool unconfirmed = false;
    // Set when no prices are shipped yet: why, as the seller reads it.
    std::string withheld;
    // The service is only for parcels that this other service cannot take (規格外
    // after 規格内). Resolved to an index of the catalogue when it loads.
    std::string only_beyond;
    int only_beyond_line = 0;
    int only_beyond_index = -1;

    ServiceLimits limits;
    PriceTableKind kind = PriceTableKind::None;
    std::int32_t flat_price = 0;
    std::vector<PriceStep> steps;
    std::vector<ServiceRegion> regions;
    std::array<int, kPrefectureCount> region_of{}; // region index per prefecture, or -1
    std::vector<SizeClass> classes;
    // [class][origin region][destination region], -1 where the file leaves the cell
    // empty (the pair is then read the other way round).
    std::vector<std::int32_t> rates;

    // The price periods before this one, oldest first; each a whole tariff of its own
    // (their own `earlier` empty). This record holds the newest period.
    std::vector<ServiceTariff> earlier;

    std::int32_t Rate(int size_class, int origin, int destination) const;
};

// The period in force on `date` ("YYYY-MM-DD"): the newest whose effective date is not
// after it; the oldest when the date precedes them all.
const ServiceTariff& TariffOn(const ServiceTariff& tariff, const std::string& date);

// Why the service cannot take the parcel, as the seller reads it (CP932), e.g.
// 「厚さ 3cm を超えています」; empty when it can, or when it ships no prices.
std::string RefusalReason(const ServiceTariff& tariff, const ServiceParcel& parcel);

// Whether the parcel is within every limit (a value exactly at a limit is).
bool FitsLimits(const ServiceLimits& limits, const ServiceParcel& parcel);

// The size class of a region carrier: the larger of the class by sum of sides and the
// class by weight; -1 when no class holds the parcel.
int SizeClassOf(const std::vector<SizeClass>& classes, const ServiceParcel& parcel);

// What the parcel costs by this service between two prefectures (indexes 0 to 46), in
// yen; -1 when the service cannot take it ("発送不可") or ships no prices. The
// service's "only beyond" rule is the catalogue's to apply.
std::int32_t TariffCost(const ServiceTariff& tariff, const ServiceParcel& parcel, int from_pref,
                        int to_pref);

} // namespace hanamori
