#include "support/RandomNumbers.h"

#include <chrono>
#include <cmath>

namespace RandomNumbers {

namespace {

constexpr uint64_t Multiplier64 = (346ull << 32) + 20021u;

// The shared state. Seeded from the clock on first use so that programs
// that never call seedrandom see different numbers in each run.
uint64_t sharedState = 0;
bool sharedSeeded = false;

uint32_t gaussianState = 0;

uint64_t& SharedState()
{
    if (!sharedSeeded) {
        const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
        sharedState = static_cast<uint32_t>(ticks);
        sharedSeeded = true;
    }
    return sharedState;
}

double UniformDraw()
{
    gaussianState = gaussianState * 134775813u + 1u;
    return gaussianState / 4294967296.0;
}

} // namespace

void SeedRandom(int32_t seed)
{
    sharedState = static_cast<uint32_t>(seed);
    sharedSeeded = true;
}

int32_t Draw15()
{
    uint64_t& state = SharedState();
    const uint32_t low = static_cast<uint32_t>(state) * 22695477u + 1u;
    state = (state & 0xFFFFFFFF00000000ull) | low;
    return static_cast<int32_t>((low >> 16) & 0x7FFFu);
}

int32_t Draw31()
{
    uint64_t& state = SharedState();
    state = state * Multiplier64 + 1u;
    return static_cast<int32_t>((state >> 32) & 0x7FFFFFFFu);
}

double RandomValue(int64_t m, bool& isInteger)
{
    isInteger = m > 1;
    if (isInteger) return static_cast<double>(Draw31() % m);
    return Draw15() / 32767.0;
}

double RandomGaussian(double mean, double sd)
{
    double u;
    double s;
    do {
        u = 2 * UniformDraw() - 1;
        const double v = 2 * UniformDraw() - 1;
        s = u * u + v * v;
    } while (s >= 1);
    return mean + sd * (u * std::sqrt(-2 * std::log(s) / s));
}

void ResetGaussianGenerator()
{
    gaussianState = 0;
}

} // namespace RandomNumbers
