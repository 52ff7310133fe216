#pragma once
// A drop-down list that sizes itself to its widest item, as a plain QComboBox does, but
// measures only the items that can be the widest. Measuring an item loads and shapes
// every glyph in it; for the prefectures that is some eighty kanji the window would
// otherwise pay for before it first shows, although only one of them is on screen.

#include <QComboBox>
#include <QSize>
#include <QStringList>

#include <vector>

namespace hanamori {

// Indices of the texts that may be the widest in any font, judged from their characters
// alone: a kanji is about one em wide in every Japanese font, kana and other full-width
// forms between half and one em, everything else between a fifth and one em. A text
// whose widest estimate falls short of another's narrowest cannot be the widest.
std::vector<int> WidestTextCandidates(const QStringList& texts);

// Items without icons; sized like QComboBox's default (adjusted to its contents until it
// is first shown).
class ListComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit ListComboBox(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ItemsChanged();

    mutable QSize m_hint;
    bool m_shown = false;
};

} // namespace hanamori
