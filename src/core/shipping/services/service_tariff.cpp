#include "core/shipping/services/service_tariff.h"

#include "core/text/cp932.h"

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

// Millimetres as centimetres: "3", "2.5".
std::string CmNumber(std::int64_t mm) {
    std::string text = std::to_string(mm / 10);
    if (mm % 10 != 0) {
        text += "." + std::to_string(mm % 10);
    }
    return text;
}

std::string CmText(std::int64_t mm) {
    return CmNumber(mm) + "cm";
}

std::string GramsText(std::int64_t g) {
    if (g >= 1000 && g % 1000 == 0) {
        return std::to_string(g / 1000) + "kg";
    }
    return std::to_string(g) + "g";
}

std::string Over(const std::string& what, const std::string& limit) {
    return what + " " + limit + " を超えています"_sj;
}

} // namespace

const ServiceTariff& TariffOn(const ServiceTariff& tariff, const std::string& date) {
    if (tariff.earlier.empty() || tariff.effective <= date) {
        return tariff;
    }
    for (auto it = tariff.earlier.rbegin(); it != tariff.earlier.rend(); ++it) {
        if (it->effective <= date) {
            return *it;
        }
    }
    return tariff.earlier.front();
}

std::string RefusalReason(const ServiceTariff& tariff, const ServiceParcel& parcel) {
    if (!tariff.withheld.empty()) {
        return {};
    }
    const ServiceLimits& l = tariff.limits;
    const std::array<std::int64_t, 3> mm = SortedSidesMm(parcel);
    if (!Within(parcel.weight_g, l.weight_g)) {
        return Over("重さ"_sj, GramsText(l.weight_g));
    }
    if (!Within(mm[2], l.thickness_mm)) {
        return Over("厚さ"_sj, CmText(l.thickness_mm));
    }
    if (!Within(SumMm(mm), l.sum_mm)) {
        return Over("3辺合計"_sj, CmText(l.sum_mm));
    }
    if (!Within(mm[0], l.longest_mm)) {
        return Over("長辺"_sj, CmText(l.longest_mm));
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (!Within(mm[i], l.box_mm[i])) {
            std::string box;
            for (std::size_t j = 0; j < 3 && l.box_mm[j] != 0; ++j) {
                box += (j > 0 ? "×"_sj : "") + CmNumber(l.box_mm[j]);
            }
            return Over("大きさ"_sj, box + "cm");
        }
    }
    if ((tariff.kind == PriceTableKind::WeightSteps ||
         tariff.kind == PriceTableKind::ThicknessSteps) &&
        !tariff.steps.empty()) {
        const std::int32_t top = tariff.steps.back().up_to;
        if (tariff.kind == PriceTableKind::WeightSteps && parcel.weight_g > top) {
            return Over("重さ"_sj, GramsText(top));
        }
        if (tariff.kind == PriceTableKind::ThicknessSteps && mm[2] > top) {
            return Over("厚さ"_sj, CmText(top));
        }
    }
    if (tariff.kind == PriceTableKind::RegionPairs && !tariff.classes.empty() &&
        SizeClassOf(tariff.classes, parcel) < 0) {
        const SizeClass& top = tariff.classes.back();
        if (top.max_weight_g != 0 && parcel.weight_g > top.max_weight_g) {
            return Over("重さ"_sj, GramsText(top.max_weight_g));
        }
        return Over("3辺合計"_sj, CmText(top.max_sum_mm));
    }
    return {};
}

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
