#include "support/RandomNumbers.h"

#include <chrono>
#include <cmath>

namespace RandomNumbers {

namespace {

// The state of randomg's generator: 0 as the program starts and never
// reseeded, so every start of the program gives the same sequence.
uint32_t gaussianState = 0;

double UniformDraw()
{
    gaussianState = gaussianState * 134775813u + 1u;
    return gaussianState / 4294967296.0;
}

} // namespace

void Generator::SeedFromClock()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    state = static_cast<uint32_t>(ticks);
    seeded = true;
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
