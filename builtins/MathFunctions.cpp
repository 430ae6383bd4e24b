#include "builtins/FunctionFamilies.h"
#include "builtins/NumberAlgorithms.h"
#include "interpreter/RunState.h"

#include <cmath>
#include <cstdlib>

// Trigonometry, logarithms and powers, rounding, random numbers, combinatorics,
// ranges and limits. Computations run in the extended type and come back as
// doubles; the frame turns an overflow or an invalid operation into its catch
// result.

namespace {

using Extended = long double;

constexpr Extended Pi = 3.141592653589793238462643383279502884L;

// The domain checks made on the first argument before the function runs.
void RequireAtLeast(FunctionCall& call, double x, double low)
{
    if (!(x >= low)) call.Raise(ErrorCode::FunctionParameterNotAllowed);
}

void RequireAbove(FunctionCall& call, double x, double low)
{
    if (!(x > low)) call.Raise(ErrorCode::FunctionParameterNotAllowed);
}

void RequireWithin(FunctionCall& call, double x, double low, double high)
{
    if (!(x >= low && x <= high)) call.Raise(ErrorCode::FunctionParameterNotAllowed);
}

// The optional first argument of pi must be a number when it is given.
double OptionalNumberFirst(FunctionCall& call)
{
    if (call.FirstIsText()) call.Raise(ErrorCode::FunctionNeedsNumber);
    return call.FirstNumber();
}

void ReturnExtended(FunctionCall& call, Extended value)
{
    call.ReturnFloat(static_cast<double>(value));
}

// The angle of the point (x, y); 0 for the origin.
double PointAngle(double x, double y)
{
    return x == 0 && y == 0 ? 0.0 : std::atan2(y, x);
}

void Atan2(FunctionCall& call)
{
    const double x = call.FirstNumber();
    const double y = call.NextNumber();
    call.ReturnFloat(PointAngle(x, y));
}

void LogToBase(FunctionCall& call)
{
    const double base = call.FirstNumber();
    RequireAbove(call, base, 0);
    const double x = call.NextNumber();
    RequireAbove(call, x, 0);
    ReturnExtended(call, std::log(static_cast<Extended>(x)) / std::log(static_cast<Extended>(base)));
}

void CubeRoot(FunctionCall& call)
{
    const Extended x = call.FirstNumber();
    if (x == 0) {
        call.ReturnFloat(0.0);
        return;
    }
    const Extended magnitude = std::exp(std::log(std::fabs(x)) / 3);
    ReturnExtended(call, x < 0 ? -magnitude : magnitude);
}

void Absolute(FunctionCall& call)
{
    if (call.first.tag == Tag::Int)
        call.ReturnInt(std::fabs(static_cast<double>(call.first.i)));
    else
        call.ReturnFloat(std::fabs(call.first.f));
}

void Random(FunctionCall& call)
{
    const int64_t m = std::llabs(static_cast<int64_t>(call.ex.RoundToIntChecked(call.FirstNumber(), false)));
    bool isInteger = false;
    const double value = call.State().random.RandomValue(m, isInteger);
    if (isInteger)
        call.ReturnInt(value);
    else
        call.ReturnFloat(value);
}

void Round(FunctionCall& call)
{
    const double x = call.FirstNumber();
    if (call.HasMore()) call.NextNumber(); // read and ignored
    call.ReturnInt(NumberAlgorithms::RoundHalfAway(x));
}

// The optional mode of roundup and rounddn: non-zero asks for ceiling or floor.
bool OptionalMode(FunctionCall& call)
{
    return call.HasMore() && call.NextInt() != 0;
}

void RoundUp(FunctionCall& call)
{
    const double x = call.FirstNumber();
    call.ReturnInt(NumberAlgorithms::RoundUp(x, OptionalMode(call)));
}

void RoundDown(FunctionCall& call)
{
    const double x = call.FirstNumber();
    call.ReturnInt(NumberAlgorithms::RoundDown(x, OptionalMode(call)));
}

void Modulo(FunctionCall& call)
{
    const int32_t a = call.FirstInt();
    const int32_t b = call.NextInt();
    if (b == 0) call.Raise(ErrorCode::DivisionByZero);
    // The one quotient that does not fit (-2147483648 / -1) leaves no remainder.
    call.ReturnInt(b == -1 ? 0 : a % b);
}

void Factorial(FunctionCall& call)
{
    const double x = call.FirstNumber();
    RequireAtLeast(call, x, 0);
    call.ReturnFloat(NumberAlgorithms::Factorial(std::trunc(x)));
}

// ncr and npr: n and r truncated; r above n, or either negative, is refused.
void Combinatorics(FunctionCall& call)
{
    const double x = call.FirstNumber();
    RequireAtLeast(call, x, 0);
    const double n = std::trunc(x);
    const double r = std::trunc(call.NextNumber());
    if (n < r || r < 0 || n < 0) call.Raise(ErrorCode::FunctionParameterNotAllowed);
    call.ReturnFloat(call.code == Code(FunctionCode::Ncr) ? NumberAlgorithms::Combinations(n, r)
                                                          : NumberAlgorithms::Permutations(n, r));
}

void RandomGaussian(FunctionCall& call)
{
    const double mean = call.FirstNumber();
    const double sd = call.NextNumber();
    call.ReturnFloat(RandomNumbers::RandomGaussian(mean, sd));
}

void MapRange(FunctionCall& call)
{
    const Extended x = call.FirstNumber();
    const Extended a = call.NextNumber();
    const Extended b = call.NextNumber();
    const Extended c = call.NextNumber();
    const Extended d = call.NextNumber();
    if (a == b) call.Raise(ErrorCode::FunctionParameterNotAllowed);
    ReturnExtended(call, (x - a) * (d - c) / (b - a) + c);
}

void Convert(FunctionCall& call)
{
    const double x = call.FirstNumber();
    call.ReturnFloat(NumberAlgorithms::ConvertUnits(x, call.NextInt()));
}

// Returns value with the tag of the first argument.
void ReturnWithFirstTag(FunctionCall& call, double value)
{
    if (call.first.tag == Tag::Int)
        call.ReturnInt(value);
    else
        call.ReturnFloat(value);
}

void Within(FunctionCall& call)
{
    const double x = call.FirstNumber();
    const double a = call.NextNumber();
    const double b = call.NextNumber();
    const bool inside = x >= std::fmin(a, b) && x <= std::fmax(a, b);
    ReturnWithFirstTag(call, inside ? 1.0 : 0.0);
}

void Limit(FunctionCall& call)
{
    const double x = call.FirstNumber();
    const double a = call.NextNumber();
    const double b = call.NextNumber();
    const double low = std::fmin(a, b);
    const double high = std::fmax(a, b);
    ReturnWithFirstTag(call, x < low ? low : x > high ? high : x);
}

void MinValue(FunctionCall& call)
{
    const double a = call.FirstNumber();
    const double b = call.NextNumber();
    call.ReturnFloat(a <= b ? a : b);
}

void MaxValue(FunctionCall& call)
{
    const double a = call.FirstNumber();
    const double b = call.NextNumber();
    call.ReturnFloat(a >= b ? a : b);
}

void PolarRadius(FunctionCall& call)
{
    const Extended x = call.FirstNumber();
    const Extended y = call.NextNumber();
    ReturnExtended(call, std::sqrt(x * x + y * y));
}

void CartesianX(FunctionCall& call)
{
    const Extended r = call.FirstNumber();
    const Extended a = call.NextNumber();
    ReturnExtended(call, r * std::cos(a));
}

void CartesianY(FunctionCall& call)
{
    const Extended r = call.FirstNumber();
    const Extended a = call.NextNumber();
    ReturnExtended(call, r * std::sin(a));
}

// sin and cos take the argument in double: the extended-precision versions cost
// several times as much and the result is rounded to a double anyway.
Extended X(FunctionCall& call)
{
    return call.FirstNumber();
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Pi, FirstArgument::OptionalOne,
        [](FunctionCall& c) { ReturnExtended(c, OptionalNumberFirst(c) * Pi); } },
    { FunctionCode::Dtor, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, X(c) * Pi / 180); } },
    { FunctionCode::Rtod, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, X(c) * 180 / Pi); } },
    { FunctionCode::Sinh, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::sinh(X(c))); } },
    { FunctionCode::Cosh, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::cosh(X(c))); } },
    { FunctionCode::Tanh, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::tanh(X(c))); } },
    { FunctionCode::Asinh, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::asinh(X(c))); } },
    { FunctionCode::Acosh, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireAtLeast(c, c.FirstNumber(), 1);
            ReturnExtended(c, std::acosh(X(c)));
        } },
    { FunctionCode::Atanh, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireWithin(c, c.FirstNumber(), -1, 1);
            ReturnExtended(c, std::atanh(X(c)));
        } },
    { FunctionCode::Sin, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::sin(c.FirstNumber())); } },
    { FunctionCode::Cos, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::cos(c.FirstNumber())); } },
    { FunctionCode::Tan, FirstArgument::Number,
        [](FunctionCall& c) {
            // Exactly the double nearest a right angle has no tangent.
            if (c.FirstNumber() == std::acos(0.0)) c.Raise(ErrorCode::FunctionParameterNotAllowed);
            ReturnExtended(c, std::tan(X(c)));
        } },
    { FunctionCode::Asin, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireWithin(c, c.FirstNumber(), -1, 1);
            ReturnExtended(c, std::asin(X(c)));
        } },
    { FunctionCode::Acos, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireWithin(c, c.FirstNumber(), -1, 1);
            ReturnExtended(c, std::acos(X(c)));
        } },
    { FunctionCode::Atan, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::atan(X(c))); } },
    { FunctionCode::Atan2, FirstArgument::Number, Atan2 },
    { FunctionCode::Log, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireAbove(c, c.FirstNumber(), 0);
            ReturnExtended(c, std::log10(X(c)));
        } },
    { FunctionCode::Nlog, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireAbove(c, c.FirstNumber(), 0);
            ReturnExtended(c, std::log(X(c)));
        } },
    { FunctionCode::Log2, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireAbove(c, c.FirstNumber(), 0);
            ReturnExtended(c, std::log2(X(c)));
        } },
    { FunctionCode::Logb, FirstArgument::Number, LogToBase },
    { FunctionCode::Exp, FirstArgument::Number, [](FunctionCall& c) { ReturnExtended(c, std::exp(X(c))); } },
    { FunctionCode::Exp10, FirstArgument::Number,
        [](FunctionCall& c) { ReturnExtended(c, std::exp(std::log(10.0L) * X(c))); } },
    { FunctionCode::Sqrt, FirstArgument::Number,
        [](FunctionCall& c) {
            RequireAtLeast(c, c.FirstNumber(), 0);
            ReturnExtended(c, std::sqrt(X(c)));
        } },
    { FunctionCode::Cbrt, FirstArgument::Number, CubeRoot },
    { FunctionCode::Polarr, FirstArgument::Number, PolarRadius },
    { FunctionCode::Polara, FirstArgument::Number, Atan2 },
    { FunctionCode::Cartx, FirstArgument::Number, CartesianX },
    { FunctionCode::Carty, FirstArgument::Number, CartesianY },
    { FunctionCode::Abs, FirstArgument::Number, Absolute },
    { FunctionCode::Sign, FirstArgument::Number,
        [](FunctionCall& c) {
            c.ReturnInt(c.FirstNumber() > 0 ? 1 : c.FirstNumber() < 0 ? -1 : 0);
        } },
    { FunctionCode::Random, FirstArgument::Number, Random },
    { FunctionCode::Round, FirstArgument::Number, Round },
    { FunctionCode::Roundup, FirstArgument::Number, RoundUp },
    { FunctionCode::Rounddn, FirstArgument::Number, RoundDown },
    { FunctionCode::Frac, FirstArgument::Number,
        [](FunctionCall& c) { c.ReturnFloat(c.FirstNumber() - std::trunc(c.FirstNumber())); } },
    { FunctionCode::Mod, FirstArgument::Number, Modulo },
    { FunctionCode::Factorial, FirstArgument::Number, Factorial },
    { FunctionCode::Ncr, FirstArgument::Number, Combinatorics },
    { FunctionCode::Npr, FirstArgument::Number, Combinatorics },
    { FunctionCode::Randomg, FirstArgument::Number, RandomGaussian },
    { FunctionCode::Minv, FirstArgument::Number, MinValue },
    { FunctionCode::Maxv, FirstArgument::Number, MaxValue },
    { FunctionCode::Map, FirstArgument::Number, MapRange },
    { FunctionCode::Convert, FirstArgument::Number, Convert },
    { FunctionCode::Within, FirstArgument::Number, Within },
    { FunctionCode::Limit, FirstArgument::Number, Limit },
    { FunctionCode::Maxinteger, FirstArgument::None, [](FunctionCall& c) { c.ReturnInt(2147483647.0); } },
    { FunctionCode::Mininteger, FirstArgument::None, [](FunctionCall& c) { c.ReturnInt(-2147483648.0); } },
    { FunctionCode::Maxfloat, FirstArgument::None, [](FunctionCall& c) { c.ReturnFloat(1.79e+308); } },
    { FunctionCode::Minfloat, FirstArgument::None, [](FunctionCall& c) { c.ReturnFloat(2.23e-308); } },
};

