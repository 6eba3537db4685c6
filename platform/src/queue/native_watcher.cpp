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
    }
    uint64_t one = 1;
    (void)!write(interrupt_, &one, sizeof one);
    changed_.notify_one();
    thread_.join();
    close(interrupt_);
}

void NativeWatcher::Arm(Waits waits) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        next_ = std::move(waits);
        armed_ = true;
        woken_.store(false, std::memory_order_release);
    }
    if (pauses_ != nullptr) pauses_->AfterHandOver();
    if (polling_.load(std::memory_order_acquire)) {
        uint64_t one = 1;  // a poll on the old waits gives way to the new
        (void)!write(interrupt_, &one, sizeof one);
    }
    changed_.notify_one();
}

void NativeWatcher::Run() {
    std::vector<pollfd> polled;
    for (;;) {
        WakeClock::time_point due;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return armed_ || stopping_; });
            if (stopping_) return;
            armed_ = false;
            polled = next_.descriptors;
            due = next_.due;
            polling_.store(true, std::memory_order_release);
        }
        if (pauses_ != nullptr) pauses_->BeforePoll();
        polled.push_back(pollfd{interrupt_, POLLIN, 0});
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - WakeClock::now()).count() + 1;
        poll(polled.data(), polled.size(), static_cast<int>(std::max<long long>(left, 0)));
        if (pauses_ != nullptr) pauses_->AfterPoll();
        polling_.store(false, std::memory_order_release);
        uint64_t count;
        if (polled.back().revents != 0 && read(interrupt_, &count, sizeof count) > 0) continue;  // re-armed
        std::lock_guard<std::mutex> lock(mutex_);
        // Work came, or its time did (a signal or an error too: the pass will see).
        if (!armed_) woken_.store(true, std::memory_order_release);
    }
}

}  // namespace wordoria::platform
