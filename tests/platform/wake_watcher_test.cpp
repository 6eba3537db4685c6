// The watcher that lets idle loop turns skip Qt's pass, driven as the loop
// drives it: a pass, then two passes close together (as a message box's loop
// runs them), then something comes that the program must see. Stuck means
// no pass would ever run again: the window freezes.
#include "qt/native_watcher.h"

#include <gtest/gtest.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace wordoria::platform {
namespace {

using namespace std::chrono_literals;

// Far enough that no poll in a test ends by its time: only the descriptor wakes.
constexpr auto kNoTimer = 30s;
// Longer than any wake-up takes on a loaded machine; reaching it means stuck.
constexpr auto kStuck = 20s;

// Holds the watcher and the loop where the test asks, so that an order the
// scheduler gives once in a while happens every time.
class Steps {
public:
    void AfterHandOver() {
        std::unique_lock<std::mutex> lock(mutex_);
        ++handOvers_;
        moved_.notify_all();
        if (armWaitsForPoll_ != 0) {
            int poll = armWaitsForPoll_;
            armWaitsForPoll_ = 0;
            if (!moved_.wait_for(lock, kStuck, [&] { return polls_ >= poll; })) ++missedSteps_;
        }
    }
    void BeforePoll() {
        std::lock_guard<std::mutex> lock(mutex_);
        ++polls_;
        moved_.notify_all();
    }
    void AfterPoll() {
        std::unique_lock<std::mutex> lock(mutex_);
        if (watcherWaitsForHandOver_ != 0) {
            int handOver = watcherWaitsForHandOver_;
            watcherWaitsForHandOver_ = 0;
            if (!moved_.wait_for(lock, kStuck, [&] { return handOvers_ >= handOver; })) ++missedSteps_;
        }
    }

    int Polls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return polls_;
    }
    bool WaitForPoll(int poll) {
        std::unique_lock<std::mutex> lock(mutex_);
        return moved_.wait_for(lock, kStuck, [&] { return polls_ >= poll; });
    }
    // The watcher's next return from a poll waits until `later` more waits
    // have been handed over.
    void HoldWatcherUntilHandOvers(int later) {
        std::lock_guard<std::mutex> lock(mutex_);
        watcherWaitsForHandOver_ = handOvers_ + later;
    }
    // The next Arm, its waits handed over, waits until the watcher polls again.
    void HoldNextArmUntilPoll() {
        std::lock_guard<std::mutex> lock(mutex_);
        armWaitsForPoll_ = polls_ + 1;
    }
    int MissedSteps() {
        std::lock_guard<std::mutex> lock(mutex_);
        return missedSteps_;
    }

private:
    std::mutex mutex_;
    std::condition_variable moved_;
    int handOvers_ = 0;
    int polls_ = 0;
    int watcherWaitsForHandOver_ = 0;
    int armWaitsForPoll_ = 0;
    int missedSteps_ = 0;
};

// Stands for the wake-up descriptor Qt's loop is woken by.
class Wakeable {
public:
    Wakeable() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~Wakeable() { close(fd_); }
    bool Valid() const { return fd_ >= 0; }
    Waits AsWaits() const { return Waits{{pollfd{fd_, POLLIN, 0}}, WakeClock::now() + kNoTimer}; }
    void Post() {
        uint64_t one = 1;
        ASSERT_EQ(write(fd_, &one, sizeof one), static_cast<ssize_t>(sizeof one));
    }
    // What a pass does: takes what came.
    void Take() {
        uint64_t count;
        (void)!read(fd_, &count, sizeof count);
    }

private:
    int fd_;
};

template <typename Watcher>
bool WokenWithin(const Watcher& watcher, std::chrono::milliseconds limit) {
    auto until = WakeClock::now() + limit;
    while (!watcher.Woken()) {
        if (WakeClock::now() > until) return false;
        std::this_thread::sleep_for(200us);
    }
    return true;
}

// Two passes close together, many times over, each followed by something
// the loop must be woken for. With `forced`, every time in the order that
// once froze the window: the watcher, woken from its poll by the first
// pass's new waits, takes the second pass's waits and starts polling on them
// before that second Arm has finished.
void RunTurns(bool forced, int rounds) {
    Steps steps;
    Wakeable wake;
    ASSERT_TRUE(wake.Valid());
    auto watcher = WatcherWith<Steps>::Start(&steps);
    ASSERT_NE(watcher, nullptr);

    for (int round = 0; round < rounds; ++round) {
        // A pass after a sleep: the watcher polls on its waits.
        int polls = steps.Polls();
        watcher->Arm(wake.AsWaits());
        ASSERT_TRUE(steps.WaitForPoll(polls + 1)) << "round " << round << ": the watcher never polled";

        if (forced) steps.HoldWatcherUntilHandOvers(2);
        watcher->Arm(wake.AsWaits());
        if (forced) steps.HoldNextArmUntilPoll();
        watcher->Arm(wake.AsWaits());
        EXPECT_FALSE(watcher->Woken()) << "round " << round << ": woken with nothing come";

        wake.Post();
        ASSERT_TRUE(WokenWithin(*watcher, kStuck)) << "round " << round << ": stuck, the loop would never run Qt again";
        wake.Take();
    }
    EXPECT_EQ(steps.MissedSteps(), 0) << "the forced order did not happen";
}

TEST(WakeWatcher, TwoPassesCloseTogetherInTheOrderThatFroze) { RunTurns(true, 200); }

TEST(WakeWatcher, TwoPassesCloseTogetherAsTheSchedulerOrdersThem) { RunTurns(false, 500); }

}  // namespace
}  // namespace wordoria::platform
