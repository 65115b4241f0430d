// The prime list of the Number Information tool (division by the primes found so far) against a plain sieve of
// Eratosthenes over the same range, in one run; the ratio is printed at the end.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/number/NumberInfoRoutines.h"

namespace {

constexpr uint32_t kRange = 10000000;

std::vector<uint32_t> Sieve(uint32_t range) {
    std::vector<char> composite(range + 1, 0);
    std::vector<uint32_t> primes;
    for (uint64_t i = 2; i <= range; ++i) {
        if (composite[i])
            continue;
        primes.push_back(static_cast<uint32_t>(i));
        for (uint64_t j = i * i; j <= range; j += i)
            composite[j] = 1;
    }
    return primes;
}

void PrimeListRoutine(benchmark::State& state) {
    size_t length = 0;
    for (auto _ : state) {
        const TInfoLines lines = PrimesByFoundPrimes(kRange);
        length = lines[1].text.size();
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["text_bytes"] = static_cast<double>(length);
}
BENCHMARK(PrimeListRoutine)->Unit(benchmark::kMillisecond);

void PlainSieve(benchmark::State& state) {
    size_t count = 0;
    for (auto _ : state) {
        const std::vector<uint32_t> primes = Sieve(kRange);
        count = primes.size();
        benchmark::DoNotOptimize(primes.data());
    }
    state.counters["primes"] = static_cast<double>(count);
}
BENCHMARK(PlainSieve)->Unit(benchmark::kMillisecond);

// The sieve with the same listing text, so that the cost of the text can be told from the cost of finding primes.
void PlainSieveWithText(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<uint32_t> primes = Sieve(kRange);
        std::string text = "  ";
        text.reserve(primes.size() * 11);
        for (uint32_t p : primes) {
            text += std::to_string(p);
            text += ", ";
        }
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(PlainSieveWithText)->Unit(benchmark::kMillisecond);

class TRatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration)
                times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        Ratio("PrimeListRoutine", "PlainSieve");
        Ratio("PrimeListRoutine", "PlainSieveWithText");
    }

  private:
    void Ratio(const std::string& a, const std::string& b) {
        if (times_.count(a) && times_.count(b) && times_[b].first > 0 && times_[b].second > 0) {
            std::printf("%s / %s = %.2f (real time), %.2f (CPU time)\n", a.c_str(), b.c_str(),
                        times_[a].first / times_[b].first, times_[a].second / times_[b].second);
        }
    }
    std::map<std::string, std::pair<double, double>> times_;  // real and CPU time of one iteration
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
