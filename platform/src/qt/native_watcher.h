// The thread that waits, apart from the loop, on what would wake Qt's loop,
// and raises a flag when it comes. Knows nothing of glib: it is given
// descriptors and a time after each pass.
#pragma once

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
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

// The points at which a test may hold the loop's side or the watcher's, to
// put their steps in an order the scheduler gives only now and then: a test
// gives a class of its own with these three; the program's has them empty,
// so nothing of them is left in it.
struct NoPauses {
    // Arm has handed over new waits and let go of the lock.
    void AfterHandOver() {}
    // The watcher has taken waits and is about to poll on them.
    void BeforePoll() {}
    // The watcher's poll has returned; it has not yet looked at why.
    void AfterPoll() {}
};

template <typename Pauses>
class WatcherWith {
public:
    // Null when the system cannot give the descriptor it is woken by.
    static std::unique_ptr<WatcherWith> Start(Pauses* pauses);
    // Stops the thread and waits for it.
    ~WatcherWith();
    WatcherWith(const WatcherWith&) = delete;
    WatcherWith& operator=(const WatcherWith&) = delete;

    // Something it waited on came, or its time did, since the last Arm.
    bool Woken() const { return woken_.load(std::memory_order_acquire); }
    // A pass has just run: from now on, wait on these.
    void Arm(Waits waits);

private:
    WatcherWith(int interrupt, Pauses* pauses);
    void Run();
    // Makes a poll under way return. Called with the lock held.
    void InterruptPoll();

    int interrupt_;  // an eventfd: written to make a poll on older waits give way
    Pauses* pauses_;
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

// The program's watcher.
using NativeWatcher = WatcherWith<NoPauses>;

template <typename Pauses>
std::unique_ptr<WatcherWith<Pauses>> WatcherWith<Pauses>::Start(Pauses* pauses) {
    int interrupt = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (interrupt < 0) return nullptr;
    return std::unique_ptr<WatcherWith>(new WatcherWith(interrupt, pauses));
}

template <typename Pauses>
WatcherWith<Pauses>::WatcherWith(int interrupt, Pauses* pauses)
    : interrupt_(interrupt), pauses_(pauses), thread_([this] { Run(); }) {}

template <typename Pauses>
WatcherWith<Pauses>::~WatcherWith() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        InterruptPoll();
    }
    changed_.notify_one();
    thread_.join();
    close(interrupt_);
}

// Whether the thread polls, and whether it has been interrupted already, is
// read and acted on under the lock, which the thread holds to change either:
// no step of the thread's can come between the look and the act. An
// interrupt is thus written only to a poll on waits older than the newest.
template <typename Pauses>
void WatcherWith<Pauses>::InterruptPoll() {
    if (!polling_ || interrupted_) return;
    uint64_t one = 1;
    interrupted_ = write(interrupt_, &one, sizeof one) == sizeof one;
}

template <typename Pauses>
void WatcherWith<Pauses>::Arm(Waits waits) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        next_ = std::move(waits);
        armed_ = true;
        woken_.store(false, std::memory_order_release);
        InterruptPoll();  // a poll on older waits gives way to these
    }
    pauses_->AfterHandOver();
    changed_.notify_one();
}

template <typename Pauses>
void WatcherWith<Pauses>::Run() {
    std::vector<pollfd> polled;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return armed_ || stopping_; });
        if (stopping_) return;
        armed_ = false;
        polled = next_.descriptors;
        WakeClock::time_point due = next_.due;
        polling_ = true;
        lock.unlock();

        pauses_->BeforePoll();
        polled.push_back(pollfd{interrupt_, POLLIN, 0});
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - WakeClock::now()).count() + 1;
        poll(polled.data(), polled.size(), static_cast<int>(std::max<long long>(left, 0)));
        pauses_->AfterPoll();

        lock.lock();
        polling_ = false;
        if (interrupted_) {
            // Taken whether or not this poll saw it, so that no later poll
            // wakes for waits it has already been given.
            uint64_t count;
            (void)!read(interrupt_, &count, sizeof count);
            interrupted_ = false;
        }
        // Work came, or its time did (a signal or an error too: the pass will
        // see). Newer waits make it moot: their pass took what had come, and
        // what stays unread shows again on them.
        if (!armed_) woken_.store(true, std::memory_order_release);
    }
}

}  // namespace wordoria::platform
