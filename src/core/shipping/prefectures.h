#pragma once
// The fixed geography every carrier shares or differs in: the 47 prefectures in the
// program's own order, the four carriers' region schemes, the weight classes, and the
// small look-ups over them. All tables are constant and compiled in; names are CP932
// bytes and are compared byte for byte (no trimming, no case folding).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hanamori {

// ---- Prefectures -----------------------------------------------------------------

inline constexpr int kPrefectureCount = 47;

// The 47 prefecture names in the program's order (北海道 is 0, 沖縄県 46). This list
// fills every prefecture drop-down list; its position is the prefecture index.
const std::array<std::string, kPrefectureCount>& Prefectures();
// The name of prefecture `index`, or an empty text outside 0 to 46.
const std::string& PrefectureName(int index);
// Position of `name` in the prefecture list, or -1 (an empty name gives -1).
int PrefectureIndex(std::string_view name);

// ---- Region schemes ----------------------------------------------------------------

// The carriers that price by region. Two-kanji region names carry an ideographic space
// between the characters ("東　北"); the space is part of the name.
enum class RegionScheme { YuPack, Yamato, Sagawa, Pelican };

// Number of regions of a scheme (13, 12, 13, 9).
int RegionCount(RegionScheme scheme);
// The name of region `index`, or an empty text outside the scheme.
const std::string& RegionName(RegionScheme scheme, int index);
// Position of `region` in the scheme's region list, or -1.
int RegionIndex(RegionScheme scheme, std::string_view region);
// The region of a prefecture: on a match copies the region name into `region` and
// returns true; otherwise returns false and leaves `region` as it was.
bool RegionOf(RegionScheme scheme, std::string_view prefecture, std::string& region);
// The region index of a prefecture index (0 to 46), or -1 when out of range.
int RegionIndexOfPrefecture(RegionScheme scheme, int prefecture_index);
// The prefecture indexes of the scheme's prefecture-to-region table, in the table's
// order (the order in which cost lists print a region's prefectures).
const std::array<int, kPrefectureCount>& RegionTableOrder(RegionScheme scheme);

// ---- Weight classes ------------------------------------------------------------------

struct WeightClass {
    std::int32_t limit; // grams
    std::string label;  // "～25g" ... "30kg超"
};

inline constexpr int kWeightClassCount = 29;

// The 29 weight classes, from "～25g" (25 g) to "30kg超" (9999999 g).
const std::array<WeightClass, kWeightClassCount>& WeightClasses();
// Index of the first class whose limit is at least `grams`, or -1 above 9999999 g.
int WeightClassIndex(std::int64_t grams);
// The label of that class, or an empty text when no class holds the weight.
std::string WeightClassLabel(std::int64_t grams);

// ---- Small helpers -------------------------------------------------------------------

// Puts the smaller of the two values first; equal values stay as they are.
void OrderPair(int& a, int& b);
// Removes leading and trailing ASCII spaces (0x20 only) in place.
void TrimSpaces(std::string& text);
std::string_view TrimSpaces(std::string_view text);

} // namespace hanamori
