#include "gui/widgets/edit_routing.h"

#include <QAbstractScrollArea>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>
#include <QVariant>

namespace hanamori {

int ControlId(const QWidget* widget) {
    return widget ? widget->property("controlId").toInt() : 0;
}

void SetControlId(QWidget* widget, int id) {
    widget->setProperty("controlId", id);
}

bool EditCommandEnabled(EditCommand command, int id) {
    switch (command) {
    case EditCommand::Undo:
    case EditCommand::Cut:
    case EditCommand::Copy:
    case EditCommand::Paste:
        return id >= kTextFieldFirstId && id <= kFieldLastId;
    default:
        return id >= kTagFieldFirstId && id <= kFieldLastId;
    }
}

QWidget* EditTargetFor(QWidget* focus) {
    if (!focus || ControlId(focus) != 0) {
        return focus;
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(focus->parentWidget())) {
        if (area->viewport() == focus) {
            return area;
        }
    }
    return focus;
}

bool DecidesEditTarget(const QWidget* widget, const QWidget* window) {
    if (!widget || !window || widget->window() != window) {
        return false;
    }
    for (const QWidget* w = widget; w && w != window; w = w->parentWidget()) {
        if (qobject_cast<const QMenuBar*>(w) || qobject_cast<const QMenu*>(w) ||
            qobject_cast<const QToolBar*>(w)) {
            return false;
        }
    }
    return true;
}

namespace {
template <typename Edit> void RunStandard(Edit* edit, EditCommand command) {
    switch (command) {
    case EditCommand::Undo:
        edit->undo();
        break;
    case EditCommand::SelectAll:
        edit->selectAll();
        break;
    case EditCommand::Cut:
        edit->cut();
        break;
    case EditCommand::Copy:
        edit->copy();
        break;
    case EditCommand::Paste:
        edit->paste();
        break;
    default:
        break;
    }
}

bool IsTagCommand(EditCommand command) {
    return command != EditCommand::Undo && command != EditCommand::SelectAll &&
           command != EditCommand::Cut && command != EditCommand::Copy &&
           command != EditCommand::Paste;
}
} // namespace

bool RouteEditCommand(EditCommand command, QWidget* target) {
    if (!target || !EditCommandEnabled(command, ControlId(target))) {
        return false;
    }
    if (IsTagCommand(command)) {
        // The tag-aware fields carry these out themselves; any other field in the
        // tag range (the header's name) has nothing to do.
        if (target->metaObject()->indexOfMethod("runTagCommand(int)") < 0) {
            return false;
        }
        return QMetaObject::invokeMethod(target, "runTagCommand",
                                         Q_ARG(int, CommandNumber(command)));
    }
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        RunStandard(line, command);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
        RunStandard(plain, command);
    } else if (auto* rich = qobject_cast<QTextEdit*>(target)) {
        RunStandard(rich, command);
    } else {
        return false;
    }
    return true;
}

int CommandNumber(EditCommand command) {
    switch (command) {
    case EditCommand::Undo:
        return 57643;
    case EditCommand::SelectAll:
        return 57642;
    case EditCommand::Cut:
        return 57635;
    case EditCommand::Copy:
        return 57634;
    case EditCommand::Paste:
        return 57637;
    case EditCommand::Bold:
        return 35002;
    case EditCommand::Italic:
        return 35003;
    case EditCommand::Font:
        return 35001;
    case EditCommand::Center:
        return 35005;
    case EditCommand::Link:
        return 35000;
    case EditCommand::Image:
        return 35004;
    }
    return 0;
}

} // namespace hanamori
