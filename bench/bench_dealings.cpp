// The dealings of 10,000 listings (the file list benchmark's data) against plain reading
// of the same files into memory, in the same run. Loading should cost at most half as
// much again as the reading; the last line prints the ratio.
//
// Run: build-*/bench/bench_dealings

#include "core/document/dealings.h"
#include "core/document/dealings_csv.h"
#include "listing_corpus.h"

#include <iostream>
#include <sstream>

namespace {

void BM_LoadDealings(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    const CivilDate today{2026, 12, 8};
    std::size_t rows = 0;
    for (auto _ : state) {
        DealingsLoad load = LoadDealings(corpus.datas, today);
        if (load.files != kListings || load.unreadable != 0) {
            state.SkipWithError("wrong file count");
        }
        rows = load.rows.size();
        benchmark::DoNotOptimize(load.rows.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
}

// The window's work after a keystroke in the text filter.
void BM_FilterDealings(benchmark::State& state) {
    DealingsLoad load = LoadDealings(TheCorpus().datas, {2026, 12, 8});
    DealingFilter filter{DealingWaiting::Payment, "bidder1", 7};
    for (auto _ : state) {
        benchmark::DoNotOptimize(FilterDealings(load.rows, filter).data());
    }
}

void BM_DealingsCsv(benchmark::State& state) {
    DealingsLoad load = LoadDealings(TheCorpus().datas, {2026, 12, 8});
    std::vector<std::size_t> all = FilterDealings(load.rows, {});
    for (auto _ : state) {
        std::ostringstream out;
        WriteDealingsCsv(load.rows, all, out);
        benchmark::DoNotOptimize(out.tellp());
    }
}

BENCHMARK(BM_ReadAllFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadDealings)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FilterDealings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DealingsCsv)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const Corpus& corpus = TheCorpus();
    std::cout << kListings << " listings, " << corpus.bytes / 1024 << " KiB in all\n";
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double floor = MeanSeconds(reporter.seconds, "BM_ReadAllFiles/");
    double cpu_floor = MeanSeconds(reporter.cpu_seconds, "BM_ReadAllFiles/");
    if (floor > 0 && cpu_floor > 0) {
        std::cout << "BM_LoadDealings / BM_ReadAllFiles: time "
                  << MeanSeconds(reporter.seconds, "BM_LoadDealings/") / floor << ", CPU "
                  << MeanSeconds(reporter.cpu_seconds, "BM_LoadDealings/") / cpu_floor << '\n';
    }
    benchmark::Shutdown();
    return 0;
}
