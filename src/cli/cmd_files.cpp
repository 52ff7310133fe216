// list, copy, delete and overview: the saved listings as the file management dialog
// and the overview command handle them.

#include "cli/command.h"
#include "core/app/atomic_file.h"
#include "core/app/helpers.h"
#include "core/document/file_list.h"
#include "core/document/overview.h"
#include "core/text/cp932.h"

#include <iostream>

namespace hanamori::cli {
namespace {

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

int RunList(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto sort = TakeOption(args, "--sort", missing);
    bool descending = TakeFlag(args, "--desc");
    if (missing || !args.empty() || (descending && !sort)) {
        return Usage("list");
    }
    int column = -1;
    if (sort) {
        if (sort->size() != 1 || (*sort)[0] < '0' || (*sort)[0] > '4') {
            return Usage("list");
        }
        column = (*sort)[0] - '0';
    }
    std::vector<FileRow> rows = EnumerateListings(DatasDir(ctx));
    if (column >= 0) {
        SortRows(rows, column, !descending);
    }
    for (const FileRow& row : rows) {
        std::cout << Cp932ToUtf8(StatusLetter(row.status)) << '\t' << row.manage_no << '\t'
                  << row.saved << '\t' << row.created << '\t' << Cp932ToUtf8(row.name) << '\n';
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitFailure;
}

int RunCopy(Context& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return Usage("copy");
    }
    auto row = CopyListingFrom(ListingFileOf(ctx, args[0]), DatasDir(ctx), ctx.settings);
    if (!row) {
        return FailCp932("ファイルのコピーに失敗しました。"_sj);
    }
    std::cout << row->manage_no << '\n';
    return kExitOk;
}

int RunDelete(Context& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return Usage("delete");
    }
    // Only ever "<dir>/<stem>.rks": a path naming any other file deletes nothing.
    std::string path = ListingFileOf(ctx, args[0]);
    if (!DeleteListingFile(DirectoryOf(path), ManageNoOf(args[0]))) {
        return FailCp932("削除に失敗しました。"_sj);
    }
    return kExitOk;
}

int RunOverview(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto output = TakeOption(args, "-o", missing);
    if (missing || !args.empty()) {
        return Usage("overview");
    }
    std::string path = output ? *output : ctx.dir + "work/filelist.html";
    const std::string now = StampNow("%Y/%m/%d %H:%M");
    bool ok = SaveScratchFile(
        path, [&](std::ostream& out) { return WriteOverview(DatasDir(ctx), now, out); });
    if (!ok) {
        return FailCp932("ファイルリストの作成に失敗しました。"_sj);
    }
    return kExitOk;
}

const CommandRegistration kList("list", "list [--sort 0-4 [--desc]]", RunList);
const CommandRegistration kCopy("copy", "copy ID", RunCopy);
const CommandRegistration kDelete("delete", "delete ID", RunDelete);
const CommandRegistration kOverview("overview", "overview [-o FILE]", RunOverview);

} // namespace
} // namespace hanamori::cli
