#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TLookupResult {
    uint64_t Tag = 0;
    std::string Text;
};

// Short-lived worker threads (the trace route's name look-ups) whose results reach the owner's thread tagged with a
// number the owner chose. The state the workers share outlives the owner, so a late worker touches nothing freed.
class TLookupThreads {
  public:
    // Called on a worker's thread, under the helper's lock, after it stored a result: it must be cheap (post a
    // message) and must not call back into the helper.
    using TNotify = std::function<void()>;

    explicit TLookupThreads(TNotify notify);
    ~TLookupThreads();
    TLookupThreads(const TLookupThreads&) = delete;
    TLookupThreads& operator=(const TLookupThreads&) = delete;

    // The work's captures must not refer to the owner. False when no thread could be started.
    bool Start(uint64_t tag, std::function<std::string()> work);
    // The current generation's finished results in completion order, each returned once.
    std::vector<TLookupResult> TakeResults();
    // Starts a new generation: results of earlier ones, taken or still to come, are dropped.
    void Cancel();
    int Running() const;
    void WaitIdle();

  private:
    struct TShared;
    std::shared_ptr<TShared> shared_;
};
