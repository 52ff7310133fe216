#pragma once
// The dealings window's table: the loaded rows that pass the filters, overdue rows
// highlighted.

#include "core/document/dealings.h"

#include <QAbstractTableModel>

#include <vector>

namespace hanamori {

class DealingsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column : int {
        kName,
        kManageNo,
        kNickname,
        kBidderName,
        kTotal,
        kStage,
        kDate,
        kDays,
        kColumnCount
    };

    explicit DealingsModel(QObject* parent = nullptr);

    // Takes freshly loaded rows and applies the filter again.
    void SetRows(std::vector<DealingRow> rows);
    void SetFilter(const DealingFilter& filter);
    void SetOverdueDays(int days);

    const std::vector<DealingRow>& rows() const { return m_rows; }
    // Indexes into rows() of the rows shown, in order.
    const std::vector<std::size_t>& shown() const { return m_shown; }
    // The row shown at table row `row`.
    const DealingRow& RowAt(int row) const {
        return m_rows[m_shown[static_cast<std::size_t>(row)]];
    }
    // Overdue rows among all loaded rows, whatever the filter shows.
    int OverdueCount() const;
    int overdue_days() const { return m_overdue_days; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void Refilter();

    std::vector<DealingRow> m_rows;
    std::vector<std::size_t> m_shown;
    DealingFilter m_filter;
    int m_overdue_days = 7;
};

} // namespace hanamori
