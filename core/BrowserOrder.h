#pragma once
#include <array>
#include <functional>
#include <string>

#include "core/ToolRegistry.h"

// What the launcher shows, apart from the platform: the seven sort orders and the seven extra-column texts.

constexpr int kBrowserToolCount = kLastToolIndex + 1;
using TToolOrder = std::array<const TToolRecord*, kBrowserToolCount>;

// Run statistics of one tool; 0 where absent.
struct TToolStats {
    int runCount = 0;
    double firstRun = 0;
    double lastRun = 0;
};
using TStatsReader = std::function<TToolStats(const TToolRecord&)>;
// The statistics the tool's section holds; a time outside the calendar (a hand-edited 1e300) counts as absent.
TToolStats ReadToolStats(TKoIni& ini, const TToolRecord& tool);

extern const char* const kSortMethodNames[7];
extern const char* const kExtraInfoNames[7];

TToolOrder RegistryOrder();
// True when a must come after b in the sort order.
bool BrowserComesAfter(int sortMethod, const TToolRecord& a, const TToolRecord& b, const TStatsReader& stats);
// Stable: tools that compare equal keep the order the previous sort left.
void SortTools(TToolOrder& order, int sortMethod, const TStatsReader& stats);

std::string ExtraInfoText(int extraInfo, const TToolRecord& tool, const TToolStats& stats, double now);
// The time since a run, days long, as seconds, minutes, hours or days.
std::string TimeSinceText(double days);
