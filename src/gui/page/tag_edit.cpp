#include "gui/page/tag_edit.h"

#include "core/app/host.h"
#include "core/page/html_tags.h"
#include "gui/page/tag_dialogs.h"
#include "gui/widgets/qt_text.h"

#include <QTextCursor>

namespace hanamori {
namespace {

// The selection of a field as text, and the replacement of it.
struct Selection {
    QString text;
    int start = 0;
    int end = 0;
    bool empty = true;
};

Selection SelectionOf(QWidget* field) {
    Selection s;
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        s.text = line->selectedText();
        s.empty = !line->hasSelectedText();
        s.start = s.empty ? line->cursorPosition() : line->selectionStart();
        s.end = s.start + static_cast<int>(s.text.size());
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        QTextCursor c = plain->textCursor();
        // Taken from the plain text, so line breaks stay line breaks.
        s.text =
            plain->toPlainText().mid(c.selectionStart(), c.selectionEnd() - c.selectionStart());
        s.empty = !c.hasSelection();
        s.start = c.selectionStart();
        s.end = c.selectionEnd();
    }
    return s;
}

// Replaces the selection the command started with (a dialog in between may have
// moved it) as one undo step; the caret ends after the text.
void ReplaceSelection(QWidget* field, const Selection& s, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setSelection(s.start, s.end - s.start);
        line->insert(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        QTextCursor c = plain->textCursor();
        c.setPosition(s.start);
        c.setPosition(s.end, QTextCursor::KeepAnchor);
        c.insertText(text);
        plain->setTextCursor(c);
    }
}

std::string TagFor(TagCommand command, const std::string& selected, Host& host, QWidget* field,
                   bool& cancelled) {
    TagDialogs& dialogs = CurrentTagDialogs();
    cancelled = false;
    switch (command) {
    case TagCommand::Bold:
    case TagCommand::Italic:
    case TagCommand::Center:
        return WrapTag(command, selected);
    case TagCommand::Font:
        if (auto font = dialogs.AskFont(host, field->window())) {
            return FontTag(font->size, font->color, selected);
        }
        break;
    case TagCommand::Link:
        if (auto link = dialogs.AskLink(host, field->window())) {
            return LinkTag(link->url, link->target, selected);
        }
        break;
    case TagCommand::Image:
        if (auto image = dialogs.AskImage(host, field->window())) {
            return ImageTag(image->url, image->width, image->height, image->border);
        }
        break;
    }
    cancelled = true;
    return {};
}

} // namespace

bool RunTagCommand(QWidget* field, int number, Host& host) {
    TagCommand command{};
    if (!field || !TagCommandFromNumber(number, command)) {
        return false;
    }
    Selection selection = SelectionOf(field);
    if (NeedsSelection(command) && selection.empty) {
        host.ShowMessage(NoSelectionMessage(command), MessageIcon::Information);
        return false;
    }
    bool cancelled = false;
    std::string tag = TagFor(command, ToCp932Lossy(selection.text), host, field, cancelled);
    if (cancelled) {
        return false;
    }
    field->setFocus();
    ReplaceSelection(field, selection, ToQt(tag));
    return true;
}

bool TagLineEdit::runTagCommand(int number) {
    return m_host && RunTagCommand(this, number, *m_host);
}

bool TagTextEdit::runTagCommand(int number) {
    return m_host && RunTagCommand(this, number, *m_host);
}

} // namespace hanamori
