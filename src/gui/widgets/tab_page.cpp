#include "gui/widgets/tab_page.h"

#include "core/app/helpers.h"
#include "gui/widgets/edit_routing.h"
#include "gui/widgets/field_codes.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include <vector>

namespace hanamori {

void TabPage::showEvent(QShowEvent* event) {
    EnsureBuilt();
    QWidget::showEvent(event);
}

TabPage::TabPage(Host& host, QWidget* parent) : QWidget(parent), m_host(host) {}

void TabPage::Report(int kind, int code) {
    if (ChangeNotifyEnabled()) {
        emit fieldChanged(kind, code);
    }
}

void TabPage::AttachContextMenu(QWidget* field) {
    field->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(field, &QWidget::customContextMenuRequested, this, [this, field](const QPoint& pos) {
        if (!m_contextMenu) {
            return;
        }
        field->setFocus(Qt::MouseFocusReason);
        QWidget* anchor = field;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(field)) {
            anchor = area->viewport();
        }
        QVariant abilities = field->property("editAbilities");
        if (!abilities.isValid()) {
            m_contextMenu->exec(anchor->mapToGlobal(pos));
            return;
        }
        // A field with its own abilities decides which items its menu offers; the
        // menu's items are shared with the 編集 menu, so their state is put back after.
        std::vector<std::pair<QAction*, bool>> saved;
        for (QAction* a : m_contextMenu->actions()) {
            saved.emplace_back(a, a->isEnabled());
        }
        connect(
            m_contextMenu, &QMenu::aboutToShow, field,
            [this, bits = abilities.toInt()] { ApplyEditAbilities(m_contextMenu, bits); },
            Qt::SingleShotConnection);
        QAction* chosen = m_contextMenu->exec(anchor->mapToGlobal(pos));
        for (auto& [action, enabled] : saved) {
            action->setEnabled(enabled);
        }
        // 全て選択 is offered in every field's menu, also where the 編集 menu's
        // routing would not take it.
        if (chosen &&
            chosen->property("commandId").toInt() == CommandNumber(EditCommand::SelectAll) &&
            !EditCommandEnabled(EditCommand::SelectAll, ControlId(field))) {
            if (auto* line = qobject_cast<QLineEdit*>(field)) {
                line->selectAll();
            } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
                plain->selectAll();
            }
        }
    });
}

void ApplyEditAbilities(QMenu* menu, int abilities) {
    for (QAction* a : menu->actions()) {
        int id = a->property("commandId").toInt();
        if (id == CommandNumber(EditCommand::SelectAll)) {
            a->setEnabled(true);
        } else if (id == CommandNumber(EditCommand::Undo) ||
                   id == CommandNumber(EditCommand::Cut) ||
                   id == CommandNumber(EditCommand::Copy) ||
                   id == CommandNumber(EditCommand::Paste)) {
            a->setEnabled((abilities & kEditAbilityClipboard) != 0);
        } else if (id >= kFirstTagCommand && id <= kLastTagCommand) {
            a->setEnabled((abilities & kEditAbilityTags) != 0);
        }
    }
}

void TabPage::WireField(QLineEdit* edit, int control_id, int code, FieldInput input) {
    SetControlId(edit, control_id);
    m_codes.insert(edit, code);
    connect(edit, &QLineEdit::textChanged, this, [this, code] { Report(kChangeText, code); });
    edit->installEventFilter(this);
    GuardCp932Input(edit, m_host, input);
    AttachContextMenu(edit);
}

void TabPage::WireField(QPlainTextEdit* edit, int control_id, int code, FieldInput input) {
    SetControlId(edit, control_id);
    m_codes.insert(edit, code);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, code] { Report(kChangeText, code); });
    edit->installEventFilter(this);
    GuardCp932Input(edit, m_host, input);
    AttachContextMenu(edit);
}

void TabPage::WireField(QComboBox* combo, int control_id, int code) {
    SetControlId(combo, control_id);
    m_codes.insert(combo, code);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, code] { Report(kChangeSelection, code); });
}

void TabPage::WireField(QAbstractButton* button, int control_id, int code) {
    SetControlId(button, control_id);
    m_codes.insert(button, code);
    connect(button, &QAbstractButton::clicked, this, [this, code] { Report(kChangeClick, code); });
}

void TabPage::WireBoundField(QWidget* widget, int control_id, int code, int abilities,
                             FieldInput input) {
    if (control_id == 0 && code == 0) {
        return; // only shown
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        WireField(line, control_id, code, input);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        WireField(text, control_id, code, input);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        WireField(combo, control_id, code);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        WireField(button, control_id, code);
    }
    if (abilities != 0) {
        widget->setProperty("editAbilities", abilities);
    }
}

bool TabPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && ChangeNotifyEnabled()) {
        emit fieldLeft(m_codes.value(watched));
    }
    return QWidget::eventFilter(watched, event);
}

ChangeNotifyPause::ChangeNotifyPause() : m_was_on(ChangeNotifyEnabled()) {
    SetChangeNotify(false);
}

ChangeNotifyPause::~ChangeNotifyPause() {
    SetChangeNotify(m_was_on);
}

} // namespace hanamori
