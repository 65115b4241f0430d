#include "core/LookupThreads.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the test shares with the workers: a gate holding each worker until its key opens (-1 opens all), the count of
// notifications, and the number of work functions still alive (a worker drops its work after its last use of the
// helper's state).
struct TBoard {
    void Change(const std::function<void()>& change) {
        std::lock_guard lock(mutex);
        change();
        changed.notify_all();
    }
    void Await(const std::function<bool()>& done) {
        std::unique_lock lock(mutex);
        changed.wait(lock, done);
    }
    void Open(int key) {
        Change([&] { open.insert(key); });
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::set<int> open;
    int notices = 0;
    int works = 0;
};

class LookupThreadsTest : public ::testing::Test {
  protected:
    void TearDown() override {
        board_->Open(-1);
        board_->Await([&] { return board_->works == 0; });
    }
    TLookupThreads::TNotify Notifier() {
        return [board = board_] { board->Change([&] { ++board->notices; }); };
    }
    void WaitForNotices(int count) {
        board_->Await([&] { return board_->notices >= count; });
    }
    int Notices() {
        std::lock_guard lock(board_->mutex);
        return board_->notices;
    }
    // Waits at the gate for its key, then names it; key 7 fails.
    std::function<std::string()> Lookup(int key) {
        board_->Change([&] { ++board_->works; });
        auto trace = std::shared_ptr<TBoard>(board_.get(),
                                             [board = board_](TBoard*) { board->Change([&] { --board->works; }); });
        return [trace, key] {
            trace->Await([&] { return trace->open.count(-1) != 0 || trace->open.count(key) != 0; });
            if (key == 7)
                throw std::runtime_error("no name");
            return "host-" + std::to_string(key);
        };
    }

    std::shared_ptr<TBoard> board_ = std::make_shared<TBoard>();
};

using TResults = std::map<uint64_t, std::string>;

TEST_F(LookupThreadsTest, EveryResultOfTheGenerationArrivesOnceWithItsTagInCompletionOrder) {
    constexpr int kWorkers = 40;
    TLookupThreads threads(Notifier());
    for (int key = 0; key < kWorkers; ++key)
        ASSERT_TRUE(threads.Start(1000 + key, Lookup(key)));
    EXPECT_EQ(threads.Running(), kWorkers);

    // A few finish one by one in a scrambled order, then the rest race each other and the taking.
    const int firstKeys[] = {31, 4, 17};
    for (int i = 0; i < 3; ++i) {
        board_->Open(firstKeys[i]);
        WaitForNotices(i + 1);
    }
    std::vector<TLookupResult> taken = threads.TakeResults();
    ASSERT_EQ(taken.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(taken[i].Tag, 1000u + firstKeys[i]);
    board_->Open(-1);
    for (bool last = false; !last;) {
        last = threads.Running() == 0;
        for (TLookupResult& result : threads.TakeResults())
            taken.push_back(std::move(result));
    }

    TResults expected, got;
    for (int key = 0; key < kWorkers; ++key)
        expected[1000 + key] = key == 7 ? "" : "host-" + std::to_string(key);
    for (const TLookupResult& result : taken)
        EXPECT_TRUE(got.emplace(result.Tag, result.Text).second) << "twice: " << result.Tag;
    EXPECT_EQ(got, expected);
    EXPECT_EQ(Notices(), kWorkers);
}

TEST_F(LookupThreadsTest, ResultsOfACancelledGenerationNeverArriveEvenUnderAReusedTag) {
    TLookupThreads threads(Notifier());
    threads.Start(1, Lookup(1));
    board_->Open(1);
    WaitForNotices(1);  // finished, not taken
    threads.Start(2, Lookup(2));
    threads.Start(3, Lookup(3));
    threads.Cancel();
    threads.Start(2, Lookup(5));
    threads.Start(6, Lookup(6));
    EXPECT_EQ(threads.Running(), 4);
    board_->Open(-1);
    threads.WaitIdle();

    TResults got;
    for (const TLookupResult& result : threads.TakeResults())
        got[result.Tag] = result.Text;
    EXPECT_EQ(got, (TResults{{2, "host-5"}, {6, "host-6"}}));
    EXPECT_EQ(Notices(), 3);
}

TEST_F(LookupThreadsTest, WorkersOutlivingTheOwnerTouchNothingFreedAndNotifyNoOne) {
    auto threads = std::make_unique<TLookupThreads>(Notifier());
    threads->Start(1, Lookup(1));
    board_->Open(1);
    WaitForNotices(1);
    for (int key = 2; key < 10; ++key)
        threads->Start(key, Lookup(key));
    threads.reset();  // must not wait for the blocked workers
    board_->Open(-1);
    board_->Await([&] { return board_->works == 0; });
    EXPECT_EQ(Notices(), 1);
}

}  // namespace
