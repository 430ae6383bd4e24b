#include "FunctionCases.h"

#include <cmath>

TEST(FinanceFunctions, AnnuitiesInterestAndDepreciation)
{
    const FunctionCase cases[] = {
        { "ff_sln(1000, 100, 9)", "f:100" },
        { "ff_syd(1000, 100, 9, 1)", "f:180" },
        { "ff_cifv(100, 0.1, 2)", "f:121" },
        { "ff_cit(100, 0.1, 121)", "f:2" },
        { "ff_cii(100, 121, 2)", "f:0.1" },
        { "ff_fv(100, 0.1, 2, 0)", "f:210" },
        { "ff_fv(100, 0.1, 2, 1)", "f:231" },
        { "ff_fvt(100, 0.1, 210, 0)", "f:2" },
        { "ff_fvt(100, 0.1, 231, 1)", "f:2" },
        { "ff_fvp(210, 0.1, 2, 0)", "f:100" },
        { "ff_fvp(231, 0.1, 2, 1)", "f:100" },
        { "ff_pv(100, 0.1, 2, 0, 0)", "f:173.553719008264" },
        { "ff_pvp(ff_pv(100, 0.1, 2, 0, 0), 0.1, 2, 0, 0)", "f:100" },
        { "ff_pvt(100, 0.1, ff_pv(100, 0.1, 2, 0, 0), 0, 0)", "f:2" },
    };
    RunFunctionCases(cases);
}

TEST(FinanceFunctions, ArgumentChecks)
{
    const FunctionCase cases[] = {
        { "ff_syd(1000, 0, 9, 1)", "error 38" },
        { "ff_syd(1000, 100, 9, 0)", "error 38" },
        { "ff_fv(100, 0.1, 2, -1)", "error 38" },
        { "ff_pv(100, 0.1, 2, -1, 0)", "error 38" },
        { "ff_sln(1000, 100)", "error 37" },
        { "ff_sln(1000, \"a\", 9)", "error 36" },
        { "probg(0, -1, 1)", "error 38" },
        { "probg(0, 0, 0)", "error 38" },
        { "probgi(0.5, 0, -1)", "error 38" },
    };
    RunFunctionCases(cases);
}

TEST(FinanceFunctions, NormalDistribution)
{
    EXPECT_EQ(EvaluateFunction("probg(0, 0, 1)"), "f:0.398942280401433");
    const std::string inverse = EvaluateFunction("probgi(0.5, 0, 1)");
    ASSERT_EQ(inverse.substr(0, 2), "f:");
    EXPECT_LT(std::fabs(std::stod(inverse.substr(2))), 0.01);
    const std::string tail = EvaluateFunction("probgi(0.025, 0, 1)");
    EXPECT_NEAR(std::stod(tail.substr(2)), -1.96, 0.01);
    const std::string floor = EvaluateFunction("probgi(0, 10, 2)");
    EXPECT_LT(std::stod(floor.substr(2)), 10 - 2 * 11.0);
}
