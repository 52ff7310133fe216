#include "core/document/dealings.h"

#include "core/listing/listing_dir.h"
#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "core/text/text_search.h"

#include <ctime>
#include <utility>

namespace hanamori {
namespace {

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Reads 1 to `max_digits` ASCII digits at `pos`; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& pos, std::size_t max_digits, int& out) {
    std::size_t start = pos;
    out = 0;
    while (pos < text.size() && pos - start < max_digits && text[pos] >= '0' && text[pos] <= '9') {
        out = out * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > start;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

const std::string kEmpty;

} // namespace

std::int64_t DayNumber(const CivilDate& date) {
    // Days from civil (H. Hinnant's algorithm).
    std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (date.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate LocalToday() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<CivilDate> ParseStageDate(std::string_view text) {
    text = TrimBlanks(text);
    std::size_t pos = 0;
    CivilDate date;
    if (!ReadNumber(text, pos, 4, date.year) || pos != 4 || pos >= text.size() ||
        text[pos++] != '/') {
        return std::nullopt;
    }
    if (!ReadNumber(text, pos, 2, date.month) || pos >= text.size() || text[pos++] != '/') {
        return std::nullopt;
    }
    if (!ReadNumber(text, pos, 2, date.day) || pos != text.size()) {
        return std::nullopt;
    }
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month)) {
        return std::nullopt;
    }
    return date;
}

std::string StageDateWarning(int stage, std::string_view text) {
    if (TrimBlanks(text).empty() || ParseStageDate(text)) {
        return {};
    }
    return "「"_sj + StageName(stage) + "」の日付「"_sj + std::string(text) +
           "」は日付として読めません。\n"
           "入力のまま保存しますが、取引一覧では経過日数を数えられず、"
           "遅れていても強調されません。\n日付は 2026/12/09 のように年/月/日で入力してください。"_sj;
}

const std::string& StageName(int stage) {
    switch (stage) {
    case kStageNoticeSent:
        return "落札案内送信済み"_sj;
    case kStageMethodTold:
        return "送金方法連絡済み"_sj;
    case kStagePaid:
        return "入金確認済み"_sj;
    case kStageShipped:
        return "商品発送済み"_sj;
    case kStageClosed:
        return "取引終了"_sj;
    default:
        return "未連絡"_sj;
    }
}

int StageOf(const CustomerRecord& c) {
    const std::int32_t ticks[kStageCount] = {c.notice_sent, c.method_told, c.paid, c.shipped,
                                             c.closed};
    for (int stage = kStageCount; stage >= 1; --stage) {
        if (ticks[stage - 1] != 0) {
            return stage;
        }
    }
    return kStageNone;
}

const std::string& DealingRow::stage_date() const {
    return stage == kStageNone ? kEmpty : dates[static_cast<std::size_t>(stage - 1)];
}

namespace {

// Fills the new `row` with bidder `c`, whose texts move into it; `folded_name` is the
// listing's name as FoldForSearch gives it, folded once for all its bidders.
void TakeDealingRow(DealingRow& row, const std::string& manage_no, const std::string& product_name,
                    std::string_view folded_name, int bidder_index, CustomerRecord& c,
                    const CivilDate& today) {
    row.manage_no = manage_no;
    row.product_name = product_name;
    row.bidder_index = bidder_index;
    row.price = c.price;
    row.count = c.count;
    row.ship_cost = c.ship_cost;
    row.other_charge = c.other_charge;
    row.total = c.Total();
    row.ticks = {c.notice_sent, c.method_told, c.paid, c.shipped, c.closed};
    row.stage = StageOf(c);
    row.search_key.reserve(folded_name.size() + c.nickname.size() + c.name.size() + 2);
    row.search_key += folded_name;
    row.search_key += '\n';
    AppendFoldedForSearch(row.search_key, c.nickname);
    row.search_key += '\n';
    AppendFoldedForSearch(row.search_key, c.name);
    row.nickname = std::move(c.nickname);
    row.name = std::move(c.name);
    row.dates = {std::move(c.notice_sent_date), std::move(c.method_told_date),
                 std::move(c.paid_date), std::move(c.shipped_date), std::move(c.closed_date)};
    if (row.stage != kStageNone) {
        if (auto date = ParseStageDate(row.stage_date())) {
            row.days = DayNumber(today) - DayNumber(*date);
        }
    }
}

} // namespace

DealingRow MakeDealingRow(const std::string& manage_no, const std::string& product_name,
                          int bidder_index, const CustomerRecord& c, const CivilDate& today) {
    CustomerRecord copy = c;
    DealingRow row;
    TakeDealingRow(row, manage_no, product_name, FoldForSearch(product_name), bidder_index, copy,
                   today);
    return row;
}

bool IsWaiting(const DealingRow& row, DealingWaiting waiting) {
    switch (waiting) {
    case DealingWaiting::Payment:
        return (row.ticked(kStageNoticeSent) || row.ticked(kStageMethodTold)) &&
               !row.ticked(kStagePaid);
    case DealingWaiting::Shipping:
        return row.ticked(kStagePaid) && !row.ticked(kStageShipped);
    case DealingWaiting::Closing:
        return row.ticked(kStageShipped) && !row.ticked(kStageClosed);
    case DealingWaiting::Any:
        break;
    }
    return true;
}

bool IsOverdue(const DealingRow& row, int overdue_days) {
    return IsWaiting(row, DealingWaiting::Payment) && row.days && *row.days > overdue_days;
}

std::vector<std::size_t> FilterDealings(const std::vector<DealingRow>& rows,
                                        const DealingFilter& filter) {
    const std::string needle = FoldForSearch(filter.text);
    std::vector<std::size_t> kept;
    kept.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DealingRow& row = rows[i];
        if (!IsWaiting(row, filter.waiting)) {
            continue;
        }
        if (filter.overdue_beyond && !IsOverdue(row, *filter.overdue_beyond)) {
            continue;
        }
        if (!ContainsFolded(row.search_key, needle)) {
            continue;
        }
        kept.push_back(i);
    }
    return kept;
}

std::string UnreadableFilesText(std::size_t count) {
    return "読み込めないファイル: "_sj + std::to_string(count) + "件"_sj;
}

DealingsLoad LoadDealings(const std::string& datas_dir, const CivilDate& today,
                          const DealingsProgress& progress) {
    DealingsLoad load;
    // Sorted by name, so the same order wherever the directory came from: management
    // numbers sort by time.
    ListingDirectory datas(datas_dir);
    const std::vector<std::string> names = datas.FileNames();
    load.files = names.size();
    load.rows.reserve(names.size() * 2);
    using C = CustomerRecord;
    const ListingTexts shown = ListingTexts::NameAndBidders(
        {&C::nickname, &C::name, &C::notice_sent_date, &C::method_told_date, &C::paid_date,
         &C::shipped_date, &C::closed_date});
    SaleMaster listing;
    std::size_t done = 0;
    for (const std::string& name : names) {
        if (datas.Read(name, listing, nullptr, shown)) {
            const std::string stem = ListingStem(name);
            const std::string folded_name = FoldForSearch(listing.product_name);
            CustomerList& bidders = listing.customers;
            for (std::int32_t b = 0; b < bidders.count(); ++b) {
                TakeDealingRow(load.rows.emplace_back(), stem, listing.product_name, folded_name, b,
                               bidders[static_cast<std::size_t>(b)], today);
            }
        } else {
            ++load.unreadable;
        }
        ++done;
        if (progress && !progress(done, names.size())) {
            load.cancelled = true;
            break;
        }
    }
    return load;
}

} // namespace hanamori
