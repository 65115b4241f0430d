#include "core/LongJob.h"

#include <utility>

TLongJobs::TLongJobs(std::function<bool()> pump) : pump_(std::move(pump)) {}

void TLongJobs::Run(TJob job) {
    if (running_) {
        waiting_ = std::move(job);
        ending_ = true;
        return;
    }
    running_ = true;
    // Resets the state whatever way the jobs end, an exception included.
    struct TFinish {
        TLongJobs& jobs;
        ~TFinish() { jobs.Finish(); }
    } finish{*this};
    while (job) {
        ending_ = false;
        job();
        job = closing_ ? nullptr : std::exchange(waiting_, nullptr);
    }
}

void TLongJobs::Finish() {
    running_ = false;
    ending_ = false;
    waiting_ = nullptr;
    if (std::exchange(closing_, false) && OnDeferredClose)
        OnDeferredClose();
}

bool TLongJobs::Step() {
    if (!ending_ && pump_ && !pump_())
        ending_ = true;
    return !ending_;
}

void TLongJobs::Cancel() {
    waiting_ = nullptr;
    if (running_)
        ending_ = true;
}

bool TLongJobs::DeferClose() {
    if (!running_)
        return false;
    closing_ = true;
    Cancel();
    return true;
}
