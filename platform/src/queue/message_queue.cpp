#include "queue/message_queue.h"

#include <algorithm>
#include <deque>

namespace wordoria::platform {
namespace {

struct Queue {
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quitPending = false;
    int exitCode = 0;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

bool TakeFrom(std::deque<MSG>& messages, MSG* out, const MessageFilter& filter, bool remove) {
    auto found = std::find_if(messages.begin(), messages.end(), [&](const MSG& msg) { return Matches(msg, filter); });
    if (found == messages.end()) return false;
    *out = *found;
    if (remove) messages.erase(found);
    return true;
}

}  // namespace

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{hwnd, message, wParam, lParam, GetTickCount(), {0, 0}};
}

bool Matches(const MSG& msg, const MessageFilter& filter) {
    if (filter.hwnd != nullptr && !filter.within(msg.hwnd, filter.hwnd)) return false;
    if (filter.first == 0 && filter.last == 0) return true;
    return msg.message >= filter.first && msg.message <= filter.last;
}

// Win32 keeps at most one pending move per window, updated in place, so a
// burst of moves never stands between a press and the loop that takes one
// message a turn.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::deque<MSG>& input = TheQueue().input;
    if (message == WM_MOUSEMOVE && !input.empty() && input.back().message == WM_MOUSEMOVE &&
        input.back().hwnd == hwnd) {
        input.back() = MakeMessage(hwnd, message, wParam, lParam);
        return;
    }
    input.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

void PostToQueue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TheQueue().posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

void PostQuit(int exitCode) {
    TheQueue().quitPending = true;
    TheQueue().exitCode = exitCode;
}

void ForgetMessagesFor(HWND hwnd) {
    auto gone = [hwnd](const MSG& msg) { return msg.hwnd == hwnd; };
    auto& queue = TheQueue();
    queue.posted.erase(std::remove_if(queue.posted.begin(), queue.posted.end(), gone), queue.posted.end());
    queue.input.erase(std::remove_if(queue.input.begin(), queue.input.end(), gone), queue.input.end());
}

bool TakeQueued(MSG* out, const MessageFilter& filter, bool remove) {
    Queue& queue = TheQueue();
    if (TakeFrom(queue.posted, out, filter, remove)) return true;
    if (queue.quitPending) {
        *out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0);
        if (remove) queue.quitPending = false;
        return true;
    }
    return TakeFrom(queue.input, out, filter, remove);
}

}  // namespace wordoria::platform
