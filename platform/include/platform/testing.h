// Hooks for the Linux build's tests: they let a test answer and inspect what
// the program shows, instead of a person.
#ifndef WORDORIA_PLATFORM_TESTING_H
#define WORDORIA_PLATFORM_TESTING_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wordoria::testing {

struct MessageBoxCall {
    HWND owner;
    std::string caption;  // Shift-JIS bytes, as the program passed them
    std::string text;
    UINT type;
};

// While one lives, MessageBoxA shows nothing: it records the call and returns
// what the answerer says (by default the first button: IDOK, or IDYES).
class MessageBoxHook {
public:
    using Answerer = std::function<int(const MessageBoxCall&)>;

    MessageBoxHook();
    explicit MessageBoxHook(Answerer answerer);
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    const std::vector<MessageBoxCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    // Called by MessageBoxA.
    int Answer(const MessageBoxCall& call);

private:
    Answerer answerer_;
    std::vector<MessageBoxCall> calls_;
    MessageBoxHook* previous_;
};

int FirstButton(const MessageBoxCall& call);

}  // namespace wordoria::testing

#endif
