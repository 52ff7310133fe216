#include "gui/document/file_manager_dialog.h"

#include "gui/widgets/edit_routing.h"
#include "gui/widgets/icons.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "ui_file_manager_dialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidgetItem>

#include <algorithm>

namespace hanamori {
namespace {
struct ColumnSpec {
    const char* header;
    int width;
    Qt::Alignment align;
};
const ColumnSpec kColumns[kFileListColumnCount] = {
    {"", 20, Qt::AlignCenter},
    {"商品名", 380, Qt::AlignLeft | Qt::AlignVCenter},
    {"最終保存日時", 100, Qt::AlignCenter},
    {"作成日時", 100, Qt::AlignCenter},
    {"管理No", 90, Qt::AlignCenter},
};

// Row colours by status: not listed, listed, ended, completed.
const QColor kRowColors[4] = {QColor(0xFF, 0xFF, 0xFF), QColor(0xFF, 0xFF, 0xE0),
                              QColor(0xFF, 0xE0, 0xE0), QColor(0xE0, 0xE0, 0xFF)};
} // namespace

FileManagerDialog::FileManagerDialog(Mode mode, const std::string& datas_dir,
                                     const UserSettings& settings, Host& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FileManagerDialog>()), m_mode(mode),
      m_list(datas_dir, settings, host) {
    m_ui->setupUi(this);
    QTableWidget* table = m_ui->fileTable;
    SetControlId(table, 1267);
    SetControlId(m_ui->copyButton, 3);
    SetControlId(m_ui->deleteButton, 1279);
    SetControlId(m_ui->okButton, 1);
    SetControlId(m_ui->cancelButton, 2);

    table->setColumnCount(kFileListColumnCount);
    int total = 0;
    for (int c = 0; c < kFileListColumnCount; ++c) {
        auto* header = new QTableWidgetItem(QString::fromUtf8(kColumns[c].header));
        header->setTextAlignment(kColumns[c].align);
        table->setHorizontalHeaderItem(c, header);
        // The given widths, widened where this font's dates or numbers would not fit.
        int width = kColumns[c].width;
        if (c == kColumnSaved || c == kColumnCreated) {
            width = std::max(
                width,
                table->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00 00:00")) + 14);
        } else if (c == kColumnManageNo) {
            width = std::max(
                width, table->fontMetrics().horizontalAdvance(QStringLiteral("000000000000")) + 14);
        }
        table->setColumnWidth(c, width);
        total += width;
    }
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setSectionsClickable(true);
    table->horizontalHeader()->setStretchLastSection(false);
    const QSize tableSize(total + 2 * table->frameWidth() + 20, 300);

    if (mode == Mode::Manage) {
        setWindowTitle(QStringLiteral("Hanamori - ファイル管理"));
        m_ui->okButton->hide();
        m_ui->cancelButton->setText(QStringLiteral("終了"));
        m_ui->cancelButton->setDefault(true);
    } else {
        m_ui->copyButton->hide();
        m_ui->deleteButton->hide();
    }

    connect(table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FileManagerDialog::SortByColumn);
    connect(table, &QTableWidget::itemDoubleClicked, this, &FileManagerDialog::OnDoubleClick);
    connect(m_ui->okButton, &QPushButton::clicked, this, &FileManagerDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &FileManagerDialog::reject);
    connect(m_ui->copyButton, &QPushButton::clicked, this, &FileManagerDialog::CopySelected);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &FileManagerDialog::DeleteSelected);
    connect(m_ui->filterEdit, &QLineEdit::textChanged, this, &FileManagerDialog::ApplyFilter);
    GuardCp932Input(m_ui->filterEdit, host);

    // Tab leaves the list (a row is chosen whole, so there are no cells to move between).
    table->setTabKeyNavigation(false);
    table->installEventFilter(this);
    m_ui->filterEdit->installEventFilter(this);

    m_list.Load();
    FillTable();
    // The list takes the keys when the dialog opens, so the first arrow key chooses a row
    // and Enter opens it; the filter above it is a Shift+Tab away.
    table->setFocus(Qt::OtherFocusReason);
    // Every column shows where the screen has room; a small screen scrolls the table.
    ResizeToFitScreen(this, table, tableSize, tableSize / 3);
}

FileManagerDialog::~FileManagerDialog() = default;

void FileManagerDialog::FillTable() {
    QTableWidget* table = m_ui->fileTable;
    table->clearContents();
    const auto& rows = m_list.rows();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const FileRow& row = rows[r];
        const QString texts[kFileListColumnCount] = {QString(), ToQt(row.name), ToQt(row.saved),
                                                     ToQt(row.created), ToQt(row.manage_no)};
        for (int c = 0; c < kFileListColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(kColumns[c].align);
            if (row.readable()) {
                // Status rows are drawn in their colour with black text; a file that
                // could not be read keeps the window colours.
                item->setBackground(kRowColors[row.status]);
                item->setForeground(QColor(Qt::black));
            }
            if (c == kColumnStatus) {
                item->setIcon(StatusIcon(row.status));
            }
            table->setItem(r, c, item);
        }
    }
    ApplyFilter();
}

