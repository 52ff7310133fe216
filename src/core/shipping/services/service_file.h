#pragma once
// A service data file: CSV text in CP932 (a spreadsheet's "CSV" on a Japanese system;
// a UTF-8 file with a byte order mark is read too), one item per line, the item's key
// in the first column:
//
//   service,NAME                 carrier,NAME            effective,YYYY-MM-DD (or empty)
//   source,TEXT                  confidence,H|M|L        (L: prices shown as 要確認)
//   withheld,WHY                 no prices are shipped yet; the service is listed with WHY
//   only_beyond,SERVICE          only for parcels that SERVICE cannot take
//   sides,L,W[,H]  longest,CM  sum,CM  thickness,CM  weight,GRAMS      the limits
//   flat,YEN                                                           one price
//   weight_step,GRAMS,YEN  or  thickness_step,CM,YEN                   rising steps
//   region,ID,NAME,PREFECTURE...  size_class,NAME,SUM_CM,GRAMS  rate,CLASS,ORIGIN_ID,YEN...
//
// Lines starting with "#" and empty lines are skipped; trailing empty cells are ignored.
// A rate row gives one price per region in the order the regions were listed; an empty
// cell takes the price of the opposite direction.

#include "core/shipping/services/service_tariff.h"

#include <string>
#include <string_view>
#include <variant>

namespace hanamori {

// A fault in a data file: the file, the line (1-based; 0 for the file as a whole) and
// what is wrong, as the seller reads it (CP932).
struct ServiceDataProblem {
    std::string file;
    int line = 0;
    std::string message;
};

// Reads one service file's text. The first fault found ends the reading: the service
// is then left out and the fault returned.
std::variant<ServiceTariff, ServiceDataProblem> ParseServiceFile(std::string_view text,
                                                                 const std::string& file_name);

} // namespace hanamori
