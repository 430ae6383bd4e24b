#pragma once

// The event pump that every wait of a run uses. A run executes on the GUI
// thread, so windows stay live only while these are called.
namespace platform {

// Processes the window events that are pending now and returns.
void ProcessMessages();

// Blocks until at least one event arrived or maxMilliseconds passed, and
// processes what is pending. A wait loop built on this uses no CPU while
// nothing happens, yet still sees flags set outside the event system within
// maxMilliseconds. With no application (none could be made) it sleeps.
// Timed waits go through WaitUntil (platform/Waits.h), which never ends early.
void WaitForEvents(int maxMilliseconds = 100);

} // namespace platform
