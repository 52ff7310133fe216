// labels: address labels for sales as a PDF file, laid out on a label sheet.

#include "cli/command.h"
#include "cli/sale_refs.h"
#include "core/document/label_layout.h"
#include "core/document/pdf_writer.h"
#include "core/text/cp932.h"

#include <charconv>
#include <iostream>

namespace hanamori::cli {
namespace {

std::optional<double> ParseMm(std::string_view s) {
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || v < -50 || v > 50) {
        return std::nullopt;
    }
    return v;
}

int RunLabels(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    std::optional<std::string> sheet_arg, start_arg, offset_arg, out_arg;
    for (auto [option, value] : {std::pair{"--sheet", &sheet_arg}, std::pair{"--start", &start_arg},
                                 std::pair{"--offset", &offset_arg}, std::pair{"-o", &out_arg}}) {
        bool missing = false;
        *value = TakeOption(args, option, missing);
        if (missing) {
            return UsageError("labels", std::string(option) + ": missing value");
        }
    }
    const bool sender = TakeFlag(args, "--sender");
    if (!out_arg) {
        return UsageError("labels", "-o: missing");
    }
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-') {
            return UsageError("labels", "unknown option \"" + a + "\"");
        }
    }
    if (args.empty()) {
        return UsageError("labels", "missing ID");
    }
    LabelOptions options;
    options.sender = sender;
    if (offset_arg) {
        std::size_t comma = offset_arg->find(',');
        auto x = comma == std::string::npos ? std::nullopt : ParseMm(offset_arg->substr(0, comma));
        auto y = comma == std::string::npos ? std::nullopt : ParseMm(offset_arg->substr(comma + 1));
        if (!x || !y) {
            return UsageError("labels", "--offset \"" + *offset_arg +
                                            "\": X,Y in millimetres, -50 to 50 each");
        }
        options.offset_x = *x;
        options.offset_y = *y;
    }
    LabelSheetList sheets = LoadLabelSheets(ctx.dir + kLabelSheetsFile);
    for (const std::string& problem : sheets.problems) {
        std::cerr << "hanamori-cli: " << problem << '\n';
    }
    std::string sheet_name = DefaultLabelSheetName();
    if (sheet_arg) {
        auto name = ArgToCp932(*sheet_arg, "--sheet");
        if (!name) {
            return kExitFailure;
        }
        sheet_name = *name;
    }
    const LabelSheet* sheet = sheets.Find(sheet_name);
    if (!sheet) {
        std::string names;
        for (const LabelSheet& s : sheets.sheets) {
            names += (names.empty() ? "" : ", ") + Cp932ToUtf8(s.name);
        }
        return UsageError("labels", "--sheet \"" + Cp932ToUtf8(sheet_name) + "\": no such sheet (" +
                                        names + ")");
    }
    if (start_arg) {
        auto n = ParseInt(*start_arg);
        if (!n || *n < 1 || *n > sheet->count()) {
            return UsageError("labels", "--start \"" + *start_arg + "\": a label from 1 to " +
                                            std::to_string(sheet->count()));
        }
        options.start = *n;
    }
    std::vector<SaleRef> sales;
    for (const std::string& arg : args) {
        if (!AddSales(ctx, arg, sales)) {
            return kExitFailure;
        }
    }
    std::vector<LabelAddress> addresses;
    for (const SaleRef& sale : sales) {
        addresses.push_back(AddressOf(sale.bidder));
    }
    LabelLayout layout =
        LayOutLabels(*sheet, addresses, AddressOf(ctx.settings.CurrentProfile()), options);
    if (!layout.error.empty()) {
        return Fail(Cp932ToUtf8(layout.error));
    }
    if (!WriteOutput(*out_arg, [&](std::ostream& out) { return WritePdf(layout.pages, out); })) {
        return FailAbout("ファイルの保存に失敗しました。"_sj, *out_arg);
    }
    return kExitOk;
}

void LabelsHelp(const Context& ctx, std::ostream& out) {
    out << "Writes one address label per sale (ID:NICK one bidder, ID every bidder) as a\n"
           "PDF file on a label sheet, from label N of the first page on.\n";
    LabelSheetList sheets = LoadLabelSheets(ctx.dir + kLabelSheetsFile);
    out << "Sheets (" << ctx.dir << kLabelSheetsFile << "):\n";
    for (const LabelSheet& s : sheets.sheets) {
        out << "  " << Cp932ToUtf8(s.name) << "  " << s.cols << " x " << s.rows << ", " << s.width
            << " x " << s.height << " mm\n";
    }
}

const CommandRegistration
    kLabels("labels",
            "labels ID[:NICK]... [--sheet NAME] [--start N] [--sender] [--offset X,Y] -o FILE",
            RunLabels, LabelsHelp);

} // namespace
} // namespace hanamori::cli
