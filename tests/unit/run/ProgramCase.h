#pragma once

#include "RunHarness.h"

#include <gtest/gtest.h>

// One program with what it must print and how it must end.
struct ProgramCase {
    const char* name;
    const char* program;
    const char* output;
    int error = NoError; // the untrapped error that ends it
    int line = 0; // the line of that error
    static constexpr int NoError = -1;
};

inline void PrintTo(const ProgramCase& c, std::ostream* os) { *os << c.name; }

inline void CheckProgram(const ProgramCase& c)
{
    RunResult result = RunProgram(c.program);
    EXPECT_EQ(result.output, c.output) << c.name;
    if (c.error == ProgramCase::NoError) {
        EXPECT_EQ(result.ended, 1) << c.name << ": error " << result.errorNumber << " in line " << result.errorLine;
    } else {
        EXPECT_EQ(result.ended, 0) << c.name;
        EXPECT_EQ(result.errorNumber, c.error) << c.name;
        EXPECT_EQ(result.outcome, c.line) << c.name;
    }
}
