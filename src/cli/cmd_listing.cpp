// new, show and import: a listing file and its JSON form.

#include "cli/command.h"
#include "cli/listing_json.h"
#include "core/listing/listing_file.h"
#include "core/listing/manage_no.h"
#include "core/text/cp932.h"

#include <iostream>

namespace hanamori::cli {
namespace {

// A management number names a file in Datas/: letters and digits only.
bool IsSafeManageNo(const std::string& number) {
    if (number.empty() || number.size() > kManageNoLength) {
        return false;
    }
    for (char c : number) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::string DatasDir(const Context& ctx) {
    return ctx.dir + "Datas";
}

int SaveFailed(const Context& ctx, const std::string& number) {
    return FailAbout("ファイルの保存に失敗しました。"_sj,
                     number.empty() ? DatasDir(ctx) + "/" : ListingPath(ctx.dir, number));
}

// Claims a fresh number (the listing's own, or the next free second) and saves there.
int SaveNew(Context& ctx, SaleMaster& listing) {
    if (!SaveNewListing(listing, DatasDir(ctx))) {
        return SaveFailed(ctx, {});
    }
    return PrintSavedNumber(listing.manage_no, ListingPath(ctx.dir, listing.manage_no));
}

// Saves under the listing's own number: replacing what is there with `replace` (under
// the listing's lock, so a change another program is making is not cut into), else
// only when no file of that number exists.
int SaveAsNumbered(Context& ctx, const SaleMaster& listing, bool replace) {
    const std::string path = ListingPath(ctx.dir, listing.manage_no);
    if (!replace) {
        switch (WriteNewListing(listing, path)) {
        case ClaimResult::Taken:
            return Fail(listing.manage_no + ": a listing of this number exists (" + path +
                        "); --replace replaces it");
        case ClaimResult::Failed:
            return SaveFailed(ctx, listing.manage_no);
        case ClaimResult::Claimed:
            break;
        }
    } else {
        FileLock lock = LockListing(path);
        if (lock.busy()) {
            return FailAbout(ListingBusyMessage(), path);
        }
        if (!lock.held() || !WriteListing(listing, path)) {
            return FailToSaveListing(path);
        }
    }
    return PrintSavedNumber(listing.manage_no, path);
}

int RunNew(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto name = TakeOption(args, "--name", missing);
    if (missing) {
        return UsageError("new", "--name: missing value");
    }
    if (std::string problem = LeftoverProblem(args, 0); !problem.empty()) {
        return UsageError("new", problem);
    }
    SaleMaster listing;
    listing.Reset(ctx.settings);
    if (name) {
        auto converted = ArgToCp932(*name, "--name");
        if (!converted) {
            return kExitFailure;
        }
        if (converted->size() >= kProductNameCapacity) {
            return Fail("--name: longer than the field holds (259 bytes)");
        }
        listing.product_name = *converted;
    }
    return SaveNew(ctx, listing);
}

int RunShow(Context& ctx, const std::vector<std::string>& args) {
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("show", problem);
    }
    SaleMaster listing;
    const std::string path = ListingFileOf(ctx, args[0]);
    if (!ReadListing(listing, path)) {
        return FailToReadListing(path);
    }
    // The number the listing is known by is its file's: a file copied or restored by
    // hand may hold another listing's number, which an import would then replace.
    listing.manage_no = ManageNoOf(path);
    std::cout << ListingToJson(listing).dump(2) << '\n';
    return kExitOk;
}

int RunImport(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool replace = TakeFlag(args, "--replace");
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("import", problem);
    }
    const std::string source = args[0] == "-" ? "standard input" : args[0];
    std::string problem;
    std::optional<std::string> input = ReadInput(args[0], &problem);
    if (!input) {
        return FailAbout("ファイルの読み込みに失敗しました。"_sj, source + ": " + problem);
    }
    const std::string& text = *input;
    nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded()) {
        return Fail(source + ": not valid JSON");
    }
    SaleMaster listing;
    listing.Reset(ctx.settings);
    std::string fresh_number = listing.manage_no;
    std::string error;
    if (!ListingFromJson(json, listing, error)) {
        return Fail(error);
    }
    if (!json.contains("manage_no") || listing.manage_no.empty()) {
        listing.manage_no = fresh_number;
        return SaveNew(ctx, listing);
    }
    if (!IsSafeManageNo(listing.manage_no)) {
        return Fail("manage_no: must be 1 to 12 letters or digits");
    }
    return SaveAsNumbered(ctx, listing, replace);
}

void ImportHelp(const Context&, std::ostream& out) {
    out << "Writes a listing from its JSON form (what show prints; - reads standard input)\n"
           "and prints its management number. Fields left out take the defaults of a new\n"
           "listing; without manage_no the listing gets a fresh number. An existing listing\n"
           "of the same number is only replaced with --replace. Line breaks written as LF\n"
           "are stored as CR LF. An input larger than 64 MiB is refused unread.\n";
}

const CommandRegistration kNew("new", "new [--name NAME]", RunNew);
const CommandRegistration kShow("show", "show ID", RunShow);
const CommandRegistration kImport("import", "import FILE|- [--replace]", RunImport, ImportHelp);

} // namespace
} // namespace hanamori::cli
