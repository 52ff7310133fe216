// export clickpost: the sales' addresses as the mail service's bulk label CSV.

#include "cli/command.h"
#include "cli/sale_refs.h"
#include "core/document/clickpost_csv.h"
#include "core/text/cp932.h"

namespace hanamori::cli {
namespace {

int RunExport(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    std::optional<std::string> contents_arg, out_arg;
    for (auto [option, value] :
         {std::pair{"--contents", &contents_arg}, std::pair{"-o", &out_arg}}) {
        bool missing = false;
        *value = TakeOption(args, option, missing);
        if (missing) {
            return UsageError("export", std::string(option) + ": missing value");
        }
    }
    if (args.empty() || args[0] != "clickpost") {
        return UsageError("export", args.empty() ? "missing kind (clickpost)"
                                                 : "\"" + args[0] + "\": unknown kind (clickpost)");
    }
    args.erase(args.begin());
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-') {
            return UsageError("export", "unknown option \"" + a + "\"");
        }
    }
    if (args.empty()) {
        return UsageError("export", "missing ID");
    }
    std::optional<std::string> contents;
    if (contents_arg) {
        contents = ArgToCp932(*contents_arg, "--contents");
        if (!contents) {
            return kExitFailure;
        }
    }
    std::vector<SaleRef> refs;
    for (const std::string& arg : args) {
        if (!AddSales(ctx, arg, refs)) {
            return kExitFailure;
        }
    }
    std::vector<ClickPostSale> sales;
    for (const SaleRef& r : refs) {
        sales.push_back({r.bidder.nickname, r.bidder.name, r.bidder.zip, r.bidder.pref,
                         r.bidder.address, contents.value_or(r.product_name)});
    }
    ClickPostCsv csv = BuildClickPostCsv(sales);
    if (!csv.error.empty()) {
        return Fail(Cp932ToUtf8(csv.error));
    }
    const std::string path = out_arg.value_or(ctx.dir + "work/clickpost.csv");
    if (!WriteOutput(path, [&](std::ostream& out) {
            out.write(csv.bytes.data(), static_cast<std::streamsize>(csv.bytes.size()));
            return static_cast<bool>(out.flush());
        })) {
        return FailAbout("ファイルの保存に失敗しました。"_sj, path);
    }
    return kExitOk;
}

const CommandRegistration
    kExport("export", "export clickpost ID[:NICK]... [--contents TEXT] [-o FILE]", RunExport);

} // namespace
} // namespace hanamori::cli
