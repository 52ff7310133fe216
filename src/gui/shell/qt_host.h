#pragma once
// The host of the desktop program: message boxes, questions, the clipboard and opening
// pages with the desktop's default handler.

#include "core/app/host.h"

#include <QMessageBox>
#include <QString>

class QWidget;

namespace hanamori {

// Message boxes with the application title, the system clipboard, the desktop's
// default handler for pages.
class QtHost final : public Host {
public:
    // Message boxes are centred on `parent` when it is set.
    void SetParentWidget(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ShowUtf8Message(const std::string& utf8, MessageIcon icon) override;
    Answer AskYesNoCancel(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, MessageIcon icon) override;
    bool AskOkCancel(const std::string& text, MessageIcon icon) override;
    OverwriteAnswer AskOverwrite(const std::string& text, MessageIcon icon) override;
    bool AskRetryOrQuitWithoutSaving(const std::string& text, MessageIcon icon) override;
    bool SetClipboardText(const std::string& text) override;
    void OpenPage(const std::string& path_or_url) override;

private:
    QWidget* m_parent = nullptr;
};

// A message box with the application title, the icon and the buttons named in
// Japanese; the caller runs or shows it.
QMessageBox* NewMessageBox(QWidget* parent, const std::string& text, MessageIcon icon,
                           QMessageBox::StandardButtons buttons);

// The question before saving over another program's change: 上書き (overwriteButton),
// 読み込み直す (reloadButton) and キャンセル, the default and the escape button.
QMessageBox* NewOverwriteBox(QWidget* parent, const std::string& text, MessageIcon icon);

// The address QDesktopServices opens for a local path or a web address (CP932).
QString PageAddress(const std::string& path_or_url);

} // namespace hanamori
