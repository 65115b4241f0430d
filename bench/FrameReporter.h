#pragma once
// Prints each benchmark's mean time as a fraction of one 60 Hz frame after the usual table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

constexpr double kFrameMs = 16.0;

class TFrameReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration)
                ms_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};  // in ms
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, ms] : ms_) {
            std::printf("%-16s %6.2f ms real, %6.2f ms CPU: %.2f of a %.0f ms frame\n", name.c_str(), ms.first,
                        ms.second, ms.first / kFrameMs, kFrameMs);
        }
    }

  private:
    std::map<std::string, std::pair<double, double>> ms_;
};

inline int RunFrameBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TFrameReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
