// The books of 10,000 listings (the file list benchmark's data) against plain reading
// of the same files into memory, in the same run. The books should cost at most 1.3
// times the reading; the last line prints the ratio.
//
// Run: build-*/bench/bench_books

#include "core/document/books.h"
#include "listing_corpus.h"

#include <iostream>

namespace {

void BM_Books(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    const SiteFees fees({{{2019, 10, 1}, 880, FeeApplies::Members},
                         {{2019, 10, 1}, 1000, FeeApplies::Others},
                         {{2024, 6, 4}, 1000, FeeApplies::All}});
    const BooksRules rules{&fees, true, {2026, 12, 8}};
    std::size_t sales = 0;
    for (auto _ : state) {
        BooksLoad load = LoadBooks(corpus.datas, rules);
        if (load.files != kListings || load.unreadable != 0) {
            state.SkipWithError("wrong file count");
        }
        BooksSummary summary = SummarizeBooks(load.sales, {});
        sales = load.sales.size();
        benchmark::DoNotOptimize(summary.total.profit);
    }
    state.counters["sales"] = static_cast<double>(sales);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
}

BENCHMARK(BM_ReadAllFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Books)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
        std::cout << "BM_Books / BM_ReadAllFiles: time "
                  << MeanSeconds(reporter.seconds, "BM_Books/") / floor << ", CPU "
                  << MeanSeconds(reporter.cpu_seconds, "BM_Books/") / cpu_floor << '\n';
    }
    benchmark::Shutdown();
    return 0;
}
