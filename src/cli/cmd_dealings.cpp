// dealings: every winning bidder of every saved listing with the stage the dealing has
// reached, as the dealings window shows them, for scripts and reminders.

#include "cli/command.h"
#include "core/document/dealings.h"
#include "core/document/dealings_csv.h"
#include "core/text/cp932.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kStageKeys[kStageCount] = {"notice_sent", "method_told", "paid", "shipped",
                                                 "closed"};

std::string U(const std::string& cp932) {
    return Cp932ToUtf8(cp932);
}

int UsageError(const std::string& what) {
    std::cerr << "hanamori-cli: dealings: " << what << '\n';
    return Usage("dealings");
}

Json RowJson(const DealingRow& row, int overdue_days) {
    Json out{{"manage_no", FileNameText(row.manage_no)},
             {"product_name", U(row.product_name)},
             {"nickname", U(row.nickname)},
             {"name", U(row.name)},
             {"price", row.price},
             {"count", row.count},
             {"ship_cost", row.ship_cost},
             {"other_charge", row.other_charge},
             {"total", row.total},
             {"stage", U(StageName(row.stage))},
             {"stage_date", U(row.stage_date())},
             {"days", row.days ? Json(*row.days) : Json(nullptr)},
             {"overdue", IsOverdue(row, overdue_days)}};
    for (int stage = 1; stage <= kStageCount; ++stage) {
        const auto i = static_cast<std::size_t>(stage - 1);
        out[kStageKeys[i]] = row.ticks[i];
        out[std::string(kStageKeys[i]) + "_date"] = U(row.dates[i]);
    }
    return out;
}

int RunDealings(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool missing = false;
    auto waiting = TakeOption(args, "--waiting", missing);
    if (missing) {
        return UsageError("--waiting needs payment, shipping or closing");
    }
    auto overdue = TakeOption(args, "--overdue", missing);
    if (missing) {
        return UsageError("--overdue needs a number of days");
    }
    bool json = TakeFlag(args, "--json");
    bool csv = TakeFlag(args, "--csv");
    if (!args.empty()) {
        return UsageError("unknown argument \"" + args.front() + "\"");
    }
    if (json && csv) {
        return UsageError("--json and --csv cannot be combined");
    }
    DealingFilter filter;
    if (waiting) {
        if (*waiting == "payment") {
            filter.waiting = DealingWaiting::Payment;
        } else if (*waiting == "shipping") {
            filter.waiting = DealingWaiting::Shipping;
        } else if (*waiting == "closing") {
            filter.waiting = DealingWaiting::Closing;
        } else {
            return UsageError("--waiting \"" + *waiting + "\": use payment, shipping or closing");
        }
    }
    if (overdue) {
        std::optional<int> days = ParseInt(*overdue);
        if (!days || *days < 0 || overdue->find_first_not_of("0123456789") != std::string::npos) {
            return UsageError("--overdue \"" + *overdue + "\": a number of days, 0 to 2147483647");
        }
        filter.overdue_beyond = *days;
    }
    if (!RequireSubdir(ctx, "Datas")) {
        return kExitFailure;
    }
    const int overdue_days = filter.overdue_beyond.value_or(ctx.settings.hanamo.overdue_days);

    DealingsLoad load = LoadDealings(ctx.dir + "Datas", LocalToday());
    std::vector<std::size_t> shown = FilterDealings(load.rows, filter);
    if (csv) {
        WriteDealingsCsv(load.rows, shown, std::cout);
    } else if (json) {
        Json out = Json::array();
        for (std::size_t i : shown) {
            out.push_back(RowJson(load.rows[i], overdue_days));
        }
        std::cout << out.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    } else {
        for (std::size_t i : shown) {
            const DealingRow& row = load.rows[i];
            std::cout << FileNameText(row.manage_no) << '\t' << TabField(row.product_name) << '\t'
                      << TabField(row.nickname) << '\t' << TabField(row.name) << '\t' << row.total
                      << '\t' << U(StageName(row.stage)) << '\t' << TabField(row.stage_date())
                      << '\t' << (row.days ? std::to_string(*row.days) : std::string()) << '\n';
        }
    }
    if (load.unreadable > 0) {
        std::cerr << U(UnreadableFilesText(load.unreadable)) << '\n';
    }
    return kExitOk; // a failed write of the output is reported when the command ends
}

const CommandRegistration
    kDealings("dealings",
              "dealings [--waiting payment|shipping|closing] [--overdue DAYS] [--json | --csv]",
              RunDealings);

} // namespace
} // namespace hanamori::cli
