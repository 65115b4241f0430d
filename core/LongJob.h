#pragma once
#include <functional>

// Long work in the window's own thread (scans, queries, traces): one job at a time, which lets the window's messages
// run between its steps. Whatever those messages do is safe for the job: a close waits until the job has returned,
// a new job first ends the running one, and no job is ever entered twice.
class TLongJobs {
  public:
    using TJob = std::function<void()>;

    // pump runs the pending messages; false when the application is quitting.
    explicit TLongJobs(std::function<bool()> pump);
    TLongJobs(const TLongJobs&) = delete;
    TLongJobs& operator=(const TLongJobs&) = delete;

    // Runs the job now. Asked from inside a running job (by a message handled between its steps), it ends that job
    // and runs this one once the other has returned; only the newest of several such requests runs.
    void Run(TJob job);
    bool Busy() const { return running_; }
    // Called by the job between its steps: runs pending messages; false when the job must end now.
    bool Step();
    // Tells the running job to end; a waiting one is dropped.
    void Cancel();
    // A close asked for while a job runs must wait: true then (the job is told to end), and OnDeferredClose runs once
    // it has returned. False when the window may close at once.
    bool DeferClose();
    std::function<void()> OnDeferredClose;

  private:
    void Finish();

    std::function<bool()> pump_;
    TJob waiting_;
    bool running_ = false;
    bool ending_ = false;
    bool closing_ = false;
};
