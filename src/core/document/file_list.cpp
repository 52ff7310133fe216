#include "core/document/file_list.h"

#include "core/document/books.h"

#include "core/listing/listing_dir.h"
#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "core/text/text_search.h"

#include <algorithm>
#include <numeric>

namespace hanamori {
namespace {

const std::string& ChooseRowMessage() {
    return "商品を選択してください。"_sj;
}

} // namespace

int ListingStatusOf(const AuctionRecord& auction) {
    if (auction.completed != 0) {
        return kStatusCompleted;
    }
    if (auction.ended != 0) {
        return kStatusEnded;
    }
    if (auction.listed != 0) {
        return kStatusListed;
    }
    return kStatusNotListed;
}

const std::string& StatusLetter(int status) {
    static const std::string unknown = "?";
    switch (status) {
    case kStatusNotListed:
        return "未"_sj;
    case kStatusListed:
        return "出"_sj;
    case kStatusEnded:
        return "終"_sj;
    case kStatusCompleted:
        return "完"_sj;
    default:
        return unknown;
    }
}

std::vector<FileRow> EnumerateListings(const std::string& datas_dir) {
    std::vector<FileRow> rows;
    ListingDirectory datas(datas_dir);
    const std::vector<std::string> names = datas.FileNames();
    rows.reserve(names.size());
    const ListingTexts shown = ListingTexts::NameOnly();
    SaleMaster listing;
    for (const std::string& name : names) {
        FileRow& row = rows.emplace_back();
        row.manage_no = ListingStem(name);
        ListingFileTimes times;
        if (datas.Read(name, listing, &times, shown)) {
            row.name = std::move(listing.product_name);
            row.status = ListingStatusOf(listing.auction);
        }
        if (times.known) {
            row.created = FormatListTime(times.created);
            row.saved = FormatListTime(times.saved);
        }
    }
    return rows;
}

std::string SortKey(const FileRow& row, int column) {
    switch (column) {
    case kColumnStatus:
        return row.readable() ? std::to_string(row.status) : std::string("?");
    case kColumnName:
        return row.name;
    case kColumnSaved:
        return row.saved;
    case kColumnCreated:
        return row.created;
    case kColumnManageNo:
        return row.manage_no;
    default:
        return std::string();
    }
}

void SortRows(std::vector<FileRow>& rows, int column, bool ascending) {
    std::vector<std::string> keys;
    keys.reserve(rows.size());
    for (const FileRow& row : rows) {
        keys.push_back(SortKey(row, column));
    }
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // std::string compares its chars as unsigned bytes, so CP932 names sort by code.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
    });
    std::vector<FileRow> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : order) {
        sorted.push_back(std::move(rows[i]));
    }
    rows = std::move(sorted);
}

bool FileRowMatches(const FileRow& row, std::string_view filter) {
    const std::string needle = FoldForSearch(filter);
    return ContainsFolded(FoldForSearch(row.name), needle) ||
           ContainsFolded(FoldForSearch(row.manage_no), needle);
}

FileList::FileList(std::string datas_dir, const UserSettings& settings, Host& host)
    : m_datas_dir(std::move(datas_dir)), m_settings(settings), m_host(host) {}

void FileList::Load() {
    m_rows = EnumerateListings(m_datas_dir);
    m_ascending = true;
}

void FileList::SortByColumn(int column) {
    SortRows(m_rows, column, m_ascending);
    m_ascending = !m_ascending;
}

bool FileList::HasRow(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_rows.size();
}

std::optional<std::string> FileList::Choose(int row) {
    if (!HasRow(row)) {
        m_host.ShowMessage(ChooseRowMessage(), MessageIcon::Information);
        return std::nullopt;
    }
    return m_rows[static_cast<std::size_t>(row)].manage_no;
}

std::optional<std::size_t> FileList::Copy(int row) {
    if (!HasRow(row)) {
        m_host.ShowMessage(ChooseRowMessage(), MessageIcon::Information);
        return std::nullopt;
    }
    if (!m_host.AskOkCancel("選択された商品をコピーします。"_sj, MessageIcon::Information)) {
        return std::nullopt;
    }
    std::optional<FileRow> copy =
        CopyListingFile(m_datas_dir, m_rows[static_cast<std::size_t>(row)].manage_no, m_settings);
    if (!copy) {
        m_host.ShowMessage("ファイルのコピーに失敗しました。"_sj, MessageIcon::Stop);
        return std::nullopt;
    }
    m_rows.push_back(std::move(*copy));
    return m_rows.size() - 1;
}

bool FileList::Delete(int row) {
    if (!HasRow(row)) {
        m_host.ShowMessage(ChooseRowMessage(), MessageIcon::Information);
        return false;
    }
    if (!m_open_listing.empty() &&
        m_rows[static_cast<std::size_t>(row)].manage_no == m_open_listing) {
        m_host.ShowMessage("選択された商品は編集中のため削除できません。\n"
                           "新規作成するか別の商品を開いてから削除してください。"_sj,
                           MessageIcon::Exclamation);
        return false;
    }
    const std::string& question =
        ListingFileHasRecentSales(
            JoinDatasPath(m_datas_dir, m_rows[static_cast<std::size_t>(row)].manage_no + ".rks"),
            LocalToday())
            ? RecentSalesDeleteQuestion()
            : "選択された商品を削除してよろしいですか？"_sj;
    if (!m_host.AskOkCancel(question, MessageIcon::Exclamation)) {
        return false;
    }
    auto index = static_cast<std::size_t>(row);
    if (!DeleteListingFile(m_datas_dir, m_rows[index].manage_no)) {
        const std::string path = JoinDatasPath(m_datas_dir, m_rows[index].manage_no + ".rks");
        m_host.ShowMessage(IsWriteProtected(path)
                               ? ReadOnlyDeleteMessage() + "\n" + Utf8ToCp932Lossy(path)
                               : "削除に失敗しました。"_sj,
                           MessageIcon::Exclamation);
        return false;
    }
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

} // namespace hanamori
