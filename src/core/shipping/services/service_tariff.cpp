#include "core/shipping/services/service_tariff.h"

#include <algorithm>
#include <functional>

namespace hanamori {
namespace {

// Sides in millimetres, longest first.
std::array<std::int64_t, 3> SortedSidesMm(const ServiceParcel& parcel) {
    std::array<std::int64_t, 3> mm{};
    for (std::size_t i = 0; i < 3; ++i) {
        mm[i] = std::int64_t{std::max(parcel.sides_cm[i], 0)} * 10;
    }
    std::sort(mm.begin(), mm.end(), std::greater<>());
    return mm;
}

std::int64_t SumMm(const std::array<std::int64_t, 3>& mm) {
    return mm[0] + mm[1] + mm[2];
}

bool Within(std::int64_t value, std::int32_t limit) {
    return limit == 0 || value <= limit;
}

// The price of the first step that holds `value`, or -1.
std::int32_t StepPrice(const std::vector<PriceStep>& steps, std::int64_t value) {
    for (const PriceStep& step : steps) {
        if (value <= step.up_to) {
            return step.price;
        }
    }
    return -1;
}

} // namespace

std::int32_t ServiceTariff::Rate(int size_class, int origin, int destination) const {
    const std::size_t n = regions.size();
    auto cell = [&](int from, int to) {
        return rates[(static_cast<std::size_t>(size_class) * n + static_cast<std::size_t>(from)) *
                         n +
                     static_cast<std::size_t>(to)];
    };
    std::int32_t price = cell(origin, destination);
    return price >= 0 ? price : cell(destination, origin);
}

bool FitsLimits(const ServiceLimits& limits, const ServiceParcel& parcel) {
    const std::array<std::int64_t, 3> mm = SortedSidesMm(parcel);
    for (std::size_t i = 0; i < 3; ++i) {
        if (!Within(mm[i], limits.box_mm[i])) {
            return false;
        }
    }
    return Within(mm[0], limits.longest_mm) && Within(SumMm(mm), limits.sum_mm) &&
           Within(mm[2], limits.thickness_mm) && Within(parcel.weight_g, limits.weight_g);
}

int SizeClassOf(const std::vector<SizeClass>& classes, const ServiceParcel& parcel) {
    const std::int64_t sum = SumMm(SortedSidesMm(parcel));
    int by_sum = -1;
    int by_weight = -1;
    for (int i = static_cast<int>(classes.size()) - 1; i >= 0; --i) {
        const SizeClass& c = classes[static_cast<std::size_t>(i)];
        if (Within(sum, c.max_sum_mm)) {
            by_sum = i;
        }
        if (Within(parcel.weight_g, c.max_weight_g)) {
            by_weight = i;
        }
    }
    if (by_sum < 0 || by_weight < 0) {
        return -1;
    }
    return std::max(by_sum, by_weight);
}

std::int32_t TariffCost(const ServiceTariff& tariff, const ServiceParcel& parcel, int from_pref,
                        int to_pref) {
    if (!tariff.withheld.empty() || !FitsLimits(tariff.limits, parcel)) {
        return -1;
    }
    switch (tariff.kind) {
    case PriceTableKind::Flat:
        return tariff.flat_price;
    case PriceTableKind::WeightSteps:
        return StepPrice(tariff.steps, parcel.weight_g);
    case PriceTableKind::ThicknessSteps:
        return StepPrice(tariff.steps, SortedSidesMm(parcel)[2]);
    case PriceTableKind::RegionPairs: {
        if (from_pref < 0 || from_pref >= kPrefectureCount || to_pref < 0 ||
            to_pref >= kPrefectureCount) {
            return -1;
        }
        int origin = tariff.region_of[static_cast<std::size_t>(from_pref)];
        int destination = tariff.region_of[static_cast<std::size_t>(to_pref)];
        int size_class = SizeClassOf(tariff.classes, parcel);
        if (origin < 0 || destination < 0 || size_class < 0) {
            return -1;
        }
        return tariff.Rate(size_class, origin, destination);
    }
    case PriceTableKind::None:
        break;
    }
    return -1;
}

} // namespace hanamori
