#include "platform/Waits.h"
#include "platform/Application.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <thread>

namespace platform {

namespace {

using std::chrono::milliseconds;

// The last stretch before a deadline is slept out, not waited on events: an
// event wait counts whole milliseconds and its timer fires up to one late.
constexpr WaitClock::duration SleptTail = milliseconds(2);
// An event wait is asked to wake this much before the deadline.
constexpr WaitClock::duration EventWakeMargin = milliseconds(1);

class RealWaitServices : public WaitServices {
public:
    WaitClock::time_point Now() override { return WaitClock::now(); }

    void WaitForEvents(milliseconds timeout) override
    {
        DoIdleWork();
        if (!QCoreApplication::instance()) {
            std::this_thread::sleep_for(timeout);
            return;
        }
        // The timer only wakes the blocking call; its timeout does nothing. A
        // coarse timer may fire 5% late, which a 40 ms slice would notice.
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        wake.start(std::max<milliseconds>(timeout, milliseconds(1)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }

    void ProcessPending() override
    {
        DoIdleWork();
        if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    void Sleep(WaitClock::duration span) override { std::this_thread::sleep_for(span); }
};

} // namespace

WaitServices& realWaitServices()
{
    static RealWaitServices services;
    return services;
}

bool WaitUntil(
    WaitClock::time_point deadline, const std::function<bool()>& done, WaitOptions options, WaitServices& services)
{
    const WaitClock::duration slice = std::max<WaitClock::duration>(options.slice, milliseconds(1));
    // Set while the last stretch was slept out with the events held back.
    bool eventsBehind = false;
    for (;;) {
        if (done && done()) return true;
        const WaitClock::time_point now = services.Now();
        if (now >= deadline) {
            if (!eventsBehind) return false;
            // What arrived during that stretch (a byte, a close) still counts.
            services.ProcessPending();
            return done && done();
        }
        const WaitClock::duration left = deadline - now;
        if (options.events == WaitEvents::Hold) {
            services.Sleep(std::min(left, slice));
        } else if (left > SleptTail) {
            const auto wake = std::chrono::floor<milliseconds>(std::min(left - EventWakeMargin, slice));
            services.WaitForEvents(std::max(wake, milliseconds(1)));
        } else {
            services.ProcessPending();
            if (done && done()) return true;
            const WaitClock::time_point later = services.Now();
            if (later >= deadline) return false;
            services.Sleep(deadline - later);
            eventsBehind = true;
        }
    }
}

bool WaitUntil(WaitClock::time_point deadline, const std::function<bool()>& done, WaitOptions options)
{
    // Processing events needs the application; a headless run makes it here.
    if (options.events == WaitEvents::Process) RequireApplication();
    return WaitUntil(deadline, done, options, realWaitServices());
}

WaitClock::time_point DeadlineAfter(WaitClock::duration span, WaitServices& services)
{
    const WaitClock::time_point now = services.Now();
    if (span <= WaitClock::duration::zero()) return now;
    if (span >= WaitClock::time_point::max() - now) return WaitClock::time_point::max();
    return now + span;
}

WaitClock::time_point DeadlineAfterMs(int64_t ms, WaitServices& services)
{
    const int64_t longest = std::chrono::duration_cast<milliseconds>(WaitClock::duration::max()).count();
    return DeadlineAfter(milliseconds(std::min(ms, longest)), services);
}

bool WaitMs(int64_t ms, const bool* stop, WaitOptions options)
{
    if (ms <= 0) return true;
    const auto stopped = [stop] { return stop != nullptr && *stop; };
    return !WaitUntil(DeadlineAfterMs(ms), stopped, options);
}

} // namespace platform
