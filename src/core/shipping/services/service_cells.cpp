#include "core/shipping/services/service_cells.h"

#include "core/shipping/prefectures.h"
#include "core/text/cp932.h"

#include <algorithm>

namespace hanamori {

std::vector<std::string> SplitCells(std::string_view line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cells.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.emplace_back();
        } else {
            cells.back() += c;
            if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < line.size()) {
                cells.back() += line[++i]; // a trail byte may look like any ASCII sign
            }
        }
    }
    for (std::string& cell : cells) {
        TrimSpaces(cell);
    }
    while (!cells.empty() && cells.back().empty()) {
        cells.pop_back();
    }
    return cells;
}

namespace {
constexpr std::int32_t kLargestValue = 99999999;
} // namespace

// A whole number of 0 or more (yen, grams).
std::optional<std::int32_t> WholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 8 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoi(std::string(text));
}

// Centimetres with at most one decimal ("23.5"), as millimetres.
std::optional<std::int32_t> Centimetres(std::string_view text) {
    std::size_t dot = text.find('.');
    auto whole = WholeNumber(text.substr(0, dot));
    if (!whole || *whole > kLargestValue / 10) {
        return std::nullopt;
    }
    if (dot == std::string_view::npos) {
        return *whole * 10;
    }
    std::string_view tenth = text.substr(dot + 1);
    if (tenth.size() != 1 || tenth[0] < '0' || tenth[0] > '9') {
        return std::nullopt;
    }
    return *whole * 10 + (tenth[0] - '0');
}

bool IsDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

} // namespace hanamori
