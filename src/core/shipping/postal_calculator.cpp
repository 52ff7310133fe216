// The postal kinds and mail services, priced by weight alone within their measures.

#include "core/shipping/calculators.h"
#include "core/shipping/rate_file.h"

namespace hanamori {
namespace {

struct KindInfo {
    int classes;
    const char* file;
    const char* section;
};

constexpr KindInfo kKinds[6] = {
    {2, "yubin.dat", "teikei_yubin_cost"},    {8, "yubin.dat", "teikeigai_yubin_cost"},
    {11, "yubin.dat", "sassi_kodutumi_cost"}, {1, "yubin.dat", "expack500_cost"},
    {5, "yamato.dat", "kuroneko_mail_cost"},  {3, "sagawa.dat", "hikyaku_mail_cost"},
};

} // namespace

void PostalCalculator::SetPostalKind(int kind) {
    m_kind = kind;
    m_count = kind >= 0 && kind < 6 ? kKinds[kind].classes : 0;
}

bool PostalCalculator::ReadTables(RateFiles& files) {
    if (m_kind < 0 || m_kind >= 6) {
        return false;
    }
    const KindInfo& info = kKinds[m_kind];
    const std::string* text = files.Contents(info.file);
    const std::size_t values = static_cast<std::size_t>(m_count) + 1;
    return text != nullptr && ReadSection(*text, info.section, 2, 2 + static_cast<int>(values),
                                          [&](int index, const RateRow& row) {
                                              if (row.Int(0) != index) {
                                                  return false;
                                              }
                                              auto& target =
                                                  index == 0 ? m_weight_limits : m_prices;
                                              for (std::size_t i = 0; i < values; ++i) {
                                                  target[i] = row.Int(2 + i);
                                              }
                                              return true;
                                          });
}

bool PostalCalculator::FitsMeasures() const {
    const std::int64_t size = Size();
    switch (m_kind) {
    case kTeikei:
        return m_side3 <= 1;
    case kTeikeigai:
        return size <= 90 && m_side1 <= 60 && m_side2 <= 60 && m_side3 <= 60;
    case kSassi:
        return true;
    case kExpack:
        return m_side3 <= 2 && m_side1 <= 34 && m_side2 <= 34 &&
               std::int64_t{m_side1} + m_side2 <= 59;
    case kKuroneko:
    case kHikyaku:
        return m_side1 <= 40 && m_side2 <= 40 && m_side3 <= 2 && size <= 70;
    default:
        return false;
    }
}

int PostalCalculator::Cost(const std::string&, const std::string&) const {
    if (!IsLoaded() || !FitsMeasures()) {
        return -1;
    }
    for (int i = 0; i < m_count; ++i) {
        if (m_weight_limits[static_cast<std::size_t>(i)] >= m_weight) {
            return m_prices[static_cast<std::size_t>(i)];
        }
    }
    return -1;
}

} // namespace hanamori
