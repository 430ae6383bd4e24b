#include "support/FloatText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

AnsiString FloatToStr(double value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";

    // "%.14e" rounds to 15 significant digits and is not affected by the locale
    // in the "C" form we parse: d.dddddddddddddde[+-]xx. The separator it
    // writes may be the locale's, so only digit positions are used.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    AnsiString digits;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits += *p;
    }
    int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    AnsiString text = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1, AnsiString::npos);
        }
        text += 'E';
        text += std::to_string(exponent);
        return text;
    }
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<size_t>(-exponent - 1), '0');
        text += digits;
        return text;
    }
    size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        text += digits;
        text.append(integerDigits - digits.size(), '0');
    } else {
        text.append(digits, 0, integerDigits);
        text += '.';
        text.append(digits, integerDigits, AnsiString::npos);
    }
    return text;
}

AnsiString IntToStr(int32_t value)
{
    return std::to_string(value);
}
