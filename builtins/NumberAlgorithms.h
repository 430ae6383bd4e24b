#pragma once

#include <cstdint>

// The computations behind the numeric functions, free of the evaluator so that
// they can be tested alone. Argument checks (the domain errors) are the
// callers'; a result beyond the double range comes back as an infinity, which
// the call frame turns into its catch result.
namespace NumberAlgorithms {

// Rounding to an integral value, computed in double; the frame saturates.
// round: half away from zero, decided by the first decimal only.
double RoundHalfAway(double x);
// mode 0: away from zero; otherwise toward plus infinity.
double RoundUp(double x, bool ceiling);
// mode 0: toward zero; otherwise toward minus infinity.
double RoundDown(double x, bool floor);

// Unit conversion by code (0 and 1 temperatures, 2 to 61 by factor); any other
// code returns x.
double ConvertUnits(double x, int32_t code);

// n! in the extended type for an integral n >= 0; an infinity from 1755 on.
long double ExtendedFactorial(double n);
// n!, n! / ((n-r)! * r!) and n! / (n-r)! for integral 0 <= r <= n.
double Factorial(double n);
double Combinations(double n, double r);
double Permutations(double n, double r);

// The lowest n bits of x in reverse order; n is cut to 32, and below 2 is 8.
int32_t BitSwap(int32_t x, int32_t n);
// The bit pattern read as an IEEE single, and the single pattern of x.
double SingleBitsToDouble(int32_t bits);
// False when x lies beyond the single range (an overflow).
bool DoubleToSingleBits(double x, int32_t& bits);

} // namespace NumberAlgorithms
