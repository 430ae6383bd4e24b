#pragma once

#include "interpreter/Expression_class.h"

#include <cstdint>
#include <vector>

struct FunctionEntry;
struct DirectArgument;

// An expression read once from the program text and kept as a tree, so that a
// loop evaluates it again without reading its tokens. The tree follows the
// recursive descent of the evaluator level by level, and every node keeps the
// read offsets of the tokens that are current when the text evaluator raises
// an error there, so errors come out at the same line and column.
//
// Offsets are read offsets: where the tokenizer is asked for a token, that is
// just after the previous token, before any blanks.
//
// The extent of an expression over the text may depend on the values met: an
// operand that turns out to be a text ends the expression early at a "-", a
// multiplying operator or "^" (a text is only joined with "+"). The tree
// records the extent of the numeric reading; at run time such an early end
// stops every enclosing level at that operator, as the text evaluator does.
struct CompiledExpression {
    enum class Kind : uint8_t {
        Constant,
        Variable,
        OuterVariable,
        ArrayElement,
        Call,
        CallOne,
        Parenthesis,
        Unary,
        Power,
        Product,
        Sum,
        Relation,
        Logic,
    };

    // One operand of a chain (sum, product, logical operators) or one index
    // of an array element.
    struct Item {
        int op = 0; // the operator character, or the logical operator's code
        int32_t operand = -1;
        int32_t opOffset = 0; // read offset of the operator token
        int32_t afterOffset = 0; // read offset of the token after the operand
    };

    struct Node {
        Kind kind = Kind::Constant;
        char op = 0; // unary operator ('+', '-', '~', '!')
        int relation = 0; // a relation's code; for a Call the nesting depth it is read at
        int32_t first = -1; // the only or the leftmost operand
        int32_t second = -1; // exponent, right side of a relation
        int32_t itemBegin = 0;
        int32_t itemEnd = 0;
        int32_t opOffset = 0; // operator token; for names the token itself; for arrays the "]"
        int32_t afterOffset = 0; // the token after the node's last token
        Expression_Class::CachedToken* token = nullptr; // name or function token
        // CallOne: the function's handler row; the arguments after the first
        // are the items (opOffset their ",", afterOffset the token after them).
        const FunctionEntry* function = nullptr;
        bool (*direct)(double, double&) = nullptr; // CallOne: its direct form, if any (DirectFunction)
        // CallOne of two numbers: its direct form, if any (DirectPairFunction).
        bool (*directPair)(const Value&, const Value&, Value&) = nullptr;
        // CallOne of a text and at most MaxDirectTextArguments more: its
        // direct form, if any (DirectTextFunction).
        bool (*directText)(const AnsiString&, const DirectArgument*, int, Value&) = nullptr;
        bool directTextNumber = false; // the direct text form gives a number
        Value constant; // a literal; an outer variable's name without its "_"
        // Evaluating the node changes no variable: it calls no function but
        // those that only compute their result.
        bool pure = false;
        // The longest path of nodes from this one down to a leaf, at most
        // 255: how much work a failed attempt at the numeric path may waste.
        uint8_t height = 1;
        // CallOne: the first argument is a variable whose text the function
        // may read in place (ReadsFirstTextInPlace), and the further
        // arguments are pure, so the text stays as it is during the call.
        bool lendFirst = false;
    };

    // Array elements with more indexes than this are read from the text.
    static constexpr int MaxIndexes = 16;

    std::vector<Node> nodes;
    std::vector<Item> items;
    int32_t root = -1;
    int32_t endOffset = 0; // read offset of the first token after the expression
    // The deepest nesting inside, counted as the text evaluator counts it
    // (an expression, a parenthesis, an argument, an index, an exponent).
    int32_t depth = 0;
    // When the expression nests too deep to compile: the furthest read
    // offset the attempt met, else -1.
    int32_t tooDeepUntil = -1;

    // Reads the expression that starts at the evaluator's current token.
    // Returns false when the text holds something the tree does not model (a
    // syntax error, a token that may change its kind): such an expression is
    // always read from the text. The evaluator's scan state is left as found.
    static bool Compile(Expression_Class& e, CompiledExpression& out);

    // Evaluates the tree, whose depth the caller has found to fit
    // (Expression_Class::Nesting::Fits). On return the evaluator's current
    // token is the one the text evaluator would leave current.
    //
    // With an append target (the text an assignment stores into): when the
    // expression is a sum whose leftmost operand reads that very text, the
    // text is neither copied nor changed; result gets only the texts joined
    // after it, and the return is true, so that the caller appends them in
    // place. Values, errors and the length limit are the same as for the
    // whole sum. Otherwise result is the whole value and the return false.
    bool Run(Expression_Class& e, Value& result, const AnsiString* appendTarget = nullptr) const;
    // The value when the tree is small and made of numbers only (literals,
    // variables holding numbers, arithmetic and functions of a number that
    // compute their result): true with value and its kind, and then Run would
    // give that number, raise nothing, and leave the token at endOffset
    // current. False, with nothing changed, for anything else. The
    // tokenizer's state is not touched.
    bool RunNumbers(Expression_Class& e, double& value, bool& isInt) const;
};
