#include "tests/support/RecordingScreen.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/EventThrottle.h"
#include "platform/Waits.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

// The shared wait routine against a fake clock: when a wait ends, whatever
// the event loop and the system's sleep do with the time they are given.

namespace {

using platform::WaitClock;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// A clock that moves only when the wait blocks, by as much as the case says.
class FakeWaitServices : public platform::WaitServices {
public:
    // Starts off a whole millisecond: a deadline must not be rounded to one.
    WaitClock::time_point now = WaitClock::time_point(milliseconds(5000) + microseconds(730));
    // How long an event wait asked for `timeout` blocks; by default exactly.
    std::function<WaitClock::duration(milliseconds)> eventWait = [](milliseconds timeout) { return timeout; };
    // How long a sleep asked for `span` lasts; by default exactly.
    std::function<WaitClock::duration(WaitClock::duration)> sleep = [](WaitClock::duration span) { return span; };
    // Called as the pending events are processed.
    std::function<void()> onPending;
    int eventWaits = 0;
    int pendingRounds = 0;
    int sleeps = 0;
    WaitClock::duration longestEventWait {};

    WaitClock::time_point Now() override { return now; }
    void WaitForEvents(milliseconds timeout) override
    {
        ++eventWaits;
        longestEventWait = std::max<WaitClock::duration>(longestEventWait, timeout);
        now += eventWait(timeout);
    }
    void ProcessPending() override
    {
        ++pendingRounds;
        now += microseconds(15);
        if (onPending) onPending();
    }
    void Sleep(WaitClock::duration span) override
    {
        ++sleeps;
        now += sleep(span);
    }
};

struct Behaviour {
    const char* name;
    std::function<WaitClock::duration(milliseconds)> eventWait;
    std::function<WaitClock::duration(WaitClock::duration)> sleep;
    // How far past the deadline the wait may end.
    WaitClock::duration lateness;
};

const Behaviour behaviours[] = {
    { "exact", [](milliseconds t) { return WaitClock::duration(t); }, [](WaitClock::duration s) { return s; },
        microseconds(20) },
    // Timers that fire up to a millisecond late, sleeps that overshoot as the
    // scheduler's slack makes them.
    { "late timers and sleeps", [](milliseconds t) { return t + microseconds(999); },
        [](WaitClock::duration s) { return s + microseconds(80); }, microseconds(1100) },
    // Timers that fire early (a coarse timer may) and sleeps cut short by
    // signals.
    { "early timers, interrupted sleeps", [](milliseconds t) { return microseconds(t) * 9 / 10; },
        [](WaitClock::duration s) { return s / 3 + microseconds(1); }, microseconds(20) },
    // A busy window: an event arrives every 100 microseconds.
    { "steady events", [](milliseconds) { return microseconds(100); }, [](WaitClock::duration s) { return s; },
        microseconds(120) },
};

} // namespace

TEST(Waits, EndNeverBeforeTheDeadlineAndSoonAfterIt)
{
    const microseconds spans[] = { microseconds(1), microseconds(999), milliseconds(1), milliseconds(2),
        microseconds(2500), milliseconds(5), milliseconds(10), milliseconds(50), milliseconds(1000) };
    for (const Behaviour& behaviour : behaviours) {
        for (const microseconds span : spans) {
            SCOPED_TRACE(std::string(behaviour.name) + ", " + std::to_string(span.count()) + " us");
            FakeWaitServices services;
            services.eventWait = behaviour.eventWait;
            services.sleep = behaviour.sleep;
            const WaitClock::time_point deadline = platform::DeadlineAfter(span, services);
            EXPECT_EQ(deadline - services.now, span);
            EXPECT_FALSE(platform::WaitUntil(deadline, {}, {}, services));
            EXPECT_GE(services.now, deadline);
            EXPECT_LE(services.now - deadline, behaviour.lateness);
            // The windows stay live: every wait lets the events through.
            EXPECT_GT(services.eventWaits + services.pendingRounds, 0);
            EXPECT_LE(services.longestEventWait, milliseconds(40));
        }
    }
}

