#pragma once
// The three tag dialogs behind one interface, so that tests answer them without a
// display. Each opens fresh, modal on `parent`; nullopt when cancelled.

#include "gui/page/font_tag_dialog.h"
#include "gui/page/image_tag_dialog.h"
#include "gui/page/link_tag_dialog.h"

#include <optional>

class QWidget;

namespace hanamori {

class Host;

class TagDialogs {
public:
    virtual ~TagDialogs() = default;
    virtual std::optional<FontChoice> AskFont(Host& host, QWidget* parent) = 0;
    virtual std::optional<LinkChoice> AskLink(Host& host, QWidget* parent) = 0;
    virtual std::optional<ImageChoice> AskImage(Host& host, QWidget* parent) = 0;
};

// The real dialogs.
class QtTagDialogs final : public TagDialogs {
public:
    std::optional<FontChoice> AskFont(Host& host, QWidget* parent) override;
    std::optional<LinkChoice> AskLink(Host& host, QWidget* parent) override;
    std::optional<ImageChoice> AskImage(Host& host, QWidget* parent) override;
};

// The dialogs the tag fields use: the real ones unless a test set others (nullptr
// restores the real ones).
TagDialogs& CurrentTagDialogs();
void SetTagDialogs(TagDialogs* dialogs);

} // namespace hanamori
