#pragma once

#include "base/Values.h"
#include "interpreter/Expression_class.h"

#include <cstddef>
#include <cstdint>

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

// A unary "+", "-", "!" or "~" applied to a number in place; false for a text.
bool ApplyUnary(char op, Value& value);

// Appends a text "+" operand (a number as its text) to text. Returns false,
// leaving text as it was, when the joined text would pass the length every
// text obeys; the caller raises ErrorCode::OutOfMemory. `before` counts the
// characters of a text that `text` will be appended to in its turn (an
// assignment that appends in place collects only what follows its target).
bool JoinText(AnsiString& text, const Value& right, std::size_t before = 0);

} // namespace Operators
