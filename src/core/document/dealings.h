#pragma once
// Every dealing at a glance: one row per winning bidder of every saved listing, with the
// stage the dealing has reached, the date of that stage and the days since, and the
// filters the dealings window and `hanamori-cli dealings` offer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hanamori {

struct CustomerRecord;

// A calendar date.
struct CivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
    bool operator==(const CivilDate&) const = default;
};

// Days since 1970-01-01 (negative before it), proleptic Gregorian.
std::int64_t DayNumber(const CivilDate& date);
// Today's local date.
CivilDate LocalToday();

// A stage date as the bidder tab writes it, "%Y/%m/%d": four-digit year, month and
// day of one or two digits, a real calendar date, blanks around it allowed. Anything
// else gives nullopt (the text is shown as it is and counts no days).
std::optional<CivilDate> ParseStageDate(std::string_view text);

// The warning for a stage date the seller typed that is not a date as ParseStageDate
// reads it, naming the stage (1 to 5) and the text; empty for an empty text or a date.
// The text is kept as typed; only its days cannot be counted.
std::string StageDateWarning(int stage, std::string_view text);

// The five stages of a dealing, in order; kStageNone when no stage is ticked.
enum DealingStage : int {
    kStageNone = 0,
    kStageNoticeSent = 1, // 落札案内送信済み
    kStageMethodTold = 2, // 送金方法連絡済み
    kStagePaid = 3,       // 入金確認済み
    kStageShipped = 4,    // 商品発送済み
    kStageClosed = 5,     // 取引終了
};
inline constexpr int kStageCount = 5;

// The stage as the bidder tab labels it (CP932): "落札案内送信済み" ... "取引終了", and
// "未連絡" for kStageNone.
const std::string& StageName(int stage);

// The last of the five stages that is ticked, kStageNone when none is.
int StageOf(const CustomerRecord& bidder);

// Which dealings a filter keeps.
enum class DealingWaiting {
    Any,      // すべて
    Payment,  // 入金待ち: notice sent or method told, not paid
    Shipping, // 発送待ち: paid, not shipped
    Closing,  // 完了待ち: shipped, not closed
};

struct DealingRow {
    std::string manage_no;    // the listing file's stem: the file this row opens
    std::string product_name; // CP932
    int bidder_index = 0;     // position in the listing's stored bidder list
    std::string nickname;     // CP932
    std::string name;         // CP932
    std::int32_t price = 0;
    std::int32_t count = 1;
    std::int32_t ship_cost = 0;
    std::int32_t other_charge = 0;
    std::int64_t total = 0; // ship_cost + count x price + other_charge
    std::array<std::int32_t, kStageCount> ticks{};
    std::array<std::string, kStageCount> dates; // CP932, as stored
    int stage = kStageNone;
    // Days from the stage's date to the day the rows were made; nullopt when no stage is
    // ticked or its date is not a date. Negative for a date in the future.
    std::optional<std::int64_t> days;
    // Listing name, nickname and bidder name folded for the text filter.
    std::string search_key;

    bool ticked(int stage_number) const { return ticks[stage_number - 1] != 0; }
    // The date text of the row's stage; empty when no stage is ticked.
    const std::string& stage_date() const;
};

// Makes the row of one bidder; `today` decides the days.
DealingRow MakeDealingRow(const std::string& manage_no, const std::string& product_name,
                          int bidder_index, const CustomerRecord& bidder, const CivilDate& today);

// True when the row waits as `waiting` says.
bool IsWaiting(const DealingRow& row, DealingWaiting waiting);
// Payment awaited (notice sent or method told, not paid) and the stage's date more
// than `overdue_days` days ago. Rows without days are never overdue.
bool IsOverdue(const DealingRow& row, int overdue_days);

// The window's and the CLI's filters together.
struct DealingFilter {
    DealingWaiting waiting = DealingWaiting::Any;
    std::string text;                  // CP932; matched in names and nicknames
    std::optional<int> overdue_beyond; // keep only rows overdue after this many days
};
// Indexes of the rows that pass `filter`, in order.
std::vector<std::size_t> FilterDealings(const std::vector<DealingRow>& rows,
                                        const DealingFilter& filter);

struct DealingsLoad {
    std::vector<DealingRow> rows;
    std::size_t files = 0;      // .rks files found
    std::size_t unreadable = 0; // files skipped because they could not be read
    bool cancelled = false;
};

// The status text for skipped files (CP932): "読み込めないファイル: N件".
std::string UnreadableFilesText(std::size_t count);

// Called after each file with the number done and the number in all; return false
// to stop loading.
using DealingsProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Reads every listing of `datas_dir` with the file list's reader, in file-name order,
// and makes one row per stored bidder. Files that cannot be read are skipped and
// counted. A directory that cannot be opened gives no rows.
DealingsLoad LoadDealings(const std::string& datas_dir, const CivilDate& today,
                          const DealingsProgress& progress = {});

} // namespace hanamori
