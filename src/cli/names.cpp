#include "cli/names.h"

#include "core/shipping/prefectures.h"
#include "core/text/cp932.h"
#include "core/text/width_fold.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

namespace hanamori::cli {
namespace {

// The short form of a prefecture name: without its last 都, 府 or 県 (北海道 has none).
std::string ShortForm(const std::string& name) {
    for (const std::string* suffix : {&"都"_sj, &"府"_sj, &"県"_sj}) {
        if (name.size() > suffix->size() &&
            name.compare(name.size() - suffix->size(), suffix->size(), *suffix) == 0) {
            return name.substr(0, name.size() - suffix->size());
        }
    }
    return {};
}

// The characters of a UTF-8 text as code points (a broken sequence counts as one).
std::u32string CodePoints(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
        std::size_t j = i + 1;
        for (; j < utf8.size() && j <= i + static_cast<std::size_t>(extra); ++j) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
        }
        out += cp;
        i = j;
    }
    return out;
}

std::size_t EditDistance(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The prefectures' names in Latin letters, in the order of Prefectures().
constexpr const char* kRomaji[] = {
    "hokkaido", "aomori",    "iwate",    "akita",     "yamagata", "miyagi",    "fukushima",
    "niigata",  "ibaraki",   "tochigi",  "gunma",     "saitama",  "chiba",     "tokyo",
    "kanagawa", "yamanashi", "nagano",   "toyama",    "ishikawa", "fukui",     "shizuoka",
    "aichi",    "gifu",      "mie",      "shiga",     "kyoto",    "osaka",     "hyogo",
    "nara",     "wakayama",  "tottori",  "okayama",   "shimane",  "hiroshima", "yamaguchi",
    "kagawa",   "tokushima", "ehime",    "kochi",     "fukuoka",  "saga",      "oita",
    "kumamoto", "nagasaki",  "miyazaki", "kagoshima", "okinawa"};
static_assert(std::size(kRomaji) == kPrefectureCount);

// A name in Latin letters as the table spells it: lower case, long vowels written
// short (Tōkyō, Toukyou and Tokyo are one), a trailing "-ken", "-fu", "-to", "-do" or
// " prefecture" left out. Empty for anything that is not such a name.
std::string FoldRomaji(const std::string& utf8) {
    std::string folded;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xC5 && i + 1 < utf8.size() &&
            (utf8[i + 1] == '\x8C' || utf8[i + 1] == '\x8D')) { // Ō ō
            folded += 'o';
            ++i;
        } else if (c == 0xC5 && i + 1 < utf8.size() &&
                   (utf8[i + 1] == '\xAA' || utf8[i + 1] == '\xAB')) { // Ū ū
            folded += 'u';
            ++i;
        } else if (c < 0x80 && std::isalpha(c)) {
            folded += static_cast<char>(std::tolower(c));
        } else if (c == ' ' || c == '-') {
            folded += ' ';
        } else {
            return {};
        }
    }
    for (const char* suffix : {" prefecture", " ken", " fu", " to", " do"}) {
        std::string_view tail(suffix);
        if (folded.size() > tail.size() &&
            folded.compare(folded.size() - tail.size(), tail.size(), tail) == 0) {
            folded.resize(folded.size() - tail.size());
            break;
        }
    }
    for (std::string_view long_vowel : {"ou", "oo", "uu"}) {
        for (std::size_t at; (at = folded.find(long_vowel)) != std::string::npos;) {
            folded.erase(at + 1, 1);
        }
    }
    return folded;
}

} // namespace

std::optional<std::string> PrefectureArg(const std::string& utf8) {
    // Long vowels with a macron (ō) have no code page 932 form: Latin names are folded
    // from the argument as given.
    const std::string romaji = FoldRomaji(utf8);
    const std::string cp932 = Utf8ToCp932(utf8).value_or(std::string());
    const auto& names = Prefectures();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if ((!cp932.empty() && (names[i] == cp932 || ShortForm(names[i]) == cp932)) ||
            (!romaji.empty() && romaji == kRomaji[i])) {
            return names[i];
        }
    }
    return std::nullopt;
}

std::vector<std::string> ClosestPrefectures(const std::string& utf8) {
    const std::u32string wanted = CodePoints(utf8);
    const std::string romaji = FoldRomaji(utf8);
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (std::size_t i = 0; i < Prefectures().size(); ++i) {
        const std::string& name = Prefectures()[i];
        std::string full = Cp932ToUtf8(name);
        std::size_t distance = EditDistance(wanted, CodePoints(full));
        if (!romaji.empty()) {
            distance = std::min(distance, EditDistance(CodePoints(romaji), CodePoints(kRomaji[i])));
        }
        std::string short_form = ShortForm(name);
        if (!short_form.empty()) {
            distance =
                std::min(distance, EditDistance(wanted, CodePoints(Cp932ToUtf8(short_form))));
        }
        scored.emplace_back(distance, full);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < scored.size() && closest.size() < 3; ++i) {
        closest.push_back(scored[i].second);
    }
    return closest;
}

std::optional<std::string> FindNameArg(const std::vector<std::string>& names,
                                       const std::string& utf8) {
    auto cp932 = Utf8ToCp932(utf8);
    if (!cp932) {
        return std::nullopt;
    }
    int index = FindFoldedName(names, *cp932);
    if (index < 0) {
        return std::nullopt;
    }
    return names[static_cast<std::size_t>(index)];
}

std::string NameList(const std::vector<std::string>& names_cp932) {
    std::string out;
    for (const std::string& name : names_cp932) {
        out += (out.empty() ? "" : ", ") + Cp932ToUtf8(name);
    }
    return out;
}

} // namespace hanamori::cli
