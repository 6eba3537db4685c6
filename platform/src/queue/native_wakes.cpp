#include "queue/native_wakes.h"

#include <glib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace wordoria::platform {
namespace {

using Clock = std::chrono::steady_clock;

// A timer Qt starts between passes is known at the next one, which whatever
// the widget posts with it (an update, mostly) brings at once; a timer that
// comes alone waits for a pass run at least this often.
constexpr auto kUnseenTimerSlack = std::chrono::milliseconds(1000);

// What the context waits for after a pass.
struct Waits {
    std::vector<pollfd> descriptors;
    Clock::time_point due;  // its next timer, or the slack
};

// The first steps of a glib iteration, without its poll and dispatch: what a
// source found ready stays marked so, and the next pass dispatches it.
bool AskContext(GMainContext* context, std::vector<GPollFD>& queried, Waits* waits) {
    if (!g_main_context_acquire(context)) return false;
    gint priority = 0;
    g_main_context_prepare(context, &priority);
    gint timeout = -1;
    gint count = 0;
    for (;;) {
        count = g_main_context_query(context, G_MAXINT, &timeout, queried.data(), static_cast<gint>(queried.size()));
        if (count <= static_cast<gint>(queried.size())) break;
        queried.resize(count);
    }
    g_main_context_release(context);

    // GPollFD has pollfd's layout, but its fields are declared apart.
    waits->descriptors.resize(count);
    for (gint i = 0; i < count; ++i) {
        waits->descriptors[i] = pollfd{queried[i].fd, static_cast<short>(queried[i].events), 0};
    }
    Clock::time_point now = Clock::now();
    waits->due = now + kUnseenTimerSlack;
    if (timeout >= 0) waits->due = std::min(waits->due, now + std::chrono::milliseconds(timeout));
    return true;
}

// Waits on the context's descriptors and its next timer, apart from the loop,
// and raises `woken` when either comes. Given new waits after each pass.
class Watcher {
public:
    // Null when the system cannot give the descriptor it is woken by.
    static Watcher* Start() {
        int interrupt = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        return interrupt < 0 ? nullptr : new Watcher(interrupt);
    }

    bool Woken() const { return woken_.load(std::memory_order_acquire); }

    void Arm(Waits waits) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            next_ = std::move(waits);
            armed_ = true;
            woken_.store(false, std::memory_order_release);
        }
        if (polling_.load(std::memory_order_acquire)) {
            uint64_t one = 1;  // a poll on the old waits gives way to the new
            (void)!write(interrupt_, &one, sizeof one);
        }
        changed_.notify_one();
    }

private:
    explicit Watcher(int interrupt) : interrupt_(interrupt), thread_([this] { Run(); }) {}

    void Run() {
        std::vector<pollfd> polled;
        for (;;) {
            Clock::time_point due;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return armed_; });
                armed_ = false;
                polled = next_.descriptors;
                due = next_.due;
                polling_.store(true, std::memory_order_release);
            }
            polled.push_back(pollfd{interrupt_, POLLIN, 0});
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count() + 1;
            poll(polled.data(), polled.size(), static_cast<int>(std::max<long long>(left, 0)));
            polling_.store(false, std::memory_order_release);
            uint64_t count;
            if (polled.back().revents != 0 && read(interrupt_, &count, sizeof count) > 0) continue;  // re-armed
            std::lock_guard<std::mutex> lock(mutex_);
            // Work came, or its time did (a signal or an error too: the pass will see).
            if (!armed_) woken_.store(true, std::memory_order_release);
        }
    }

    int interrupt_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Waits next_;
    bool armed_ = false;
    std::atomic<bool> polling_{false};
    std::atomic<bool> woken_{false};
    std::thread thread_;
};

struct Watch {
    GMainContext* context = nullptr;
    std::thread::id owner;
    std::vector<GPollFD> queried = std::vector<GPollFD>(8);
    Watcher* watcher = nullptr;  // never destroyed: its thread waits until the process ends
    bool armed = false;
    bool slept = false;            // since the last turn
    std::vector<pollfd> polled;  // what the watcher was last given
};

// The wake-up descriptor stays readable until a pass takes it, so whatever
// came since the last pass shows here.
bool AnyReadable(std::vector<pollfd>& descriptors) {
    for (pollfd& descriptor : descriptors) descriptor.revents = 0;
    // An error or a signal counts as work: the pass will see what it was.
    return poll(descriptors.data(), descriptors.size(), 0) != 0;
}

Watch& TheWatch() {
    static Watch watch;
    return watch;
}

}  // namespace

void WatchNativeWakes() {
    Watch& watch = TheWatch();
    if (watch.context != nullptr) return;
    watch.watcher = Watcher::Start();
    if (watch.watcher == nullptr) return;  // every turn runs a pass
    watch.context = g_main_context_default();
    watch.owner = std::this_thread::get_id();
}

bool NativePassDue() {
    Watch& watch = TheWatch();
    if (!watch.armed || std::this_thread::get_id() != watch.owner) return true;
    if (watch.watcher->Woken()) return true;
    bool slept = watch.slept;
    watch.slept = false;
    return !slept && AnyReadable(watch.polled);
}

void NoteLoopSleep() {
    Watch& watch = TheWatch();
    if (std::this_thread::get_id() == watch.owner) watch.slept = true;
}

void NoteNativePass() {
    Watch& watch = TheWatch();
    if (watch.context == nullptr || std::this_thread::get_id() != watch.owner) return;
    Waits waits;
    watch.armed = AskContext(watch.context, watch.queried, &waits);
    if (!watch.armed) return;
    watch.polled = waits.descriptors;
    watch.watcher->Arm(std::move(waits));
}

}  // namespace wordoria::platform
