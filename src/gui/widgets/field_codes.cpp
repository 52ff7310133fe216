#include "gui/widgets/field_codes.h"

namespace hanamori {

bool FieldCodeMarksModified(int code) {
    struct Range {
        int first, last;
    };
    static constexpr Range kCounted[] = {{1, 10},  {12, 16}, {18, 46},   {49, 79},
                                         {89, 89}, {92, 96}, {109, 109}, {111, 121}};
    for (const Range& r : kCounted) {
        if (code >= r.first && code <= r.last) {
            return true;
        }
    }
    return false;
}

bool ChangeMarksModified(int kind, int code) {
    if (kind < kChangeText || kind > kChangeSelection) {
        return false;
    }
    return FieldCodeMarksModified(code);
}

} // namespace hanamori
