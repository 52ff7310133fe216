#include "core/page/color_list.h"

#include "core/app/atomic_file.h"
#include "core/text/cp932.h"

#include <array>

namespace hanamori {
namespace {

// One line without its CR LF; false when it has fewer than four commas.
bool ParseLine(std::string_view line, ColorSet& set) {
    std::array<std::string_view, 5> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            return false;
        }
        fields[i] = line.substr(start, comma - start);
        start = comma + 1;
    }
    fields[4] = line.substr(start);
    set.name = FitField(fields[0], kColorNameCapacity);
    set.color1 = std::string(fields[1].substr(0, kColorValueLength));
    set.color2 = std::string(fields[2].substr(0, kColorValueLength));
    set.color3 = std::string(fields[3].substr(0, kColorValueLength));
    set.color4 = std::string(fields[4].substr(0, kColorValueLength));
    return true;
}

} // namespace

bool ParseColorList(std::string_view bytes, ColorList& list) {
    list.Clear();
    std::size_t start = 0;
    while (true) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string_view::npos) {
            break; // text after the last CR LF is not a line
        }
        ColorSet set;
        if (!ParseLine(bytes.substr(start, end - start), set)) {
            list.Clear();
            return false;
        }
        list.Append(std::move(set));
        start = end + 2;
    }
    return true;
}

bool LoadColorList(ColorList& list, const std::string& template_dir) {
    list.Clear();
    std::string bytes;
    if (!ReadWholeFile(template_dir + "/" + kColorListFileName, bytes)) {
        return false;
    }
    return ParseColorList(bytes, list);
}

int FindColorSet(const ColorList& list, std::string_view name) {
    for (int i = 0; i < list.count(); ++i) {
        if (list[static_cast<std::size_t>(i)].name == name) {
            return i;
        }
    }
    return -1;
}

} // namespace hanamori
