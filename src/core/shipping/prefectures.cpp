#include "core/shipping/prefectures.h"

#include "core/text/cp932.h"

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace hanamori {
namespace {

const char* const kPrefectureNamesUtf8[kPrefectureCount] = {
    "北海道", "青森県", "岩手県", "秋田県", "山形県", "宮城県",   "福島県",   "新潟県",
    "茨城県", "栃木県", "群馬県", "埼玉県", "千葉県", "東京都",   "神奈川県", "山梨県",
    "長野県", "富山県", "石川県", "福井県", "静岡県", "愛知県",   "岐阜県",   "三重県",
    "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県", "鳥取県",   "岡山県",
    "島根県", "広島県", "山口県", "香川県", "徳島県", "愛媛県",   "高知県",   "福岡県",
    "佐賀県", "大分県", "熊本県", "長崎県", "宮崎県", "鹿児島県", "沖縄県"};

struct SchemeData {
    std::vector<const char*> regions_utf8;
    // The prefecture-to-region table's order, as prefecture indexes.
    std::array<int, kPrefectureCount> order;
};

// Region index of each prefecture index, per scheme (YuPack, Yamato, Sagawa, Pelican).
// clang-format off
constexpr int kRegionOf[4][kPrefectureCount] = {
    {0, 1, 1, 1, 1, 1, 1, 5, 2, 2, 2, 2, 2, 3, 4, 4, 5, 6, 6, 6, 7, 7, 7, 7,
     8, 8, 8, 8, 8, 8, 9, 9, 9, 9, 9, 10, 10, 10, 10, 11, 11, 11, 11, 11, 11, 11, 12},
    {0, 1, 1, 1, 2, 2, 2, 4, 3, 3, 3, 3, 3, 3, 3, 3, 4, 6, 6, 6, 5, 5, 5, 5,
     7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 9, 9, 9, 9, 10, 10, 10, 10, 10, 10, 10, 11},
    {0, 1, 1, 1, 2, 2, 2, 4, 3, 3, 3, 3, 3, 3, 3, 3, 4, 6, 6, 6, 5, 5, 5, 5,
     7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 9, 9, 9, 9, 10, 10, 10, 11, 10, 11, 11, 12},
    {0, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3,
     4, 4, 4, 4, 4, 4, 5, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 8},
};

// 0 to 46 with 長野県 (16) directly after 新潟県 (7); Sagawa's table also has 長崎県
// (43) before 熊本県 (42).
constexpr std::array<int, kPrefectureCount> kNaganoAfterNiigata = {
    0, 1, 2, 3, 4, 5, 6, 7, 16, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 23,
    24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46};
constexpr std::array<int, kPrefectureCount> kSagawaOrder = {
    0, 1, 2, 3, 4, 5, 6, 7, 16, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 23,
    24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 43, 42, 44, 45, 46};
constexpr std::array<int, kPrefectureCount> kListOrder = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
    24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46};
// clang-format on

const SchemeData& Data(RegionScheme scheme) {
    static const SchemeData kYuPack{{"北海道", "東　北", "関　東", "東　京", "南関東", "信　越",
                                     "北　陸", "東　海", "近　畿", "中　国", "四　国", "九　州",
                                     "沖　縄"},
                                    kNaganoAfterNiigata};
    static const SchemeData kYamato{{"北海道", "北東北", "南東北", "関　東", "信　越", "中　部",
                                     "北　陸", "関　西", "中　国", "四　国", "九　州", "沖　縄"},
                                    kNaganoAfterNiigata};
    static const SchemeData kSagawa{{"北海道", "北東北", "南東北", "関　東", "信　越", "東　海",
                                     "北　陸", "関　西", "中　国", "四　国", "北九州", "南九州",
                                     "沖　縄"},
                                    kSagawaOrder};
    static const SchemeData kPelican{
        {"北海道", "東　北", "関　東", "中　部", "関　西", "中　国", "四　国", "九　州", "沖　縄"},
        kListOrder};
    switch (scheme) {
    case RegionScheme::YuPack:
        return kYuPack;
    case RegionScheme::Yamato:
        return kYamato;
    case RegionScheme::Sagawa:
        return kSagawa;
    case RegionScheme::Pelican:
        break;
    }
    return kPelican;
}

std::vector<std::string> ConvertAll(const std::vector<const char*>& names) {
    std::vector<std::string> out;
    for (const char* name : names) {
        out.push_back(detail::ConvertSourceLiteral(name));
    }
    return out;
}

const std::vector<std::string>& RegionNames(RegionScheme scheme) {
    static const std::vector<std::string> kNames[4] = {
        ConvertAll(Data(RegionScheme::YuPack).regions_utf8),
        ConvertAll(Data(RegionScheme::Yamato).regions_utf8),
        ConvertAll(Data(RegionScheme::Sagawa).regions_utf8),
        ConvertAll(Data(RegionScheme::Pelican).regions_utf8)};
    return kNames[static_cast<int>(scheme)];
}

// Every prefecture name is at most 8 bytes of CP932, so a name packs into one 64-bit
// key; the keys sit in a small open-addressed table. Every cost looks up two names, so
// this is on the hot path of the lists and the shipping tool.
constexpr std::size_t kMaxNameBytes = 8;

// The first and the last four bytes (overlapping for shorter names) say the whole name
// for up to 8 bytes, together with its length.
std::uint64_t PackName(std::string_view name) {
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    if (name.size() >= 4) {
        std::uint32_t head = 0;
        std::uint32_t tail = 0;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + name.size() - 4, 4);
        return head | (std::uint64_t{tail} << 32);
    }
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        key |= std::uint64_t{p[i]} << (8 * i);
    }
    return key;
}

