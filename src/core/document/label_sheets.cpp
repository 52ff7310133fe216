#include "core/document/label_sheets.h"

#include "core/text/cp932.h"

#include <charconv>
#include <fstream>
#include <optional>

namespace hanamori {
namespace {

// Paper never holds more labels than this in a row or a column; anything above is a
// typing error, not a sheet.
constexpr int kMaxGrid = 40;
// Makers round their measures to a tenth of a millimetre: a grid that leaves the page
// by less than that is the page's own edge.
constexpr double kEdgeSlackMm = 0.1;

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<double> ParseMm(std::string_view s) {
    s = Trim(s);
    double value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !(value >= 0) ||
        value > 1000) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseCount(std::string_view s) {
    s = Trim(s);
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || value < 1 ||
        value > kMaxGrid) {
        return std::nullopt;
    }
    return value;
}

// Why `fields` is not a sheet, or "" when it is one (then stored in `sheet`).
std::string SheetProblem(const std::vector<std::string_view>& fields, LabelSheet& sheet) {
    if (fields.size() != 9) {
        return "9 fields expected (name,cols,rows,width,height,left,top,pitch_x,pitch_y), " +
               std::to_string(fields.size()) + " found";
    }
    sheet.name = std::string(Trim(fields[0]));
    if (sheet.name.empty()) {
        return "the name is empty";
    }
    auto cols = ParseCount(fields[1]);
    auto rows = ParseCount(fields[2]);
    if (!cols || !rows) {
        return "columns and rows must be whole numbers from 1 to " + std::to_string(kMaxGrid);
    }
    sheet.cols = *cols;
    sheet.rows = *rows;
    double* lengths[] = {&sheet.width, &sheet.height,  &sheet.left,
                         &sheet.top,   &sheet.pitch_x, &sheet.pitch_y};
    for (std::size_t i = 0; i < 6; ++i) {
        auto mm = ParseMm(fields[i + 3]);
        if (!mm) {
            return "field " + std::to_string(i + 4) + " is not a length in millimetres";
        }
        *lengths[i] = *mm;
    }
    if (sheet.width <= 0 || sheet.height <= 0) {
        return "the label size must be above 0";
    }
    if ((sheet.cols > 1 && sheet.pitch_x < sheet.width) ||
        (sheet.rows > 1 && sheet.pitch_y < sheet.height)) {
        return "the pitch is smaller than the label, so labels overlap";
    }
    if (sheet.LabelX(sheet.cols - 1) + sheet.width > kA4WidthMm + kEdgeSlackMm ||
        sheet.LabelY(sheet.count() - 1) + sheet.height > kA4HeightMm + kEdgeSlackMm) {
        return "the labels run off the A4 page (210 x 297 mm)";
    }
    return {};
}

} // namespace

const LabelSheet* LabelSheetList::Find(std::string_view name) const {
    for (const LabelSheet& sheet : sheets) {
        if (sheet.name == name) {
            return &sheet;
        }
    }
    return nullptr;
}

const std::string& DefaultLabelSheetName() {
    return "A4 12面"_sj;
}

LabelSheetList ReadLabelSheets(std::istream& in, const std::string& file_name) {
    LabelSheetList list;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string_view text = Trim(line);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        LabelSheet sheet;
        std::string problem = SheetProblem(SplitFields(text), sheet);
        if (problem.empty() && list.Find(sheet.name)) {
            problem = "a sheet of this name is already listed";
        }
        if (!problem.empty()) {
            list.problems.push_back(file_name + ":" + std::to_string(number) + ": " + problem);
            continue;
        }
        list.sheets.push_back(std::move(sheet));
    }
    return list;
}

LabelSheetList LoadLabelSheets(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        LabelSheetList list;
        list.problems.push_back(path + ": cannot be read");
        return list;
    }
    return ReadLabelSheets(in, path);
}

} // namespace hanamori
