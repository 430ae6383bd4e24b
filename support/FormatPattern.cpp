#include "support/FormatPattern.h"

#include "support/FloatText.h"
#include "support/LibraryFailure.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace FormatPattern {

namespace {

// What one section asks for, found by one pass over its characters.
struct Layout {
    int integerPlaces = 0; // digit places left of the decimal point
    int firstIntegerZero = -1; // index of the first "0" among them
    int decimalPlaces = 0; // digit places right of the decimal point
    int decimalZeros = 0; // decimal places up to and including the last "0"
    bool thousands = false;
    bool scientific = false;
};

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

bool IsExponentAt(const AnsiString& s, std::size_t k)
{
    return (s[k] == 'E' || s[k] == 'e') && k + 1 < s.size() && (s[k + 1] == '+' || s[k + 1] == '-');
}

// Number of exponent digit places ("0", at most four) after "E+" at k.
int ExponentPlaces(const AnsiString& s, std::size_t k)
{
    int count = 0;
    for (std::size_t at = k + 2; at < s.size() && s[at] == '0' && count < 4; ++at)
        ++count;
    return count;
}

std::vector<AnsiString> SplitSections(const AnsiString& pattern)
{
    std::vector<AnsiString> sections(1);
    char quote = 0;
    for (char c : pattern) {
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == ';') {
            if (sections.size() == 3) break;
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

Layout ParseLayout(const AnsiString& section)
{
    Layout layout;
    bool afterPoint = false;
    for (std::size_t k = 0; k < section.size(); ++k) {
        const char c = section[k];
        if (IsQuote(c)) {
            const std::size_t close = section.find(c, k + 1);
            k = close == AnsiString::npos ? section.size() : close;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++layout.decimalPlaces;
                if (c == '0') layout.decimalZeros = layout.decimalPlaces;
            } else {
                if (c == '0' && layout.firstIntegerZero < 0) layout.firstIntegerZero = layout.integerPlaces;
                ++layout.integerPlaces;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            layout.thousands = true;
        } else if (IsExponentAt(section, k)) {
            // Everything after the exponent's digit places is literal text.
            layout.scientific = true;
            break;
        }
    }
    return layout;
}

// A non-negative decimal number: digits with the decimal point after
// pointPosition of them (a negative or large position means leading or
// trailing zeros). No digits means zero.
struct Decimal {
    AnsiString digits;
    int pointPosition = 0;
    bool IsZero() const { return digits.find_first_not_of('0') == AnsiString::npos; }
};

Decimal ToDecimal(double magnitude)
{
    Decimal d;
    if (magnitude == 0) return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    // buffer is "d.dddddddddddddde[+-]x"; the separator may be the
    // locale's, so only the digits are taken.
    const char* p = buffer;
    for (; *p != 0 && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits += *p;
    }
    d.pointPosition = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    return d;
}

// Keeps the first keep digits, rounding half away from zero on the next one.
void RoundTo(Decimal& d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up) return;
    int k = keep - 1;
    while (k >= 0 && d.digits[static_cast<std::size_t>(k)] == '9') {
        d.digits[static_cast<std::size_t>(k)] = '0';
        --k;
    }
    if (k >= 0) {
        ++d.digits[static_cast<std::size_t>(k)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.pointPosition;
    }
}

// The digit at position k of the decimal (0 = the first digit), zero
// outside the stored digits.
char DigitAt(const Decimal& d, long long k)
{
    if (k < 0 || k >= static_cast<long long>(d.digits.size())) return '0';
    return d.digits[static_cast<std::size_t>(k)];
}

// The digits that the placeholders of a section receive.
struct Filled {
    AnsiString integerDigits;
    AnsiString decimalDigits; // trailing zeros already dropped where "#" allows
    int exponent = 0;
    bool isZero = true;
};

Filled Fill(double magnitude, const Layout& layout)
{
    Filled f;
    Decimal d = ToDecimal(magnitude);
    if (layout.scientific) {
        const int integerDigits = std::max(layout.integerPlaces, 1);
        if (!d.digits.empty()) {
            RoundTo(d, integerDigits + layout.decimalPlaces);
            f.exponent = d.pointPosition - integerDigits;
        }
        for (int k = 0; k < integerDigits; ++k)
            f.integerDigits += DigitAt(d, k);
        for (int k = 0; k < layout.decimalPlaces; ++k)
            f.decimalDigits += DigitAt(d, integerDigits + k);
    } else {
        RoundTo(d, d.pointPosition + layout.decimalPlaces);
        for (long long k = 0; k < d.pointPosition; ++k)
            f.integerDigits += DigitAt(d, k);
        for (int k = 0; k < layout.decimalPlaces; ++k)
            f.decimalDigits += DigitAt(d, d.pointPosition + k);
        const std::size_t significant = f.integerDigits.find_first_not_of('0');
        f.integerDigits.erase(0, significant == AnsiString::npos ? f.integerDigits.size() : significant);
        const int minimum = layout.firstIntegerZero < 0 ? 0 : layout.integerPlaces - layout.firstIntegerZero;
        if (static_cast<int>(f.integerDigits.size()) < minimum)
            f.integerDigits.insert(0, static_cast<std::size_t>(minimum) - f.integerDigits.size(), '0');
    }
    f.isZero = d.IsZero();
    while (static_cast<int>(f.decimalDigits.size()) > layout.decimalZeros && f.decimalDigits.back() == '0')
        f.decimalDigits.pop_back();
    return f;
}

// Writes the integer digits from index first to last (inclusive) with the
// thousands separators that fall after them.
void EmitIntegerDigits(AnsiString& out, const Filled& f, const Layout& layout, long long first, long long last)
{
    const auto count = static_cast<long long>(f.integerDigits.size());
    for (long long j = std::max(first, 0LL); j <= last && j < count; ++j) {
        out += f.integerDigits[static_cast<std::size_t>(j)];
        const long long remaining = count - j - 1;
        if (layout.thousands && !layout.scientific && remaining > 0 && remaining % 3 == 0) out += ',';
    }
}

AnsiString Render(const AnsiString& section, const Layout& layout, const Filled& f)
{
    AnsiString out;
    const long long extra = static_cast<long long>(f.integerDigits.size()) - layout.integerPlaces;
    int integerPlace = 0;
    int decimalPlace = 0;
    bool afterPoint = false;
    for (std::size_t k = 0; k < section.size(); ++k) {
        const char c = section[k];
        if (IsQuote(c)) {
            const std::size_t close = section.find(c, k + 1);
            const std::size_t end = close == AnsiString::npos ? section.size() : close;
            out.append(section, k + 1, end - k - 1);
            k = end;
        } else if ((c == '0' || c == '#') && !afterPoint) {
            // The first digit place also takes every digit beyond the places.
            const long long index = integerPlace + extra;
            EmitIntegerDigits(out, f, layout, integerPlace == 0 ? 0 : index, index);
            ++integerPlace;
        } else if (c == '0' || c == '#') {
            if (decimalPlace < static_cast<int>(f.decimalDigits.size()))
                out += f.decimalDigits[static_cast<std::size_t>(decimalPlace)];
            ++decimalPlace;
        } else if (c == '.') {
            if (!afterPoint) {
                if (layout.integerPlaces == 0)
                    EmitIntegerDigits(out, f, layout, 0, static_cast<long long>(f.integerDigits.size()) - 1);
                if (!f.decimalDigits.empty()) out += '.';
            }
            afterPoint = true;
        } else if (c == ',') {
            // A request for separators, never output itself.
        } else if (IsExponentAt(section, k)) {
            const int places = ExponentPlaces(section, k);
            out += c;
            if (f.exponent < 0)
                out += '-';
            else if (section[k + 1] == '+')
                out += '+';
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%0*d", places, std::abs(f.exponent));
            out += buffer;
            out.append(section, k + 2 + static_cast<std::size_t>(places), AnsiString::npos);
            break;
        } else {
            out += c;
        }
    }
    return out;
}

AnsiString FormatSection(double magnitude, const AnsiString& section)
{
    const Layout layout = ParseLayout(section);
    return Render(section, layout, Fill(magnitude, layout));
}

} // namespace

AnsiString FormatFloat(double value, const AnsiString& pattern)
{
    if (pattern.size() >= MaxPatternLength) throw LibraryFailure { "Format string too long" };
    if (!std::isfinite(value)) throw LibraryFailure { "Invalid floating point operation" };
    const std::vector<AnsiString> sections = SplitSections(pattern);
    if (sections[0].empty()) return FloatToStr(value);
    const double magnitude = std::fabs(value);
    const bool roundsToZero = Fill(magnitude, ParseLayout(sections[0])).isZero;
    if (roundsToZero) {
        if (sections.size() > 2 && !sections[2].empty()) return FormatSection(magnitude, sections[2]);
        return FormatSection(magnitude, sections[0]);
    }
    if (value < 0) {
        if (sections.size() > 1 && !sections[1].empty()) return FormatSection(magnitude, sections[1]);
        return "-" + FormatSection(magnitude, sections[0]);
    }
    return FormatSection(magnitude, sections[0]);
}

AnsiString FormatFunction(double value, const AnsiString& pattern)
{
    AnsiString text = FormatFloat(value, pattern);
    if (text.size() < pattern.size()) text.insert(0, pattern.size() - text.size(), ' ');
    return text;
}

} // namespace FormatPattern
