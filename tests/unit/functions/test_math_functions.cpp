#include "FunctionCases.h"

TEST(MathFunctions, TrigonometryLogarithmsAndPowers)
{
    const FunctionCase cases[] = {
        { "sin(0)", "f:0" },
        { "cos(0)", "f:1" },
        { "dtor(180)", "f:3.14159265358979" },
        { "rtod(pi())", "f:180" },
        { "atan2(0, 0)", "f:0" },
        { "atan2(1, 0)", "f:0" },
        { "atan2(0, 1)", "f:1.5707963267949" },
        { "polara(-1, 0)", "f:3.14159265358979" },
        { "polarr(3, 4)", "f:5" },
        { "cartx(2, 0)", "f:2" },
        { "carty(2, 0)", "f:0" },
        { "log(1000)", "f:3" },
        { "nlog(1)", "f:0" },
        { "log2(8)", "f:3" },
        { "logb(2, 1024)", "f:10" },
        { "exp(0)", "f:1" },
        { "exp10(2)", "f:100" },
        { "sqrt(16)", "f:4" },
        { "cbrt(-27)", "f:-3" },
        { "cbrt(0)", "f:0" },
        { "cosh(0)", "f:1" },
        { "atanh(0)", "f:0" },
        { "frac(-2.5)", "f:-0.5" },
        { "frac(3e9 + 0.5)", "f:0.5" },
    };
    RunFunctionCases(cases);
}

TEST(MathFunctions, DomainChecks)
{
    const FunctionCase cases[] = {
        { "asin(1.5)", "error 38" },
        { "asin(-1.5)", "error 38" },
        { "acos(1.01)", "error 38" },
        { "acosh(0.5)", "error 38" },
        { "atanh(-1.5)", "error 38" },
        { "tan(acos(0))", "error 38" },
        { "tan(pi() / 2)", "error 38" },
        { "log(0)", "error 38" },
        { "nlog(-1)", "error 38" },
        { "log2(0)", "error 38" },
        { "logb(-2, 4)", "error 38" },
        { "logb(2, 0)", "error 38" },
        { "sqrt(-1)", "error 38" },
        { "factorial(-1)", "error 38" },
        { "map(1, 2, 2, 3, 4)", "error 38" },
        { "mod(7, 0)", "error 40" },
        { "mod(7, 0.5)", "error 40" },
    };
    RunFunctionCases(cases);
}

TEST(MathFunctions, RoundingAndSigns)
{
    const FunctionCase cases[] = {
        { "round(2.45)", "i:2" },
        { "round(2.5)", "i:3" },
        { "round(-2.5)", "i:-3" },
        { "round(2.5, 7)", "i:3" },
        { "roundup(2.1)", "i:3" },
        { "roundup(-2.1)", "i:-3" },
        { "roundup(-2.1, 1)", "i:-2" },
        { "roundup(2.1, 1)", "i:3" },
        { "roundup(4)", "i:4" },
        { "rounddn(-2.1)", "i:-2" },
        { "rounddn(-2.1, 1)", "i:-3" },
        { "rounddn(-3, 1)", "i:-3" },
        { "sign(-3.5)", "i:-1" },
        { "sign(0)", "i:0" },
        { "sign(2)", "i:1" },
        { "mod(-7, 2)", "i:-1" },
        { "mod(7, -2)", "i:1" },
        { "mod(mininteger(), -1)", "i:0" },
    };
    RunFunctionCases(cases);
}

TEST(MathFunctions, Combinatorics)
{
    const FunctionCase cases[] = {
        { "factorial(0)", "f:1" },
        { "factorial(5.9)", "f:120" },
        { "factorial(170)", "f:7.257415615308E306" },
        { "ncr(5, 5)", "f:1" },
        { "ncr(5, 2)", "f:10" },
        { "npr(5, 5)", "f:120" },
        { "npr(3, 5)", "error 38" },
        { "ncr(5, -1)", "error 38" },
        { "ncr(200, 2)", "f:19900" },
        { "ncr(2000, 2)", "f:0" },
    };
    RunFunctionCases(cases);
}

