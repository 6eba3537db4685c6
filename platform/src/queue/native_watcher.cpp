#include "queue/native_watcher.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace wordoria::platform {

std::unique_ptr<NativeWatcher> NativeWatcher::Start(WatcherPauses* pauses) {
    int interrupt = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (interrupt < 0) return nullptr;
    return std::unique_ptr<NativeWatcher>(new NativeWatcher(interrupt, pauses));
}

NativeWatcher::NativeWatcher(int interrupt, WatcherPauses* pauses)
    : interrupt_(interrupt), pauses_(pauses), thread_([this] { Run(); }) {}

NativeWatcher::~NativeWatcher() {
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
void NativeWatcher::InterruptPoll() {
    if (!polling_ || interrupted_) return;
    uint64_t one = 1;
    interrupted_ = write(interrupt_, &one, sizeof one) == sizeof one;
}

void NativeWatcher::Arm(Waits waits) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        next_ = std::move(waits);
        armed_ = true;
        woken_.store(false, std::memory_order_release);
        InterruptPoll();  // a poll on older waits gives way to these
    }
    if (pauses_ != nullptr) pauses_->AfterHandOver();
    changed_.notify_one();
}

void NativeWatcher::Run() {
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

        if (pauses_ != nullptr) pauses_->BeforePoll();
        polled.push_back(pollfd{interrupt_, POLLIN, 0});
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - WakeClock::now()).count() + 1;
        poll(polled.data(), polled.size(), static_cast<int>(std::max<long long>(left, 0)));
        if (pauses_ != nullptr) pauses_->AfterPoll();

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
