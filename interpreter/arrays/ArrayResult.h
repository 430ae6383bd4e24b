#pragma once

#include "interpreter/ErrorMessages.h"

#include <optional>

// What a whole-array operation answers: nothing when it did its work, else the
// named run-time error (one of the array errors, 68 to 76) for the statement or
// function that called it to raise. The operations never throw: only their
// caller knows where the program stands, and a caller may answer an error in
// a way of its own (a joined text too long for any text is the function's
// failure value, not an error).
using ArrayResult = std::optional<ErrorCode>;
