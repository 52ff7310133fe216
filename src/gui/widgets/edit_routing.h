#pragma once
// The 編集 commands go to the focused text field, chosen by its control identifier:
// 5000-9999 are text fields, 6000-9999 those that also take tags and select-all.

class QWidget;

namespace hanamori {

enum class EditCommand {
    Undo,
    SelectAll,
    Cut,
    Copy,
    Paste,
    Bold,
    Italic,
    Font,
    Center,
    Link,
    Image,
};

inline constexpr int kTextFieldFirstId = 5000;
inline constexpr int kTagFieldFirstId = 6000;
inline constexpr int kFieldLastId = 9999;

// The menu command numbers of the tag commands (リンク ... センタリング).
inline constexpr int kFirstTagCommand = 35000;
inline constexpr int kLastTagCommand = 35005;

// The control identifier a widget carries (dynamic property "controlId"), or 0.
int ControlId(const QWidget* widget);
void SetControlId(QWidget* widget, int id);

// True when `command` applies to a control with identifier `id`.
bool EditCommandEnabled(EditCommand command, int id);

// The widget that should receive edit commands for the focus `focus`: the widget
// itself, or the scroll area whose viewport has the focus. May return `focus`.
QWidget* EditTargetFor(QWidget* focus);

// True when a focus on `widget` decides where the edit commands of `window` go: a
// widget of that window outside its menu bar, menus and toolbars. Opening a menu or
// pressing a toolbar button moves the focus there, and the commands must still go to
// the field that had it before.
bool DecidesEditTarget(const QWidget* widget, const QWidget* window);

// Carries out `command` on `target` when its identifier allows it; false when nothing
// was done. Tag commands go to the field's slot "runTagCommand(int)"; a field without
// one does nothing.
bool RouteEditCommand(EditCommand command, QWidget* target);

// The menu command number of an edit command (57643 for 元に戻す, ...).
int CommandNumber(EditCommand command);

} // namespace hanamori
