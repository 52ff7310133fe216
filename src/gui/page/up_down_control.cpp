#include "gui/page/up_down_control.h"

#include "core/page/html_tags.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace hanamori {

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAccessibleName(QStringLiteral("増やす"));
    m_down->setAccessibleName(QStringLiteral("減らす"));
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
        layout->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void UpDownControl::SetRange(int minimum, int maximum) {
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
}

void UpDownControl::Step(int delta) {
    if (!m_buddy) {
        return;
    }
    std::string text = m_buddy->text().toStdString();
    // An empty field counts as nothing yet: its first step lands on the lowest value.
    long long value = IsAsciiDigits(text) && !text.empty() ? DigitsValue(text) : 0;
    value = std::clamp<long long>(value + delta, m_min, m_max);
    m_buddy->setText(QString::number(value));
}

} // namespace hanamori
