#include "core/ToolRegistry.h"

#include <cstring>
#include <memory>

#include "core/AppPaths.h"
#include "core/Clock.h"
#include "core/KoIni.h"
#include "core/KoLib.h"

namespace {
constexpr TToolRecord kTools[kToolRecordCount] = {
    {MakeUpdated(8, 11, 15), 440, 440, "Core", "Config Editor", "configeditor", nullptr},
    {MakeUpdated(8, 11, 15), 308, 0, "Core", "Korvo Utilities", "browser", nullptr},
    {MakeUpdated(29, 10, 15), 480, 90, "Number", "Calculator", "calculator", nullptr},
    {MakeUpdated(6, 11, 15), 540, 480, "Number", "Unit Converter", "converter", nullptr},
    {MakeUpdated(12, 1, 15), 420, 0, "Number", "Number Converter", "numconvert", nullptr},
    {MakeUpdated(4, 3, 15), 720, 320, "Number", "Number Information", "numberinfo", nullptr},
    {MakeUpdated(25, 10, 15), 980, 640, "System", "Uninstall Lister", "uninstall", nullptr},
    {MakeUpdated(28, 10, 15), 920, 580, "System", "Clipboard Viewer", "clipboard", nullptr},
    {MakeUpdated(21, 7, 15), 1010, 580, "System", "Service Explorer", "serviceexplorer", nullptr},
    {MakeUpdated(20, 10, 15), 340, 0, "Time", "Date Calculator", "datecalc", nullptr},
    {MakeUpdated(2, 7, 15), 380, 160, "Time", "Stop Watch", "stopwatch", nullptr},
    {MakeUpdated(22, 10, 15), 420, 0, "Time", "Time Synchroniser", "timesync", nullptr},
    {MakeUpdated(6, 11, 15), 940, 0, "Storage", "Drive Lister", "drivelister", nullptr},
    {MakeUpdated(27, 3, 15), 840, 420, "Storage", "SMART Reader", "smartreader", nullptr},
    {MakeUpdated(26, 2, 14), 480, 280, "Storage", "Drive Subst", "drivesubst", nullptr},
    {MakeUpdated(7, 10, 15), 900, 480, "Network", "Trace Route", "traceroute", nullptr},
    {MakeUpdated(21, 10, 15), 680, 330, "Network", "Pinger", "pinger", nullptr},
    {MakeUpdated(7, 2, 15), 760, 600, "Network", "Whois Query", "whois", nullptr},
    {MakeUpdated(13, 2, 13), 760, 540, "Network", "Network Port List", "netportlist", nullptr},
};

const TToolRecord* currentTool = &kTools[kLauncherIndex - kFirstToolIndex];
std::unique_ptr<TKoIni> statsIni;
std::vector<std::string> launchArguments;

bool Contains(std::string_view text, std::string_view part) {
    return PosEx(text, part, 1, false, false) > 0;
}
}  // namespace

const TToolRecord& ToolRecord(TToolIndex index) {
    return kTools[index - kFirstToolIndex];
}

const TToolRecord& FindTool(std::string_view text) {
    // Only the low 8 bits of a number count, read as a signed byte: 256 is the calculator, 255 searches by name.
    const auto number = static_cast<TToolIndex>(static_cast<uint8_t>(StrToIntDef(text, -1)));
    if (number != -1)
        return number >= kFirstToolIndex && number <= kLastToolIndex ? ToolRecord(number) : ToolRecord(kLauncherIndex);
    for (const TToolRecord& tool : kTools) {
        if (SameTextAscii(tool.Title, text) || SameTextAscii(tool.Key, text))
            return tool;
    }
    for (const TToolRecord& tool : kTools) {
        if (Contains(tool.Title, text) || Contains(tool.Key, text))
            return tool;
    }
    return ToolRecord(kLauncherIndex);
}

TToolIndex ToolIndex(const TToolRecord& record) {
    for (int i = 0; i < kToolRecordCount; ++i) {
        if (&kTools[i] == &record)
            return static_cast<TToolIndex>(i + kFirstToolIndex);
    }
    return 0;
}

