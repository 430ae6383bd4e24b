#include "devices/PnpString.h"

PnpReadResult ReadPnpString(PnpByteSource& source, int gapMs)
{
    PnpReadResult result;
    int end = -1;
    // Skipped bytes count against the bound too.
    for (size_t seen = 0; seen < PnpMaxLength; ++seen) {
        const int byte = source.Next(gapMs);
        if (byte < 0) break;
        result.answered = true;
        if (end < 0) {
            if (byte == 0x08) end = 0x09;
            if (byte == 0x28) end = 0x29;
            if (end >= 0) result.text += static_cast<char>(byte);
            continue;
        }
        result.text += static_cast<char>(byte);
        if (byte == end) break;
    }
    return result;
}
