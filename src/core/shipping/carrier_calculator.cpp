#include "core/shipping/carrier_calculator.h"

#include "core/settings/settings_files.h"
#include "core/shipping/rate_file.h"
#include "core/text/cp932.h"

namespace hanamori {
namespace {
constexpr std::size_t kSellerIdCapacity = 128;
} // namespace

CarrierCalculator::CarrierCalculator(const UserSettings* settings) : m_settings(settings) {}

CarrierCalculator::~CarrierCalculator() = default;

bool CarrierCalculator::IsAvailable(const std::string&) const {
    return true;
}

int CarrierCalculator::Cost(const std::string&, const std::string&) const {
    return -1;
}

bool CarrierCalculator::BuildList(const std::string&, int, std::int64_t) {
    ClearText();
    return false;
}

bool CarrierCalculator::ReadTables(RateFiles&) {
    return true;
}

bool CarrierCalculator::Load() {
    RateFiles files(m_rate_dir);
    return LoadFrom(files);
}

bool CarrierCalculator::LoadFrom(RateFiles& files) {
    // Tables that failed part-way are never used: the calculator stays unloaded.
    m_loaded = false;
    m_loaded = ReadTables(files);
    return m_loaded;
}

void CarrierCalculator::SetRateDirectory(const std::string& path) {
    // Kept whole: a cut directory would only make every load fail.
    m_rate_dir = path;
}

void CarrierCalculator::SetParcel(int side1, int side2, int side3, int weight) {
    m_side1 = side1;
    m_side2 = side2;
    m_side3 = side3;
    m_weight = weight;
}

void CarrierCalculator::SetSellerId(const std::string& nickname) {
    m_seller_id = FitField(nickname, kSellerIdCapacity);
}

const UserSettings& CarrierCalculator::settings() const {
    return m_settings != nullptr ? *m_settings : Settings();
}

} // namespace hanamori
