#include "devices/Delays.h"

#include "platform/Application.h"
#include "platform/Events.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace Delays {

namespace {

using Clock = std::chrono::steady_clock;

bool Stopped(const bool* stop)
{
    return stop != nullptr && *stop;
}

// Nanoseconds to wait for count 15-us units, saturated at about 290 years.
int64_t UnitsToNanoseconds(double count)
{
    const double units = std::ceil(count);
    constexpr double limit = 9.0e18 / 15000.0;
    if (!(units < limit)) return static_cast<int64_t>(9.0e18);
    return static_cast<int64_t>(units) * 15000;
}

} // namespace

void WaitMs(int64_t ms, Pump pump, const bool* stop)
{
    if (ms <= 0) return;
    if (pump == Pump::Yes) platform::RequireApplication();
    const int64_t limit = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::duration::max()).count() / 4;
    const auto end = Clock::now() + std::chrono::milliseconds(std::min(ms, limit));
    const bool events = pump == Pump::Yes && QCoreApplication::instance() != nullptr;
    for (;;) {
        if (Stopped(stop)) return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) return;
        const int slice = static_cast<int>(std::min<int64_t>(left, events ? 50 : 20));
        if (events)
            platform::WaitForEvents(slice);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(slice));
    }
}

void MicroDelay(double count, const bool* stop)
{
    if (!(count > 0)) return;
    const auto end = Clock::now() + std::chrono::nanoseconds(UnitsToNanoseconds(count));
    // Sleep while more than two milliseconds are left, then spin.
    for (;;) {
        if (Stopped(stop)) return;
        const auto left = end - Clock::now();
        if (left <= std::chrono::nanoseconds(0)) return;
        if (left > std::chrono::milliseconds(2))
            std::this_thread::sleep_for(
                std::min<Clock::duration>(left - std::chrono::milliseconds(1), std::chrono::milliseconds(20)));
    }
}

} // namespace Delays
