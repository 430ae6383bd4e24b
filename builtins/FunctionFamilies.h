#pragma once

#include "interpreter/FunctionCall.h"

#include <span>
#include <vector>

// Every family's dispatch table; FunctionTable.cpp joins them.
const std::vector<std::span<const FunctionEntry>>& AllFunctionFamilies();

// The dispatch tables of the families.
std::span<const FunctionEntry> MathFunctionEntries();
std::span<const FunctionEntry> BitFunctionEntries();
std::span<const FunctionEntry> TextFunctionEntries();
std::span<const FunctionEntry> FinanceFunctionEntries();
std::span<const FunctionEntry> SignatureFunctionEntries();
std::span<const FunctionEntry> RegexFunctionEntries();
std::span<const FunctionEntry> RobotFunctionEntries();
std::span<const FunctionEntry> UsbFunctionEntries();
std::span<const FunctionEntry> NetworkFunctionEntries();
std::span<const FunctionEntry> DateFunctionEntries();
std::span<const FunctionEntry> SystemFunctionEntries();
std::span<const FunctionEntry> DialogFunctionEntries();
std::span<const FunctionEntry> ColourFunctionEntries();
std::span<const FunctionEntry> ArrayFunctionEntries();
std::span<const FunctionEntry> OpenFileFunctionEntries();
std::span<const FunctionEntry> FolderFunctionEntries();
std::span<const FunctionEntry> ByteBufferFunctionEntries();
std::span<const FunctionEntry> FileDialogFunctionEntries();
std::span<const FunctionEntry> ProcessFunctionEntries();
std::span<const FunctionEntry> ControlFunctionEntries();
std::span<const FunctionEntry> MediaFunctionEntries();
std::span<const FunctionEntry> TextMetricFunctionEntries();
// Direct forms of functions of one number (see DirectFunction).
std::span<const DirectFunctionEntry> MathDirectEntries();
// Text functions that read their first text in place (see ReadsFirstTextInPlace).
std::span<const FunctionCode> TextInPlaceReaders();
// Direct forms of functions of two numbers (see DirectPairFunction).
std::span<const DirectPairFunctionEntry> MathDirectPairEntries();
// Direct forms of text functions (see DirectTextFunction).
std::span<const DirectTextFunctionEntry> TextDirectEntries();
