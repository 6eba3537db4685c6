// The test hooks that need no Qt.
#include <platform/testing.h>

#include "testing/testing_internal.h"

namespace wordoria::testing {
namespace {
WindowCallRecorder* activeWindowCalls = nullptr;
}  // namespace
bool failNextRegistration = false;

WindowCallRecorder::WindowCallRecorder() : previous_(activeWindowCalls) { activeWindowCalls = this; }
WindowCallRecorder::~WindowCallRecorder() { activeWindowCalls = previous_; }
WindowCallRecorder* ActiveWindowCallRecorder() { return activeWindowCalls; }

void FailNextClassRegistration() { failNextRegistration = true; }

}  // namespace wordoria::testing

namespace wordoria::platform {

void NoteWindowCall(const testing::WindowCall& call) {
    if (auto* recorder = testing::ActiveWindowCallRecorder()) recorder->Record(call);
}

bool TakeClassRegistrationFailure() {
    bool fail = testing::failNextRegistration;
    testing::failNextRegistration = false;
    return fail;
}

}  // namespace wordoria::platform
