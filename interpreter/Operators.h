#pragma once

#include "base/Values.h"
#include "interpreter/Expression_class.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

// What the operators of an expression compute, shared by the evaluator that
// reads the program text and the one that runs compiled trees, so that the
// two can never differ in a result.
namespace Operators {

// The logical, bitwise, shift and rotate operators of the lowest level.
bool IsLogical(int code);
// Their result on two operands already made integers.
int32_t ApplyLogical(int code, int32_t a, int32_t b);

// The relation written with one or two characters ("<", "<=", "=>", "$" ...);
// 0 for a pair that is no relation.
int RelationOf(char first, char second);

// One step of a product: "*", "/", "%" or "#" applied to the running double
// product. Returns false, leaving the product as it was, for a division by
// zero; "%" makes the result a float.
inline bool ApplyProductStep(char op, double& product, double b, bool& integerResult)
{
    switch (op) {
    case '*':
        product *= b;
        return true;
    case '/':
        if (b == 0) return false;
        product /= b;
        return true;
    case '%':
        product = product * b / 100;
        integerResult = false;
        return true;
    default: { // '#': the remainder keeps the sign of the left operand
        const int32_t a = Expression_Class::ClampToInt(product);
        const int32_t d = Expression_Class::ClampToInt(b);
        if (d == 0) return false;
        product = d == -1 ? 0 : a % d;
        return true;
    }
    }
}

// The operands of a logical operator as integers: the left one saturates,
// the right one is truncated.
inline int32_t LogicalLeft(const Value& value)
{
    return value.tag == Tag::Int ? value.i : Expression_Class::ClampToInt(value.f);
}
inline int32_t LogicalRight(const Value& value)
{
    return value.tag == Tag::Int ? value.i : Expression_Class::TruncateToInt(value.f);
}

// A relation between two numbers: 1 or 0. "$" is for texts and gives 0.
inline int CompareNumbers(int relation, double a, double b)
{
    switch (relation) {
    case Relation::Less:
        return !(a >= b);
    case Relation::Greater:
        return a > b;
    case Relation::LessOrEqual:
        return !(a > b);
    case Relation::GreaterOrEqual:
        return a >= b;
    case Relation::Equal:
        return !(a < b || a > b);
    case Relation::NotEqual:
        return a < b || a > b;
    default:
        return 0;
    }
}

// One step of a sum: "+" or "-" applied to the running double sum.
inline double ApplySumStep(int op, double sum, double b)
{
    return op == '+' ? sum + b : sum - b;
}

// The error an operator result raises when it left the double range or is
// no number at all; none for a finite number.
inline std::optional<ErrorCode> NonFinite(double x)
{
    if (std::isnan(x)) return ErrorCode::IllegalMathOperation;
    if (std::isinf(x)) return ErrorCode::NumberTooBig;
    return std::nullopt;
}

// "^" on two numbers: base becomes base ^ exponent, an integer only for two
// integers (multiplied in 32-bit arithmetic that wraps). Returns the error
// the power raises instead, leaving base as it was.
std::optional<ErrorCode> ApplyPower(Value& base, const Value& exponent);

// A unary "+", "-", "!" or "~" applied to a number in place; false for a text.
bool ApplyUnary(char op, Value& value);

// Appends a text "+" operand (a number as its text) to text. Returns false,
// leaving text as it was, when the joined text would pass the length every
// text obeys; the caller raises ErrorCode::OutOfMemory. `before` counts the
// characters of a text that `text` will be appended to in its turn (an
// assignment that appends in place collects only what follows its target).
bool JoinText(AnsiString& text, const Value& right, std::size_t before = 0);

// The operators of an assignment. Unlike expressions, which saturate, the
// compound ones work in plain 32-bit arithmetic that wraps on integers.
enum class AssignOperator : uint8_t { Assign, Increment, Decrement, Add, Subtract, Multiply, Divide };

// -=, *= and /= take numbers only.
inline bool NeedsNumbers(AssignOperator op)
{
    return op == AssignOperator::Subtract || op == AssignOperator::Multiply || op == AssignOperator::Divide;
}

// An integer plus delta, wrapping: what ++ and -- do to an integer.
inline int32_t WrapAdd(int32_t a, int32_t delta)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(delta));
}

// +=, -=, *= or /= on two numbers of one kind: 64-bit integers (the caller
// wraps the result; the lowest integer divided by -1 wraps to itself) or doubles.
template <typename Number> inline Number ApplyArithmetic(AssignOperator op, Number a, Number b)
{
    switch (op) {
    case AssignOperator::Add:
        return a + b;
    case AssignOperator::Subtract:
        return a - b;
    case AssignOperator::Multiply:
        return a * b;
    default:
        return a / b;
    }
}

// A compound operator (not Assign) applied to the target's current value:
// result gets the value to store, or the return is the error the
// assignment raises, in the order it checks them. Inline: a loop that counts
// with += runs it at every turn.
inline std::optional<ErrorCode> Combine(AssignOperator op, const Value& target, const Value& value, Value& result)
{
    if (NeedsNumbers(op) && target.tag == Tag::String) return ErrorCode::ExpressionMustBeNumber;
    if (target.tag == Tag::String) {
        if (op != AssignOperator::Add) return ErrorCode::VariableMustHoldNumber;
        result.tag = Tag::String;
        result.s = target.s;
        if (!JoinText(result.s, value)) return ErrorCode::OutOfMemory;
        return std::nullopt;
    }
    if (op == AssignOperator::Increment || op == AssignOperator::Decrement) {
        const int32_t delta = op == AssignOperator::Increment ? 1 : -1;
        if (target.tag == Tag::Int)
            result.setInt(WrapAdd(target.i, delta));
        else
            result.setFloat(target.f + delta);
        return std::nullopt;
    }
    if (value.tag == Tag::String) return ErrorCode::VariableMustHoldString;
    if (target.tag == Tag::Int && value.tag == Tag::Int) {
        const int64_t a = target.i;
        const int64_t b = value.i;
        const int64_t r = ApplyArithmetic(op, a, b);
        result.setInt(static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(r))));
        return std::nullopt;
    }
    const double a = target.asDouble();
    const double b = value.asDouble();
    const double r = ApplyArithmetic(op, a, b);
    if (const std::optional<ErrorCode> error = NonFinite(r)) return error;
    result.setFloat(r);
    return std::nullopt;
}

} // namespace Operators
