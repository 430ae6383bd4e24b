#pragma once

#include <cstdint>
#include <string_view>

// Locale-independent readers of number texts, with the acceptance rules of the
// system's number conversions.
namespace numbertext {

// A decimal floating-point text: optional blanks, an optional sign, digits with
// at most one ".", an optional exponent (e or E, optional sign, digits),
// optional blanks. At least one mantissa digit. A value beyond the double range
// is refused.
bool ParseFloat(std::string_view text, double& value);

// An integer text: optional leading blanks, an optional sign, then decimal
// digits that fit in 32 signed bits, or "$", "0x" or "0X" and up to 32 bits of
// hexadecimal digits (read unsigned, so 0xFFFFFFFF is -1). Leading zeros do not
// count against the 32 bits.
bool ParseInt(std::string_view text, int32_t& value);

// Hexadecimal digits only (no prefix), at most 32 significant bits.
bool ParseHexDigits(std::string_view digits, int32_t& value);

} // namespace numbertext
