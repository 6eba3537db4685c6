#include "qt/native_wakes.h"

#include "qt/native_watcher.h"

#include <glib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace wordoria::platform {
namespace {

using Clock = WakeClock;

// A timer Qt starts between passes is known at the next one, which whatever
// the widget posts with it (an update, mostly) brings at once; a timer that
// comes alone waits for a pass run at least this often.
constexpr auto kUnseenTimerSlack = std::chrono::milliseconds(1000);

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

struct Watch {
    GMainContext* context = nullptr;
    std::thread::id owner;
    std::vector<GPollFD> queried = std::vector<GPollFD>(8);
    NativeWatcher* watcher = nullptr;  // never destroyed: its thread waits until the process ends
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
    static NoPauses none;
    watch.watcher = NativeWatcher::Start(&none).release();
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
