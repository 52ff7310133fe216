#include "gui/document/dealings_window.h"

#include "core/app/host.h"
#include "core/document/dealings_csv.h"
#include "core/settings/user_settings.h"
#include "core/text/cp932.h"
#include "gui/document/dealings_model.h"
#include "gui/widgets/input_guard.h"
#include "gui/widgets/qt_text.h"
#include "gui/widgets/screen_fit.h"
#include "ui_dealings_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QShortcut>
#include <QThread>

#include <atomic>

namespace hanamori {
namespace {
// A load that ends within this time shows no progress bar.
constexpr int kQuietLoadMs = 300;
constexpr int kProgressPollMs = 50;
} // namespace

struct DealingsWindow::LoadState {
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> total{0};
    std::atomic<bool> cancel{false};
    DealingsLoad result;
};

DealingsWindow::DealingsWindow(std::string datas_dir, UserSettings& settings, Host& host,
                               OpenDealing open, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DealingsWindow>()),
      m_datas_dir(std::move(datas_dir)), m_settings(settings), m_host(host),
      m_open(std::move(open)), m_model(new DealingsModel(this)) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("dealingsWindow"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    auto* group = new QButtonGroup(this);
    group->addButton(m_ui->allRadio, static_cast<int>(DealingWaiting::Any));
    group->addButton(m_ui->paymentRadio, static_cast<int>(DealingWaiting::Payment));
    group->addButton(m_ui->shippingRadio, static_cast<int>(DealingWaiting::Shipping));
    group->addButton(m_ui->closingRadio, static_cast<int>(DealingWaiting::Closing));
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            ApplyFilter();
        }
    });
    connect(m_ui->filterEdit, &QLineEdit::textChanged, this, &DealingsWindow::ApplyFilter);
    GuardCp932Input(m_ui->filterEdit, m_host);

    m_model->SetOverdueDays(m_settings.hanamo.overdue_days);
    m_ui->overdueSpin->setValue(m_settings.hanamo.overdue_days);
    connect(m_ui->overdueSpin, &QSpinBox::valueChanged, this,
            &DealingsWindow::OnOverdueDaysChanged);

    QTableView* table = m_ui->dealingsTable;
    table->setModel(m_model);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setStretchLastSection(false);
    const int widths[DealingsModel::kColumnCount] = {260, 100, 120, 110, 80, 120, 86, 64};
    int total = 0;
    for (int c = 0; c < DealingsModel::kColumnCount; ++c) {
        table->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    const QSize tableSize(total + 2 * table->frameWidth() + 20, 320);
    connect(table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { OpenRow(index.row()); });
    auto* enter =
        new QShortcut(QKeySequence(Qt::Key_Return), table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this,
            [this] { OpenRow(m_ui->dealingsTable->currentIndex().row()); });

    m_ui->loadProgress->hide();
    m_progressTimer.setInterval(kProgressPollMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &DealingsWindow::ShowProgress);
    connect(m_ui->reloadButton, &QPushButton::clicked, this, &DealingsWindow::Reload);
    connect(m_ui->csvButton, &QPushButton::clicked, this, &DealingsWindow::ChooseCsvFile);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::close);
    UpdateTitleAndStatus();
    // Every column shows where the screen has room; a small screen scrolls the table.
    ResizeToFitScreen(this, table, tableSize, tableSize / 3);
}

DealingsWindow::~DealingsWindow() {
    StopLoading();
}

void DealingsWindow::StopLoading() {
    if (!m_thread) {
        return;
    }
    m_state->cancel = true;
    ++m_generation; // a finish signal already on its way is for a load that is gone
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_progressTimer.stop();
}

void DealingsWindow::closeEvent(QCloseEvent* event) {
    StopLoading();
    QDialog::closeEvent(event);
}

