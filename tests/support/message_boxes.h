// Answers the program's message boxes in tests and records what they said.
// Linux: the platform's hook, nothing is shown. Windows: a real box appears,
// a watcher thread reads it and presses the answer.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace wordoria::test {

struct ShownBox {
    HWND owner;
    std::string caption;  // Shift-JIS
    std::string text;
    bool hasCancel;       // a Cancel (or No) button besides the first
};

class MessageBoxes {
public:
    // Every box is answered with `answer` (IDOK, IDCANCEL, IDYES or IDNO).
    explicit MessageBoxes(int answer = IDOK);
    ~MessageBoxes();
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    std::vector<ShownBox> shown() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace wordoria::test
