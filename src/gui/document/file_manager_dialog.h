#pragma once
// The list of saved listings: choosing one to open, or copying and deleting files.

#include "core/document/file_list.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class FileManagerDialog;
}

namespace hanamori {

class FileManagerDialog final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Open, Manage };

    FileManagerDialog(Mode mode, const std::string& datas_dir, const UserSettings& settings,
                      Host& host, QWidget* parent = nullptr);
    ~FileManagerDialog() override;

    // Runs the dialog; in open mode the chosen management number after OK.
    std::optional<std::string> Run();
    const std::optional<std::string>& chosen() const { return m_chosen; }

    // The selected row, -1 when none.
    int SelectedRow() const;
    void SelectRow(int row);
    // A click on a column header.
    void SortByColumn(int column);
    void CopySelected();
    void DeleteSelected();
    // The listing open in the window, which Delete refuses.
    void SetOpenListing(const std::string& manage_no) { m_list.SetOpenListing(manage_no); }
    void accept() override;

    const FileList& fileList() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int FirstShownRow() const;
    void FillTable();
    // Hides the rows whose name and number do not hold the filter field's text.
    void ApplyFilter();
    void OnDoubleClick();

    std::unique_ptr<Ui::FileManagerDialog> m_ui;
    Mode m_mode;
    FileList m_list;
    std::optional<std::string> m_chosen;
};

} // namespace hanamori
