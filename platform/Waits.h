#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

// The one routine behind every timed wait of a run (delay, beep, tones and
// tunes, the robot's step delay, the serial time-out, waitnokey): wait until a
// deadline on the steady clock, processing window events meanwhile so that
// the windows stay live, and end early only when the caller's condition (a
// stop, bytes that arrived, a key let go) comes true.
//
// A wait never ends before its deadline unless the condition ended it, and
// ends at most about a millisecond plus one event slice after it: the event
// wait counts whole milliseconds, so it is asked to wake a millisecond early
// and the last stretch (two milliseconds at most) is slept out precisely; the
// events that came meanwhile are processed at the deadline, before the
// condition is tested for the last time.
namespace platform {

using WaitClock = std::chrono::steady_clock;

// Whether a wait processes window events. Hold only sleeps: the caller asked
// not to pump (a tone with its pump argument 0).
enum class WaitEvents { Process, Hold };

struct WaitOptions {
    WaitEvents events = WaitEvents::Process;
    // The longest stretch between two tests of the condition when no event
    // arrives: a condition that no event announces is seen within it.
    std::chrono::milliseconds slice { 40 };
};

// What a wait does between two looks at the clock. The real one blocks on the
// application's events and the system's sleep; tests give a fake clock.
class WaitServices {
public:
    virtual ~WaitServices() = default;
    virtual WaitClock::time_point Now() = 0;
    // Blocks until an event arrives or about `timeout` passed, processing the
    // events; may return earlier or a little later.
    virtual void WaitForEvents(std::chrono::milliseconds timeout) = 0;
    // Processes the events pending now and returns.
    virtual void ProcessPending() = 0;
    // Sleeps about `span` with no event processed; may return earlier
    // (a signal) or later (the scheduler).
    virtual void Sleep(WaitClock::duration span) = 0;
};

// The services of the running process: the application's event loop (made
// first when a run without one waits on events), the steady clock and the
// system's sleep. Without an application, event waits become sleeps.
WaitServices& realWaitServices();

// Waits until `deadline` or until `done` answers true (tested before each
// slice; may be empty). Answers whether `done` ended the wait.
bool WaitUntil(WaitClock::time_point deadline, const std::function<bool()>& done, WaitOptions options = {});
bool WaitUntil(
    WaitClock::time_point deadline, const std::function<bool()>& done, WaitOptions options, WaitServices& services);

// The deadline `span` after now; a span too long for the clock saturates.
WaitClock::time_point DeadlineAfter(WaitClock::duration span, WaitServices& services = realWaitServices());
WaitClock::time_point DeadlineAfterMs(int64_t ms, WaitServices& services = realWaitServices());

// Waits ms milliseconds (nothing for 0 or less) unless *stop (may be null)
// becomes set. Answers false when the stop ended it.
bool WaitMs(int64_t ms, const bool* stop, WaitOptions options = {});

} // namespace platform
