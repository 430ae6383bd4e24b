#include "builtins/NumberAlgorithms.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace NumberAlgorithms {

namespace {

// Conversion factors by code / 2; entry 0 is never used (codes 0 and 1
// are the temperatures).
constexpr double conversionFactors[31] = { 0.0, 57.29577951308232, 3437.746770784939, 1.150779, 1.852, 1.609344, 5280,
    1760, 3, 12, 1.093613, 39.37008, 10000, 4046.873, 236.5882, 3785.412, 4546.092, 1000, 29.57353, 28.41307, 473.1765,
    946.3529, 14.78676, 4.928922, 0.2, 28.34952, 453.5924, 6350.293, 907184.7, 1016047, 745.6999 };

// The largest n whose factorial the extended type holds.
constexpr int LargestExtendedFactorial = 1754;

double Sign(double x)
{
    return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0;
}

} // namespace

double RoundHalfAway(double x)
{
    const double b = std::trunc(std::fabs(x));
    return std::fabs(x * 10) - 10 * b >= 5 ? Sign(x) * (b + 1) : Sign(x) * b;
}

double RoundUp(double x, bool ceiling)
{
    const double b = std::trunc(std::fabs(x));
    if (!ceiling) return std::fabs(x) - b > 0 ? Sign(x) * (b + 1) : Sign(x) * b;
    return std::ceil(x);
}

double RoundDown(double x, bool floor)
{
    return floor ? std::floor(x) : std::trunc(x);
}

double ConvertUnits(double x, int32_t code)
{
    if (code == 0) return x * 1.8 + 32;
    if (code == 1) return (x - 32) * 5 / 9;
    if (code < 2 || code > 61) return x;
    const double factor = conversionFactors[code / 2];
    return code % 2 == 1 ? x * factor : x / factor;
}

long double ExtendedFactorial(double n)
{
    if (n > LargestExtendedFactorial) return std::numeric_limits<long double>::infinity();
    long double product = 1;
    for (int k = 2; k <= static_cast<int>(n); ++k)
        product *= k;
    return product;
}

double Factorial(double n)
{
    return static_cast<double>(ExtendedFactorial(n));
}

double Combinations(double n, double r)
{
    if (n == r) return 1.0;
    return static_cast<double>(ExtendedFactorial(n) / ExtendedFactorial(n - r) / ExtendedFactorial(r));
}

double Permutations(double n, double r)
{
    return static_cast<double>(ExtendedFactorial(n) / ExtendedFactorial(n - r));
}

int32_t BitSwap(int32_t x, int32_t n)
{
    if (n > 32) n = 32;
    if (n < 2) n = 8;
    const auto bits = static_cast<uint32_t>(x);
    uint32_t result = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (bits & (1u << i)) result |= 1u << (n - 1 - i);
    }
    return static_cast<int32_t>(result);
}

double SingleBitsToDouble(int32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return static_cast<double>(f);
}

bool DoubleToSingleBits(double x, int32_t& bits)
{
    const auto f = static_cast<float>(x);
    if (std::isinf(f) && !std::isinf(x)) return false;
    std::memcpy(&bits, &f, sizeof bits);
    return true;
}

} // namespace NumberAlgorithms