bool IsResizable(const TToolRecord& record) {
    return record.DefaultWidth != 0 && record.DefaultHeight != 0;
}

void SetLaunchArguments(std::vector<std::string> arguments) {
    launchArguments = std::move(arguments);
}

const std::string& LaunchArgument(size_t index) {
    static const std::string kNone;
    return index < launchArguments.size() ? launchArguments[index] : kNone;
}

const TToolRecord& CurrentTool() {
    return *currentTool;
}

void SetCurrentTool(const TToolRecord& record) {
    currentTool = &record;
}

std::string ToolDataFolder(const TToolRecord& record, const std::string& exeFolder) {
    if (ToolIndex(record) == kLauncherIndex)
        return exeFolder;
    return exeFolder + "data\\" + record.Key + "\\";
}

std::string ToolDataFolder(const TToolRecord& record) {
    return ToolDataFolder(record, ExeFolder());
}

std::string LaunchParameters(const TToolRecord& record, std::string_view extra) {
    std::string params = std::string("\"") + record.Title + "\"";
    if (!extra.empty()) {
        params += ' ';
        params += extra;
    }
    return params;
}

TKoIni& StatsIni() {
    if (!statsIni)
        statsIni = std::make_unique<TKoIni>(ProgramIniFileName());
    return *statsIni;
}

void ReleaseStatsIni() {
    statsIni.reset();
}

void UpdateRunStatistics(const TToolRecord& record, TKoIni& ini, double now) {
    const std::string section = record.Key;
    static const std::string kAbsent(1, '\x1b');
    const TProfileLock lock = ini.Lock();
    if (ini.ReadString(section, "FirstRunTime", kAbsent) == kAbsent)
        ini.WriteFloat(section, "FirstRunTime", now);
    ini.WriteInteger(section, "TotalRunCount", ini.ReadInteger(section, "TotalRunCount", 0) + 1);
    ini.WriteFloat(section, "LastRunTime", now);
}

void UpdateRunStatistics(const TToolRecord& record) {
    UpdateRunStatistics(record, StatsIni(), AppClock().Now());
}

std::vector<std::string> ReadHistory(TKoIni& ini, const std::string& section) {
    std::vector<std::string> list;
    for (int i = 0; i < 256; ++i) {
        std::string value = ini.ReadString(section, std::to_string(i), "");
        if (value.empty())
            break;
        list.push_back(std::move(value));
    }
    return list;
}

void WriteHistory(TKoIni& ini, const std::string& section, const std::vector<std::string>& list) {
    const auto lock = ini.Lock();
    ini.ClearSection(section);
    for (size_t i = 0; i < list.size(); ++i)
        ini.WriteString(section, std::to_string(i), list[i]);
}

void AddToHistory(std::vector<std::string>& list, const std::string& value, size_t maxCount) {
    if (!list.empty() && SameTextAscii(list.front(), value))
        return;
    for (size_t i = list.size(); i-- > 0;) {
        if (SameTextAscii(list[i], value))
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
    while (list.size() > maxCount)
        list.pop_back();
    list.insert(list.begin(), value);
}

void BubbleSort(void* items, size_t itemSize, size_t count, TBubbleCompare compare, void* context) {
    if (count < 2)
        return;
    auto* bytes = static_cast<unsigned char*>(items);
    std::unique_ptr<unsigned char[]> temp(new unsigned char[itemSize]);
    for (size_t unsorted = count; unsorted > 1; --unsorted) {
        bool swapped = false;
        for (size_t i = 0; i + 1 < unsorted; ++i) {
            unsigned char* a = bytes + i * itemSize;
            unsigned char* b = a + itemSize;
            if (compare(context, a, b)) {
                std::memcpy(temp.get(), a, itemSize);
                std::memcpy(a, b, itemSize);
                std::memcpy(b, temp.get(), itemSize);
                swapped = true;
            }
        }
        if (!swapped)
            break;
    }
}
