#include "core/shipping/services/service_catalogue.h"

#include "core/app/host.h"
#include "core/text/cp932.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace hanamori {
namespace {

namespace fs = std::filesystem;

// The csv files of the folder by name (bytes), or nullopt when it cannot be listed.
std::optional<std::vector<std::string>> ServiceFileNames(const std::string& dir) {
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".csv") == 0 &&
            it->is_regular_file(error)) {
            names.push_back(name);
        }
    }
    if (error) {
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Leaves out services whose "only beyond" names none of the others, until every one
// left names a service that is there (leaving one out may strand another).
void ResolveOnlyBeyond(ServiceCatalogue& catalogue) {
    for (bool changed = true; changed;) {
        changed = false;
        auto& services = catalogue.services;
        for (auto it = services.begin(); it != services.end(); ++it) {
            if (it->only_beyond.empty()) {
                continue;
            }
            auto target = std::find_if(services.begin(), services.end(), [&](const auto& s) {
                return s.name == it->only_beyond && &s != &*it;
            });
            if (target == services.end()) {
                catalogue.problems.push_back(
                    {it->file, it->only_beyond_line,
                     "only_beyond の発送方法がありません: "_sj + it->only_beyond});
                services.erase(it);
                changed = true;
                break;
            }
        }
    }
    for (ServiceTariff& s : catalogue.services) {
        s.only_beyond_index = -1;
        for (std::size_t i = 0; !s.only_beyond.empty() && i < catalogue.services.size(); ++i) {
            if (catalogue.services[i].name == s.only_beyond) {
                s.only_beyond_index = static_cast<int>(i);
            }
        }
        for (ServiceTariff& period : s.earlier) {
            period.only_beyond_index = s.only_beyond_index;
        }
    }
}

// The line of the file's "id" item, 0 when it has none.
int IdLine(const std::string& text) {
    int line = 1;
    for (std::size_t at = 0; at < text.size(); ++line) {
        if (text.compare(at, 3, "id,") == 0) {
            return line;
        }
        std::size_t end = text.find('\n', at);
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return 0;
}

} // namespace

std::string FlatRateGroup() {
    return "匿名配送の定額便"_sj;
}

const ServiceTariff* FindService(const ServiceCatalogue& catalogue, const std::string& id) {
    for (const ServiceTariff& s : catalogue.services) {
        if (s.id == id) {
            return &s;
        }
    }
    return nullptr;
}

std::string TodayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

ServiceCatalogue LoadServiceCatalogue(const std::string& dir) {
    ServiceCatalogue catalogue;
    auto names = ServiceFileNames(dir);
    if (!names) {
        catalogue.problems.push_back({kServiceDataDir, 0, "フォルダが読めません"_sj});
        return catalogue;
    }
    for (const std::string& name : *names) {
        std::ifstream in(fs::path(dir) / name, std::ios::binary);
        std::string text(std::istreambuf_iterator<char>(in), {});
        if (!in.good() && !in.eof()) {
            catalogue.problems.push_back({name, 0, "ファイルが読めません"_sj});
            continue;
        }
        auto parsed = ParseServiceFile(text, name);
        if (auto* problem = std::get_if<ServiceDataProblem>(&parsed)) {
            catalogue.problems.push_back(std::move(*problem));
            continue;
        }
        auto& tariff = std::get<ServiceTariff>(parsed);
        auto same = std::find_if(catalogue.services.begin(), catalogue.services.end(),
                                 [&](const ServiceTariff& s) { return s.name == tariff.name; });
        if (same != catalogue.services.end()) {
            catalogue.problems.push_back(
                {name, 0,
                 "同じ名前の発送方法が "_sj + same->file + " にもあります: "_sj + tariff.name});
            continue;
        }
        if (const ServiceTariff* other = FindService(catalogue, tariff.id)) {
            catalogue.problems.push_back(
                {name, IdLine(text),
                 "同じ id の発送方法が "_sj + other->file + " にもあります: "_sj + tariff.id});
            continue;
        }
        catalogue.services.push_back(std::move(tariff));
    }
    ResolveOnlyBeyond(catalogue);
    return catalogue;
}

void ReportServiceProblems(const ServiceCatalogue& catalogue, Host& host) {
    if (catalogue.problems.empty()) {
        return;
    }
    std::string text = "現在の発送方法のデータに誤りがあります。"
                       "誤りのある発送方法は一覧に入れていません。"_sj;
    for (const ServiceDataProblem& p : catalogue.problems) {
        text += "\r\n" + std::string(kServiceDataDir) + "/" + p.file;
        if (p.line > 0) {
            text += " " + std::to_string(p.line) + "行目"_sj;
        }
        text += ": " + p.message;
    }
    host.ShowMessage(text, MessageIcon::Exclamation);
}

std::vector<ServiceQuote> QuoteServices(const ServiceCatalogue& catalogue,
                                        const ServiceParcel& parcel, int from_pref, int to_pref,
                                        const std::string& date) {
    const std::string day = date.empty() ? TodayText() : date;
    std::vector<ServiceQuote> quotes;
    quotes.reserve(catalogue.services.size());
    std::int32_t lowest = -1;
    for (const ServiceTariff& entry : catalogue.services) {
        const ServiceTariff& service = TariffOn(entry, day);
        std::int32_t cost = TariffCost(service, parcel, from_pref, to_pref);
        std::string refusal = cost < 0 ? RefusalReason(service, parcel) : std::string();
        if (cost >= 0 && service.only_beyond_index >= 0) {
            const ServiceTariff& other = TariffOn(
                catalogue.services[static_cast<std::size_t>(service.only_beyond_index)], day);
            if (TariffCost(other, parcel, from_pref, to_pref) >= 0) {
                cost = -1;
                refusal = other.name + " で送れます"_sj;
            }
        }
        if (cost >= 0 && (lowest < 0 || cost < lowest)) {
            lowest = cost;
        }
        quotes.push_back(
            {&service, cost, false, service.effective, service.unconfirmed, std::move(refusal)});
    }
    for (ServiceQuote& quote : quotes) {
        quote.cheapest = quote.cost >= 0 && quote.cost == lowest;
    }
    return quotes;
}

std::string QuoteCostText(const ServiceQuote& quote) {
    if (!quote.service->withheld.empty()) {
        return quote.service->withheld;
    }
    if (quote.cost < 0) {
        return "発送不可"_sj;
    }
    return std::to_string(quote.cost) + (quote.unconfirmed ? " 要確認"_sj : "");
}

} // namespace hanamori
