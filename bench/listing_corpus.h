#pragma once
// The benchmarks' data: 10,000 listings of realistic size in a temporary Datas
// directory (removed at exit), and the floor every reader is measured against:
// reading the same files whole into memory.

#include "core/listing/listing_file.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace hanamori;

constexpr int kListings = 10000;

struct Corpus {
    std::string root; // ends in '/'
    std::string datas;
    std::size_t bytes = 0;

    Corpus() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "hanamori-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        root = pattern + "/";
        datas = root + "Datas";
        std::filesystem::create_directories(datas);
        std::filesystem::create_directories(root + "work");
        std::mt19937 random(42);
        for (int i = 0; i < kListings; ++i) {
            SaleMaster m;
            const std::string number = std::to_string(100000000000LL + i);
            m.manage_no = number;
            m.product_name = "Listing " + std::to_string(i) + " \x8F\xA4\x95\x69"; // "商品"
            m.auction.listed = static_cast<int>(random() % 2);
            m.auction.ended = static_cast<int>(random() % 2);
            m.auction.completed = static_cast<int>(random() % 4 == 0);
            m.auction.description.assign(2000 + random() % 4000, 'x');
            m.auction.notes.assign(200, 'n');
            m.auction.shipping_notes.assign(300, 's');
            int bidders = static_cast<int>(random() % 4);
            for (int b = 0; b < bidders; ++b) {
                CustomerRecord c;
                c.nickname = "bidder" + std::to_string(b);
                c.name = "\x8E\x81\x96\xBC"; // "氏名"
                c.mail = "b@example.invalid";
                c.price = static_cast<std::int32_t>(random() % 20000) - 1000;
                c.count = 1 + static_cast<std::int32_t>(random() % 3);
                c.address.assign(60, 'a');
                // Dealings at every stage, dated in the weeks before the run.
                int stage = static_cast<int>(random() % 6);
                std::int32_t* ticks[] = {&c.notice_sent, &c.method_told, &c.paid, &c.shipped,
                                         &c.closed};
                std::string* dates[] = {&c.notice_sent_date, &c.method_told_date, &c.paid_date,
                                        &c.shipped_date, &c.closed_date};
                for (int s = 0; s < stage; ++s) {
                    *ticks[s] = 1;
                    *dates[s] =
                        "2026/11/" + std::to_string(10 + s + static_cast<int>(random() % 10));
                }
                m.customers.Append(c);
            }
            std::ofstream out(datas + "/" + number + ".rks", std::ios::binary);
            if (!WriteListing(m, out)) {
                std::abort();
            }
            bytes += static_cast<std::size_t>(out.tellp());
        }
    }
    ~Corpus() { std::filesystem::remove_all(root); }
};

Corpus& TheCorpus() {
    static Corpus corpus;
    return corpus;
}

// The floor: every .rks file of the directory read whole into memory, nothing else.
void BM_ReadAllFiles(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    std::string buffer;
    for (auto _ : state) {
        std::size_t total = 0;
        DIR* dir = ::opendir(corpus.datas.c_str());
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_type == DT_DIR) {
                continue;
            }
            int fd = ::open((corpus.datas + "/" + entry->d_name).c_str(), O_RDONLY);
            struct stat st {};
            ::fstat(fd, &st);
            buffer.resize(static_cast<std::size_t>(st.st_size));
            total += static_cast<std::size_t>(::read(fd, buffer.data(), buffer.size()));
            ::close(fd);
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus.bytes));
}

// Console output as usual, plus the mean time of each run for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    std::map<std::string, double> cpu_seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations > 0) {
                double n = static_cast<double>(run.iterations);
                seconds[run.benchmark_name()] = run.real_accumulated_time / n;
                cpu_seconds[run.benchmark_name()] = run.cpu_accumulated_time / n;
            }
        }
    }
};

// The time of the benchmark whose name starts with `prefix`: with
// --benchmark_repetitions the median, otherwise the single run.
inline double MeanSeconds(const std::map<std::string, double>& times, const std::string& prefix) {
    auto ends_with = [](const std::string& name, const std::string& tail) {
        return name.size() >= tail.size() &&
               name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
    };
    double single = 0.0;
    for (auto it = times.lower_bound(prefix); it != times.end(); ++it) {
        const std::string& name = it->first;
        if (name.rfind(prefix, 0) != 0) {
            break;
        }
        if (ends_with(name, "_median")) {
            return it->second;
        }
        bool aggregate =
            ends_with(name, "_mean") || ends_with(name, "_stddev") || ends_with(name, "_cv");
        if (!aggregate) {
            single = it->second;
        }
    }
    return single;
}

} // namespace
