#pragma once

#include "base/Values.h"

// The one text form of a double wherever a number becomes text (printing,
// joining a number to a text, the variables window): at most 15 significant
// digits, no trailing zeros, no separator for an integral value; fixed notation
// from 0.00001 up to 15 digits before the separator, otherwise a mantissa, "E"
// and the exponent without plus sign or leading zeros ("1.5E20", "1E-6"). The
// separator is always ".", whatever the user's locale.
AnsiString FloatToStr(double value);

// The decimal text of an integer ("-12").
AnsiString IntToStr(int32_t value);
