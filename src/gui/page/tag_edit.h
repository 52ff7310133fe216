#pragma once
// Text fields that take the six tag commands (bold, italic, font, centre, link, image)
// from the context menu and the 編集 menu. The one-line and the multi-line kind share
// the command; the routing finds it as the slot runTagCommand(int).

#include <QLineEdit>
#include <QPlainTextEdit>

namespace hanamori {

class Host;

// Runs tag command `number` (35000-35005) on `field` (a QLineEdit or QPlainTextEdit):
// asks the dialog the command needs, then replaces the selection with the tag as one
// undo step. A wrapping command without a selection shows its message and changes
// nothing. False when nothing was inserted.
bool RunTagCommand(QWidget* field, int number, Host& host);

class TagLineEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit TagLineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
    void SetHost(Host* host) { m_host = host; }
    Q_INVOKABLE bool runTagCommand(int number);

private:
    Host* m_host = nullptr;
};

class TagTextEdit final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TagTextEdit(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}
    void SetHost(Host* host) { m_host = host; }
    Q_INVOKABLE bool runTagCommand(int number);

private:
    Host* m_host = nullptr;
};

} // namespace hanamori
