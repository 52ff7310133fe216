// cost and costlist: the shipping engine on the installation's rate files.

#include "cli/command.h"
#include "cli/names.h"
#include "cli/parcel_args.h"
#include "core/shipping/prefectures.h"
#include "core/shipping/shipping_engine.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <iostream>

namespace hanamori::cli {
namespace {

void Prepare(Context& ctx, ShippingEngine& engine, const Parcel& parcel) {
    // A rate file that fails is reported and the command goes on with what loaded.
    engine.LoadAll(ctx.dir + "CostData", ctx.host);
    engine.SetParcel(parcel.sides[0], parcel.sides[1], parcel.sides[2], parcel.weight);
    engine.SetOrigin(parcel.from);
}

int RunCost(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    int exit_code = kExitOk;
    auto route = TakeRoute("cost", args, exit_code);
    if (!route) {
        return exit_code;
    }
    ShippingEngine engine(ctx.settings);
    Prepare(ctx, engine, route->parcel);
    for (int i = 0; i < kShippingMethodCount; ++i) {
        auto method = static_cast<ShippingMethod>(i);
        int cost = engine.Cost(method, route->parcel.from, route->to);
        std::cout << Cp932ToUtf8(ShippingMethodName(method)) << '\t'
                  << (cost < 0 ? Cp932ToUtf8("発送不可"_sj) : std::to_string(cost)) << '\n';
    }
    return kExitOk;
}

std::vector<std::string> CarrierNames() {
    std::vector<std::string> names;
    for (ShippingMethod method : kListedMethods) {
        names.push_back(ShippingMethodName(method));
    }
    return names;
}

int RunCostList(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    std::optional<std::string> format_arg, total_arg, seller_arg;
    for (auto [option, value] :
         {std::pair{"--format", &format_arg}, std::pair{"--total", &total_arg},
          std::pair{"--seller", &seller_arg}}) {
        *value = TakeOption(args, option, missing);
        if (missing) {
            return UsageError("costlist", std::string(option) + ": missing value");
        }
    }
    std::optional<Refusal> refusal;
    auto parcel = TakeParcel(args, refusal);
    if (!parcel) {
        return Refuse("costlist", *refusal);
    }
    if (std::string problem = LeftoverProblem(args, 1); !problem.empty()) {
        return UsageError("costlist", problem);
    }
    std::optional<int> format = format_arg ? ParseInt(*format_arg) : 0;
    if (!format || *format < 0 || *format > 2) {
        return UsageError("costlist", "--format: " + *format_arg + ": must be 0, 1 or 2");
    }
    std::optional<int> total = total_arg ? ParseInt(*total_arg) : 0;
    if (!total || *total < 0) {
        return UsageError("costlist",
                          "--total: " + *total_arg + ": must be a whole number of yen, 0 or more");
    }
    const std::string& carrier = args[0];
    auto carrier_name = FindNameArg(CarrierNames(), carrier);
    if (!carrier_name) {
        return Fail(carrier + ": not a carrier with a cost list (" + NameList(CarrierNames()) +
                    ")");
    }
    ShippingMethod chosen = kListedMethods[0];
    for (ShippingMethod method : kListedMethods) {
        if (ShippingMethodName(method) == *carrier_name) {
            chosen = method;
        }
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
    if (!engine.List(chosen, *format, total_arg.has_value())) {
        return Fail(Cp932ToUtf8(*carrier_name) + " cannot take this parcel from " +
                    Cp932ToUtf8(parcel->from));
    }
    std::cout << Cp932ToUtf8(engine.ListText(chosen));
    return kExitOk;
}

void CostHelp(const Context&, std::ostream& out) {
    out << "The cost of one parcel by all eleven methods, one line each: the method and\n"
           "the cost in yen, or 発送不可.\n"
        << PrefectureHelp();
}

void CostListHelp(const Context&, std::ostream& out) {
    out << "The cost list of one parcel carrier as pages and mails embed it.\n"
           "Carriers: "
        << NameList(CarrierNames()) << "\n"
        << PrefectureHelp() << "YEN 0 or more.\n";
}

const CommandRegistration kCost("cost", "cost --from PREF --to PREF --weight GRAMS --size L W H",
                                RunCost, CostHelp);
const CommandRegistration kCostList("costlist",
                                    "costlist CARRIER --from PREF --weight GRAMS --size L W H "
                                    "[--format 0|1|2] [--total YEN] [--seller NICKNAME]",
                                    RunCostList, CostListHelp);

} // namespace
} // namespace hanamori::cli
