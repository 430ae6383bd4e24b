#pragma once

#include <cstdint>

// The waits of the ports service. Each ends early once `stop` (the run-time
// screen's stop flag, may be null) is set.
namespace Delays {

enum class Pump { No, Yes };

// Waits ms milliseconds, never less (platform::WaitMs): blocking on window
// events (which it processes) with Pump::Yes, else sleeping. Nothing for
// ms <= 0.
void WaitMs(int64_t ms, Pump pump, const bool* stop);

// Waits count units of 15 microseconds on the steady clock; a fractional
// count waits its next whole unit, a count <= 0 nothing. Short waits spin for
// precision, long ones sleep most of the time.
void MicroDelay(double count, const bool* stop);

} // namespace Delays
