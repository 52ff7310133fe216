// services: one parcel priced by every service of today's catalogue (ServiceData/).

#include "cli/command.h"
#include "cli/parcel_args.h"
#include "core/shipping/prefectures.h"
#include "core/shipping/services/service_catalogue.h"
#include "core/text/cp932.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace hanamori::cli {
namespace {

using Json = nlohmann::ordered_json;

Json QuoteJson(const ServiceQuote& q) {
    const ServiceTariff& s = *q.service;
    auto text_or_null = [](const std::string& cp932) {
        return cp932.empty() ? Json(nullptr) : Json(Cp932ToUtf8(cp932));
    };
    return Json{{"service", Cp932ToUtf8(s.name)},
                {"carrier", Cp932ToUtf8(s.carrier)},
                {"cost", q.cost < 0 ? Json(nullptr) : Json(q.cost)},
                {"cheapest", q.cheapest},
                {"effective", text_or_null(s.effective)},
                {"unconfirmed", s.unconfirmed},
                {"withheld", text_or_null(s.withheld)}};
}

// service, carrier, cost (or 発送不可, or why no prices ship), marks.
std::string QuoteLine(const ServiceQuote& q) {
    const ServiceTariff& s = *q.service;
    std::string cost = !s.withheld.empty() ? s.withheld
                       : q.cost < 0        ? "発送不可"_sj
                                           : std::to_string(q.cost);
    std::string marks = q.cheapest ? "最安"_sj : "";
    if (s.unconfirmed && q.cost >= 0) {
        marks += (marks.empty() ? "" : " ") + "要確認"_sj;
    }
    return Cp932ToUtf8(s.name + "\t" + s.carrier + "\t" + cost + "\t" + marks);
}

int RunServices(Context& ctx, const std::vector<std::string>& in) {
    std::vector<std::string> args = in;
    bool json = TakeFlag(args, "--json");
    int exit_code = kExitOk;
    auto route = TakeRoute("services", args, exit_code);
    if (!route) {
        return exit_code;
    }
    if (!RequireSubdir(ctx, kServiceDataDir)) {
        return kExitFailure;
    }
    const Parcel& parcel = route->parcel;
    // A bad data file is reported and the other services are still priced.
    ServiceCatalogue catalogue = LoadServiceCatalogue(ctx.dir + kServiceDataDir);
    ReportServiceProblems(catalogue, ctx.host);
    ServiceParcel p{{parcel.sides[0], parcel.sides[1], parcel.sides[2]}, parcel.weight};
    auto quotes =
        QuoteServices(catalogue, p, PrefectureIndex(parcel.from), PrefectureIndex(route->to));
    if (json) {
        Json out = Json::array();
        for (const ServiceQuote& q : quotes) {
            out.push_back(QuoteJson(q));
        }
        std::cout << out.dump(2) << '\n';
    } else {
        for (const ServiceQuote& q : quotes) {
            std::cout << QuoteLine(q) << '\n';
        }
    }
    return kExitOk; // a failed write of the output is reported when the command ends
}

void ServicesHelp(const Context&, std::ostream& out) {
    out << "The cost of one parcel by every service of today's catalogue (ServiceData/),\n"
           "one line each: the service, the carrier, the cost in yen or 発送不可, and 最安\n"
           "on the cheapest (要確認 where the price is not confirmed). --json prints one\n"
           "array of objects with service, carrier, cost (null: cannot be sent), cheapest,\n"
           "effective, unconfirmed and withheld (why no prices ship, or null).\n"
        << PrefectureHelp();
}

const CommandRegistration
    kServices("services", "services --from PREF --to PREF --weight GRAMS --size L W H [--json]",
              RunServices, ServicesHelp);

} // namespace
} // namespace hanamori::cli
