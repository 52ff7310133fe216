// Shipping engine timings: loading the six shipped rate files (against merely reading
// them into memory), and every prefecture pair by all eleven methods.

#include "core/app/host.h"
#include "core/settings/user_settings.h"
#include "core/shipping/shipping_engine.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

const std::string kCostDir = std::string(HANAMORI_SOURCE_DIR) + "/data/CostData";
const char* const kFiles[] = {"yupack.dat", "yupack2.dat", "yubin.dat",
                              "yamato.dat", "sagawa.dat",  "nittu.dat"};

void BM_ReadSixRateFiles(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t total = 0;
        for (const char* name : kFiles) {
            std::string path = kCostDir + "/" + name;
            std::FILE* file = std::fopen(path.c_str(), "rb");
            std::fseek(file, 0, SEEK_END);
            std::string data(static_cast<std::size_t>(std::ftell(file)), '\0');
            std::fseek(file, 0, SEEK_SET);
            total += std::fread(data.data(), 1, data.size(), file);
            std::fclose(file);
            benchmark::DoNotOptimize(data.data());
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadSixRateFiles);

void BM_LoadAll(benchmark::State& state) {
    hanamori::UserSettings settings;
    hanamori::ShippingEngine engine(settings);
    hanamori::SilentHost host;
    for (auto _ : state) {
        bool ok = engine.LoadAll(kCostDir, host);
        if (!ok) {
            state.SkipWithError("rate files did not load");
            break;
        }
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_LoadAll);

// 47 x 47 pairs x 11 methods = 24,299 costs per iteration.
void BM_AllPairsAllMethods(benchmark::State& state) {
    hanamori::UserSettings settings;
    settings.send_opt.chk_yamato_opt100 = 1;
    hanamori::ShippingEngine engine(settings);
    hanamori::SilentHost host;
    if (!engine.LoadAll(kCostDir, host)) {
        state.SkipWithError("rate files did not load");
        return;
    }
    engine.SetParcel(30, 20, 10, 2000);
    const auto& prefectures = hanamori::Prefectures();
    for (auto _ : state) {
        long long sum = 0;
        for (int m = 0; m < hanamori::kShippingMethodCount; ++m) {
            auto method = static_cast<hanamori::ShippingMethod>(m);
            for (const std::string& from : prefectures) {
                for (const std::string& to : prefectures) {
                    sum += engine.Cost(method, from, to);
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * hanamori::kShippingMethodCount *
                            hanamori::kPrefectureCount * hanamori::kPrefectureCount);
}
BENCHMARK(BM_AllPairsAllMethods)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
