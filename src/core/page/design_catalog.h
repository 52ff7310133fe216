#pragma once
// The five page designs, in the order the "タイプ" list shows them. A design's position
// in the catalogue is its index, and the index alone decides which builder runs.

#include <array>
#include <string>
#include <string_view>

namespace hanamori {

inline constexpr int kDesignCount = 5;
inline constexpr int kDesign1 = 0;           // デザイン１
inline constexpr int kDesign2 = 1;           // デザイン２
inline constexpr int kDesign3 = 2;           // デザイン３
inline constexpr int kDesignSimpleColor = 3; // 簡易表示（カラー対応）
inline constexpr int kDesignSimplePlain = 4; // 簡易表示(カラー非対応)

// A design name fits a slot of this many bytes, terminator included.
inline constexpr std::size_t kDesignSlotCapacity = 128;

// The catalogue names (CP932), index 0 to 4.
const std::array<std::string, kDesignCount>& DesignCatalog();

// Index of the first catalogue name equal to `name` (exact, byte for byte), or -1.
int FindDesign(std::string_view name);

} // namespace hanamori
