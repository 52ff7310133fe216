#pragma once
// 取引一覧: every dealing of the saved listings in one table, filtered by what it waits
// for and by name, overdue payments highlighted, exported as CSV. The listings are
// read in the background; a double-click opens the row's listing on its bidder.

#include "core/document/dealings.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

class QThread;

namespace Ui {
class DealingsWindow;
}

namespace hanamori {

class DealingsModel;
class Host;
struct UserSettings;

class DealingsWindow final : public QDialog {
    Q_OBJECT
public:
    // Opens the dealing of a row (the main window's document does the opening).
    using OpenDealing = std::function<void(const DealingRow& row)>;

    DealingsWindow(std::string datas_dir, UserSettings& settings, Host& host, OpenDealing open,
                   QWidget* parent = nullptr);
    ~DealingsWindow() override;

    // Reads the Datas directory again in the background; nothing when a load runs.
    void Reload();
    bool IsLoading() const { return m_thread != nullptr; }
    const DealingsModel& model() const { return *m_model; }
    // The unreadable listing files of the last load.
    std::size_t unreadable() const { return m_unreadable; }

    // Opens the dealing shown at table row `row`.
    void OpenRow(int row);
    // Writes the rows shown to `path`; false (after the message) when that failed.
    bool ExportCsv(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct LoadState;

    void ApplyFilter();
    void OnOverdueDaysChanged(int days);
    void OnLoadFinished();
    void ShowProgress();
    void UpdateTitleAndStatus();
    void ChooseCsvFile();
    void StopLoading();

    std::unique_ptr<Ui::DealingsWindow> m_ui;
    std::string m_datas_dir;
    UserSettings& m_settings;
    Host& m_host;
    OpenDealing m_open;
    DealingsModel* m_model;
    QThread* m_thread = nullptr;
    std::shared_ptr<LoadState> m_state;
    QTimer m_progressTimer;
    QElapsedTimer m_elapsed;
    std::size_t m_unreadable = 0;
    int m_generation = 0;
};

} // namespace hanamori