// A collision-free table: the multiplier of the hash is chosen when the table is built
// so that every name has a slot of its own, and a look-up is a single probe.
class PrefectureTable {
public:
    PrefectureTable() {
        for (std::uint64_t seed = 0x9E3779B97F4A7C15ull;; seed += 0x632BE59BD9B4E019ull) {
            m_multiplier = seed | 1;
            if (Fill()) {
                return;
            }
        }
    }
    int Find(std::string_view name) const {
        if (name.size() > kMaxNameBytes) {
            return -1;
        }
        const std::uint64_t key = PackName(name);
        const Entry& entry = m_slots[Slot(key)];
        return entry.key == key && entry.size == static_cast<int>(name.size()) ? entry.index : -1;
    }

private:
    static constexpr std::size_t kSlots = 256;
    struct Entry {
        std::uint64_t key = 0;
        int size = -1;
        int index = -1;
    };
    bool Fill() {
        m_slots.fill(Entry{});
        for (int i = 0; i < kPrefectureCount; ++i) {
            const std::string& name = Prefectures()[static_cast<std::size_t>(i)];
            std::uint64_t key = PackName(name);
            Entry& entry = m_slots[Slot(key)];
            if (entry.index >= 0) {
                return false;
            }
            entry = {key, static_cast<int>(name.size()), i};
        }
        return true;
    }
    std::size_t Slot(std::uint64_t key) const {
        return static_cast<std::size_t>((key * m_multiplier) >> 56);
    }
    std::uint64_t m_multiplier = 0;
    std::array<Entry, kSlots> m_slots{};
};

} // namespace

const std::array<std::string, kPrefectureCount>& Prefectures() {
    static const std::array<std::string, kPrefectureCount> kNames = [] {
        std::array<std::string, kPrefectureCount> names;
        for (int i = 0; i < kPrefectureCount; ++i) {
            names[static_cast<std::size_t>(i)] =
                detail::ConvertSourceLiteral(kPrefectureNamesUtf8[i]);
        }
        return names;
    }();
    return kNames;
}

