#pragma once

// The application object on demand. The headless runner starts without one:
// making it loads the platform plugin and reads the whole font configuration,
// which costs more than a short program's entire run. The services that need
// it (windows, waits on events, sockets, tones, the clipboard) ask for it here
// first; with no maker set (the environment, tests) asking does nothing.
namespace platform {

using ApplicationMaker = void (*)();
void setApplicationMaker(ApplicationMaker maker);
// Makes the application unless one exists or none can be made.
void RequireApplication();

// Work a run without an application still needs done now and then (output
// held back for a moment goes out): the event pump calls it where it would
// have processed events. Null for none.
using IdleWork = void (*)();
void setIdleWork(IdleWork work);
void DoIdleWork();

} // namespace platform
