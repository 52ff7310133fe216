// new, show and import: a listing file and its JSON form.

#include "cli/command.h"
#include "cli/listing_json.h"
#include "core/listing/listing_file.h"
#include "core/text/cp932.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

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

int SaveNew(Context& ctx, const SaleMaster& listing) {
    if (!WriteListing(listing, ListingPath(ctx.dir, listing.manage_no))) {
        return FailCp932("ファイルの保存に失敗しました。"_sj);
    }
    std::cout << listing.manage_no << '\n';
    return kExitOk;
}

int RunNew(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto name = TakeOption(args, "--name", missing);
    if (missing || !args.empty()) {
        return Usage("new");
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
    if (args.size() != 1) {
        return Usage("show");
    }
    SaleMaster listing;
    if (!ReadListing(listing, ListingFileOf(ctx, args[0]))) {
        return FailCp932("ファイルの読み込みに失敗しました。"_sj);
    }
    std::cout << ListingToJson(listing).dump(2) << '\n';
    return kExitOk;
}

int RunImport(Context& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return Usage("import");
    }
    std::string text;
    if (args[0] == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream file(args[0], std::ios::binary);
        if (!file) {
            return Fail(args[0] + ": cannot be read");
        }
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded()) {
        return Fail("the input is not valid JSON");
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
    }
    if (!IsSafeManageNo(listing.manage_no)) {
        return Fail("manage_no: must be 1 to 12 letters or digits");
    }
    return SaveNew(ctx, listing);
}

const CommandRegistration kNew("new", "new [--name NAME]", RunNew);
const CommandRegistration kShow("show", "show ID", RunShow);
const CommandRegistration kImport("import", "import FILE|-", RunImport);

} // namespace
} // namespace hanamori::cli
