#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/KoLib.h"

// One line of a tool's log.
struct TLogEvent {
    double Time = 0;  // day number of the moment it was added or last replaced
    uint8_t Level = 0;
    TColor Color = 0;
    uint32_t Flags = 0;
    uint32_t Data = 0;
    std::string Text;
};

// Flag bits the log itself acts on; the others belong to the window that shows the log.
constexpr uint32_t kLogTimingMark = 8;
constexpr uint32_t kLogTransient = 32;

// Time-stamped, indented, coloured text entries that a window shows and can save as text.
class TEventLog {
  public:
    static constexpr int kGrowBy = 32;

    TEventLog() = default;
    TEventLog(const TEventLog&) = delete;
    TEventLog& operator=(const TEventLog&) = delete;

    uint8_t BaseLevel = 0;

    int Count() const { return static_cast<int>(entries_.size()); }
    int Capacity() const { return static_cast<int>(entries_.capacity()); }

    // A transient entry replaces a transient last entry; returns the index written.
    int Add(const std::string& text, TColor color = 0, uint32_t data = 0, uint32_t flags = 0, int levelDelta = 0);
    // A zeroed entry appended at the end for the caller to fill; valid until the log grows or is cleared.
    TLogEvent& NewEntry();
    TLogEvent& Entry(int index) { return entries_[static_cast<size_t>(index)]; }
    const TLogEvent& Entry(int index) const { return entries_[static_cast<size_t>(index)]; }
    // Days since the timing mark (or the first entry) before the entry.
    double Elapsed(int index) const;
    void Clear();
    // Returns false when the file cannot be opened; an empty log writes nothing.
    bool SaveToFile(const std::string& fileName, bool withTime, bool append) const;

  private:
    std::vector<TLogEvent> entries_;
};

// "[yy/mm/dd hh:nn:ss]" with the given separators in place of "/" and ":".
std::string LogTimeStamp(double time, char dateSeparator, char timeSeparator);
// The date separator of the locale's short date format ("/" when it shows none).
char LocaleDateSeparator();
