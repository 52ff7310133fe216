#pragma once
// Today's shipping services: the data files of the installation's ServiceData folder,
// and one parcel priced by each of them. The catalogue stands beside the eleven
// calculators of CostData and shares nothing with them but the prefecture list.
//
// How to use it:
//   - LoadServiceCatalogue(dir) reads the folder once; problems name file and line.
//   - Each service has a stable ASCII `id` (what a listing stores in its offered
//     services); FindService(catalogue, id) finds it again, nullptr when it is gone.
//   - `group` is empty for the carriers' services and names the list of the auction
//     site's flat-rate services (kFlatRateGroup), so a window can show them apart.
//   - A service may hold several dated price periods; QuoteServices prices the parcel
//     by the period in force on a date (empty: today) and reports that period's
//     effective date and whether its prices are unconfirmed (要確認).
//   - RefusalReason (service_tariff.h) says why a service cannot take a parcel.
#include "core/shipping/services/service_file.h"
#include "core/shipping/services/service_tariff.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hanamori {

class Host;

// The folder of the service files in the installation directory.
inline constexpr const char* kServiceDataDir = "ServiceData";

// The group of the auction site's flat-rate services, as their files name it (CP932).
std::string FlatRateGroup();

struct ServiceCatalogue {
    std::vector<ServiceTariff> services; // in file-name order
    std::vector<ServiceDataProblem> problems;
};

// The service of that id, or nullptr.
const ServiceTariff* FindService(const ServiceCatalogue& catalogue, const std::string& id);

// Today's local date as "YYYY-MM-DD".
std::string TodayText();

// Reads every "*.csv" of `dir` in file-name order. A file with a fault, a second service
// of the same name, or an "only beyond" naming no service left in the catalogue is
// recorded as a problem and its service left out; the others load. A folder that cannot
// be read is one problem.
ServiceCatalogue LoadServiceCatalogue(const std::string& dir);

// Shows the catalogue's problems in one message (file and line each), if it has any.
void ReportServiceProblems(const ServiceCatalogue& catalogue, Host& host);

struct ServiceQuote {
    // The price period used: the catalogue's service itself or one of its `earlier`
    // periods (same id, name and group).
    const ServiceTariff* service = nullptr;
    std::int32_t cost = -1;   // yen; -1 when the parcel cannot go this way or no prices ship
    bool cheapest = false;    // the lowest cost; every service that shares it
    std::string effective;    // the period's effective date, "" when not known
    bool unconfirmed = false; // the period's prices are shown as 要確認
    // Why the service cannot take the parcel (CP932); empty when it can.
    std::string refusal;
};

// Prices the parcel by every service, in catalogue order, between two prefectures
// (indexes 0 to 46), by the prices in force on `date` ("YYYY-MM-DD"; empty: today). A
// service "only beyond" another one refuses what that one takes.
std::vector<ServiceQuote> QuoteServices(const ServiceCatalogue& catalogue,
                                        const ServiceParcel& parcel, int from_pref, int to_pref,
                                        const std::string& date = {});

// The text a quote shows for its cost: the yen amount, "発送不可", or the reason no
// prices ship; unconfirmed prices carry "要確認" (CP932).
std::string QuoteCostText(const ServiceQuote& quote);

} // namespace hanamori
