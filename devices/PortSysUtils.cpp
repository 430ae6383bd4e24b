#include "devices/PortSysUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

AnsiString FormatText(const char* format, va_list arguments)
{
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, arguments);
    return AnsiString(text.data(), static_cast<size_t>(length));
}

AnsiString FormatText(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    AnsiString text = FormatText(format, arguments);
    va_end(arguments);
    return text;
}

AnsiString SysErrorString(int error)
{
    char buffer[256];
    // The GNU variant returns the text, which may not be in the buffer.
    return strerror_r(error, buffer, sizeof buffer);
}

AnsiString GetLastSysErrorString()
{
    return SysErrorString(errno);
}

AnsiString IntToOct(uint32_t value)
{
    AnsiString digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + (value & 7)));
        value >>= 3;
    } while (value != 0);
    return digits;
}

uint32_t OctToInt(const AnsiString& text)
{
    uint32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '7') break;
        value = value << 3 | static_cast<uint32_t>(c - '0');
    }
    return value;
}

namespace {
TCriticalSection& ThreadSection()
{
    static TCriticalSection section;
    return section;
}
} // namespace

void qzEnterThreadCritical()
{
    ThreadSection().Enter();
}

void qzLeaveThreadCritical()
{
    ThreadSection().Leave();
}
