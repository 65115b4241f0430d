// One-shot parse and evaluation of a mixed corpus, each expression from a fresh string, against muparser on the
// same expressions in its own syntax. Prints the ratio of evaluations per second at the end. Very long expressions
// must fold in linear time: one run of the long chains must stay below kLongChainLimitSeconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/number/StringCalculator.h"

#if __has_include(<muParser.h>)
#include <muParser.h>
#define DD_HAVE_MUPARSER 1
#endif

namespace {

struct TCase {
    const char* ours;
    const char* muparser;
};

constexpr TCase kCorpus[] = {
    {"1+2*3-4/5", "1+2*3-4/5"},
    {"2(3+4)^2 - sin(P/2)", "2*(3+4)^2 - sin(_pi/2)"},
    {"sqrt(2)*exp(1.5)-ln(10)", "sqrt(2)*exp(1.5)-ln(10)"},
    {"(1.5e3+2.25e-2)/(3.75-1.125)*100", "(1.5e3+2.25e-2)/(3.75-1.125)*100"},
    {"$rate*3+$base/2", "rate*3+base/2"},
    {"abs(-3.5)+round(7.6)", "abs(-3.5)+rint(7.6)"},
    {"-(2.5-0.5)^3+4x", "(-(2.5-0.5))^3+4*x"},
    {"cos(0.25)*cos(0.25)+sin(0.25)*sin(0.25)", "cos(0.25)*cos(0.25)+sin(0.25)*sin(0.25)"},
    {"123456789.125-987654.5*3/7+42", "123456789.125-987654.5*3/7+42"},
    {"arctan(1)*4-P", "atan(1)*4-_pi"},
    {"log10(12345)+log2(1024)", "log10(12345)+log2(1024)"},
    {"((((1+2)*3)+4)*5)/6", "((((1+2)*3)+4)*5)/6"},
    {"2^10-1000+0.5^2", "2^10-1000+0.5^2"},
    {"tan(0.5)/(1+x*x)", "tan(0.5)/(1+x*x)"},
    {"$base*(1+$rate/100)^12", "base*(1+rate/100)^12"},
    {"0.1+0.2+0.3+0.4+0.5+0.6+0.7+0.8+0.9", "0.1+0.2+0.3+0.4+0.5+0.6+0.7+0.8+0.9"},
};

// Expressions of 100000 operators, literals or brackets; the tests check what they give.
std::vector<std::string> LongChains() {
    const auto repeat = [](std::string_view piece, size_t times) {
        std::string text;
        for (size_t i = 0; i < times; ++i)
            text += piece;
        return text;
    };
    return {repeat("1+", 100000) + "1",
            repeat("2*", 10000) + repeat("0.5*", 10000) + "3",
            repeat("1+2*3^1-", 20000) + "0",
            repeat("(1)", 50000),
            repeat("a", 100000),
            repeat("1", 100000) + "e",
            "0." + repeat("3", 100000),
            "0x" + repeat("F", 100000),
            repeat("!", 100000) + "0",
            repeat("(", 200000) + repeat(")", 200000)};
}
constexpr double kLongChainLimitSeconds = 2.0;

constexpr long double kRate = 1.25L;
constexpr long double kBase = 40;
constexpr long double kX = 3;

struct TOurs {
    TOurs() {
        vars.Add("rate", kRate);
        vars.Add("base", kBase);
        calc.Variables = &vars;
        calc.X = kX;
    }
    TNamedVariables vars;
    TStringCalculator calc;
};

void BM_Evaluator(benchmark::State& state) {
    TOurs ours;
    for (auto _ : state) {
        for (const TCase& c : kCorpus) {
            const std::string text(c.ours);
            benchmark::DoNotOptimize(ours.calc.Evaluate(text));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(std::size(kCorpus)));
}
BENCHMARK(BM_Evaluator);

void BM_LongChains(benchmark::State& state) {
    const std::vector<std::string> chains = LongChains();
    TStringCalculator calc;
    for (auto _ : state) {
        for (const std::string& chain : chains) {
            try {
                benchmark::DoNotOptimize(calc.Evaluate(chain));
            } catch (const ECalcStrSyntaxError&) {
                // a refused chain is timed as well
            }
        }
    }
}
BENCHMARK(BM_LongChains)->Unit(benchmark::kMillisecond);

#ifdef DD_HAVE_MUPARSER
struct TMu {
    TMu() {
        parser.DefineVar("rate", &rate);
        parser.DefineVar("base", &base);
        parser.DefineVar("x", &x);
    }
    double rate = static_cast<double>(kRate);
    double base = static_cast<double>(kBase);
    double x = static_cast<double>(kX);
    mu::Parser parser;
};

void BM_MuParser(benchmark::State& state) {
    TMu mu;
    for (auto _ : state) {
        for (const TCase& c : kCorpus) {
            const std::string text(c.muparser);
            mu.parser.SetExpr(text);
            benchmark::DoNotOptimize(mu.parser.Eval());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(std::size(kCorpus)));
}
BENCHMARK(BM_MuParser);

// The two spellings of each expression must mean the same, or the comparison is void.
bool CorporaAgree() {
    TOurs ours;
    TMu mu;
    bool agree = true;
    for (const TCase& c : kCorpus) {
        const double a = static_cast<double>(ours.calc.Evaluate(c.ours));
        mu.parser.SetExpr(c.muparser);
        const double b = mu.parser.Eval();
        if (std::fabs(a - b) > 1e-9 * std::fmax(1.0, std::fabs(b))) {
            std::fprintf(stderr, "corpus mismatch: %s = %.17g, %s = %.17g\n", c.ours, a, c.muparser, b);
            agree = false;
        }
    }
    return agree;
}
#endif

// Evaluations per second of each benchmark: the median when repetitions are asked for, else the one run.
class TRateReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.run_name.function_name == "BM_LongChains")
                longChainSeconds = std::max(longChainSeconds, run.real_accumulated_time / run.iterations);
            const auto it = run.counters.find("items_per_second");
            if (it == run.counters.end())
                continue;
            if (run.run_type == Run::RT_Iteration && !medians_.count(run.run_name.str()))
                rates[run.run_name.str()] = it->second.value;
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                rates[run.run_name.str()] = medians_[run.run_name.str()] = it->second.value;
        }
    }
    std::map<std::string, double> rates;
    double longChainSeconds = -1;  // the slowest run of all the long chains; -1 when not run

  private:
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
#ifdef DD_HAVE_MUPARSER
    if (!CorporaAgree())
        return 1;
#endif
    TRateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ours = reporter.rates.find("BM_Evaluator");
    const auto theirs = reporter.rates.find("BM_MuParser");
    if (ours != reporter.rates.end() && theirs != reporter.rates.end() && theirs->second > 0)
        std::printf("evaluator / muparser evaluations per second: %.2f\n", ours->second / theirs->second);
    if (reporter.longChainSeconds >= 0)
        std::printf("long chains: %.3f s per run (limit %.1f s)\n", reporter.longChainSeconds, kLongChainLimitSeconds);
    benchmark::Shutdown();
    return reporter.longChainSeconds <= kLongChainLimitSeconds ? 0 : 1;
}
