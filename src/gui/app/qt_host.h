#pragma once
// The host of the desktop program: message boxes, questions, the clipboard and opening
// pages with the desktop's default handler.

#include "core/app/host.h"

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
    Answer AskYesNoCancel(const std::string& text, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, MessageIcon icon) override;
    bool AskOkCancel(const std::string& text, MessageIcon icon) override;
    void SetClipboardText(const std::string& text) override;
    void OpenPage(const std::string& path_or_url) override;

private:
    QWidget* m_parent = nullptr;
};

// The address QDesktopServices opens for a local path or a web address (CP932).
QString PageAddress(const std::string& path_or_url);

} // namespace hanamori
