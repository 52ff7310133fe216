#pragma once
// Two small arrow buttons that step the number in a buddy edit within a range, the way
// an up-down control beside an edit does: the edit stays an ordinary text field.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace hanamori {

class UpDownControl final : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy) { m_buddy = buddy; }
    void SetRange(int minimum, int maximum);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    // Steps the buddy's number by `delta`, held within the range.
    void Step(int delta);

private:
    QLineEdit* m_buddy = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_min = 0;
    int m_max = 100;
};

} // namespace hanamori
