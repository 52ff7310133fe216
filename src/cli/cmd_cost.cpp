// cost and costlist: the shipping engine on the installation's rate files.

#include "cli/command.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <charconv>
#include <iostream>

namespace hanamori::cli {
namespace {

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

struct Parcel {
    std::string from; // CP932
    int weight = 0;
    int sides[3] = {0, 0, 0};
};

// Takes "--size L W H" out of `args`.
bool TakeSize(std::vector<std::string>& args, int (&sides)[3]) {
    auto it = std::find(args.begin(), args.end(), "--size");
    if (it == args.end() || args.end() - it < 4) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        auto value = ParseInt(*(it + 1 + i));
        if (!value) {
            return false;
        }
        sides[i] = *value;
    }
    args.erase(it, it + 4);
    return true;
}

// The options every cost command takes; nullopt after a usage error or a refused
// argument, with `exit_code` set.
std::optional<Parcel> TakeParcel(std::vector<std::string>& args, int& exit_code) {
    exit_code = kExitUsage;
    Parcel parcel;
    bool missing = false;
    auto from = TakeOption(args, "--from", missing);
    auto weight = TakeOption(args, "--weight", missing);
    if (missing || !from || !weight || !TakeSize(args, parcel.sides)) {
        return std::nullopt;
    }
    auto grams = ParseInt(*weight);
    if (!grams) {
        return std::nullopt;
    }
    parcel.weight = *grams;
    auto converted = ArgToCp932(*from, "--from");
    if (!converted) {
        exit_code = kExitFailure;
        return std::nullopt;
    }
    parcel.from = *converted;
    return parcel;
}

void Prepare(Context& ctx, ShippingEngine& engine, const Parcel& parcel) {
    // A rate file that fails is reported and the command goes on with what loaded.
    engine.LoadAll(ctx.dir + "CostData", ctx.host);
    engine.SetParcel(parcel.sides[0], parcel.sides[1], parcel.sides[2], parcel.weight);
    engine.SetOrigin(parcel.from);
}

int RunCost(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto to = TakeOption(args, "--to", missing);
    int exit_code = kExitOk;
    auto parcel = TakeParcel(args, exit_code);
    if (!parcel) {
        return exit_code == kExitUsage ? Usage("cost") : exit_code;
    }
    if (missing || !to || !args.empty()) {
        return Usage("cost");
    }
    auto destination = ArgToCp932(*to, "--to");
    if (!destination) {
        return kExitFailure;
    }
    ShippingEngine engine(ctx.settings);
    Prepare(ctx, engine, *parcel);
    for (int i = 0; i < kShippingMethodCount; ++i) {
        auto method = static_cast<ShippingMethod>(i);
        int cost = engine.Cost(method, parcel->from, *destination);
        std::cout << Cp932ToUtf8(ShippingMethodName(method)) << '\t'
                  << (cost < 0 ? Cp932ToUtf8("発送不可"_sj) : std::to_string(cost)) << '\n';
    }
    return kExitOk;
}

int RunCostList(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto format_arg = TakeOption(args, "--format", missing);
    auto total_arg = TakeOption(args, "--total", missing);
    auto seller_arg = TakeOption(args, "--seller", missing);
    int exit_code = kExitOk;
    auto parcel = TakeParcel(args, exit_code);
    if (!parcel) {
        return exit_code == kExitUsage ? Usage("costlist") : exit_code;
    }
    if (missing || args.size() != 1) {
        return Usage("costlist");
    }
    std::optional<int> format = format_arg ? ParseInt(*format_arg) : 0;
    std::optional<int> total = total_arg ? ParseInt(*total_arg) : 0;
    if (!format || *format < 0 || *format > 2 || !total) {
        return Usage("costlist");
    }
    const std::string& carrier = args[0];
    bool (ShippingEngine::*list)(int, bool) = nullptr;
    ShippingMethod method = ShippingMethod::YuPack;
    const std::pair<ShippingMethod, bool (ShippingEngine::*)(int, bool)> carriers[] = {
        {ShippingMethod::YuPack, &ShippingEngine::ListYuPack},
        {ShippingMethod::YahooYuPack, &ShippingEngine::ListYahooYuPack},
        {ShippingMethod::Yamato, &ShippingEngine::ListYamato},
        {ShippingMethod::Sagawa, &ShippingEngine::ListSagawa},
        {ShippingMethod::Pelican, &ShippingEngine::ListPelican},
    };
    for (const auto& [m, operation] : carriers) {
        if (Cp932ToUtf8(ShippingMethodName(m)) == carrier) {
            method = m;
            list = operation;
        }
    }
    if (list == nullptr) {
        return Fail(carrier + ": not a carrier with a cost list "
                              "(ゆうパック, Yahoo!ゆうパック, ヤマト宅急便, 佐川急便, ペリカン便)");
    }
    std::string seller;
    if (seller_arg) {
        auto converted = ArgToCp932(*seller_arg, "--seller");
        if (!converted) {
            return kExitFailure;
        }
        seller = *converted;
    }
    ShippingEngine engine(ctx.settings);
    Prepare(ctx, engine, *parcel);
    engine.SetSellerId(seller);
    engine.SetTotalBasis(*total, 1, 0);
    if (!(engine.*list)(*format, total_arg.has_value())) {
        return Fail(carrier + " cannot take this parcel from " + Cp932ToUtf8(parcel->from));
    }
    std::cout << Cp932ToUtf8(engine.ListText(method));
    return kExitOk;
}

const CommandRegistration kCost("cost", "cost --from PREF --to PREF --weight GRAMS --size L W H",
                                RunCost);
const CommandRegistration kCostList("costlist",
                                    "costlist CARRIER --from PREF --weight GRAMS --size L W H "
                                    "[--format 0|1|2] [--total YEN] [--seller NICKNAME]",
                                    RunCostList);

} // namespace
} // namespace hanamori::cli
