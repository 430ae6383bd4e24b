#include "interpreter/NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace numbertext {

namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

bool ParseFloat(std::string_view text, double& value)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    std::string_view body = text.substr(begin, end - begin);
    size_t k = 0;
    bool negative = false;
    if (k < body.size() && (body[k] == '+' || body[k] == '-')) {
        negative = body[k] == '-';
        ++k;
    }
    size_t numberStart = k;
    int mantissaDigits = 0;
    while (k < body.size() && IsDigit(body[k]))
        ++k, ++mantissaDigits;
    if (k < body.size() && body[k] == '.') {
        ++k;
        while (k < body.size() && IsDigit(body[k]))
            ++k, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return false;
    if (k < body.size() && (body[k] == 'e' || body[k] == 'E')) {
        ++k;
        if (k < body.size() && (body[k] == '+' || body[k] == '-')) ++k;
        int exponentDigits = 0;
        while (k < body.size() && IsDigit(body[k]))
            ++k, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    if (k != body.size()) return false;
    // from_chars takes neither a leading "+" nor a leading "." without digits
    // before it in every library version, so hand it a normalised copy.
    std::string normal = "0";
    normal.append(body.substr(numberStart));
    double parsed = 0;
    auto [end_, error] = std::from_chars(normal.data(), normal.data() + normal.size(), parsed);
    if (error == std::errc::result_out_of_range) {
        // A tiny value (negative exponent) underflows to zero; a huge one is
        // refused.
        size_t e = normal.find_first_of("eE");
        if (e == std::string::npos || normal[e + 1] != '-') return false;
        parsed = 0;
    } else if (error != std::errc() || end_ != normal.data() + normal.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

bool ParseHexDigits(std::string_view digits, int32_t& value)
{
    if (digits.empty()) return false;
    uint32_t result = 0;
    int significant = 0;
    for (char c : digits) {
        int d = HexDigitValue(c);
        if (d < 0) return false;
        if (significant > 0 || d != 0) ++significant;
        if (significant > 8) return false;
        result = (result << 4) | static_cast<uint32_t>(d);
    }
    value = static_cast<int32_t>(result);
    return true;
}

bool ParseInt(std::string_view text, int32_t& value)
{
    size_t k = 0;
    while (k < text.size() && IsBlank(text[k]))
        ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
        negative = text[k] == '-';
        ++k;
    }
    std::string_view rest = text.substr(k);
    if (!rest.empty() && rest[0] == '$') {
        int32_t hex = 0;
        if (!ParseHexDigits(rest.substr(1), hex)) return false;
        value = negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(hex)) : hex;
        return true;
    }
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        int32_t hex = 0;
        if (!ParseHexDigits(rest.substr(2), hex)) return false;
        value = negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(hex)) : hex;
        return true;
    }
    if (rest.empty()) return false;
    int64_t result = 0;
    for (char c : rest) {
        if (!IsDigit(c)) return false;
        result = result * 10 + (c - '0');
        if (result > 2147483648LL) return false;
    }
    if (negative) result = -result;
    if (result > 2147483647LL || result < -2147483648LL) return false;
    value = static_cast<int32_t>(result);
    return true;
}

} // namespace numbertext
