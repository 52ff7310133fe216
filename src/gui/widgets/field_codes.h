#pragma once
// Which reported changes of the tab pages' controls mark the listing modified.

namespace hanamori {

// Kinds of change notice a control sends: a text change, a click, a selection in a
// second kind of list, a selection in a drop-down list.
enum ChangeKind { kChangeText = 0, kChangeClick = 1, kChangeList = 2, kChangeSelection = 3 };

// A run of field codes, both ends included.
struct FieldCodeRange {
    int first, last;
    constexpr bool Holds(int code) const { return code >= first && code <= last; }
};

// The field codes each tab page gives its controls.
inline constexpr FieldCodeRange kProductPageCodes{1, 46};
inline constexpr FieldCodeRange kBidderPageCodes{47, 78};
inline constexpr FieldCodeRange kMailPageCodes{79, 122};

// Codes of fields that only show what the program computed or read, or choose which
// bidder is shown: their changes edit nothing that is stored.
inline constexpr FieldCodeRange kShowOnlyCodes[] = {{11, 11}, {17, 17},  {47, 48},   {80, 88},
                                                    {90, 91}, {97, 108}, {110, 110}, {122, 122}};

// True for the field codes of controls that edit stored data: a code of a tab page that
// is not show-only. Codes below 1 and above the pages' do not count.
bool FieldCodeMarksModified(int code);

// True when a change notice of this kind and code marks the listing modified.
bool ChangeMarksModified(int kind, int code);

} // namespace hanamori