void FileManagerDialog::ApplyFilter() {
    QTableWidget* table = m_ui->fileTable;
    const std::string filter = ToCp932Lossy(m_ui->filterEdit->text());
    const auto& rows = m_list.rows();
    for (int r = 0; r < static_cast<int>(rows.size()) && r < table->rowCount(); ++r) {
        table->setRowHidden(r, !FileRowMatches(rows[static_cast<std::size_t>(r)], filter));
    }
    // A row the seller cannot see is never the one a button acts on.
    int selected = SelectedRow();
    if (selected >= 0 && table->isRowHidden(selected)) {
        SelectRow(-1);
    }
}

int FileManagerDialog::SelectedRow() const {
    const auto selected = m_ui->fileTable->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void FileManagerDialog::SelectRow(int row) {
    if (row < 0 || m_ui->fileTable->isRowHidden(row)) {
        m_ui->fileTable->clearSelection();
    } else {
        m_ui->fileTable->selectRow(row);
    }
}

void FileManagerDialog::SortByColumn(int column) {
    // The selection moves with its file (row stems are the unique file names).
    int selected = SelectedRow();
    std::string file =
        selected >= 0 ? m_list.rows()[static_cast<std::size_t>(selected)].manage_no : std::string();
    m_list.SortByColumn(column);
    FillTable();
    int row = -1;
    for (std::size_t r = 0; r < m_list.rows().size() && !file.empty(); ++r) {
        if (m_list.rows()[r].manage_no == file) {
            row = static_cast<int>(r);
            break;
        }
    }
    SelectRow(row);
}

void FileManagerDialog::CopySelected() {
    int selected = SelectedRow();
    if (m_list.Copy(selected)) {
        // The copy is appended; the selection stays on the row it was copied from.
        FillTable();
        SelectRow(selected);
    }
}

void FileManagerDialog::DeleteSelected() {
    if (m_list.Delete(SelectedRow())) {
        FillTable();
        SelectRow(-1);
    }
}

bool FileManagerDialog::eventFilter(QObject* watched, QEvent* event) {
    QTableWidget* table = m_ui->fileTable;
    if ((watched == table || watched == m_ui->filterEdit) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool arrow = key->key() == Qt::Key_Down || key->key() == Qt::Key_Up;
        if (!arrow || (key->modifiers() & ~Qt::KeypadModifier) != 0) {
            return QDialog::eventFilter(watched, event);
        }
        // Up and Down in the filter go on in the list of what it found.
        if (watched == m_ui->filterEdit) {
            table->setFocus(Qt::OtherFocusReason);
            if (SelectedRow() >= 0) {
                QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers());
                QApplication::sendEvent(table, &forwarded);
                return true;
            }
        }
        // With no row selected the row the list marks as current is not chosen yet:
        // the first arrow selects it (the first row shown when none is current) rather
        // than moving past it.
        if (SelectedRow() < 0) {
            QModelIndex current = table->currentIndex();
            int row = current.isValid() && !table->isRowHidden(current.row()) ? current.row()
                                                                              : FirstShownRow();
            SelectRow(row);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int FileManagerDialog::FirstShownRow() const {
    for (int r = 0; r < m_ui->fileTable->rowCount(); ++r) {
        if (!m_ui->fileTable->isRowHidden(r)) {
            return r;
        }
    }
    return -1;
}

void FileManagerDialog::accept() {
    if (m_mode != Mode::Open) {
        return;
    }
    if (auto chosen = m_list.Choose(SelectedRow())) {
        m_chosen = std::move(chosen);
        QDialog::accept();
    }
}

void FileManagerDialog::OnDoubleClick() {
    if (m_mode == Mode::Open) {
        accept();
    }
}

std::optional<std::string> FileManagerDialog::Run() {
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_chosen;
}

} // namespace hanamori
