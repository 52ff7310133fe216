#pragma once
// Today's shipping services: the data files of the installation's ServiceData folder,
// and one parcel priced by each of them. The catalogue stands beside the eleven
// calculators of CostData and shares nothing with them but the prefecture list.

#include "core/shipping/services/service_file.h"
#include "core/shipping/services/service_tariff.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hanamori {

class Host;

// The folder of the service files in the installation directory.
inline constexpr const char* kServiceDataDir = "ServiceData";

struct ServiceCatalogue {
    std::vector<ServiceTariff> services; // in file-name order
    std::vector<ServiceDataProblem> problems;
};

// Reads every "*.csv" of `dir` in file-name order. A file with a fault, a second service
// of the same name, or an "only beyond" naming no service left in the catalogue is
// recorded as a problem and its service left out; the others load. A folder that cannot
// be read is one problem.
ServiceCatalogue LoadServiceCatalogue(const std::string& dir);

// Shows the catalogue's problems in one message (file and line each), if it has any.
void ReportServiceProblems(const ServiceCatalogue& catalogue, Host& host);

struct ServiceQuote {
    const ServiceTariff* service = nullptr;
    std::int32_t cost = -1; // yen; -1 when the parcel cannot go this way or no prices ship
    bool cheapest = false;  // the lowest cost; every service that shares it
};

// Prices the parcel by every service, in catalogue order, between two prefectures
// (indexes 0 to 46). A service "only beyond" another one refuses what that one takes.
std::vector<ServiceQuote> QuoteServices(const ServiceCatalogue& catalogue,
                                        const ServiceParcel& parcel, int from_pref, int to_pref);

// The text a quote shows for its cost: the yen amount, "発送不可", or the reason no
// prices ship; unconfirmed prices carry "要確認" (CP932).
std::string QuoteCostText(const ServiceQuote& quote);

} // namespace hanamori
