#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/storage/SmartAttributes.h"
#include "tools/storage/SmartReader.h"

// The attribute list's columns: name, id, hex id, real value, current, worst, threshold, raw, flags, reserved.
constexpr int kSmartColumnCount = 10;
std::string SmartColumnText(const TSmartAttributes& meaning, const TSmartAttribute& attribute, int column);

// What a query asks a drive for.
constexpr unsigned kQueryEnable = 1, kQueryIdentify = 2, kQueryAttributes = 4;
constexpr unsigned kQueryAll = kQueryEnable | kQueryIdentify | kQueryAttributes;

struct TSmartDriveSlot {
    bool Read = false;
    std::vector<TSmartAttribute> Attributes;
    TIdentifyBlock Identify{};
};

// The drives read so far, by number, and the log of what failed on the way. Every query opens its drive and
// closes it again, whatever happens.
class TSmartDrives {
  public:
    explicit TSmartDrives(IDeviceIoOpener& drives) : reader_(drives) {}

    // The platform's last error code and its text, and the performance counter.
    std::function<uint32_t()> LastError;
    std::function<std::string(uint32_t)> ErrorText;
    std::function<int64_t()> Counter;

    // False when the drive did not open (no log line then) or a step failed (logged). Only the active drive's query
    // is timed.
    bool Query(int drive, unsigned what, bool active);
    void Clear() { slots_.clear(); }
    const TSmartDriveSlot* Slot(int drive) const;
    int64_t QueryTicks() const { return queryTicks_; }

    const std::string& ErrorLog() const { return log_; }
    // A line with the last error code and its text.
    void Log(const std::string& label);

  private:
    TSmartReader reader_;
    std::vector<TSmartDriveSlot> slots_;
    std::string log_;
    int64_t queryTicks_ = 0;
};

std::string QueryTimeText(int64_t ticks, int64_t frequency);
