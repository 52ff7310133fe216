#pragma once
// The list of saved listings behind the file management dialog: one row per ".rks"
// file of the Datas directory, its status, times and name, the header-click sort with
// its alternating direction, and the copy, delete and choose operations on a row.
// No window is involved: the dialog shows rows() and calls the operations.

#include "core/app/host.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hanamori {

struct AuctionRecord;
struct UserSettings;

// Listing status from the product flags: 3 completed, 2 ended, 1 listed, 0 none.
inline constexpr int kStatusNotListed = 0;
inline constexpr int kStatusListed = 1;
inline constexpr int kStatusEnded = 2;
inline constexpr int kStatusCompleted = 3;
// A file that could not be read as a listing.
inline constexpr int kStatusUnreadable = -1;

int ListingStatusOf(const AuctionRecord& auction);
// "未", "出", "終", "完" (CP932) for 0 to 3; "?" for an unreadable file.
const std::string& StatusLetter(int status);

// The dialog's columns, in order.
enum FileListColumn : int {
    kColumnStatus = 0,   // status icon; sort key the status number, "?" unreadable
    kColumnName = 1,     // "商品名"
    kColumnSaved = 2,    // "最終保存日時"
    kColumnCreated = 3,  // "作成日時"
    kColumnManageNo = 4, // "管理No"
};
inline constexpr int kFileListColumnCount = 5;

// Shown in both date columns of a row added by a copy.
inline constexpr const char kNoDateText[] = "--------";

struct FileRow {
    // The file's stem: the file this row opens, copies and deletes, whatever
    // management number the file holds.
    std::string manage_no;
    std::string name;               // product_name (CP932); empty when unreadable
    int status = kStatusUnreadable; // 0 to 3, or kStatusUnreadable
    std::string created;            // "%y/%m/%d %H:%M" local time, or kNoDateText
    std::string saved;              // "%y/%m/%d %H:%M" local time, or kNoDateText

    bool readable() const { return status != kStatusUnreadable; }
};

// Reads every ".rks" file of `datas_dir` (directories skipped) in file-name order.
// A file that fails to read becomes a row with its stem, no name and
// kStatusUnreadable; nothing is carried over from another file. A directory that
// cannot be opened gives no rows.
std::vector<FileRow> EnumerateListings(const std::string& datas_dir);

// The text a header click on `column` sorts by.
std::string SortKey(const FileRow& row, int column);
// Sorts by the column's text as unsigned bytes; rows with equal keys keep their order.
void SortRows(std::vector<FileRow>& rows, int column, bool ascending);

// The filter field of the dialog: true when the row's name or management number holds
// `filter` (CP932; ASCII case and full-width letters and digits ignored, see
// FoldForSearch). The empty filter keeps every row.
bool FileRowMatches(const FileRow& row, std::string_view filter);

// Copies the listing file `manage_no` of `datas_dir` to a new listing: fresh
// management number (never one whose file exists), "ｺﾋﾟｰ ～ <name>" as its name,
// the page content, payment and shipping choices of the source, and otherwise the
// defaults of `settings`. Returns the new row (status 0, kNoDateText dates), or
// nullopt when the source cannot be read or the copy cannot be written.
std::optional<FileRow> CopyListingFile(const std::string& datas_dir, const std::string& manage_no,
                                       const UserSettings& settings);
// The same for a source file anywhere; the copy goes to `datas_dir`.
std::optional<FileRow> CopyListingFrom(const std::string& source_path, const std::string& datas_dir,
                                       const UserSettings& settings);
// Deletes "<datas_dir>/<manage_no>.rks" under its lock (LockListing); false when it
// could not be removed, errno EBUSY when another program kept the lock, EACCES when
// the file is write-protected (IsWriteProtected), which is never deleted.
bool DeleteListingFile(const std::string& datas_dir, const std::string& manage_no);

// The rows of the dialog with the operations its buttons run. Row indexes are
// positions in rows(), in the order shown; -1 means no row is selected.
class FileList {
public:
    FileList(std::string datas_dir, const UserSettings& settings, Host& host);

    // Reads the directory afresh (the rows in file-name order).
    void Load();
    const std::vector<FileRow>& rows() const { return m_rows; }
    const std::string& datas_dir() const { return m_datas_dir; }

    // A header click: sorts by `column` in the current direction, then turns the
    // direction round for the next click (the first click sorts ascending).
    void SortByColumn(int column);
    bool next_sort_ascending() const { return m_ascending; }

    // OK or a double-click in open mode: the row's management number, or nullopt
    // after telling the user to choose a row.
    std::optional<std::string> Choose(int row);
    // "ファイルをコピー": asks, copies, appends the new row. Returns its index, or
    // nullopt when nothing was copied (no row, cancelled, failed with a message).
    std::optional<std::size_t> Copy(int row);
    // "ファイルを削除": asks, deletes the file, removes the row. True when deleted. The
    // listing open in the window is refused with a message: its next save would bring
    // the file back.
    bool Delete(int row);
    // The management number of the listing open in the window (empty: none has a file).
    void SetOpenListing(std::string manage_no) { m_open_listing = std::move(manage_no); }

private:
    bool HasRow(int row) const;

    std::string m_datas_dir;
    const UserSettings& m_settings;
    Host& m_host;
    std::vector<FileRow> m_rows;
    bool m_ascending = true;
    std::string m_open_listing;
};

} // namespace hanamori
