#pragma once
// Which reported changes of the tab pages' controls mark the listing modified.

namespace hanamori {

// Kinds of change notice a control sends: a text change, a click, a selection in a
// second kind of list, a selection in a drop-down list.
enum ChangeKind { kChangeText = 0, kChangeClick = 1, kChangeList = 2, kChangeSelection = 3 };

// True for the field codes of controls that edit stored data. Codes of fields that
// only show computed values or choose which bidder is shown (11, 17, 47, 48, 80-88,
// 90, 91, 97-108, 110, above 121) and codes below 1 do not count.
bool FieldCodeMarksModified(int code);

// True when a change notice of this kind and code marks the listing modified.
bool ChangeMarksModified(int kind, int code);

} // namespace hanamori
