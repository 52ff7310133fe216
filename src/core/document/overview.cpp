#include "core/document/overview.h"

#include "core/app/atomic_file.h"
#include "core/app/helpers.h"
#include "core/document/file_list.h"
#include "core/document/sale_master_doc.h"
#include "core/listing/listing_dir.h"
#include "core/listing/records.h"
#include "core/text/cp932.h"
#include "core/text/format.h"

#include <array>
#include <charconv>
#include <iterator>

namespace hanamori {
namespace {

const std::string& BlankCell() {
    return "　"_sj;
}

// Appends a text from a listing as HTML text, so that a bidder's nickname or a name
// holding markup is shown, never run, when the seller opens the page. The characters
// replaced are ASCII, which never occurs inside a CP932 double-byte character.
void AppendEscaped(std::string& html, const std::string& text) {
    if (text.empty()) {
        html += BlankCell();
        return;
    }
    for (char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            html += c;
            break;
        }
    }
}

// The grand total can pass the 64-bit range (each bidder's amount alone can reach 2^62),
// so it is summed in 128 bits and printed digit by digit.
std::string DecimalOf(__int128 value) {
    bool negative = value < 0;
    unsigned __int128 magnitude = negative ? static_cast<unsigned __int128>(-(value + 1)) + 1
                                           : static_cast<unsigned __int128>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? "-" + digits : digits;
}

void AppendNumber(std::string& html, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    html.append(digits, result.ptr);
}

// The rows are appended piece by piece: formatting each row with printf cost more
// than reading its file.
void AppendStatusCell(std::string& html, int status, int span) {
    const char* color = nullptr;
    switch (status) {
    case kStatusNotListed:
        color = "99FF99";
        break;
    case kStatusListed:
        color = "FFFF99";
        break;
    case kStatusEnded:
        color = "FF9999";
        break;
    default:
        color = "9999FF";
        status = kStatusCompleted;
        break;
    }
    html += "<td align=\"center\" valign=\"top\" rowspan=\"";
    AppendNumber(html, span);
    html += "\" bgcolor=\"";
    html += color;
    html += "\"><b>";
    html += StatusLetter(status);
    html += "</b></td>";
}

void AppendCell(std::string& html, const std::string& text) {
    html += "<td>";
    AppendEscaped(html, text);
    html += "</td>";
}

// The rows of one listing; adds its bidders' positive amounts to `total`.
void AppendListingRows(const SaleMaster& listing, int status, std::string& html, __int128& total) {
    const CustomerList& bidders = listing.customers;
    int span = bidders.count() > 0 ? bidders.count() : 1;
    html += "<tr>";
    AppendStatusCell(html, status, span);
    html += "<td valign=\"top\" rowspan=\"";
    AppendNumber(html, span);
    html += "\">";
    AppendEscaped(html, listing.product_name);
    html += "</td>";
    if (bidders.count() == 0) {
        html += "<td>　</td><td>　</td><td>　</td><td>　</td><td align=\"right\">　</td></tr>"_sj;
        return;
    }
    for (const CustomerRecord& c : bidders.records()) {
        std::int64_t amount = static_cast<std::int64_t>(c.price) * c.count;
        AppendCell(html, c.nickname);
        AppendCell(html, c.name);
        AppendCell(html, c.mail);
        html += "<td align=\"right\">";
        AppendNumber(html, c.count);
        html += "</td><td align=\"right\">";
        AppendNumber(html, amount);
        html += "</td></tr>";
        if (c.price > 0) {
            total += amount;
        }
    }
}

bool Put(std::ostream& out, const std::string& text) {
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out.good();
}

const std::string& FailureMessage() {
    return "ファイルリストの作成に失敗しました。"_sj;
}

} // namespace

bool WriteOverview(const std::string& datas_dir, const std::string& now, std::ostream& out) {
    const std::string head =
        "<html><head><meta http-equiv=\"Content-Language\" content=\"ja\">"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=shift_jis\">"
        "<title>Hanamori - ファイル一覧</title></head><body>"_sj;
    const std::string stamp = StrPrintf(
        "<table border=\"0\" width=\"100%%\"><tr><td><font size=\"+1\"><b>Hanamori - "
        "ファイル一覧</b></font></td><td align=\"right\" valign=\"bottom\">%s</td></tr></table>"_sj
            .c_str(),
        now.c_str());
    const std::string header1 = "<table border=\"1\" width=\"100%\"><tr bgcolor=\"#FFCC99\">"
                                "<th rowspan=\"2\" align=\"center\">状<br>態</td>"
                                "<th rowspan=\"2\" align=\"center\">タイトル</td>"
                                "<th colspan=\"3\" align=\"center\">落札者</td>"
                                "<th rowspan=\"2\" align=\"center\">落札<br>個数</td>"
                                "<th rowspan=\"2\" align=\"center\">合計<br>金額</td></tr>"_sj;
    const std::string header2 =
        "<tr bgcolor=\"#FFCC99\"><th align=\"center\">NickName</td><th align=\"center\">氏名</td>"
        "<th align=\"center\">E-Mail</td></tr>"_sj;
    if (!Put(out, head) || !Put(out, stamp) || !Put(out, header1) || !Put(out, header2)) {
        return false;
    }
    // One reading of each file, collected by status, gives the same page as a pass over
    // the directory for each status in turn, at a quarter of the reading.
    std::array<std::string, 4> by_status;
    __int128 total = 0;
    ListingDirectory datas(datas_dir);
    const ListingTexts shown = ListingTexts::NameAndBidders(
        {&CustomerRecord::nickname, &CustomerRecord::name, &CustomerRecord::mail});
    SaleMaster listing;
    for (const std::string& name : datas.FileNames()) {
        if (!datas.Read(name, listing, nullptr, shown)) {
            continue; // not a listing, or damaged: left out of the overview
        }
        int status = ListingStatusOf(listing.auction);
        AppendListingRows(listing, status, by_status[static_cast<std::size_t>(status)], total);
    }
    for (const std::string& rows : by_status) {
        if (!Put(out, rows)) {
            return false;
        }
    }
    const std::string total_row = StrPrintf(
        "<tr><td colspan=\"6\" align=\"right\"><b>合計</b><td align=\"right\">%s</td></tr>"_sj
            .c_str(),
        DecimalOf(total).c_str());
    return Put(out, total_row) && out.flush().good();
}

bool WriteOverviewFile(const std::string& datas_dir, const std::string& path, Host& host) {
    const std::string now = StampNow("%Y/%m/%d %H:%M");
    bool ok = SaveScratchFile(
        path, [&](std::ostream& out) { return WriteOverview(datas_dir, now, out); });
    if (!ok) {
        host.ShowMessage(FailureMessage(), MessageIcon::Exclamation);
    }
    return ok;
}

bool ShowOverview(CSaleMasterDoc& doc, Host& host) {
    if (!doc.SaveIfModified()) {
        return false;
    }
    const std::string path = InstallDir() + "work/filelist.html";
    if (!WriteOverviewFile(InstallDir() + "Datas", path, host)) {
        return false;
    }
    host.OpenPage(path);
    return true;
}

} // namespace hanamori
