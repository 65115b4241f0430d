#include "tools/number/NumberInfoSystemWin32.h"

#include <windows.h>
#include <mmsystem.h>

#include <utility>

#include "core/KoLibWin32.h"
#include "core/LateBoundWin32.h"

TWin32SystemMessages::TWin32SystemMessages(std::string dataFolder) : dataFolder_(std::move(dataFolder)) {
    if (!dataFolder_.empty() && dataFolder_.back() != '\\' && dataFolder_.back() != '/')
        dataFolder_ += '\\';
}

std::string TWin32SystemMessages::SysErrorMessage(uint32_t code) const {
    return ::SysErrorMessage(code);
}

bool TWin32SystemMessages::WaveOutErrorText(uint32_t code, std::string& text) const {
    char buffer[260] = {};
    static const auto errorText = LateBound<decltype(&waveOutGetErrorTextA)>("winmm.dll", "waveOutGetErrorTextA");
    if (!errorText || errorText(code, buffer, sizeof buffer) != MMSYSERR_NOERROR)
        return false;
    text = buffer;
    return true;
}

std::vector<std::string> TWin32SystemMessages::ErrorTableFiles() const {
    std::vector<std::string> files;
    for (const std::string& name : FindFiles(dataFolder_, "*.csv"))
        files.push_back(dataFolder_ + name);
    return files;
}

int64_t PerformanceCounter() {
    LARGE_INTEGER counter;
    if (!QueryPerformanceCounter(&counter))
        return 0;
    return counter.QuadPart;
}

int64_t PerformanceFrequency() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0)
        return 1;
    return frequency.QuadPart;
}
