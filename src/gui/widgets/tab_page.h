#pragma once
// The common side of the three tab pages: filling from and storing into the listing,
// and the change notices their controls send on to the view.

#include "gui/widgets/field_binding.h"

#include <QHash>
#include <QWidget>

#include <span>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;

namespace hanamori {

class Host;
struct SaleMaster;

class TabPage : public QWidget {
    Q_OBJECT
public:
    explicit TabPage(Host& host, QWidget* parent = nullptr);

    // Fills the controls from the listing; reports no changes while doing so.
    virtual void ShowListing(SaleMaster& listing) = 0;
    // Stores the controls into the listing.
    virtual void StoreListing(SaleMaster& listing) = 0;
    // Refills the bidder selector and shows the selected bidder (pages that have one).
    virtual void ShowBidders(SaleMaster& listing) {}

    // The edit context menu shared by the pages' text fields.
    void SetContextMenu(QMenu* menu) { m_contextMenu = menu; }
    QMenu* contextMenu() const { return m_contextMenu; }

signals:
    // A control with field code `code` changed; `kind` as in ChangeKind.
    void fieldChanged(int kind, int code);
    // A text field with field code `code` lost the focus.
    void fieldLeft(int code);
    // The page changed the listing by a command of its own (a bidder registered or
    // removed): the listing is modified.
    void listingEdited();

protected:
    // A page that builds its controls only when it is first shown does so here; the
    // page calls it too before any work that needs them. The product page is built at
    // once and keeps this empty.
    virtual void EnsureBuilt() {}
    void showEvent(QShowEvent* event) override;
    // Wires a control: its control identifier, its field code, its change notices and,
    // for text fields, the shared context menu and the guard against what cannot be
    // stored (`input`: the field's capacity, and whether it takes a number).
    void WireField(QLineEdit* edit, int control_id, int code, FieldInput input = {});
    void WireField(QPlainTextEdit* edit, int control_id, int code, FieldInput input = {});
    void WireField(QComboBox* combo, int control_id, int code);
    void WireField(QAbstractButton* button, int control_id, int code);
    // Wires every field of a binding table that has a control identifier or a field
    // code, and gives those with abilities of their own their context menu's items.
    template <typename Record> void WireFields(std::span<const BoundField<Record>> fields) {
        for (const BoundField<Record>& f : fields) {
            WireBoundField(f.widget, f.control_id, f.code, f.abilities, InputOf(f.shape, f.limit));
        }
    }

    Host& host() { return m_host; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireBoundField(QWidget* widget, int control_id, int code, int abilities, FieldInput input);
    void Report(int kind, int code);
    void AttachContextMenu(QWidget* field);

    Host& m_host;
    QMenu* m_contextMenu = nullptr;
    QHash<const QObject*, int> m_codes; // the field code of each wired control
};

// Abilities of a text field's context menu (its property "editAbilities"): the
// clipboard items, the tag items. 全て選択 is always offered. A field without the
// property shows the menu as the 編集 menu stands.
inline constexpr int kEditAbilityClipboard = 1;
inline constexpr int kEditAbilityTags = 2;
// Enables the items of the edit menu `menu` for a field with these abilities.
void ApplyEditAbilities(QMenu* menu, int abilities);

// Turns the change notices off for as long as it lives (filling controls from data).
class ChangeNotifyPause {
public:
    ChangeNotifyPause();
    ~ChangeNotifyPause();
    ChangeNotifyPause(const ChangeNotifyPause&) = delete;
    ChangeNotifyPause& operator=(const ChangeNotifyPause&) = delete;

private:
    bool m_was_on;
};

} // namespace hanamori
