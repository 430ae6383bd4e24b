#pragma once

#include <cstdint>

// The pseudo-random generators of the run-time library, shared by the whole
// process like the C runtime's: the random function and the robot draw from
// the seeded generator, randomg from a separate one that nothing reseeds.
namespace RandomNumbers {

// Seeds the shared generator: its low 32 bits become the seed, its high 32
// bits 0. Until the first seed the generator starts from the clock.
void SeedRandom(int32_t seed);
// The next 15-bit value (0..32767) of the shared generator.
int32_t Draw15();
// The next 31-bit value (0..2147483647) of the shared generator.
int32_t Draw31();

// The random function for a count m = abs(trunc(n)): an integer in [0, m-1]
// when m > 1 (isInteger set), else a double in [0, 1].
double RandomValue(int64_t m, bool& isInteger);

// A normally distributed value mean + sd * g from the separate generator.
double RandomGaussian(double mean, double sd);
// Puts the separate generator back to its start state (for tests).
void ResetGaussianGenerator();

} // namespace RandomNumbers
