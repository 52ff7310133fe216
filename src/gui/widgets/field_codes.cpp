#include "gui/widgets/field_codes.h"

namespace hanamori {

bool FieldCodeMarksModified(int code) {
    if (!kProductPageCodes.Holds(code) && !kBidderPageCodes.Holds(code) &&
        !kMailPageCodes.Holds(code)) {
        return false;
    }
    for (const FieldCodeRange& shown : kShowOnlyCodes) {
        if (shown.Holds(code)) {
            return false;
        }
    }
    return true;
}

bool ChangeMarksModified(int kind, int code) {
    if (kind < kChangeText || kind > kChangeSelection) {
        return false;
    }
    return FieldCodeMarksModified(code);
}

} // namespace hanamori
