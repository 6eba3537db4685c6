// Qt's loop on the main thread runs on glib's default main context. Asked
// after a pass, the context tells which descriptors can bring it work (the
// wake-up descriptor written by every posted event and by the X reader
// thread, and any socket notifiers) and when its next timer is due. A thread
// of ours waits on those, so that a loop turn with nothing new skips Qt's
// whole event pass and asks the system nothing: a system call costs, on a
// virtual machine, as much as a sixth of the loop's own sleep.
#pragma once

namespace wordoria::platform {

// Starts watching the default main context, which Qt's loop must be running on.
void WatchNativeWakes();
// Whether this turn must run Qt's event pass. Until watching starts, always.
// Right after a sleep the watching thread has had the time to see what came;
// a turn that follows another at once asks the system itself.
bool NativePassDue();
// The thread is about to sleep.
void NoteLoopSleep();
// A pass has just run: asks the context what it now waits for, and waits on that.
void NoteNativePass();

}  // namespace wordoria::platform
