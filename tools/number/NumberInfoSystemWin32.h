#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/number/NumberInfoRoutines.h"

// The error-code query's texts from the system message table, the wave-out layer and the tables in the data
// folder.
class TWin32SystemMessages : public ISystemMessages {
  public:
    explicit TWin32SystemMessages(std::string dataFolder);
    std::string SysErrorMessage(uint32_t code) const override;
    bool WaveOutErrorText(uint32_t code, std::string& text) const override;
    std::vector<std::string> ErrorTableFiles() const override;

  private:
    std::string dataFolder_;
};

// The high-resolution counter, and its ticks per second (1 when the counter is not available).
int64_t PerformanceCounter();
int64_t PerformanceFrequency();
