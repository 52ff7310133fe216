// Building body.html for a listing with 30 KB in each long text and all five parcel
// carriers ticked, against writing the same number of bytes to a file in one call.
// Prints the ratio of the two for each design at the end.

#include "core/app/atomic_file.h"
#include "core/app/host.h"
#include "core/page/color_list.h"
#include "core/page/design_catalog.h"
#include "core/page/page_builders.h"
#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"
#include "long_listing.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace hanamori {
namespace {

struct Bench {
    UserSettings settings;
    SaleMaster listing;
    ColorList colors;
    SilentHost host;
    ShippingEngine engine{settings};
    EngineCostLists lists{engine};
    std::string dir;

    Bench() {
        LoadColorList(colors, std::string(HANAMORI_SOURCE_DIR) + "/data/template");
        engine.LoadAll(std::string(HANAMORI_SOURCE_DIR) + "/data/CostData", host);
        bench::FillLongListing(listing.auction);
        settings.send_opt.chk_yuupack_opt = 0; // both ゆうパック lists
        char pattern[] = "/tmp/bench_page_XXXXXX";
        dir = ::mkdtemp(pattern) ? std::string(pattern) + "/" : "/tmp/";
    }
    PageSources Sources() { return {listing, settings, colors, lists, host}; }
};

Bench& Shared() {
    static Bench bench;
    return bench;
}

std::size_t BodySize(int design) {
    Bench& b = Shared();
    std::ostringstream out;
    WriteBody(out, b.Sources(), DesignCatalog()[design], b.colors[0].name);
    return out.str().size();
}

void BM_BodyFile(benchmark::State& state) {
    Bench& b = Shared();
    const int design = static_cast<int>(state.range(0));
    const std::string path = b.dir + "body.html";
    for (auto _ : state) {
        if (!WriteBodyFile(b.Sources(), DesignCatalog()[design], b.colors[0].name, path)) {
            state.SkipWithError("build failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BodySize(design)));
    state.counters["bytes"] = static_cast<double>(BodySize(design));
}

// The same number of bytes, saved the same atomic way, in one write call.
void BM_OneAtomicWrite(benchmark::State& state) {
    Bench& b = Shared();
    const std::string bytes(BodySize(static_cast<int>(state.range(0))), 'x');
    const std::string path = b.dir + "atomic.html";
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveBytesAtomically(path, bytes));
    }
}

// The same number of bytes to the same kind of file, in one write call.
void BM_OneWrite(benchmark::State& state) {
    Bench& b = Shared();
    const std::string bytes(BodySize(static_cast<int>(state.range(0))), 'x');
    const std::string path = b.dir + "plain.html";
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        benchmark::DoNotOptimize(out.good());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_BodyFile)->DenseRange(0, kDesignCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneWrite)->DenseRange(0, kDesignCount - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneAtomicWrite)->DenseRange(0, kDesignCount - 1)->Unit(benchmark::kMicrosecond);

// Console output plus the time per iteration of every run, for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    std::map<std::string, double> cpu_times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
            cpu_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace
} // namespace hanamori

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    hanamori::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nbody.html build / the same bytes in one write call (real time; CPU time):\n");
    for (int design = 0; design < hanamori::kDesignCount; ++design) {
        std::string arg = "/" + std::to_string(design);
        for (const char* base : {"BM_OneWrite", "BM_OneAtomicWrite"}) {
            auto build = reporter.times.find("BM_BodyFile" + arg);
            auto write = reporter.times.find(base + arg);
            if (build == reporter.times.end() || write == reporter.times.end() ||
                write->second <= 0) {
                continue;
            }
            double cpu_build = reporter.cpu_times[build->first];
            double cpu_write = reporter.cpu_times[write->first];
            std::printf("  design %d vs %-17s: %7.1f us / %7.1f us = %.2f;  CPU %.2f\n", design,
                        base, build->second, write->second, build->second / write->second,
                        cpu_write > 0 ? cpu_build / cpu_write : 0.0);
        }
    }
    benchmark::Shutdown();
    return 0;
}