TEST(Waits, ConditionEndsTheWaitEarly)
{
    FakeWaitServices services;
    const WaitClock::time_point deadline = platform::DeadlineAfterMs(1000, services);
    bool stopped = false;
    services.eventWait = [&](milliseconds timeout) {
        if (services.eventWaits == 3) stopped = true;
        return WaitClock::duration(timeout);
    };
    EXPECT_TRUE(platform::WaitUntil(
        deadline, [&] { return stopped; }, {}, services));
    EXPECT_EQ(services.eventWaits, 3);
    EXPECT_LT(services.now, deadline);

    // An event that came during the last stretch, slept out with the events
    // held back, is still seen when the deadline is reached.
    FakeWaitServices late;
    bool queued = false;
    bool arrived = false;
    late.sleep = [&](WaitClock::duration span) {
        queued = true;
        return span;
    };
    late.onPending = [&] { arrived = arrived || queued; };
    EXPECT_TRUE(platform::WaitUntil(
        platform::DeadlineAfterMs(1, late), [&] { return arrived; }, {}, late));

    // A condition already true waits not at all, even past the deadline.
    FakeWaitServices idle;
    EXPECT_TRUE(platform::WaitUntil(
        idle.now - milliseconds(1), [] { return true; }, {}, idle));
    EXPECT_EQ(idle.eventWaits + idle.pendingRounds + idle.sleeps, 0);
}

TEST(Waits, HoldingEventsOnlySleepsInSlices)
{
    FakeWaitServices services;
    WaitClock::duration longest {};
    services.sleep = [&](WaitClock::duration span) {
        longest = std::max(longest, span);
        return span;
    };
    const WaitClock::time_point deadline = platform::DeadlineAfterMs(100, services);
    platform::WaitOptions hold;
    hold.events = platform::WaitEvents::Hold;
    hold.slice = milliseconds(20);
    EXPECT_FALSE(platform::WaitUntil(deadline, {}, hold, services));
    EXPECT_EQ(services.now, deadline);
    EXPECT_EQ(services.eventWaits + services.pendingRounds, 0);
    EXPECT_EQ(longest, milliseconds(20));
}

TEST(Waits, DeadlinesSaturateAndNeverLieInThePast)
{
    FakeWaitServices services;
    EXPECT_EQ(platform::DeadlineAfterMs(INT64_MAX, services), WaitClock::time_point::max());
    EXPECT_EQ(platform::DeadlineAfter(WaitClock::duration::max(), services), WaitClock::time_point::max());
    EXPECT_EQ(platform::DeadlineAfterMs(-5, services), services.now);
    EXPECT_EQ(platform::DeadlineAfterMs(0, services), services.now);
    EXPECT_EQ(platform::DeadlineAfterMs(3, services) - services.now, milliseconds(3));
}

namespace {

// Whether a thread of this process bears the ticker's name.
bool TickerThreadAlive()
{
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks) return false;
    bool found = false;
    while (const dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string name;
        std::getline(comm, name);
        if (name == EventThrottle::threadName) found = true;
    }
    closedir(tasks);
    return found;
}

class PrintProbe : public RecordingScreen {
public:
    bool tickerSeen = false;
    void PrintText(const AnsiString& text, NewLine newLine) override
    {
        RecordingScreen::PrintText(text, newLine);
        tickerSeen = tickerSeen || TickerThreadAlive();
    }
};

} // namespace

TEST(Waits, TickerRunsOnlyWhileAProgramRuns)
{
    for (int run = 0; run < 2; ++run) {
        PrintProbe screen;
        {
            Durnix_Class program(screen);
            EXPECT_EQ(program.Run("print 1\r\n"), 1);
        }
        EXPECT_TRUE(screen.tickerSeen);
        // Between runs nothing wakes the process.
        EXPECT_FALSE(TickerThreadAlive());
    }
}
