#pragma once

#include "base/Values.h"

// The float-format pattern of the format function: digit places "0" and "#",
// the decimal point ".", thousands separators ",", exponents "E+", "E-", "e+",
// "e-", quoted literals and up to three sections separated by ";" (positive,
// negative, zero). Texts use "." and "," whatever the user's locale; a value is
// rounded half away from zero on its 15 significant decimal digits.
namespace FormatPattern {

// Patterns of this length or more are refused with a LibraryFailure.
constexpr std::size_t MaxPatternLength = 225;

// The value laid out by the pattern, without padding. An empty pattern, or an
// empty first section, gives the float text.
AnsiString FormatFloat(double value, const AnsiString& pattern);

// The format function: FormatFloat left-padded with blanks to the pattern's
// length.
AnsiString FormatFunction(double value, const AnsiString& pattern);

} // namespace FormatPattern
