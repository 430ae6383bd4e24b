#pragma once

#include "interpreter/FunctionCall.h"

#include <span>

// The dispatch tables of the families; FunctionTable.cpp joins them.
std::span<const FunctionEntry> MathFunctionEntries();
std::span<const FunctionEntry> BitFunctionEntries();
std::span<const FunctionEntry> TextFunctionEntries();
std::span<const FunctionEntry> FinanceFunctionEntries();
std::span<const FunctionEntry> SignatureFunctionEntries();
std::span<const FunctionEntry> RegexFunctionEntries();
std::span<const FunctionEntry> RobotFunctionEntries();
// Direct forms of functions of one number (see DirectFunction).
std::span<const DirectFunctionEntry> MathDirectEntries();
