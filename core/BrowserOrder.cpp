#include "core/BrowserOrder.h"

#include "core/DateTime.h"
#include "core/Format.h"
#include "core/KoIni.h"
#include "core/KoLib.h"

const char* const kSortMethodNames[7] = {"Index", "Title", "Category", "Updated", "RunCount", "FirstRun", "LastRun"};
const char* const kExtraInfoNames[7] = {"None", "Category", "Updated", "RunCount", "FirstRun", "LastRun", "LastRun+"};

namespace {
int CompareTextAscii(std::string_view a, std::string_view b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i] >= 'a' && a[i] <= 'z' ? a[i] - 32 : a[i]);
        const auto cb = static_cast<unsigned char>(b[i] >= 'a' && b[i] <= 'z' ? b[i] - 32 : b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// Year, then month, then day.
uint32_t DateKey(uint32_t updated) {
    return (updated >> 16 & 0xFF) << 16 | (updated >> 8 & 0xFF) << 8 | (updated & 0xFF);
}

std::string DayAndTime(double dayNumber) {
    const TDateTimeParts p = DecodeDateTime(dayNumber);
    return Format("%.2d.%.2d.%.2d %.2d:%.2d", {p.year % 100, p.month, p.day, p.hour, p.minute});
}

struct TSortContext {
    int sortMethod;
    const TStatsReader* stats;
};
}  // namespace

TToolStats ReadToolStats(TKoIni& ini, const TToolRecord& tool) {
    auto time = [&](const char* key) {
        const auto value = static_cast<double>(ini.ReadFloat(tool.Key, key, 0));
        return IsCalendarDay(value) ? value : 0.0;
    };
    TToolStats stats;
    stats.runCount = ini.ReadInteger(tool.Key, "TotalRunCount", 0);
    stats.firstRun = time("FirstRunTime");
    stats.lastRun = time("LastRunTime");
    return stats;
}

TToolOrder RegistryOrder() {
    TToolOrder order{};
    for (int i = 0; i < kBrowserToolCount; ++i)
        order[static_cast<size_t>(i)] = &ToolRecord(static_cast<TToolIndex>(i));
    return order;
}

bool BrowserComesAfter(int sortMethod, const TToolRecord& a, const TToolRecord& b, const TStatsReader& stats) {
    switch (sortMethod) {
        case 0:
            return ToolIndex(a) > ToolIndex(b);
        case 1:
            return CompareTextAscii(a.Title, b.Title) > 0;
        case 2:
            return CompareTextAscii(a.Category, b.Category) > 0;
        case 3:
            return DateKey(a.Updated) > DateKey(b.Updated);
        case 4:
            return stats(a).runCount < stats(b).runCount;
        case 5:
            return stats(a).firstRun > stats(b).firstRun;
        case 6:
            return stats(a).lastRun < stats(b).lastRun;
        default:
            return false;
    }
}

void SortTools(TToolOrder& order, int sortMethod, const TStatsReader& stats) {
    TSortContext context{sortMethod, &stats};
    BubbleSort(
        order.data(), sizeof(order[0]), order.size(),
        [](void* c, const void* a, const void* b) {
            const auto* ctx = static_cast<const TSortContext*>(c);
            return BrowserComesAfter(ctx->sortMethod, **static_cast<const TToolRecord* const*>(a),
                                     **static_cast<const TToolRecord* const*>(b), *ctx->stats);
        },
        &context);
}

std::string TimeSinceText(double days) {
    if (days * 86400 < 100)
        return Format("%.2f sec", {days * 86400});
    if (days <= 1.0 / 24)
        return Format("%.2f min", {days * 1440});
    if (days <= 3)
        return Format("%.2f hrs", {days * 24});
    return Format("%.2f day", {days});
}

std::string ExtraInfoText(int extraInfo, const TToolRecord& tool, const TToolStats& stats, double now) {
    switch (extraInfo) {
        case 1:
            return tool.Category;
        case 2:
            return FormatVersion(tool.Updated, true);
        case 3:
            return stats.runCount != 0 ? Format("%d", {stats.runCount}) : std::string();
        case 4:
            return stats.firstRun != 0 ? DayAndTime(stats.firstRun) : std::string();
        case 5:
            return stats.lastRun != 0 ? DayAndTime(stats.lastRun) : std::string();
        case 6:
            return stats.lastRun != 0 ? TimeSinceText(now - stats.lastRun) : std::string();
        default:
            return {};
    }
}
