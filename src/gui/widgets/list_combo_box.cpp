#include "gui/widgets/list_combo_box.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include <algorithm>

namespace hanamori {
namespace {
// Widths in tenths of an em, narrowest and widest.
struct Extent {
    int least = 0;
    int most = 0;
};

Extent CharExtent(char32_t c) {
    const bool kanji = (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
                       (c >= 0xF900 && c <= 0xFAFF) || c == 0x3005;
    if (kanji) {
        return {9, 11};
    }
    const bool half_width = c < 0x1100 || (c >= 0xFF61 && c <= 0xFFDC);
    return half_width ? Extent{2, 11} : Extent{5, 11};
}

Extent TextExtent(const QString& text) {
    Extent e;
    for (const char32_t c : text.toUcs4()) {
        const Extent ce = CharExtent(c);
        e.least += ce.least;
        e.most += ce.most;
    }
    return e;
}
} // namespace

std::vector<int> WidestTextCandidates(const QStringList& texts) {
    std::vector<Extent> extents;
    extents.reserve(static_cast<std::size_t>(texts.size()));
    int widest_least = 0;
    for (const QString& text : texts) {
        extents.push_back(TextExtent(text));
        widest_least = std::max(widest_least, extents.back().least);
    }
    std::vector<int> candidates;
    for (std::size_t i = 0; i < extents.size(); ++i) {
        if (extents[i].most >= widest_least) {
            candidates.push_back(static_cast<int>(i));
        }
    }
    return candidates;
}

ListComboBox::ListComboBox(QWidget* parent) : QComboBox(parent) {
    QAbstractItemModel* items = model();
    connect(items, &QAbstractItemModel::rowsInserted, this, &ListComboBox::ItemsChanged);
    connect(items, &QAbstractItemModel::rowsRemoved, this, &ListComboBox::ItemsChanged);
    connect(items, &QAbstractItemModel::dataChanged, this, &ListComboBox::ItemsChanged);
    connect(items, &QAbstractItemModel::modelReset, this, &ListComboBox::ItemsChanged);
}

QSize ListComboBox::sizeHint() const {
    if (m_hint.isValid()) {
        return m_hint;
    }
    const QFontMetrics fm = fontMetrics();
    QSize hint(0, std::max(qCeil(QFontMetricsF(fm).height()), 14) + 2);
    if (count() == 0) {
        hint.setWidth(7 * fm.horizontalAdvance(QLatin1Char('x')));
    } else {
        QStringList texts;
        texts.reserve(count());
        for (int i = 0; i < count(); ++i) {
            texts.append(itemText(i));
        }
        for (const int i : WidestTextCandidates(texts)) {
            hint.setWidth(std::max(hint.width(), fm.boundingRect(texts[i]).width()));
        }
    }
    if (!placeholderText().isEmpty()) {
        hint.setWidth(std::max(hint.width(), fm.boundingRect(placeholderText()).width()));
    }
    QStyleOptionComboBox option;
    initStyleOption(&option);
    m_hint = style()->sizeFromContents(QStyle::CT_ComboBox, &option, hint, this);
    return m_hint;
}

QSize ListComboBox::minimumSizeHint() const {
    return sizeHint();
}

void ListComboBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_hint = QSize();
    }
    QComboBox::changeEvent(event);
}

void ListComboBox::showEvent(QShowEvent* event) {
    m_shown = true;
    QComboBox::showEvent(event);
}

void ListComboBox::ItemsChanged() {
    // Like QComboBox's default, the size stays as first shown.
    if (!m_shown) {
        m_hint = QSize();
        updateGeometry();
    }
}

} // namespace hanamori
