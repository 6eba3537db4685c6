// The thread that waits, apart from the loop, on what would wake Qt's loop,
// and raises a flag when it comes. Knows nothing of glib: it is given
// descriptors and a time after each pass.
#pragma once

#include <poll.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace wordoria::platform {

using WakeClock = std::chrono::steady_clock;

// What Qt's loop waits for after a pass.
struct Waits {
    std::vector<pollfd> descriptors;
    WakeClock::time_point due;  // its next timer, or the latest a pass may wait
};

// Points at which a test holds the loop's side or the watcher's, to put their
// steps in an order the scheduler gives only now and then. The program sets
// none; each costs a test of a null pointer next to a system call.
class WatcherPauses {
public:
    virtual ~WatcherPauses() = default;
    // Arm has handed over new waits and let go of the lock.
    virtual void AfterHandOver() {}
    // The watcher has taken waits and is about to poll on them.
    virtual void BeforePoll() {}
    // The watcher's poll has returned; it has not yet looked at why.
    virtual void AfterPoll() {}
};

class NativeWatcher {
public:
    // Null when the system cannot give the descriptor it is woken by.
    static std::unique_ptr<NativeWatcher> Start(WatcherPauses* pauses = nullptr);
    // Stops the thread and waits for it.
    ~NativeWatcher();
    NativeWatcher(const NativeWatcher&) = delete;
    NativeWatcher& operator=(const NativeWatcher&) = delete;

    // Something it waited on came, or its time did, since the last Arm.
    bool Woken() const { return woken_.load(std::memory_order_acquire); }
    // A pass has just run: from now on, wait on these.
    void Arm(Waits waits);

private:
    NativeWatcher(int interrupt, WatcherPauses* pauses);
    void Run();
    // Makes a poll under way return. Called with the lock held.
    void InterruptPoll();

    int interrupt_;  // an eventfd: written to make a poll on older waits give way
    WatcherPauses* pauses_;
    // Guards all but woken_, which each turn of the loop reads without it.
    std::mutex mutex_;
    std::condition_variable changed_;
    Waits next_;
    bool armed_ = false;  // next_ is newer than what the thread polls on
    bool stopping_ = false;
    bool polling_ = false;      // from taking waits until the poll on them is over
    bool interrupted_ = false;  // interrupt_ written and not yet read
    std::atomic<bool> woken_{false};
    std::thread thread_;
};

}  // namespace wordoria::platform
