#pragma once
// The label sheets a seller prints addresses on: the shipped list of A4 sheets
// (LabelData/sheets.csv), which the seller can extend with lines of their own.

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

inline constexpr double kA4WidthMm = 210.0;
inline constexpr double kA4HeightMm = 297.0;

// One sheet: its labels in a grid, every length in millimetres from the sheet's
// top-left corner. The pitch runs from one label's left (top) edge to the next one's.
struct LabelSheet {
    std::string name; // CP932
    int cols = 1;
    int rows = 1;
    double width = 0;
    double height = 0;
    double left = 0;
    double top = 0;
    double pitch_x = 0;
    double pitch_y = 0;

    int count() const { return cols * rows; }
    // The top-left corner of label `index` (0 = top left, counted row by row).
    double LabelX(int index) const { return left + (index % cols) * pitch_x; }
    double LabelY(int index) const { return top + (index / cols) * pitch_y; }
};

struct LabelSheetList {
    std::vector<LabelSheet> sheets;
    // One line per line of the file that was left out, "FILE:LINE: why" (UTF-8), and
    // a file that could not be read at all as "FILE: cannot be read".
    std::vector<std::string> problems;

    // The sheet of that name (CP932, exact), or nullptr.
    const LabelSheet* Find(std::string_view name) const;
};

// The sheet list's place in the installation directory.
inline constexpr const char* kLabelSheetsFile = "LabelData/sheets.csv";
// The sheet used when none is chosen: "A4 12面" (CP932).
const std::string& DefaultLabelSheetName();

// Reads a sheet list: "name,cols,rows,width,height,left,top,pitch_x,pitch_y" per line,
// lines starting with # and empty lines skipped. A line that is not such a sheet (a
// missing or extra field, a number that is not one, a grid that leaves the A4 page,
// a name already used) is left out and named in `problems` with `file_name` and its
// line number; the other sheets stay usable.
LabelSheetList ReadLabelSheets(std::istream& in, const std::string& file_name);
LabelSheetList LoadLabelSheets(const std::string& path);

} // namespace hanamori
