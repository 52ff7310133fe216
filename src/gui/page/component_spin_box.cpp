#include "gui/page/component_spin_box.h"

#include "core/page/html_tags.h"

namespace hanamori {

ComponentSpinBox::ComponentSpinBox(QWidget* parent) : QSpinBox(parent) {
    setRange(0, 255);
    setKeyboardTracking(true);
}

QValidator::State ComponentSpinBox::validate(QString& text, int&) const {
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return QValidator::Invalid;
        }
    }
    return text.size() <= 9 ? QValidator::Acceptable : QValidator::Invalid;
}

int ComponentSpinBox::valueFromText(const QString& text) const {
    return ColorComponent(text.toStdString());
}

void ComponentSpinBox::fixup(QString&) const {
    // A typed number stays as typed; it counts modulo 256.
}

} // namespace hanamori