void DealingsWindow::Reload() {
    if (m_thread) {
        return;
    }
    auto state = std::make_shared<LoadState>();
    m_state = state;
    m_thread = QThread::create([state, dir = m_datas_dir, today = LocalToday()] {
        state->result = LoadDealings(dir, today, [&state](std::size_t done, std::size_t total) {
            state->done = done;
            state->total = total;
            return !state->cancel;
        });
    });
    connect(m_thread, &QThread::finished, this, [this, generation = ++m_generation] {
        if (generation == m_generation) {
            OnLoadFinished();
        }
    });
    m_ui->reloadButton->setEnabled(false);
    m_ui->csvButton->setEnabled(false);
    m_elapsed.start();
    m_progressTimer.start();
    m_thread->start();
    UpdateTitleAndStatus();
}

void DealingsWindow::ShowProgress() {
    if (!m_thread || m_elapsed.elapsed() < kQuietLoadMs) {
        return;
    }
    const auto total = static_cast<int>(m_state->total.load());
    if (total > 0) {
        m_ui->loadProgress->setRange(0, total);
        m_ui->loadProgress->setValue(static_cast<int>(m_state->done.load()));
    } else {
        m_ui->loadProgress->setRange(0, 0); // still listing the directory
    }
    m_ui->loadProgress->show();
}

void DealingsWindow::OnLoadFinished() {
    m_progressTimer.stop();
    m_thread->deleteLater();
    m_thread = nullptr;
    m_ui->loadProgress->hide();
    m_ui->reloadButton->setEnabled(true);
    m_ui->csvButton->setEnabled(true);
    m_unreadable = m_state->result.unreadable;
    m_model->SetRows(std::move(m_state->result.rows));
    m_state.reset();
    UpdateTitleAndStatus();
}

void DealingsWindow::ApplyFilter() {
    DealingFilter filter;
    if (m_ui->paymentRadio->isChecked()) {
        filter.waiting = DealingWaiting::Payment;
    } else if (m_ui->shippingRadio->isChecked()) {
        filter.waiting = DealingWaiting::Shipping;
    } else if (m_ui->closingRadio->isChecked()) {
        filter.waiting = DealingWaiting::Closing;
    }
    filter.text = ToCp932Lossy(m_ui->filterEdit->text());
    m_model->SetFilter(filter);
    UpdateTitleAndStatus();
}

void DealingsWindow::OnOverdueDaysChanged(int days) {
    // Kept in the settings, which are written to hanamo.ini at exit.
    m_settings.hanamo.overdue_days = days;
    m_model->SetOverdueDays(days);
    UpdateTitleAndStatus();
}

void DealingsWindow::UpdateTitleAndStatus() {
    QString title = QStringLiteral("Hanamori - 取引一覧");
    if (m_thread) {
        title += QStringLiteral(" (読み込み中)");
    } else {
        title += QStringLiteral(" - 入金遅れ %1件").arg(m_model->OverdueCount());
    }
    setWindowTitle(title);
    m_ui->countLabel->setText(
        QStringLiteral("%1件 / 全%2件").arg(m_model->shown().size()).arg(m_model->rows().size()));
    m_ui->unreadableLabel->setText(m_unreadable > 0 ? ToQt(UnreadableFilesText(m_unreadable))
                                                    : QString());
}

void DealingsWindow::OpenRow(int row) {
    if (row < 0 || row >= m_model->rowCount() || !m_open) {
        return;
    }
    // A copy: opening may ask questions and run the event loop while the model changes.
    const DealingRow dealing = m_model->RowAt(row);
    m_open(dealing);
}

bool DealingsWindow::ExportCsv(const QString& path) {
    if (!SaveDealingsCsv(m_model->rows(), m_model->shown(),
                         QFile::encodeName(path).toStdString())) {
        m_host.ShowMessage("CSVファイルの書き出しに失敗しました。"_sj, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void DealingsWindow::ChooseCsvFile() {
    const QString suggested =
        QDir::home().filePath(QStringLiteral("取引一覧_%1.csv")
                                  .arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("CSVに書き出す"),
                                                      suggested, QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty()) {
        ExportCsv(path);
    }
}

} // namespace hanamori
