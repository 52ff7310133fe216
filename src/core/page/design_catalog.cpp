#include "core/page/design_catalog.h"

#include "core/text/cp932.h"

namespace hanamori {

const std::array<std::string, kDesignCount>& DesignCatalog() {
    // The first three use full-width digits; the colour simple design has full-width
    // parentheses, the plain one ASCII parentheses.
    static const std::array<std::string, kDesignCount> names = {
        "デザイン１"_sj,
        "デザイン２"_sj,
        "デザイン３"_sj,
        "簡易表示（カラー対応）"_sj,
        "簡易表示(カラー非対応)"_sj,
    };
    return names;
}

int FindDesign(std::string_view name) {
    const auto& names = DesignCatalog();
    for (int i = 0; i < kDesignCount; ++i) {
        if (names[static_cast<std::size_t>(i)] == name) {
            return i;
        }
    }
    return -1;
}

} // namespace hanamori
