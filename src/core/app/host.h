#pragma once
// How the core reaches the person using the program: message boxes, questions, the
// clipboard and opening pages. The desktop program implements it with dialogs; the
// CLI writes to standard error; tests script the answers.

#include "core/text/cp932.h"

#include <string>

namespace hanamori {

enum class MessageIcon { None, Stop, Exclamation, Information };
enum class Answer { Yes, No, Cancel };
// The answers to saving over a file that another program changed.
enum class OverwriteAnswer { Overwrite, Reload, Cancel };

class Host {
public:
    virtual ~Host() = default;
    // Shows a message (CP932 text) and waits until it is acknowledged.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // The same for a message in UTF-8, which may name characters CP932 cannot hold.
    // Hosts that show CP932 only show it without them.
    virtual void ShowUtf8Message(const std::string& utf8, MessageIcon icon) {
        ShowMessage(Utf8ToCp932Lossy(utf8), icon);
    }
    // Asks a Yes/No/Cancel question (CP932 text).
    virtual Answer AskYesNoCancel(const std::string& text, MessageIcon icon) = 0;
    // Asks a Yes/No question; No is the answer when it is dismissed.
    virtual bool AskYesNo(const std::string& text, MessageIcon icon) = 0;
    // Asks an OK/Cancel question; true for OK. Hosts without such a box answer it as
    // a Yes/No question.
    virtual bool AskOkCancel(const std::string& text, MessageIcon icon) {
        return AskYesNo(text, icon);
    }
    // Asks whether to save over a file another program changed: 上書き, 読み込み直す
    // (take the file as it is now) or キャンセル, which is the default and the answer when
    // the box is dismissed. Hosts without such a box ask it as a Yes/No question, Yes
    // to overwrite.
    virtual OverwriteAnswer AskOverwrite(const std::string& text, MessageIcon icon) {
        return AskYesNo(text, icon) ? OverwriteAnswer::Overwrite : OverwriteAnswer::Cancel;
    }
    // Asks whether to try a failed save again (true) or to quit without saving (false,
    // also when it is dismissed). Hosts without such a box ask it as a Yes/No question.
    virtual bool AskRetryOrQuitWithoutSaving(const std::string& text, MessageIcon icon) {
        return AskYesNo(text, icon);
    }
    // Puts plain text (CP932) on the clipboard; false when the clipboard did not take it.
    virtual bool SetClipboardText(const std::string& text) = 0;
    // Opens a local file path or a web address in the user's browser.
    virtual void OpenPage(const std::string& path_or_url) = 0;
};

// A host that says nothing and answers No: for code paths that run unattended.
class SilentHost : public Host {
public:
    void ShowMessage(const std::string&, MessageIcon) override {}
    Answer AskYesNoCancel(const std::string&, MessageIcon) override { return Answer::No; }
    bool AskYesNo(const std::string&, MessageIcon) override { return false; }
    bool SetClipboardText(const std::string&) override { return false; }
    void OpenPage(const std::string&) override {}
};

} // namespace hanamori
