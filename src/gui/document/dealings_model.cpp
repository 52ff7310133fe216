#include "gui/document/dealings_model.h"

#include "gui/widgets/qt_text.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLocale>

namespace hanamori {
namespace {
const char* const kHeaders[DealingsModel::kColumnCount] = {
    "商品名", "管理No", "ニックネーム", "落札者名", "合計金額", "取引状況", "日付", "経過日数"};
const QColor kOverdueColor(0xFF, 0xD0, 0xD0);
} // namespace

DealingsModel::DealingsModel(QObject* parent) : QAbstractTableModel(parent) {}

void DealingsModel::SetRows(std::vector<DealingRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_shown = FilterDealings(m_rows, m_filter);
    endResetModel();
}

void DealingsModel::SetFilter(const DealingFilter& filter) {
    m_filter = filter;
    Refilter();
}

void DealingsModel::SetOverdueDays(int days) {
    m_overdue_days = days;
    if (!m_shown.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
}

void DealingsModel::Refilter() {
    beginResetModel();
    m_shown = FilterDealings(m_rows, m_filter);
    endResetModel();
}

int DealingsModel::OverdueCount() const {
    int count = 0;
    for (const DealingRow& row : m_rows) {
        count += IsOverdue(row, m_overdue_days) ? 1 : 0;
    }
    return count;
}

int DealingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int DealingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant DealingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const DealingRow& row = RowAt(index.row());
    const bool overdue = IsOverdue(row, m_overdue_days);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case kName:
            return ToQt(row.product_name);
        case kManageNo:
            return ToQt(row.manage_no);
        case kNickname:
            return ToQt(row.nickname);
        case kBidderName:
            return ToQt(row.name);
        case kTotal:
            return QLocale(QLocale::Japanese).toString(static_cast<qlonglong>(row.total));
        case kStage:
            return ToQt(StageName(row.stage));
        case kDate:
            return ToQt(row.stage_date());
        case kDays:
            return row.days ? QString::number(*row.days) : QString();
        default:
            return {};
        }
    case Qt::TextAlignmentRole:
        if (index.column() == kTotal || index.column() == kDays) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (index.column() == kManageNo || index.column() == kDate) {
            return QVariant::fromValue(Qt::AlignCenter);
        }
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return overdue ? QBrush(kOverdueColor) : QVariant();
    case Qt::ForegroundRole:
        return overdue ? QBrush(Qt::black) : QVariant();
    case Qt::FontRole:
        if (overdue && index.column() == kDays) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (overdue) {
            return QStringLiteral("入金待ちが%1日を超えています").arg(m_overdue_days);
        }
        return {};
    default:
        return {};
    }
}

QVariant DealingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount) {
        return QString::fromUtf8(kHeaders[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace hanamori
