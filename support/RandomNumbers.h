#pragma once

#include <cstdint>

// The pseudo-random generators of the run-time library: the random function
// and the robot draw from a seeded generator that each run owns, randomg from
// a separate one that nothing reseeds, which lives for the program's life so
// that a second run continues its sequence.
namespace RandomNumbers {

// The seeded generator: 64 bits of state, advanced by two linear congruences
// (a 15-bit draw on the low half, a 31-bit draw on the whole).
class Generator {
public:
    // Its low 32 bits become the seed, its high 32 bits 0. Until the first
    // seed the generator starts from the clock, so that draws before any seed
    // differ from one start to the next.
    void Seed(int32_t seed)
    {
        state = static_cast<uint32_t>(seed);
        seeded = true;
    }
    // The next 15-bit value (0..32767).
    int32_t Draw15()
    {
        uint64_t& s = State();
        const uint32_t low = static_cast<uint32_t>(s) * 22695477u + 1u;
        s = (s & 0xFFFFFFFF00000000ull) | low;
        return static_cast<int32_t>((low >> 16) & 0x7FFFu);
    }
    // The next 31-bit value (0..2147483647).
    int32_t Draw31()
    {
        uint64_t& s = State();
        s = s * Multiplier64 + 1u;
        return static_cast<int32_t>((s >> 32) & 0x7FFFFFFFu);
    }
    // The random function for a count m = abs(trunc(n)): an integer in
    // [0, m-1] when m > 1 (isInteger set), else a double in [0, 1].
    double RandomValue(int64_t m, bool& isInteger)
    {
        isInteger = m > 1;
        if (isInteger) return static_cast<double>(Draw31() % m);
        return Draw15() / 32767.0;
    }

private:
    static constexpr uint64_t Multiplier64 = (346ull << 32) + 20021u;

    uint64_t& State()
    {
        if (!seeded) SeedFromClock();
        return state;
    }
    void SeedFromClock();

    uint64_t state = 0;
    bool seeded = false;
};

// A normally distributed value mean + sd * g from the separate generator.
double RandomGaussian(double mean, double sd);
// Puts the separate generator back to its start state (for tests).
void ResetGaussianGenerator();

} // namespace RandomNumbers
