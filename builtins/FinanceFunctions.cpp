#include "builtins/FunctionFamilies.h"

#include <cmath>

// Annuities, present values, compound interest, depreciation and the normal
// distribution. All arguments are numbers, checked before the computation; the
// computation runs in the extended type and returns a double.

namespace {

using Extended = long double;

constexpr int MaxFinanceArgs = 5;

// The arguments of one call, read in order.
struct Arguments {
    Extended a[MaxFinanceArgs] = {};

    Arguments(FunctionCall& call, int count)
    {
        a[0] = call.FirstNumber();
        for (int k = 1; k < count; ++k)
            a[k] = call.NextNumber();
    }
};

// Error 38 unless the first arguments are above 0 and the rest (up to count)
// at least 0.
void Check(FunctionCall& call, const Arguments& args, int positive, int count)
{
    for (int k = 0; k < count; ++k) {
        const bool ok = k < positive ? args.a[k] > 0 : args.a[k] >= 0;
        if (!ok) call.Raise(ErrorCode::FunctionParameterNotAllowed);
    }
}

bool AtStart(Extended type)
{
    return type == 1;
}

void Return(FunctionCall& call, Extended value)
{
    call.ReturnFloat(static_cast<double>(value));
}

void FutureValue(FunctionCall& call)
{
    const Arguments args(call, 4);
    Check(call, args, 3, 4);
    const auto [payment, r, periods, type, unused] = args.a;
    Extended term = payment;
    if (AtStart(type)) term *= 1 + r;
    Return(call, (std::pow(1 + r, periods) - 1) * term / r);
}

void FuturePeriods(FunctionCall& call)
{
    const Arguments args(call, 4);
    Check(call, args, 3, 4);
    const auto [payment, r, future, type, unused] = args.a;
    if (AtStart(type))
        Return(call, std::log10(future * r / payment + 1 + r) / std::log10(1 + r) - 1);
    else
        Return(call, std::log10(future * r / payment + 1) / std::log10(1 + r));
}

void FuturePayment(FunctionCall& call)
{
    const Arguments args(call, 4);
    Check(call, args, 3, 4);
    const auto [future, r, periods, type, unused] = args.a;
    Extended payment = future * r / (std::pow(1 + r, periods) - 1);
    if (AtStart(type)) payment /= 1 + r;
    Return(call, payment);
}

void PresentValue(FunctionCall& call)
{
    const Arguments args(call, 5);
    Check(call, args, 3, 5);
    const auto [payment, r, periods, future, type] = args.a;
    const Extended v = std::pow(1 + r, -periods);
    Extended term = (1 - v) * payment / r;
    if (AtStart(type)) term *= 1 + r;
    Return(call, term + v * future);
}

void PresentPeriods(FunctionCall& call)
{
    const Arguments args(call, 5);
    Check(call, args, 3, 5);
    const auto [payment, r, present, future, type] = args.a;
    if (AtStart(type)) {
        const Extended p = (1 + r) * payment / r;
        Return(call, std::log10((p - future) / (p - present)) / std::log10(1 + r));
    } else {
        Return(call, std::log10((payment - r * future) / (payment - r * present)) / std::log10(1 + r));
    }
}

void PresentPayment(FunctionCall& call)
{
    const Arguments args(call, 5);
    Check(call, args, 3, 5);
    const auto [present, r, periods, future, type] = args.a;
    const Extended v = std::pow(1 + r, -periods);
    Extended payment = (present - v * future) * r / (1 - v);
    if (AtStart(type)) payment /= 1 + r;
    Return(call, payment);
}

void CompoundValue(FunctionCall& call)
{
    const Arguments args(call, 3);
    Check(call, args, 3, 3);
    Return(call, args.a[0] * std::pow(1 + args.a[1], args.a[2]));
}

void CompoundPeriods(FunctionCall& call)
{
    const Arguments args(call, 3);
    Check(call, args, 3, 3);
    Return(call, std::log10(args.a[2] / args.a[0]) / std::log10(1 + args.a[1]));
}

void CompoundRate(FunctionCall& call)
{
    const Arguments args(call, 3);
    Check(call, args, 3, 3);
    Return(call, std::pow(args.a[1] / args.a[0], 1 / args.a[2]) - 1);
}

void StraightLine(FunctionCall& call)
{
    const Arguments args(call, 3);
    Check(call, args, 3, 3);
    Return(call, (args.a[0] - args.a[1]) / args.a[2]);
}

void SumOfYears(FunctionCall& call)
{
    const Arguments args(call, 4);
    Check(call, args, 4, 4);
    const auto [cost, salvage, life, period, unused] = args.a;
    Return(call, (cost - salvage) * (life - period + 1) * 2 / life / (life + 1));
}

// probg and probgi: the mean at least 0, the deviation above 0.
void CheckDistribution(FunctionCall& call, const Arguments& args)
{
    if (!(args.a[1] >= 0 && args.a[2] > 0)) call.Raise(ErrorCode::FunctionParameterNotAllowed);
}

void NormalDensity(FunctionCall& call)
{
    const Arguments args(call, 3);
    CheckDistribution(call, args);
    const auto [x, mean, sd, unused1, unused2] = args.a;
    const Extended z = (x - mean) / sd;
    const Extended pi = 3.141592653589793238462643383279502884L;
    Return(call, std::exp(-z * z / 2) / std::sqrt(2 * pi) / sd);
}

// The lower-tail rational approximation, applied to every p as it is.
void NormalInverse(FunctionCall& call)
{
    const Arguments args(call, 3);
    CheckDistribution(call, args);
    Extended p = args.a[0];
    if (p <= 0) p = 1e-30L;
    if (p >= 1) p = 1;
    const Extended t = std::sqrt(std::log(1 / (p * p)));
    const Extended z = (2.515517L + 0.802853L * t + 0.010328L * t * t)
            / (1 + 1.432788L * t + 0.189269L * t * t + 0.001308L * t * t * t)
        - t;
    Return(call, z * args.a[2] + args.a[1]);
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::FfFv, FirstArgument::Number, FutureValue },
    { FunctionCode::FfFvt, FirstArgument::Number, FuturePeriods },
    { FunctionCode::FfFvp, FirstArgument::Number, FuturePayment },
    { FunctionCode::FfPv, FirstArgument::Number, PresentValue },
    { FunctionCode::FfPvt, FirstArgument::Number, PresentPeriods },
    { FunctionCode::FfPvp, FirstArgument::Number, PresentPayment },
    { FunctionCode::FfCifv, FirstArgument::Number, CompoundValue },
    { FunctionCode::FfCit, FirstArgument::Number, CompoundPeriods },
    { FunctionCode::FfCii, FirstArgument::Number, CompoundRate },
    { FunctionCode::FfSln, FirstArgument::Number, StraightLine },
    { FunctionCode::FfSyd, FirstArgument::Number, SumOfYears },
    { FunctionCode::Probg, FirstArgument::Number, NormalDensity },
    { FunctionCode::Probgi, FirstArgument::Number, NormalInverse },
};

} // namespace

std::span<const FunctionEntry> FinanceFunctionEntries()
{
    return entries;
}