const std::string& PrefectureName(int index) {
    static const std::string kEmpty;
    return index >= 0 && index < kPrefectureCount ? Prefectures()[static_cast<std::size_t>(index)]
                                                  : kEmpty;
}

int PrefectureIndex(std::string_view name) {
    static const PrefectureTable kTable = [] {
        for (const std::string& name : Prefectures()) {
            if (name.size() > kMaxNameBytes) {
                std::abort(); // the packed keys would not hold every name
            }
        }
        return PrefectureTable();
    }();
    return name.empty() ? -1 : kTable.Find(name);
}

int RegionCount(RegionScheme scheme) {
    return static_cast<int>(RegionNames(scheme).size());
}

const std::string& RegionName(RegionScheme scheme, int index) {
    static const std::string kEmpty;
    const auto& names = RegionNames(scheme);
    return index >= 0 && index < static_cast<int>(names.size())
               ? names[static_cast<std::size_t>(index)]
               : kEmpty;
}

int RegionIndex(RegionScheme scheme, std::string_view region) {
    const auto& names = RegionNames(scheme);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == region) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool RegionOf(RegionScheme scheme, std::string_view prefecture, std::string& region) {
    int region_index = RegionIndexOfPrefecture(scheme, PrefectureIndex(prefecture));
    if (region_index < 0) {
        return false;
    }
    region = RegionName(scheme, region_index);
    return true;
}

int RegionIndexOfPrefecture(RegionScheme scheme, int prefecture_index) {
    if (prefecture_index < 0 || prefecture_index >= kPrefectureCount) {
        return -1;
    }
    return kRegionOf[static_cast<int>(scheme)][prefecture_index];
}

const std::array<int, kPrefectureCount>& RegionTableOrder(RegionScheme scheme) {
    return Data(scheme).order;
}

const std::array<WeightClass, kWeightClassCount>& WeightClasses() {
    static const std::array<WeightClass, kWeightClassCount> kClasses = [] {
        const std::pair<std::int32_t, const char*> source[kWeightClassCount] = {
            {25, "～25g"},      {50, "～50g"},     {100, "～100g"},   {150, "～150g"},
            {250, "～250g"},    {300, "～300g"},   {400, "～400g"},   {500, "～500g"},
            {600, "～600g"},    {800, "～800g"},   {1000, "～1kg"},   {2000, "～2kg"},
            {3000, "～3kg"},    {4000, "～4kg"},   {5000, "～5kg"},   {6000, "～6kg"},
            {8000, "～8kg"},    {10000, "～10kg"}, {11000, "～11kg"}, {12000, "～12kg"},
            {14000, "～14kg"},  {15000, "～15kg"}, {16000, "～16kg"}, {18000, "～18kg"},
            {20000, "～20kg"},  {21000, "～21kg"}, {25000, "～25kg"}, {30000, "～30kg"},
            {9999999, "30kg超"}};
        std::array<WeightClass, kWeightClassCount> classes;
        for (int i = 0; i < kWeightClassCount; ++i) {
            classes[static_cast<std::size_t>(i)] = {source[i].first,
                                                    detail::ConvertSourceLiteral(source[i].second)};
        }
        return classes;
    }();
    return kClasses;
}

int WeightClassIndex(std::int64_t grams) {
    const auto& classes = WeightClasses();
    for (int i = 0; i < kWeightClassCount; ++i) {
        if (classes[static_cast<std::size_t>(i)].limit >= grams) {
            return i;
        }
    }
    return -1;
}

std::string WeightClassLabel(std::int64_t grams) {
    int index = WeightClassIndex(grams);
    return index < 0 ? std::string() : WeightClasses()[static_cast<std::size_t>(index)].label;
}

void OrderPair(int& a, int& b) {
    if (a > b) {
        std::swap(a, b);
    }
}

std::string_view TrimSpaces(std::string_view text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    std::size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

void TrimSpaces(std::string& text) {
    std::string_view trimmed = TrimSpaces(std::string_view(text));
    text = std::string(trimmed);
}

} // namespace hanamori
