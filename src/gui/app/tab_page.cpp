#include "gui/app/tab_page.h"

#include "core/app/helpers.h"
#include "gui/app/edit_routing.h"
#include "gui/app/field_codes.h"
#include "gui/app/qt_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace hanamori {

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
        m_contextMenu->exec(anchor->mapToGlobal(pos));
    });
}

void TabPage::WireField(QLineEdit* edit, int control_id, int code) {
    SetControlId(edit, control_id);
    edit->setProperty("fieldCode", code);
    connect(edit, &QLineEdit::textChanged, this, [this, code] { Report(kChangeText, code); });
    edit->installEventFilter(this);
    GuardCp932Input(edit, m_host);
    AttachContextMenu(edit);
}

void TabPage::WireField(QPlainTextEdit* edit, int control_id, int code) {
    SetControlId(edit, control_id);
    edit->setProperty("fieldCode", code);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, code] { Report(kChangeText, code); });
    edit->installEventFilter(this);
    GuardCp932Input(edit, m_host);
    AttachContextMenu(edit);
}

void TabPage::WireField(QComboBox* combo, int control_id, int code) {
    SetControlId(combo, control_id);
    combo->setProperty("fieldCode", code);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, code] { Report(kChangeSelection, code); });
}

void TabPage::WireField(QAbstractButton* button, int control_id, int code) {
    SetControlId(button, control_id);
    button->setProperty("fieldCode", code);
    connect(button, &QAbstractButton::clicked, this, [this, code] { Report(kChangeClick, code); });
}

bool TabPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && ChangeNotifyEnabled()) {
        emit fieldLeft(watched->property("fieldCode").toInt());
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
