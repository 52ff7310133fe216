// list, copy, delete and overview: the saved listings as the file management dialog
// and the overview command handle them.

#include "cli/command.h"
#include "core/app/helpers.h"
#include "core/document/books.h"
#include "core/document/file_list.h"
#include "core/document/overview.h"
#include "core/listing/listing_dir.h"
#include "core/listing/listing_file.h"
#include "core/text/cp932.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string DatasDir(const Context& ctx) {
    return ctx.dir + "Datas";
}

// The directory part of a listing file path ("." for a bare file name).
std::string DirectoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// One bidder of a listing as list --json shows it: who, how much, and the five stages.
Json BidderJson(const CustomerRecord& c) {
    auto stage = [](std::int32_t tick, const std::string& date) {
        return Json{{"done", tick}, {"date", Cp932ToUtf8(date)}};
    };
    return Json{{"nickname", Cp932ToUtf8(c.nickname)},
                {"name", Cp932ToUtf8(c.name)},
                {"total", c.Total()},
                {"notice_sent", stage(c.notice_sent, c.notice_sent_date)},
                {"method_told", stage(c.method_told, c.method_told_date)},
                {"paid", stage(c.paid, c.paid_date)},
                {"shipped", stage(c.shipped, c.shipped_date)},
                {"closed", stage(c.closed, c.closed_date)}};
}

Json RowJson(const Context& ctx, const FileRow& row) {
    Json bidders = Json::array();
    if (row.readable()) {
        SaleMaster listing;
        if (ReadListingWithTimes(JoinDatasPath(DatasDir(ctx), row.manage_no + ".rks"), listing,
                                 nullptr)) {
            for (const CustomerRecord& c : listing.customers.records()) {
                bidders.push_back(BidderJson(c));
            }
        }
    }
    return Json{{"status", Cp932ToUtf8(StatusLetter(row.status))},
                {"manage_no", FileNameText(row.manage_no)},
                {"saved", row.saved},
                {"created", row.created},
                {"name", Cp932ToUtf8(row.name)},
                {"bidders", bidders}};
}

int RunList(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto sort = TakeOption(args, "--sort", missing);
    bool descending = TakeFlag(args, "--desc");
    bool json = TakeFlag(args, "--json");
    if (missing) {
        return UsageError("list", "--sort: missing value");
    }
    if (std::string problem = LeftoverProblem(args, 0); !problem.empty()) {
        return UsageError("list", problem);
    }
    if (descending && !sort) {
        return UsageError("list", "--desc: only with --sort");
    }
    int column = -1;
    if (sort) {
        if (sort->size() != 1 || (*sort)[0] < '0' || (*sort)[0] > '4') {
            return UsageError("list", "--sort: " + *sort + ": must be a column from 0 to 4");
        }
        column = (*sort)[0] - '0';
    }
    if (!RequireSubdir(ctx, "Datas")) {
        return kExitFailure;
    }
    std::vector<FileRow> rows = EnumerateListings(DatasDir(ctx));
    if (column >= 0) {
        SortRows(rows, column, !descending);
    }
    if (json) {
        Json out = Json::array();
        for (const FileRow& row : rows) {
            out.push_back(RowJson(ctx, row));
        }
        std::cout << out.dump(2) << '\n';
    } else {
        for (const FileRow& row : rows) {
            std::cout << Cp932ToUtf8(StatusLetter(row.status)) << '\t'
                      << FileNameText(row.manage_no) << '\t' << row.saved << '\t' << row.created
                      << '\t' << TabField(row.name) << '\n';
        }
    }
    return kExitOk; // a failed write of the output is reported when the command ends
}

int RunCopy(Context& ctx, const std::vector<std::string>& args) {
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("copy", problem);
    }
    const std::string source = ListingFileOf(ctx, args[0]);
    SaleMaster probe;
    if (!ReadListingWithTimes(source, probe, nullptr)) {
        return FailAbout("ファイルのコピーに失敗しました。"_sj,
                         source + ": cannot be read as a listing");
    }
    auto row = CopyListingFrom(source, DatasDir(ctx), ctx.settings);
    if (!row) {
        return FailAbout("ファイルのコピーに失敗しました。"_sj,
                         DatasDir(ctx) + "/: cannot be written");
    }
    return PrintSavedNumber(row->manage_no, JoinDatasPath(DatasDir(ctx), row->manage_no + ".rks"));
}

int RunDelete(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    const bool force = TakeFlag(args, "--force");
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("delete", problem);
    }
    // Only ever "<dir>/<stem>.rks": a path naming any other file deletes nothing.
    const std::string dir = DirectoryOf(ListingFileOf(ctx, args[0]));
    const std::string number = ManageNoOf(args[0]);
    if (!force && ListingFileHasRecentSales(JoinDatasPath(dir, number + ".rks"), LocalToday())) {
        return FailAbout(RecentSalesDeleteQuestion(),
                         JoinDatasPath(dir, number + ".rks") + " (--force deletes it)");
    }
    if (!DeleteListingFile(dir, number)) {
        const int error = errno;
        if (error == EBUSY) {
            return FailAbout(ListingBusyMessage(), JoinDatasPath(dir, number + ".rks"));
        }
        if (IsWriteProtected(JoinDatasPath(dir, number + ".rks"))) {
            return FailAbout(ReadOnlyDeleteMessage(), JoinDatasPath(dir, number + ".rks"));
        }
        return FailAbout("削除に失敗しました。"_sj,
                         JoinDatasPath(dir, number + ".rks") + ": " + std::strerror(error));
    }
    return kExitOk;
}

int RunOverview(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto output = TakeOption(args, "-o", missing);
    if (missing) {
        return UsageError("overview", "-o: missing value");
    }
    if (std::string problem = LeftoverProblem(args, 0); !problem.empty()) {
        return UsageError("overview", problem);
    }
    if (!RequireSubdir(ctx, "Datas")) {
        return kExitFailure;
    }
    std::string path = output ? *output : ctx.dir + "work/filelist.html";
    const std::string now = StampNow("%Y/%m/%d %H:%M");
    bool ok = WriteOutput(
        path, [&](std::ostream& out) { return WriteOverview(DatasDir(ctx), now, out); });
    if (!ok) {
        return FailAbout("ファイルリストの作成に失敗しました。"_sj, path);
    }
    return kExitOk;
}

void ListHelp(const Context&, std::ostream& out) {
    out << "One line per listing file of Datas/, tab-separated: status (未 出 終 完, ? for a\n"
           "file that cannot be read), management number, saved, created, name.\n"
           "--sort COLUMN sorts as a click on the file list's header: 0 status, 1 name,\n"
           "2 saved, 3 created, 4 management number; --desc descending. --json prints one\n"
           "array: per listing status, manage_no, saved, created, name and bidders (nickname,\n"
           "name, total, and notice_sent, method_told, paid, shipped, closed as done/date).\n";
}

const CommandRegistration kList("list", "list [--sort 0-4 [--desc]] [--json]", RunList, ListHelp);
const CommandRegistration kCopy("copy", "copy ID", RunCopy);
const CommandRegistration kDelete("delete", "delete ID [--force]", RunDelete);
const CommandRegistration kOverview("overview", "overview [-o FILE|-]", RunOverview);

} // namespace
} // namespace hanamori::cli
