#include "gui/widgets/qt_text.h"

#include "core/app/host.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>

namespace hanamori {

QString ToQt(const std::string& cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::optional<std::string> ToCp932(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

std::string ToCp932Lossy(const QString& text) {
    return Utf8ToCp932Lossy(text.toStdString());
}

QString FirstUnencodable(const QString& text) {
    return QString::fromStdString(FirstUnencodableChar(text.toStdString()));
}

std::string UnencodableMessage(const QString& character) {
    // The character itself cannot be shown in CP932, so it is named by its code point.
    uint code = character.isEmpty() ? 0 : character.toUcs4().value(0);
    return StrPrintf(
        "「U+%04X」の文字は使用できません。\nこの文字は入力できないため取り除きました。"_sj.c_str(),
        code);
}

namespace {
// Removes every character CP932 cannot hold; returns the first one removed.
QString StripUnencodable(QString& text) {
    QString first;
    QString kept;
    for (int i = 0; i < text.size();) {
        int n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString piece = text.mid(i, n);
        if (Utf8ToCp932(piece.toStdString())) {
            kept += piece;
        } else if (first.isEmpty()) {
            first = piece;
        }
        i += n;
    }
    text = kept;
    return first;
}
} // namespace

void GuardCp932Input(QLineEdit* edit, Host& host) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, &host](const QString& typed) {
        if (FirstUnencodable(typed).isEmpty()) {
            return;
        }
        QString text = typed;
        int cursor = edit->cursorPosition();
        QString bad = StripUnencodable(text);
        edit->setText(text);
        edit->setCursorPosition(std::min<int>(cursor, text.size()));
        host.ShowMessage(UnencodableMessage(bad), MessageIcon::Exclamation);
    });
}

void GuardCp932Input(QPlainTextEdit* edit, Host& host) {
    QPointer<QPlainTextEdit> guarded(edit);
    QObject::connect(edit->document(), &QTextDocument::contentsChange, edit,
                     [guarded, &host](int pos, int, int added) {
                         if (!guarded || added <= 0) {
                             return;
                         }
                         QTextDocument* doc = guarded->document();
                         // The count may take in the document's closing separator.
                         int end = std::min(pos + added, doc->characterCount() - 1);
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
                         if (FirstUnencodable(inserted).isEmpty()) {
                             return;
                         }
                         QString bad = StripUnencodable(inserted);
                         cursor.insertText(inserted);
                         host.ShowMessage(UnencodableMessage(bad), MessageIcon::Exclamation);
                     });
}

} // namespace hanamori
