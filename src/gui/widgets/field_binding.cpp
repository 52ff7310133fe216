#include "gui/widgets/field_binding.h"

#include "core/listing/bidders.h"
#include "core/page/product_form.h"
#include "core/text/cp932.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/settings_text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace hanamori {
namespace {

void SelectName(QComboBox* combo, const std::string& name, FieldShape shape) {
    int index =
        name.empty() ? -1 : combo->findText(ToQt(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && shape == FieldShape::NameOrFirst) {
        index = 0;
    }
    if (index >= 0 || shape == FieldShape::NameOrNone) {
        combo->setCurrentIndex(index);
    }
}

void SelectBound(QComboBox* combo, std::int32_t value) {
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toInt() >= value) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

} // namespace

void ShowBoundText(QWidget* widget, FieldShape shape, const std::string& value) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(ToQt(value));
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->setPlainText(MultilineToQt(value));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        SelectName(combo, value, shape);
    }
}

void ShowBoundNumber(QWidget* widget, FieldShape shape, std::int32_t value) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setChecked(ShowsTicked(shape, value));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (shape == FieldShape::Index) {
            combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
        } else {
            SelectBound(combo, value);
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        switch (shape) {
        case FieldShape::Number:
            line->setText(QString::fromStdString(FieldNumberText(value)));
            break;
        case FieldShape::Count:
            line->setText(QString::number(value <= 0 ? 1 : value));
            break;
        default:
            line->setText(QString::number(value));
            break;
        }
    }
}

void ClearBoundField(QWidget* widget) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->clear();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        text->clear();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setChecked(false);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(-1);
    }
}

std::optional<std::string> ReadBoundText(const QWidget* widget, FieldShape shape,
                                         std::size_t limit) {
    switch (shape) {
    case FieldShape::Line:
        if (auto* line = qobject_cast<const QLineEdit*>(widget)) {
            return FitField(ToCp932Lossy(line->text()), limit);
        }
        break;
    case FieldShape::Lines:
        if (auto* text = qobject_cast<const QPlainTextEdit*>(widget)) {
            return MultilineToCp932(text->toPlainText(), limit);
        }
        break;
    case FieldShape::Name:
    case FieldShape::NameOrNone:
    case FieldShape::NameOrFirst:
        if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
            return combo->currentIndex() < 0 ? std::string()
                                             : FitField(ToCp932Lossy(combo->currentText()), limit);
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<std::int32_t> ReadBoundNumber(const QWidget* widget, FieldShape shape) {
    if (shape == FieldShape::Shown) {
        return std::nullopt;
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->isChecked() ? 1 : 0;
    }
    if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
        if (shape == FieldShape::Index) {
            return combo->currentIndex() < 0 ? std::nullopt
                                             : std::optional<std::int32_t>(combo->currentIndex());
        }
        return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
    }
    auto* line = qobject_cast<const QLineEdit*>(widget);
    if (!line) {
        return std::nullopt;
    }
    switch (shape) {
    case FieldShape::Number:
    case FieldShape::Count:
        return ReadFieldNumber(line->text().toStdString());
    case FieldShape::Amount:
    case FieldShape::SignedAmount:
        return ParseAmountField(ToCp932Lossy(line->text()), shape == FieldShape::SignedAmount);
    default:
        return std::nullopt;
    }
}

FieldInput InputOf(FieldShape shape, std::size_t limit) {
    switch (shape) {
    case FieldShape::Line:
    case FieldShape::Name:
    case FieldShape::NameOrNone:
    case FieldShape::NameOrFirst:
        // A fixed field's capacity holds the terminator too.
        return {limit == 0 ? kNoCapacity : limit - 1};
    case FieldShape::Lines:
        return {limit == 0 || limit == std::string::npos ? kNoCapacity : limit};
    case FieldShape::Number:
    case FieldShape::Count:
    case FieldShape::Amount:
    case FieldShape::SignedAmount:
        return {kNoCapacity, true};
    default:
        return {};
    }
}

void GuardTextField(QWidget* widget, FieldInput input, Host& host) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        GuardCp932Input(line, host, input);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        GuardCp932Input(text, host, input);
    }
}

bool ShowsTicked(FieldShape shape, std::int32_t value) {
    return shape == FieldShape::FlagIsOne ? value == 1 : value != 0;
}

bool KeepsStored(FieldShape shape, std::int32_t stored, std::int32_t read) {
    return (shape == FieldShape::Flag || shape == FieldShape::FlagIsOne) &&
           ShowsTicked(shape, stored) == (read != 0);
}

} // namespace hanamori
