#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TKoIni;

using TToolIndex = int8_t;

struct TToolRecord {
    uint32_t Updated;  // day, month, year - 2000, 0
    uint16_t DefaultWidth;
    uint16_t DefaultHeight;
    const char* Category;
    const char* Title;
    const char* Key;
    const void* Reserved;
};

constexpr TToolIndex kConfigEditorIndex = -2;
constexpr TToolIndex kLauncherIndex = -1;
constexpr TToolIndex kFirstToolIndex = -2;
constexpr TToolIndex kLastToolIndex = 16;
constexpr int kToolRecordCount = kLastToolIndex - kFirstToolIndex + 1;

// The tools, in registry order.
constexpr TToolIndex kCalculatorIndex = 0;
constexpr TToolIndex kUnitConverterIndex = 1;
constexpr TToolIndex kNumberConverterIndex = 2;
constexpr TToolIndex kNumberInfoIndex = 3;
constexpr TToolIndex kUninstallIndex = 4;
constexpr TToolIndex kClipboardIndex = 5;
constexpr TToolIndex kServiceExplorerIndex = 6;
constexpr TToolIndex kDateCalcIndex = 7;
constexpr TToolIndex kStopWatchIndex = 8;
constexpr TToolIndex kTimeSyncIndex = 9;
constexpr TToolIndex kDriveListerIndex = 10;
constexpr TToolIndex kSmartReaderIndex = 11;
constexpr TToolIndex kDriveSubstIndex = 12;
constexpr TToolIndex kTraceRouteIndex = 13;
constexpr TToolIndex kPingerIndex = 14;
constexpr TToolIndex kWhoisIndex = 15;
constexpr TToolIndex kPortListIndex = 16;

const TToolRecord& ToolRecord(TToolIndex index);  // index -2..16
const TToolRecord& FindTool(std::string_view text);
TToolIndex ToolIndex(const TToolRecord& record);
bool IsResizable(const TToolRecord& record);

// The command line's arguments after the program's name; empty texts beyond them.
void SetLaunchArguments(std::vector<std::string> arguments);
const std::string& LaunchArgument(size_t index);

// The tool chosen at start.
const TToolRecord& CurrentTool();
void SetCurrentTool(const TToolRecord& record);

// The launcher's data folder is the executable's; every other tool has "data\<key>\" beside it.
std::string ToolDataFolder(const TToolRecord& record, const std::string& exeFolder);
std::string ToolDataFolder(const TToolRecord& record);

// The quoted title, then a blank and extra when extra is not empty.
std::string LaunchParameters(const TToolRecord& record, std::string_view extra);
// Starts the tool as a new process of this executable in its data folder (platform half).
void LaunchTool(const TToolRecord& record, std::string_view extra = {});

// The process-wide accessor on the program's INI file; created on first use.
TKoIni& StatsIni();
void ReleaseStatsIni();

void UpdateRunStatistics(const TToolRecord& record, TKoIni& ini, double now);
void UpdateRunStatistics(const TToolRecord& record);

void AddToHistory(std::vector<std::string>& list, const std::string& value, size_t maxCount);
// A drop-down's history in an INI section: values "0", "1", ... most recent first, read up to the first missing or
// empty one (256 at most); writing replaces the section.
std::vector<std::string> ReadHistory(TKoIni& ini, const std::string& section);
void WriteHistory(TKoIni& ini, const std::string& section, const std::vector<std::string>& list);

// compare(context, a, b) is true when a must come after b. Stable.
using TBubbleCompare = bool (*)(void* context, const void* a, const void* b);
void BubbleSort(void* items, size_t itemSize, size_t count, TBubbleCompare compare, void* context);
