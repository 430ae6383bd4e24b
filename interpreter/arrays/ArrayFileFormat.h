#pragma once

#include "base/Values.h"

#include <cstdint>
#include <string_view>

// The reading and writing of array files' pieces, without the locale: numbers
// as the C library's "%d" and "%lf" read and write them in the "C" locale.
namespace arrayfile {

// The longest text an 's' line keeps (its length field, with the 0xFA mark,
// is at most one more).
constexpr int MaxTextBytes = 4997;
constexpr unsigned char TextMark = 0xFA;

// A read position in a file held in memory.
class Reader {
public:
    explicit Reader(std::string_view bytes)
        : text(bytes)
    { }

    bool AtEnd() const { return position >= text.size(); }
    // Skips blanks, tabs and line ends, as a blank in a scanf format does.
    void SkipSpace();
    // "%d": optional blanks, a sign, decimal digits within 32 bits.
    bool ReadInt(int32_t& value);
    // "%lf": optional blanks, then a decimal number (also inf and nan).
    bool ReadDouble(double& value);
    // One byte; false at the end.
    bool ReadByte(char& c);
    // Exactly n bytes; false when fewer remain.
    bool ReadBytes(size_t n, std::string_view& bytes);
    // Consumes a line end (CR LF or LF) when one follows; true also at the end.
    bool EndLine();
    // Skips up to and including the next LF, at most `limit` bytes before it.
    void SkipLine(size_t limit);

private:
    std::string_view text;
    size_t position = 0;
};

// Appends "%d" and "%lf" (six decimals) forms.
void AppendInt(AnsiString& out, int64_t value);
void AppendFixed(AnsiString& out, double value);

} // namespace arrayfile
