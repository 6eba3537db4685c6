// Where the layer tells the test hooks what it does.
#pragma once

#include <platform/testing.h>

namespace wordoria::platform {

void NoteWindowCall(const testing::WindowCall& call);
// True once after FailNextClassRegistration().
bool TakeClassRegistrationFailure();

}  // namespace wordoria::platform
