#include "core/LookupThreads.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

struct TLookupThreads::TShared {
    std::mutex mutex;
    std::condition_variable idle;
    TNotify notify;  // empty once the owner is gone
    uint64_t generation = 0;
    int running = 0;
    std::vector<TLookupResult> results;

    void Finish(uint64_t workerGeneration, uint64_t tag, std::string text) {
        std::lock_guard lock(mutex);
        // Stored and announced under the lock, so that neither Cancel nor the owner's destructor can slip in
        // between and let a stale result be announced.
        if (workerGeneration == generation) {
            results.push_back({tag, std::move(text)});
            if (notify)
                notify();
        }
        --running;
        idle.notify_all();
    }

    void Forget() {
        std::lock_guard lock(mutex);
        --running;
        idle.notify_all();
    }
};

TLookupThreads::TLookupThreads(TNotify notify) : shared_(std::make_shared<TShared>()) {
    shared_->notify = std::move(notify);
}

// Blocked workers are not waited for (a look-up can take seconds); they finish into the shared state, which the
// last of them frees.
TLookupThreads::~TLookupThreads() {
    TNotify notify;  // released after the lock: the owner's callback may own anything
    std::lock_guard lock(shared_->mutex);
    ++shared_->generation;
    shared_->results.clear();
    notify.swap(shared_->notify);
}

bool TLookupThreads::Start(uint64_t tag, std::function<std::string()> work) {
    uint64_t generation = 0;
    {
        std::lock_guard lock(shared_->mutex);
        generation = shared_->generation;
        ++shared_->running;
    }
    try {
        std::thread([shared = shared_, generation, tag, work = std::move(work)] {
            std::string text;
            try {
                text = work();
            } catch (...) {
                // An exception must not end the process from a detached thread; the address stays unnamed.
            }
            shared->Finish(generation, tag, std::move(text));
        }).detach();
    } catch (...) {
        // Out of threads or memory: undo the count, or WaitIdle would never return.
        shared_->Forget();
        return false;
    }
    return true;
}

std::vector<TLookupResult> TLookupThreads::TakeResults() {
    std::vector<TLookupResult> taken;
    std::lock_guard lock(shared_->mutex);
    taken.swap(shared_->results);
    return taken;
}

void TLookupThreads::Cancel() {
    std::lock_guard lock(shared_->mutex);
    ++shared_->generation;
    shared_->results.clear();
}

int TLookupThreads::Running() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->running;
}

void TLookupThreads::WaitIdle() {
    std::unique_lock lock(shared_->mutex);
    shared_->idle.wait(lock, [this] { return shared_->running == 0; });
}
