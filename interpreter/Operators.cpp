#include "interpreter/Operators.h"

#include "interpreter/Expression_class.h"
#include "support/FloatText.h"
#include "support/MemoryBound.h"
#include "support/TextAlgorithms.h"

#include <cmath>

namespace {

int32_t RotateByte(int32_t value, int32_t count, bool left)
{
    uint32_t byte = static_cast<uint32_t>(value) & 0xFF;
    // A negative count turns the other way.
    int shift = static_cast<int>(((count % 8) + 8) % 8);
    if (!left) shift = (8 - shift) % 8;
    return static_cast<int32_t>(((byte << shift) | (byte >> ((8 - shift) % 8))) & 0xFF);
}

} // namespace

namespace Operators {

bool IsLogical(int code)
{
    switch (code) {
    case TokenCode::And:
    case TokenCode::Or:
    case TokenCode::Xor:
    case TokenCode::BitAnd:
    case TokenCode::BitOr:
    case TokenCode::BitXor:
    case TokenCode::ShiftLeft:
    case TokenCode::ShiftRight:
    case TokenCode::RotateLeft:
    case TokenCode::RotateRight:
        return true;
    }
    return false;
}

int32_t ApplyLogical(int code, int32_t a, int32_t b)
{
    switch (code) {
    case TokenCode::And:
        return a != 0 && b != 0;
    case TokenCode::Or:
        return a != 0 || b != 0;
    case TokenCode::Xor:
        return (a != 0 && b != 0) ? 0 : (a != 0 || b != 0);
    case TokenCode::BitAnd:
        return a & b;
    case TokenCode::BitOr:
        return a | b;
    case TokenCode::BitXor:
        return a ^ b;
    case TokenCode::ShiftLeft:
        return static_cast<int32_t>(static_cast<uint32_t>(a) << (b & 31));
    case TokenCode::ShiftRight:
        return a >> (b & 31);
    case TokenCode::RotateLeft:
        return RotateByte(a, b, true);
    case TokenCode::RotateRight:
        return RotateByte(a, b, false);
    }
    return 0;
}

int RelationOf(char first, char second)
{
    switch (first) {
    case '<':
        return second == 0  ? Relation::Less
            : second == '=' ? Relation::LessOrEqual
            : second == '>' ? Relation::NotEqual
                            : 0;
    case '>':
        return second == 0  ? Relation::Greater
            : second == '=' ? Relation::GreaterOrEqual
            : second == '<' ? Relation::NotEqual
                            : 0;
    case '=':
        return second == 0 || second == '=' ? Relation::Equal
            : second == '<'                 ? Relation::LessOrEqual
                                            : Relation::GreaterOrEqual;
    default: // '$'; a character after it is read and ignored
        return Relation::Contains;
    }
}

std::optional<ErrorCode> ApplyPower(Value& base, const Value& exponent)
{
    if (base.tag == Tag::Int && exponent.tag == Tag::Int) {
        const int32_t b = base.i;
        const int32_t n = exponent.i;
        if (n == 0) {
            base.setInt(1);
            return std::nullopt;
        }
        if (n < 0 && b == 0) return ErrorCode::DivisionByZero;
        // Square and multiply modulo 2^32: the same as multiplying the base
        // into itself |exponent| - 1 times with 32-bit wrap-around, at any
        // exponent.
        uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
        uint32_t factor = static_cast<uint32_t>(b);
        uint32_t product = 1;
        while (magnitude) {
            if (magnitude & 1) product *= factor;
            factor *= factor;
            magnitude >>= 1;
        }
        const int32_t power = static_cast<int32_t>(product);
        if (n > 0) {
            base.setInt(power);
            return std::nullopt;
        }
        if (power == 0) return ErrorCode::DivisionByZero;
        base.setInt(power == 1 ? 1 : power == -1 ? -1 : 0);
        return std::nullopt;
    }
    const double b = base.asDouble();
    const double n = exponent.asDouble();
    if (n == 0) {
        base.setFloat(1.0);
        return std::nullopt;
    }
    if (b == 0) {
        if (n < 0) return ErrorCode::DivisionByZero;
        base.setFloat(0.0);
        return std::nullopt;
    }
    double value;
    if (b < 0) {
        const double magnitude = std::fabs(n);
        if (magnitude != std::trunc(magnitude)) return ErrorCode::IllegalMathOperation;
        // Repeated multiplication as far as it can matter; a product that has
        // reached zero or infinity stays there, and beyond the loop's reach
        // the library power (exact in sign) takes over.
        constexpr double MultiplyLimit = 1024;
        if (magnitude <= MultiplyLimit) {
            value = b;
            for (double k = 1; k < magnitude && value != 0 && !std::isinf(value); ++k)
                value *= b;
            if (std::isinf(value) && std::fmod(magnitude, 2) == 0) value = std::fabs(value);
        } else {
            value = std::pow(b, magnitude);
        }
        if (n < 0) {
            if (value == 0) return ErrorCode::DivisionByZero;
            value = 1 / value;
        }
    } else {
        value = std::exp(n * std::log(b));
    }
    if (const std::optional<ErrorCode> error = NonFinite(value)) return error;
    base.setFloat(value);
    return std::nullopt;
}

bool ApplyUnary(char op, Value& value)
{
    switch (value.tag) {
    case Tag::Int:
        if (op == '-')
            value.i = static_cast<int32_t>(0u - static_cast<uint32_t>(value.i));
        else if (op == '!')
            value.i = value.i == 0;
        else if (op == '~')
            value.i = ~value.i;
        return true;
    case Tag::Float:
        if (op == '-')
            value.f = -value.f;
        else if (op == '!')
            value.f = value.f == 0 ? 1.0 : 0.0;
        else if (op == '~')
            value.f = ~Expression_Class::ClampToInt(value.f);
        return true;
    default:
        return false;
    }
}

bool JoinText(AnsiString& text, const Value& right, std::size_t before)
{
    constexpr std::size_t limit = TextAlgorithms::MaxTextLength;
    if (before > limit || text.size() > limit - before) return false;
    const std::size_t held = before + text.size();
    if (right.tag == Tag::String) {
        if (right.s.size() > limit - held) return false;
        if (held + right.s.size() >= TextAlgorithms::LargeText && MemoryBound::Raised()) return false;
        text += right.s;
        return true;
    }
    const AnsiString number = right.tag == Tag::Float ? FloatToStr(right.f) : IntToStr(right.i);
    if (number.size() > limit - held) return false;
    text += number;
    return true;
}

} // namespace Operators