TEST(MathFunctions, RangesLimitsAndConversion)
{
    const FunctionCase cases[] = {
        { "minv(1, 2)", "f:1" },
        { "maxv(1, 2)", "f:2" },
        { "map(5, 0, 10, 0, 100)", "f:50" },
        { "within(5, 10, 1)", "i:1" },
        { "within(5.5, 1, 3)", "f:0" },
        { "limit(15, 10, 1)", "i:10" },
        { "limit(2.5, 3.5, 5)", "f:3.5" },
        { "convert(100, 0)", "f:212" },
        { "convert(212, 1)", "f:100" },
        { "convert(1, 3)", "f:57.2957795130823" },
        { "convert(1, 2)", "f:0.0174532925199433" },
        { "convert(5, 99)", "f:5" },
        { "convert(5, -1)", "f:5" },
        { "maxinteger()", "i:2147483647" },
        { "maxfloat()", "f:1.79E308" },
        { "minfloat()", "f:2.23E-308" },
    };
    RunFunctionCases(cases);
}

TEST(MathFunctions, BitsBytesAndSingles)
{
    const FunctionCase cases[] = {
        { "bitswap(1)", "i:128" },
        { "bitswap(1, 1)", "i:128" },
        { "bitswap(1, 40)", "i:-2147483648" },
        { "bitswap(6, 4)", "i:6" },
        { "signextend16(65535)", "i:-1" },
        { "signextend8(128)", "i:-128" },
        { "signextend8(127)", "i:127" },
        { "setbit(0, 33)", "i:2" },
        { "setbit(0, -1)", "i:-2147483648" },
        { "clrbit(7, 1)", "i:5" },
        { "getbit(5, 2)", "i:1" },
        { "setbyte(0, 1)", "i:65280" },
        { "clrbyte(-1, 0)", "i:-256" },
        { "getbyte(-1, 3)", "i:255" },
        { "makebyte(0, 5, 511)", "i:65280" },
        { "makebit(0, 3, 2)", "i:8" },
        { "makebit(15, 3, 0)", "i:7" },
        { "dftosf(1)", "i:1065353216" },
        { "sftodf(1065353216)", "f:1" },
        { "sftodf(dftosf(0.5))", "f:0.5" },
    };
    RunFunctionCases(cases);
}

TEST(MathFunctions, RandomFollowsTheSeed)
{
    RunState run;
    run.random.Seed(42);
    std::string first;
    for (int k = 0; k < 5; ++k)
        first += EvaluateFunction("random(1000)", &run) + EvaluateFunction("random(1)", &run) + ";";
    run.random.Seed(42);
    std::string second;
    for (int k = 0; k < 5; ++k)
        second += EvaluateFunction("random(1000)", &run) + EvaluateFunction("random(1)", &run) + ";";
    EXPECT_EQ(first, second);

    for (int k = 0; k < 200; ++k) {
        const std::string dice = EvaluateFunction("random(-6)", &run);
        ASSERT_EQ(dice.substr(0, 2), "i:");
        const int value = std::stoi(dice.substr(2));
        EXPECT_TRUE(value >= 0 && value <= 5) << value;
        const std::string fraction = EvaluateFunction("random(0)", &run);
        ASSERT_EQ(fraction.substr(0, 2), "f:");
        const double f = std::stod(fraction.substr(2));
        EXPECT_TRUE(f >= 0 && f <= 1) << f;
    }
}

TEST(MathFunctions, GaussianGeneratorIgnoresTheSeed)
{
    RunState run;
    RandomNumbers::ResetGaussianGenerator();
    run.random.Seed(1);
    const std::string a = EvaluateFunction("randomg(10, 2)", &run) + EvaluateFunction("randomg(0, 1)", &run);
    RandomNumbers::ResetGaussianGenerator();
    run.random.Seed(99);
    const std::string b = EvaluateFunction("randomg(10, 2)", &run) + EvaluateFunction("randomg(0, 1)", &run);
    EXPECT_EQ(a, b);
    EXPECT_EQ(EvaluateFunction("randomg(5, 0)"), "f:5");
}
