#include "core/EventLogger.h"

#include <cstdio>
#include <fstream>

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Locale.h"

int TEventLog::Add(const std::string& text, TColor color, uint32_t data, uint32_t flags, int levelDelta) {
    const bool replace = (flags & kLogTransient) && !entries_.empty() && (entries_.back().Flags & kLogTransient);
    TLogEvent& entry = replace ? entries_.back() : NewEntry();
    entry.Time = AppClock().Now();
    entry.Level = static_cast<uint8_t>(BaseLevel + levelDelta);
    entry.Color = color;
    entry.Flags = flags;
    entry.Data = data;
    entry.Text = text;
    return Count() - 1;
}

TLogEvent& TEventLog::NewEntry() {
    if (entries_.size() == entries_.capacity())
        entries_.reserve(entries_.capacity() + kGrowBy);
    return entries_.emplace_back();
}

double TEventLog::Elapsed(int index) const {
    if (index <= 0)
        return 0;
    int mark = index - 1;
    while (mark > 0 && !(Entry(mark).Flags & kLogTimingMark))
        --mark;
    return Entry(index).Time - Entry(mark).Time;
}

void TEventLog::Clear() {
    std::vector<TLogEvent>().swap(entries_);
}

bool TEventLog::SaveToFile(const std::string& fileName, bool withTime, bool append) const {
    std::ofstream file(fileName, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (!file)
        return false;
    if (entries_.empty())
        return true;
    const char dateSeparator = withTime ? LocaleDateSeparator() : '/';
    std::string text;
    for (const TLogEvent& entry : entries_) {
        if (withTime)
            text.append(LogTimeStamp(entry.Time, dateSeparator, AppLocale().TimeSeparator())).append(" ");
        text.append(entry.Level, '\t').append(entry.Text).append("\r\n");
    }
    text.append("\r\n");
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(file.flush());
}

std::string LogTimeStamp(double time, char dateSeparator, char timeSeparator) {
    const TDateTimeParts t = DecodeDateTime(time);
    char text[64];
    std::snprintf(text, sizeof text, "[%02d%c%02d%c%02d %02d%c%02d%c%02d]", t.year % 100, dateSeparator, t.month,
                  dateSeparator, t.day, t.hour, timeSeparator, t.minute, timeSeparator, t.second);
    return text;
}

char LocaleDateSeparator() {
    for (char c : AppLocale().FormatShortDate(2001, 2, 3))
        if (c < '0' || c > '9')
            return c;
    return '/';
}
