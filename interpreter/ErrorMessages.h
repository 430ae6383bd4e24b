#pragma once

#include <array>
#include <cstddef>

// Every run-time error by name; the value is the error number programs see
// (geterror, the onerror handler, the message box).
enum class ErrorCode : int {
#define RUN_TIME_ERROR(number, name, message) name = number,
#include "interpreter/ErrorTable.inc"
#undef RUN_TIME_ERROR
};

constexpr int ErrorNumber(ErrorCode error)
{
    return static_cast<int>(error);
}

namespace ErrorTableCheck {
// The rows' numbers in row order; the message table is indexed by number, so
// they must run from 0 without a gap or a repeat.
constexpr std::array rowNumbers = {
#define RUN_TIME_ERROR(number, name, message) number,
#include "interpreter/ErrorTable.inc"
#undef RUN_TIME_ERROR
};
constexpr bool NumbersRunWithoutGaps()
{
    for (std::size_t k = 0; k < rowNumbers.size(); ++k)
        if (rowNumbers[k] != static_cast<int>(k)) return false;
    return true;
}
static_assert(NumbersRunWithoutGaps(), "error rows must be numbered 0, 1, 2 ... in order");
static_assert(rowNumbers.size() == 96, "the error numbers run from 0 to 95");
} // namespace ErrorTableCheck

// The messages of the run-time errors, indexed by error number.
constexpr int ErrorMessageCount = static_cast<int>(ErrorTableCheck::rowNumbers.size());
extern const char* const ErrorMessages[ErrorMessageCount];
