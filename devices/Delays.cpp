#include "devices/Delays.h"

#include "platform/Waits.h"

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
    platform::WaitOptions options;
    options.events = pump == Pump::Yes ? platform::WaitEvents::Process : platform::WaitEvents::Hold;
    platform::WaitMs(ms, stop, options);
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
