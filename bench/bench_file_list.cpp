// The file list and the listing overview over 10,000 listings, against plain reading
// of the same files into memory. The cost of both should be the reading.
//
// Run: build-*/bench/bench_file_list (the generated files live in a temporary
// directory that is removed at exit). The last lines print the ratios.

#include "core/app/host.h"
#include "core/document/file_list.h"
#include "core/document/overview.h"
#include "listing_corpus.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace hanamori;

void BM_FileList(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        std::vector<FileRow> rows = EnumerateListings(corpus.datas);
        if (rows.size() != kListings) {
            state.SkipWithError("wrong row count");
        }
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
}

void BM_FileListSortByName(benchmark::State& state) {
    std::vector<FileRow> rows = EnumerateListings(TheCorpus().datas);
    bool ascending = true;
    for (auto _ : state) {
        SortRows(rows, kColumnName, ascending);
        ascending = !ascending;
    }
}

void BM_Overview(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    SilentHost host;
    for (auto _ : state) {
        if (!WriteOverviewFile(corpus.datas, corpus.root + "work/filelist.html", host)) {
            state.SkipWithError("overview failed");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
}

// The same page into memory: reading and our code, without the output file.
void BM_OverviewToMemory(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        std::ostringstream out;
        if (!WriteOverview(corpus.datas, "2024/01/01 00:00", out)) {
            state.SkipWithError("overview failed");
        }
        benchmark::DoNotOptimize(out.tellp());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
}

BENCHMARK(BM_ReadAllFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FileList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Overview)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OverviewToMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FileListSortByName)->Unit(benchmark::kMillisecond);

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
        for (const char* name : {"BM_FileList/", "BM_Overview/", "BM_OverviewToMemory/"}) {
            std::cout << name << " / BM_ReadAllFiles: time "
                      << MeanSeconds(reporter.seconds, name) / floor << ", CPU "
                      << MeanSeconds(reporter.cpu_seconds, name) / cpu_floor << '\n';
        }
    }
    benchmark::Shutdown();
    return 0;
}
