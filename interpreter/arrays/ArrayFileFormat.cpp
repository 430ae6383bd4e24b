#include "interpreter/arrays/ArrayFileFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace arrayfile {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsWithWord(std::string_view text, std::string_view word)
{
    if (text.size() < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k) {
        char c = text[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[k]) return false;
    }
    return true;
}

} // namespace

void Reader::SkipSpace()
{
    while (position < text.size() && IsSpace(text[position]))
        ++position;
}

bool Reader::ReadInt(int32_t& value)
{
    SkipSpace();
    size_t at = position;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || !IsDigit(text[at])) return false;
    int64_t magnitude = 0;
    while (at < text.size() && IsDigit(text[at])) {
        magnitude = magnitude * 10 + (text[at++] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    if (!negative && magnitude > 2147483647LL) return false;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    position = at;
    return true;
}

bool Reader::ReadDouble(double& value)
{
    SkipSpace();
    size_t at = position;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const std::string_view rest = text.substr(at);
    if (StartsWithWord(rest, "inf") || StartsWithWord(rest, "nan")) {
        const bool infinite = StartsWithWord(rest, "inf");
        at += StartsWithWord(rest, "infinity") ? 8 : 3;
        value = infinite ? HUGE_VAL : std::nan("");
        if (negative) value = -value;
        position = at;
        return true;
    }
    // Only a decimal form: from_chars reads no sign of its own here, nor hex.
    if (rest.empty() || !(IsDigit(rest[0]) || (rest[0] == '.' && rest.size() > 1 && IsDigit(rest[1])))) return false;
    // Only the number's own characters go to the conversion, which may copy
    // what it is given.
    size_t length = 0;
    while (length < rest.size()
        && (IsDigit(rest[length]) || rest[length] == '.' || rest[length] == 'e' || rest[length] == 'E'
            || ((rest[length] == '+' || rest[length] == '-') && length > 0
                && (rest[length - 1] == 'e' || rest[length - 1] == 'E'))))
        ++length;
    double magnitude = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, magnitude, std::chars_format::general);
    // A number past the double range is no number this format writes.
    if (error != std::errc()) return false;
    value = negative ? -magnitude : magnitude;
    position = at + static_cast<size_t>(end - rest.data());
    return true;
}

bool Reader::ReadByte(char& c)
{
    if (position >= text.size()) return false;
    c = text[position++];
    return true;
}

bool Reader::ReadBytes(size_t n, std::string_view& bytes)
{
    if (text.size() - position < n) return false;
    bytes = text.substr(position, n);
    position += n;
    return true;
}

bool Reader::EndLine()
{
    if (position >= text.size()) return true;
    if (text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n') {
        position += 2;
        return true;
    }
    if (text[position] == '\r' && position + 1 == text.size()) {
        ++position;
        return true;
    }
    if (text[position] == '\n') {
        ++position;
        return true;
    }
    return false;
}

void Reader::SkipLine(size_t limit)
{
    for (size_t k = 0; k <= limit && position < text.size(); ++k)
        if (text[position++] == '\n') return;
}

void AppendInt(AnsiString& out, int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendFixed(AnsiString& out, double value)
{
    if (std::isnan(value)) {
        out += std::signbit(value) ? "-nan" : "nan";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
        return;
    }
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

} // namespace arrayfile
