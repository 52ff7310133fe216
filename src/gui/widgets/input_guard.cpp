#include "gui/widgets/input_guard.h"

#include "core/app/host.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <QValidator>

#include <algorithm>
#include <memory>
#include <utility>

namespace hanamori {
namespace {

// How long the status bar keeps a note.
constexpr int kNoteMs = 5000;

// Tells the seller what an insertion could not take.
void Report(QWidget* field, Host& host, const TakenInput& taken, const FieldInput& input) {
    if (!taken.refused.empty()) {
        host.ShowUtf8Message(UnencodableMessage(taken.refused), MessageIcon::Exclamation);
    }
    if (taken.cut) {
        ShowFieldNote(field, QString::fromStdString(CapacityNote(input.max_bytes)));
    }
}

// The bytes left in a field of `input` whose other text is `rest`.
std::size_t Room(const FieldInput& input, const QString& rest) {
    if (input.max_bytes == kNoCapacity) {
        return kNoCapacity;
    }
    const std::size_t used = StoredBytes(rest.toStdString());
    return used < input.max_bytes ? input.max_bytes - used : 0;
}

// A one-line field's guard. Qt hands the validator the text an edit would leave, before
// anything sees it, and takes back what the validator makes of it; the part the edit put
// in is what differs from the text the field held before.
class InputValidator final : public QValidator {
public:
    InputValidator(QLineEdit* edit, Host& host, FieldInput input)
        : QValidator(edit), m_edit(edit), m_host(host), m_input(input), m_held(edit->text()) {
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_held = text; });
        connect(edit, &QLineEdit::textEdited, this, [this] {
            TakenInput taken = std::exchange(m_taken, {});
            Report(m_edit, m_host, taken, m_input);
        });
    }

    State validate(QString& text, int& pos) const override {
        // setText() validates too, but leaves the field unmodified: a text the program
        // shows is shown as it is.
        if (!m_edit->isModified()) {
            return Acceptable;
        }
        qsizetype head = 0;
        const qsizetype shorter = std::min(text.size(), m_held.size());
        while (head < shorter && text[head] == m_held[head]) {
            ++head;
        }
        qsizetype tail = 0;
        while (tail < shorter - head &&
               text[text.size() - 1 - tail] == m_held[m_held.size() - 1 - tail]) {
            ++tail;
        }
        // Never between the halves of a surrogate pair.
        if (head > 0 && text[head - 1].isHighSurrogate()) {
            --head;
        }
        if (tail > 0 && text[text.size() - tail].isLowSurrogate()) {
            --tail;
        }
        const QString inserted = text.mid(head, text.size() - tail - head);
        if (inserted.isEmpty()) {
            return Acceptable;
        }
        const QString rest = text.left(head) + text.right(tail);
        TakenInput taken = TakeInput(inserted.toStdString(), Room(m_input, rest), m_input);
        const QString kept = QString::fromStdString(taken.text);
        if (kept != inserted) {
            text = text.left(head) + kept + text.right(tail);
            pos = static_cast<int>(head + kept.size());
            m_taken = std::move(taken);
        }
        return Acceptable;
    }

private:
    QLineEdit* m_edit;
    Host& m_host;
    FieldInput m_input;
    QString m_held;             // the text before the edit being validated
    mutable TakenInput m_taken; // what the last edit could not take, told once it is done
};

} // namespace

void GuardCp932Input(QLineEdit* edit, Host& host, FieldInput input) {
    edit->setValidator(new InputValidator(edit, host, input));
}

void GuardCp932Input(QPlainTextEdit* edit, Host& host, FieldInput input) {
    QPointer<QPlainTextEdit> guarded(edit);
    auto busy = std::make_shared<bool>(false);
    QObject::connect(edit->document(), &QTextDocument::contentsChange, edit,
                     [guarded, &host, input, busy](int pos, int, int added) {
                         if (!guarded || added <= 0 || *busy) {
                             return;
                         }
                         QTextDocument* doc = guarded->document();
                         // setPlainText() changes the text with undo turned off: a text the program
                         // shows is shown as it is.
                         if (!doc->isUndoRedoEnabled()) {
                             return;
                         }
                         // The count may take in the document's closing separator.
                         const int end = std::min(pos + added, doc->characterCount() - 1);
                         if (end <= pos) {
                             return;
                         }
                         QTextCursor cursor(doc);
                         cursor.setPosition(pos);
                         cursor.setPosition(end, QTextCursor::KeepAnchor);
                         // Line breaks come back as paragraph separators.
                         QString inserted = cursor.selectedText();
                         inserted.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
                         inserted.replace(QChar::LineSeparator, QLatin1Char('\n'));
                         std::size_t room = kNoCapacity;
                         if (input.max_bytes != kNoCapacity) {
                             QString all = doc->toPlainText();
                             room = Room(input, all.remove(pos, end - pos));
                         }
                         const TakenInput taken = TakeInput(inserted.toStdString(), room, input);
                         const QString kept = QString::fromStdString(taken.text);
                         if (kept == inserted) {
                             return;
                         }
                         *busy = true;
                         cursor.insertText(kept);
                         *busy = false;
                         Report(guarded, host, taken, input);
                     });
}

void ShowFieldNote(QWidget* field, const QString& note) {
    for (QWidget* w = field; w; w = w->parentWidget()) {
        if (auto* window = qobject_cast<QMainWindow*>(w)) {
            window->statusBar()->showMessage(note, kNoteMs);
            return;
        }
    }
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), note, field);
}

} // namespace hanamori
