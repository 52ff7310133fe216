// bidder: registers or removes a winning bidder of a listing as the bidder tab's
// "落札者登録..." and "削除..." do, and saves the listing.

#include "cli/command.h"
#include "core/listing/bidders.h"
#include "core/listing/listing_file.h"
#include "core/text/cp932.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace hanamori::cli {
namespace {

constexpr const char* kCommand = "bidder";

// An argument as the registration dialog's field would hold it: CP932, and no longer
// than the field takes (the dialog cannot be typed past it; cutting it here would store
// something other than what was asked for).
std::optional<std::string> FieldArg(const std::string& utf8, const std::string& what,
                                    std::size_t max_bytes) {
    auto text = ArgToCp932(utf8, what);
    if (text && text->size() > max_bytes) {
        Fail(what + ": longer than the field holds (" + std::to_string(max_bytes) + " bytes)");
        return std::nullopt;
    }
    return text;
}

int Save(const SaleMaster& listing, const std::string& path) {
    if (!WriteListing(listing, path)) {
        // The write replaces the file only once complete: the old one is whole.
        return FailToSaveListing(path);
    }
    return kExitOk;
}

int Add(SaleMaster& listing, const std::string& path, const std::string& nickname_arg,
        const std::optional<std::string>& mail_arg, const std::optional<std::string>& price_arg,
        const std::optional<std::string>& count_arg) {
    auto nickname = FieldArg(nickname_arg, "--nickname", kRegistrationNicknameMax);
    if (!nickname) {
        return kExitFailure;
    }
    std::string mail, price, count = "1";
    if (mail_arg) {
        auto text = FieldArg(*mail_arg, "--mail", kRegistrationMailMax);
        if (!text) {
            return kExitFailure;
        }
        mail = *text;
    }
    if (price_arg) {
        auto text = FieldArg(*price_arg, "--price", kRegistrationAmountMax);
        if (!text) {
            return kExitFailure;
        }
        price = *text;
        if (!CleanAmount(price)) {
            return FailAbout(PriceRefusal(), "--price \"" + *price_arg + "\"");
        }
    }
    if (count_arg) {
        count = *count_arg;
    }
    NewBidder bidder = ReadRegistration(*nickname, mail, price, count);
    if (auto refusal = RegistrationRefusal(listing.customers, bidder.nickname)) {
        return FailAbout(*refusal, "--nickname \"" + nickname_arg + "\" (" + path + ")");
    }
    RegisterBidder(listing.customers, bidder);
    return Save(listing, path);
}

int Remove(SaleMaster& listing, const std::string& path, const std::string& nickname_arg) {
    auto nickname = ArgToCp932(nickname_arg, "NICK");
    if (!nickname) {
        return kExitFailure;
    }
    CustomerList& list = listing.customers;
    list.current = NicknameIndex(list, *nickname);
    if (list.current < 0) {
        std::string registered;
        for (const CustomerRecord& c : list.records()) {
            registered += (registered.empty() ? "" : ", ") + Cp932ToUtf8(c.nickname);
        }
        return Fail("\"" + nickname_arg + "\": no bidder with this nickname in " + path + " (" +
                    (registered.empty() ? std::string("none registered") : registered) + ")");
    }
    RemoveCurrentBidder(list);
    return Save(listing, path);
}

// The listing at `path`, read under its lock (`lock`), which the caller keeps until
// it has saved, so that no other program's change falls between the read and the
// write; nullopt after the failure was reported.
std::optional<SaleMaster> ReadForChange(const std::string& path, FileLock& lock) {
    lock = LockListing(path);
    if (lock.busy()) {
        FailAbout(ListingBusyMessage(), path);
        return std::nullopt;
    }
    if (!lock.held()) {
        // No lock file: nothing of that name to change, or a directory that cannot be
        // written, where the change could not be saved either.
        const int error = errno;
        if (!StampOf(path).exists) {
            FailToReadListing(path);
        } else {
            FailAbout("ファイルの保存に失敗しました。"_sj,
                      path + ": the lock file cannot be made (" + std::strerror(error) + ")");
        }
        return std::nullopt;
    }
    SaleMaster listing;
    if (!ReadListing(listing, path)) {
        FailToReadListing(path);
        return std::nullopt;
    }
    return listing;
}

int RunRemove(Context& ctx, const std::vector<std::string>& args) {
    // The nickname is taken as it is, even one that starts with a minus sign.
    if (args.size() != 3) {
        return UsageError(kCommand, args.size() < 3 ? "remove: missing NICK"
                                                    : args[3] + ": unexpected argument");
    }
    const std::string path = ListingFileOf(ctx, args[0]);
    FileLock lock;
    auto listing = ReadForChange(path, lock);
    return listing ? Remove(*listing, path, args[2]) : kExitFailure;
}

int RunAdd(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    std::optional<std::string> nickname, mail, price, count;
    for (auto [option, value] : {std::pair{"--nickname", &nickname}, std::pair{"--mail", &mail},
                                 std::pair{"--price", &price}, std::pair{"--count", &count}}) {
        bool missing = false;
        *value = TakeOption(args, option, missing);
        if (missing) {
            return UsageError(kCommand, std::string(option) + ": missing value");
        }
    }
    if (args.size() >= 2 && args[1] != "add" && args[1].rfind('-', 0) != 0) {
        return UsageError(kCommand, args[1] + ": unknown action (add or remove)");
    }
    if (std::string problem = LeftoverProblem(args, 2); !problem.empty()) {
        return UsageError(kCommand, problem);
    }
    if (!nickname) {
        return UsageError(kCommand, "--nickname: missing");
    }
    if (count && !ParseInt(*count)) {
        return UsageError(kCommand, "--count: " + *count + ": must be a whole number");
    }
    const std::string path = ListingFileOf(ctx, args[0]);
    FileLock lock;
    auto listing = ReadForChange(path, lock);
    return listing ? Add(*listing, path, *nickname, mail, price, count) : kExitFailure;
}

int RunBidder(Context& ctx, const std::vector<std::string>& args) {
    if (args.size() >= 2 && args[1] == "remove") {
        return RunRemove(ctx, args);
    }
    return RunAdd(ctx, args);
}

void BidderHelp(const Context&, std::ostream& out) {
    out << "add registers a winning bidder as the bidder tab's registration dialog does: the\n"
           "price text is cleaned (\"1,500円\" gives 1500, \"12.5\" gives 12), a count of 0 or\n"
           "less becomes 1, and an empty nickname or one already registered (ASCII case\n"
           "ignored) is refused. remove removes the bidder of that nickname (ASCII case\n"
           "ignored). The listing is saved; nothing is written when the command fails.\n";
}

const CommandRegistration
    kBidder(kCommand,
            "bidder ID add --nickname NICK [--mail MAIL] [--price TEXT] [--count N]\n"
            "  hanamori-cli bidder ID remove NICK",
            RunBidder, BidderHelp);

} // namespace
} // namespace hanamori::cli
