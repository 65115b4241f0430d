// The row model behind the owner-data lists: 10,000 rows of five columns refreshed, sorted by each kind of column and
// filtered by a word, each against the limit of one 60 Hz frame (16 ms), printed as a fraction of it at the end.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/FrameReporter.h"
#include "core/RowModel.h"

namespace {

constexpr int kRows = 10000;

// Like an uninstall list: a name (text, few ties), a publisher (text, many ties), a size and a date (compared as
// numbers), and a path (text). The texts are copied out on every call, as a tool's rows would be.
class TProducts : public IRowSource {
  public:
    TProducts() {
        const char* publishers[] = {"Microsoft Corporation",
                                    "Adobe Inc.",
                                    "the GIMP team",
                                    "Oracle",
                                    "NVIDIA",
                                    "Mozilla",
                                    "Soci\xE9t\xE9 G\xE9n\xE9rale",
                                    "Python Software Foundation"};
        const char* words[] = {"Runtime", "update", "Tools", "driver", "SDK", "Redistributable", "Viewer", "suite"};
        uint32_t seed = 12345;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return seed >> 8;
        };
        for (int i = 0; i < kRows; ++i) {
            TRow row;
            row.name = std::string(words[next() % 8]) + " " + std::to_string(next() % 5000) + " " + words[next() % 8];
            row.publisher = publishers[next() % 8];
            row.size = static_cast<int64_t>(next() % 200000) * 1024;
            row.date = 38000 + static_cast<double>(next() % 7000);
            row.path = "C:\\Program Files\\" + row.publisher + "\\" + row.name + "\\uninstall.exe";
            rows_.push_back(row);
        }
    }
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::string CellText(int row, int column) const override {
        const TRow& r = rows_[static_cast<size_t>(row)];
        switch (column) {
            case 0:
                return r.name;
            case 1:
                return r.publisher;
            case 2:
                return std::to_string(r.size / 1024) + " KB";
            case 3:
                return std::to_string(static_cast<int>(r.date));
            default:
                return r.path;
        }
    }
    int CompareRows(int a, int b, int column) const override {
        const TRow& x = rows_[static_cast<size_t>(a)];
        const TRow& y = rows_[static_cast<size_t>(b)];
        if (column == 2)
            return x.size < y.size ? -1 : x.size > y.size;
        if (column == 3)
            return x.date < y.date ? -1 : x.date > y.date;
        return IRowSource::CompareRows(a, b, column);
    }

  private:
    struct TRow {
        std::string name, publisher;
        int64_t size;
        double date;
        std::string path;
    };
    std::vector<TRow> rows_;
};

const TProducts& Products() {
    static const TProducts products;
    return products;
}

void Refresh(benchmark::State& state) {
    TRowView view;
    view.SetSource(&Products());
    view.SetSort(0, false);
    for (auto _ : state) {
        view.Refresh();
        benchmark::DoNotOptimize(view.SourceRow(0));
    }
}
BENCHMARK(Refresh)->Unit(benchmark::kMillisecond);

// Each sort starts from source order, as after a click on another column.
void Sort(benchmark::State& state) {
    const int column = static_cast<int>(state.range(0));
    TRowView view;
    view.SetSource(&Products());
    bool descending = false;
    for (auto _ : state) {
        state.PauseTiming();
        view.SetSort(-1, false);
        descending = !descending;
        state.ResumeTiming();
        view.SetSort(column, descending);
        benchmark::DoNotOptimize(view.SourceRow(0));
    }
}
BENCHMARK(Sort)->ArgName("column")->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void FilterByWord(benchmark::State& state) {
    TRowView view;
    view.SetSource(&Products());
    for (auto _ : state) {
        view.SetFilter(WordFilter(Products(), "driver", {0, 1, 4}));
        benchmark::DoNotOptimize(view.Count());
    }
    state.counters["visible"] = view.Count();
}
BENCHMARK(FilterByWord)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunFrameBenchmarks(argc, argv);
}
