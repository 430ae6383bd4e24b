#pragma once

#include "base/Values.h"

// Reading the identification string a plug-and-play serial device sends once
// its lines have been toggled: the string starts with 0x08 (and ends with
// 0x09) or with 0x28 "(" (and ends with 0x29 ")"); bytes before the start
// byte (a mouse's "M") are skipped. The string ends at its end byte, after
// a gap of more than the gap time with no byte, or at its length bound, so
// a device that keeps talking cannot hold the reader.
class PnpByteSource {
public:
    virtual ~PnpByteSource() = default;
    // The next byte, or -1 when none came within ms milliseconds.
    virtual int Next(int ms) = 0;
};

struct PnpReadResult {
    // False when not one byte came within the first gap: the caller tries again.
    bool answered = false;
    // From the start byte to the end byte, both included; empty when no start
    // byte came.
    AnsiString text;
};

constexpr int PnpGapMs = 200;
constexpr size_t PnpMaxLength = 256;

PnpReadResult ReadPnpString(PnpByteSource& source, int gapMs = PnpGapMs);
