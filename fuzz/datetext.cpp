#include "builtins/DateTime.h"
#include "fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>

// Texts read as dates (datetimeval) and patterns that format them (datetime):
// the first byte picks the year the two-digit years are read against.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return -1;
    const int thisYear = 1900 + data[0];
    const std::string text = fuzz::Text(data + 1, size - 1);
    double value = 0;
    if (DateTime::Parse(text, thisYear, value)) {
        DateTime::Parts parts;
        // Whatever reads as a date is a date that exists.
        if (!DateTime::Decode(value, parts)) __builtin_trap();
    }
    AnsiString formatted;
    DateTime::Format(text, value, formatted);
    DateTime::Format(text, -value - 0.5, formatted);
    return 0;
}