// The direct forms of the plainest functions above: each computes the same
// expression as its handler, in the same types, and declines a number outside
// the handler's domain and a result that is no finite number, so that the
// ordinary call raises the error or gives the catch result.
bool Finite(Extended value, double& result)
{
    result = static_cast<double>(value);
    return std::isfinite(result);
}

constexpr DirectFunctionEntry directEntries[] = {
    { 5004, [](double x, double& r) { return Finite(std::sinh(Extended(x)), r); } },
    { 5005, [](double x, double& r) { return Finite(std::cosh(Extended(x)), r); } },
    { 5006, [](double x, double& r) { return Finite(std::tanh(Extended(x)), r); } },
    { 5010, [](double x, double& r) { return Finite(std::sin(x), r); } },
    { 5011, [](double x, double& r) { return Finite(std::cos(x), r); } },
    { 5015, [](double x, double& r) { return Finite(std::atan(Extended(x)), r); } },
    { 5017, [](double x, double& r) { return x > 0 && Finite(std::log10(Extended(x)), r); } },
    { 5018, [](double x, double& r) { return x > 0 && Finite(std::log(Extended(x)), r); } },
    { 5021, [](double x, double& r) { return Finite(std::exp(Extended(x)), r); } },
    { 5023, [](double x, double& r) { return x >= 0 && Finite(std::sqrt(Extended(x)), r); } },
};

// mod of two integers as Modulo computes it; a double argument goes through
// the handler's rounding, a zero divisor raises its error there.
bool DirectModulo(const Value& a, const Value& b, Value& result)
{
    if (a.tag != Tag::Int || b.tag != Tag::Int || b.i == 0) return false;
    result.setInt(b.i == -1 ? 0 : a.i % b.i);
    return true;
}

constexpr DirectPairFunctionEntry directPairEntries[] = {
    { Code(FunctionCode::Mod), DirectModulo },
};

} // namespace

std::span<const FunctionEntry> MathFunctionEntries()
{
    return entries;
}

std::span<const DirectFunctionEntry> MathDirectEntries()
{
    return directEntries;
}

std::span<const DirectPairFunctionEntry> MathDirectPairEntries()
{
    return directPairEntries;
}
