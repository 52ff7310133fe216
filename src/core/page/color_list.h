#pragma once
// The colour sets a page can be coloured with, read from "template/color.lst".
//
// The file holds one set per line, each line ending in CR LF:
//     name,color1,color2,color3,color4
// Text after the last CR LF is ignored. A line is cut at its first four commas (the
// last field may hold more commas); each colour keeps its first 7 bytes and nothing is
// trimmed. A line with fewer than four commas spoils the whole file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

// Capacity of a colour-set name, terminator included (longer names are cut).
inline constexpr std::size_t kColorNameCapacity = 256;
// Bytes kept of each colour field.
inline constexpr std::size_t kColorValueLength = 7;

struct ColorSet {
    std::string name;
    std::string color1;
    std::string color2;
    std::string color3;
    std::string color4;
};

// The colour sets in file order; duplicates allowed, look-ups find the first.
class ColorList {
public:
    int count() const { return static_cast<int>(m_sets.size()); }
    bool empty() const { return m_sets.empty(); }
    const ColorSet& operator[](std::size_t i) const { return m_sets[i]; }
    const std::vector<ColorSet>& sets() const { return m_sets; }
    void Append(ColorSet set) { m_sets.push_back(std::move(set)); }
    void Clear() { m_sets.clear(); }

private:
    std::vector<ColorSet> m_sets;
};

// The name of the colour list file inside the template directory.
inline constexpr const char* kColorListFileName = "color.lst";

// Parses the bytes of a colour list into `list` (emptied first). False on a malformed
// line, and then the list is empty; a text without any CR LF gives an empty list and
// true.
bool ParseColorList(std::string_view bytes, ColorList& list);

// Replaces `list` with the sets of "<template_dir>/color.lst". The file is opened for
// reading only. False, with an empty list, when it cannot be read or is malformed.
bool LoadColorList(ColorList& list, const std::string& template_dir);

// Index of the first set whose name equals `name` exactly, or -1 (also for an empty list).
int FindColorSet(const ColorList& list, std::string_view name);

} // namespace hanamori
