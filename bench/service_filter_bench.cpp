// The Service Explorer's list of 2,000 services: the text filter typed one letter at a time (with the switches)
// and a sort by each kind of column, each against one 60 Hz frame.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/FrameReporter.h"
#include "tools/system/ServiceExplorer.h"

namespace {
constexpr int kServices = 2000;

class TManyServices : public IServiceManager {
  public:
    std::vector<TServiceRecord> EnumerateServices() override {
        const char* words[] = {"Update", "Print", "Network", "Audio", "Windows", "Remote", "Host", "Driver"};
        std::vector<TServiceRecord> services;
        for (int i = 0; i < kServices; ++i) {
            const std::string name = std::string(words[i % 8]) + words[(i / 8) % 8] + std::to_string(i);
            const uint32_t type = i % 5 == 0 ? 1u : i % 3 == 0 ? 0x10u : 0x20u;
            const uint32_t state = i % 4 == 0 ? 4u : 1u;
            services.push_back({name,
                                std::string(words[(i / 3) % 8]) + " service " + std::to_string(i),
                                {type, state, 0, 0, 0, 0, 0, state == 4 ? 100u + i % 40u : 0u, 0},
                                std::nullopt});
        }
        return services;
    }
    std::optional<TServiceConfig> QueryConfig(const std::string& name) override {
        TServiceConfig config;
        config.StartType = static_cast<uint32_t>(name.size() % 5);
        config.BinaryPathName = "C:\\Windows\\system32\\svchost.exe -k " + name;
        return config;
    }
};

struct TList {
    TManyServices manager;
    TServiceEnumerator services{manager};
    TServiceRows source{services};
    TRowView view;
    TList() {
        services.Enumerate();
        view.SetSource(&source);
        view.SetSort(0, false);
    }
};

constexpr TServiceSwitches kDefaults = {true, true, true, true, true, true, true, false, false, true};

// Each iteration is one keystroke of "network": the filter so far, applied to the whole snapshot, sorted.
void TypeTextFilter(benchmark::State& state) {
    TList list;
    const std::string word = "network";
    size_t typed = 0;
    for (auto _ : state) {
        typed = typed % word.size() + 1;
        list.view.SetFilter(list.source.Filter(word.substr(0, typed), kDefaults));
        benchmark::DoNotOptimize(list.view.Count());
    }
}
BENCHMARK(TypeTextFilter)->Unit(benchmark::kMillisecond);

void Sort(benchmark::State& state) {
    TList list;
    bool descending = false;
    for (auto _ : state) {
        descending = !descending;
        list.view.SetSort(static_cast<int>(state.range(0)), descending);
        benchmark::DoNotOptimize(list.view.SourceRow(0));
    }
}
// The internal name, a text column and the process id.
BENCHMARK(Sort)->ArgName("column")->Arg(0)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunFrameBenchmarks(argc, argv);
}
