// The Network Port List's shipped list filtered once per keystroke: a port range, a search text and the protocol,
// each against one 60 Hz frame. Counting the matches stands for the list's new row count.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/FrameReporter.h"
#include "core/KoLib.h"
#include "tools/network/NetPortList.h"

namespace {
const std::vector<TPortRecord>& ShippedList() {
    static const std::vector<TPortRecord> records = [] {
        std::string text;
        ReadFileBytes(DD_SOURCE_DIR "/data/netportlist/ports.lst", text);
        return ParsePortList(text);
    }();
    return records;
}

// Each iteration is one keystroke of the text, the filter so far applied to the whole list.
void Type(benchmark::State& state, const std::string& ports, const std::string& search, TPortProtocol protocol) {
    const std::vector<TPortRecord>& records = ShippedList();
    if (records.empty()) {
        state.SkipWithError("no ports.lst");
        return;
    }
    size_t typed = 0;
    const size_t length = std::max(ports.size(), search.size());
    for (auto _ : state) {
        typed = typed % length + 1;
        benchmark::DoNotOptimize(
            FilterPorts(records, ports.substr(0, typed), protocol, search.substr(0, typed)).size());
    }
}
BENCHMARK_CAPTURE(Type, port_range, std::string("1000-2000"), std::string(), TPortProtocol::Both)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Type, search_text, std::string(), std::string("network"), TPortProtocol::Both)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Type, search_udp_only, std::string(), std::string("web"), TPortProtocol::Udp)
    ->Unit(benchmark::kMillisecond);

void Parse(benchmark::State& state) {
    std::string text;
    ReadFileBytes(DD_SOURCE_DIR "/data/netportlist/ports.lst", text);
    for (auto _ : state)
        benchmark::DoNotOptimize(ParsePortList(text).size());
}
BENCHMARK(Parse)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunFrameBenchmarks(argc, argv);
}
