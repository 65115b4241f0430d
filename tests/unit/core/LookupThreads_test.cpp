#include "core/LookupThreads.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the test shares with the workers: a gate holding each worker until its key opens, the notifications, and
// the work functions still alive (a worker drops its work after its last use of the helper's state).
class TBoard {
  public:
    void Open(int key) {
        Change([&] { open_.insert(key); });
    }
    void OpenAll() {
        Change([&] { all_ = true; });
    }
    void Notify() {
        Change([&] { ++notices_; });
    }
    void WorkMade() {
        Change([&] { ++works_; });
    }
    void WorkGone() {
        Change([&] { --works_; });
    }
    void WaitAtGate(int key) {
        Await([&] { return all_ || open_.count(key) != 0; });
    }
    void WaitForNotices(int count) {
        Await([&] { return notices_ >= count; });
    }
    void WaitUntilWorkGone() {
        Await([&] { return works_ == 0; });
    }
    int Notices() {
        std::lock_guard lock(mutex_);
        return notices_;
    }

  private:
    template <typename F>
    void Change(F change) {
        std::lock_guard lock(mutex_);
        change();
        changed_.notify_all();
    }
    template <typename F>
    void Await(F done) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, done);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::set<int> open_;
    bool all_ = false;
    int notices_ = 0;
    int works_ = 0;
};

struct TWorkTrace {
    explicit TWorkTrace(std::shared_ptr<TBoard> b) : board(std::move(b)) { board->WorkMade(); }
    ~TWorkTrace() { board->WorkGone(); }
    std::shared_ptr<TBoard> board;
};

class LookupThreadsTest : public ::testing::Test {
  protected:
    void TearDown() override {
        board_->OpenAll();
        board_->WaitUntilWorkGone();
    }
    TLookupThreads::TNotify Notifier() {
        return [board = board_] { board->Notify(); };
    }
    // Waits at the gate for its key, then names it; key 7 fails.
    std::function<std::string()> Lookup(int key) {
        return [trace = std::make_shared<TWorkTrace>(board_), key] {
            trace->board->WaitAtGate(key);
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
    const std::vector<int> firstKeys = {31, 4, 17, 0};
    for (int i = 0; i < static_cast<int>(firstKeys.size()); ++i) {
        board_->Open(firstKeys[i]);
        board_->WaitForNotices(i + 1);
    }
    std::vector<TLookupResult> taken = threads.TakeResults();
    ASSERT_EQ(taken.size(), firstKeys.size());
    for (size_t i = 0; i < firstKeys.size(); ++i)
        EXPECT_EQ(taken[i].Tag, 1000u + firstKeys[i]);
    board_->OpenAll();
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
    EXPECT_EQ(board_->Notices(), kWorkers);
}

TEST_F(LookupThreadsTest, ResultsOfACancelledGenerationNeverArriveEvenUnderAReusedTag) {
    TLookupThreads threads(Notifier());
    threads.Start(1, Lookup(1));
    board_->Open(1);
    board_->WaitForNotices(1);  // finished, not taken
    threads.Start(2, Lookup(2));
    threads.Start(3, Lookup(3));
    threads.Cancel();
    threads.Start(2, Lookup(5));
    threads.Start(6, Lookup(6));
    EXPECT_EQ(threads.Running(), 4);
    board_->OpenAll();
    threads.WaitIdle();

    TResults got;
    for (const TLookupResult& result : threads.TakeResults())
        got[result.Tag] = result.Text;
    EXPECT_EQ(got, (TResults{{2, "host-5"}, {6, "host-6"}}));
    EXPECT_EQ(board_->Notices(), 3);
}

TEST_F(LookupThreadsTest, WorkersOutlivingTheOwnerTouchNothingFreedAndNotifyNoOne) {
    auto threads = std::make_unique<TLookupThreads>(Notifier());
    threads->Start(1, Lookup(1));
    board_->Open(1);
    board_->WaitForNotices(1);
    for (int key = 2; key < 10; ++key)
        threads->Start(key, Lookup(key));
    threads.reset();  // must not wait for the blocked workers
    board_->OpenAll();
    board_->WaitUntilWorkGone();
    EXPECT_EQ(board_->Notices(), 1);
}

}  // namespace
