#include "screen/controls/EditRules.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace edit_rules {

char IntegerKey(char typed)
{
    if (typed == 'X') return 'x';
    if (typed >= 'a' && typed <= 'f') return static_cast<char>(typed - 'a' + 'A');
    return typed;
}

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// An integer as the conversion reads it: the decimal form must fit 32 bits,
// the hexadecimal form up to 8 digits (which may set the sign bit).
bool ConvertsAsInteger(const std::string& text)
{
    size_t k = 0;
    while (k < text.size() && text[k] == ' ')
        ++k;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    const std::string rest = text.substr(k);
    size_t digitsAt = std::string::npos;
    bool hex = true;
    if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X"))
        digitsAt = 1;
    else if (rest.starts_with("0x") || rest.starts_with("0X"))
        digitsAt = 2;
    else
        digitsAt = 0, hex = false;
    const std::string digits = rest.substr(digitsAt);
    if (digits.empty()) return false;
    for (char c : digits)
        if (hex ? !IsHexDigit(c) : !IsDigit(c)) return false;
    if (hex) {
        size_t significant = digits.find_first_not_of('0');
        return significant == std::string::npos || digits.size() - significant <= 8;
    }
    // The sign counts: -2147483648 fits, 2147483648 does not.
    const bool negative = k > 0 && text[k - 1] == '-';
    size_t significant = digits.find_first_not_of('0');
    if (significant == std::string::npos) return true;
    const std::string value = digits.substr(significant);
    if (value.size() > 10) return false;
    const long long n = std::stoll(value);
    return negative ? n <= 2147483648LL : n <= 2147483647LL;
}

} // namespace

bool IntegerTextAccepted(const std::string& text, char key)
{
    if (text == "+" || text == "-" || text == "0x" || text == "0X" || text == "0%") return true;
    if (text.starts_with("0%") && (key == '0' || key == '1')) return true;
    return ConvertsAsInteger(text);
}

bool FloatTextAccepted(const std::string& text)
{
    if (text == "+" || text == "-") return true;
    // Blanks may lead and trail; inside, a sign, digits with at most one
    // point, and an exponent with digits.
    size_t k = 0;
    const size_t size = text.size();
    while (k < size && text[k] == ' ')
        ++k;
    if (k < size && (text[k] == '+' || text[k] == '-')) ++k;
    int digits = 0;
    while (k < size && IsDigit(text[k]))
        ++k, ++digits;
    if (k < size && text[k] == '.') {
        ++k;
        while (k < size && IsDigit(text[k]))
            ++k, ++digits;
    }
    if (digits == 0) return false;
    if (k < size && (text[k] == 'e' || text[k] == 'E')) {
        ++k;
        if (k < size && (text[k] == '+' || text[k] == '-')) ++k;
        int exponentDigits = 0;
        while (k < size && IsDigit(text[k]))
            ++k, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    while (k < size && text[k] == ' ')
        ++k;
    return k == size;
}

EditMask ParseEditMask(const std::string& text)
{
    EditMask mask;
    // The fields after the mask: the last two unescaped semicolons.
    std::string body;
    std::vector<std::string> fields;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\\' && k + 1 < text.size() && fields.empty()) {
            body += text.substr(k, 2);
            ++k;
        } else if (text[k] == ';') {
            fields.emplace_back();
        } else if (fields.empty()) {
            body += text[k];
        } else {
            fields.back() += text[k];
        }
    }
    if (!fields.empty() && fields[0] == "0") mask.keepLiterals = false;
    if (fields.size() > 1 && !fields[1].empty()) mask.blank = fields[1][0];
    if (body.empty()) return mask;

    // Qt reads some of our literals as mask characters; those get escaped.
    const std::string qtSpecial = "AaNnXx90Dd#HhBb><!;\\[]{}";
    auto literal = [&](char c) {
        if (qtSpecial.find(c) != std::string::npos) mask.qtMask += '\\';
        mask.qtMask += c;
        mask.positions.push_back(EditMask::Slot::Literal);
    };
    auto input = [&](char qt) {
        mask.qtMask += qt;
        mask.positions.push_back(EditMask::Slot::Input);
    };
    for (size_t k = 0; k < body.size(); ++k) {
        const char c = body[k];
        switch (c) {
        case '0':
            input('9');
            break;
        case '9':
            input('0');
            break;
        case '#':
            input('#');
            break;
        case 'L':
            input('A');
            break;
        case 'l':
            input('a');
            break;
        case 'A':
            input('N');
            break;
        case 'a':
            input('n');
            break;
        case 'C':
            input('X');
            break;
        case 'c':
            input('x');
            break;
        case '_':
            literal(' ');
            break;
        case '>':
            mask.qtMask += '>';
            break;
        case '<':
            if (k + 1 < body.size() && body[k + 1] == '>') {
                mask.qtMask += '!';
                ++k;
            } else {
                mask.qtMask += '<';
            }
            break;
        case '\\':
            if (k + 1 < body.size()) literal(body[++k]);
            break;
        default:
            literal(c);
            break;
        }
    }
    mask.qtMask += ';';
    mask.qtMask += mask.blank;
    return mask;
}

std::string MaskedValue(const EditMask& mask, const std::string& shown)
{
    std::string value;
    for (size_t k = 0; k < shown.size(); ++k) {
        const bool isLiteral = k < mask.positions.size() && mask.positions[k] == EditMask::Slot::Literal;
        if (isLiteral) {
            if (mask.keepLiterals) value += shown[k];
        } else if (shown[k] != mask.blank) {
            value += shown[k];
        }
    }
    return value;
}

} // namespace edit_rules
