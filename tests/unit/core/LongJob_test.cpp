#include "core/LongJob.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Messages that arrive while a job waits between its steps, one batch per step.
struct TScriptedPump {
    std::vector<std::function<bool()>> batches;
    size_t next = 0;
    bool operator()() { return next < batches.size() ? batches[next++]() : true; }
};

// A job of `steps` steps that logs each one and stops when told to.
TLongJobs::TJob Counting(TLongJobs& jobs, std::vector<std::string>& log, const std::string& name, int steps) {
    return [&jobs, &log, name, steps] {
        for (int i = 1; i <= steps; ++i) {
            log.push_back(name + std::to_string(i));
            if (!jobs.Step()) {
                log.push_back(name + " ended");
                return;
            }
        }
        log.push_back(name + " done");
    };
}

TEST(LongJobs, ANewJobEndsTheRunningOneAndRunsAfterItNeverInsideIt) {
    TScriptedPump pump;
    TLongJobs jobs([&pump] { return pump(); });
    std::vector<std::string> log;
    pump.batches = {[&] {
                        jobs.Run(Counting(jobs, log, "b", 2));  // superseded by c before a has returned
                        jobs.Run(Counting(jobs, log, "c", 2));
                        return true;
                    },
                    [] { return true; }, [] { return false; }};  // the application quits during c
    jobs.Run(Counting(jobs, log, "a", 3));
    EXPECT_EQ(log, (std::vector<std::string>{"a1", "a ended", "c1", "c2", "c ended"}));
    EXPECT_FALSE(jobs.Busy());
}

TEST(LongJobs, AnExceptionLeavesTheRunnerIdleAndADeferredCloseStillHappens) {
    TLongJobs jobs([] { return true; });
    int closes = 0;
    jobs.OnDeferredClose = [&closes] { ++closes; };
    EXPECT_THROW(jobs.Run([&jobs] {
        jobs.DeferClose();
        throw std::runtime_error("device gone");
    }),
                 std::runtime_error);
    EXPECT_FALSE(jobs.Busy());
    EXPECT_EQ(closes, 1);
}
}  // namespace
