#include "interpreter/CompiledExpression.h"

#include "interpreter/FunctionCall.h"
#include "interpreter/Operators.h"
#include "interpreter/arrays/Arrays_class.h"

#include <array>
#include <cmath>
#include <exception>
#include <optional>

// Running the trees that CompiledExpression::Compile reads: the same values,
// errors and token left current as the text evaluator gives.

namespace {

using Kind = CompiledExpression::Kind;

} // namespace

// Evaluates a tree. `stop` is the read offset of the operator where a text
// operand ended the expression early, -1 while it runs to its compiled end.
class CompiledEvaluator {
public:
    CompiledEvaluator(Expression_Class& evaluator, const CompiledExpression& tree)
        : e(evaluator)
        , c(tree)
    { }

    void Eval(int32_t index, Value& out);
    int32_t stop = -1;
    int baseDepth = 0; // the nesting outside the expression
    [[gnu::noinline]] void Other(const CompiledExpression::Node& node, Value& out);

    // Puts the tokenizer on the token read at offset, as the text evaluator
    // has it current at that point.
    void PositionAt(int32_t offset)
    {
        e.scanPosition = e.programStart + offset;
        e.NextToken();
    }

private:
    Expression_Class& e;
    const CompiledExpression& c;

    // The arguments after the first of a call, as its handler asks for them.
    // Each is found by the offset of its ",", since a handler may have read
    // some of the list from the text; it leaves current the token the text
    // evaluator leaves after it.
    class Arguments final : public CompiledArguments {
    public:
        Arguments(CompiledEvaluator& evaluator, const CompiledExpression::Node& call)
            : run(evaluator)
            , node(call)
        { }
        bool Next(int32_t commaOffset, Value& value) override
        {
            for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
                const CompiledExpression::Item& item = run.c.items[static_cast<size_t>(k)];
                if (item.opOffset != commaOffset) continue;
                run.Eval(item.operand, value);
                run.PositionAt(run.stop >= 0 ? run.stop : item.afterOffset);
                run.stop = -1;
                return true;
            }
            return false;
        }

    private:
        CompiledEvaluator& run;
        const CompiledExpression::Node& node;
    };

    [[noreturn]] void RaiseAt(int32_t offset, ErrorCode error)
    {
        PositionAt(offset);
        e.RaiseError(error);
    }
    void CheckFinite(double x, int32_t offset)
    {
        if (const std::optional<ErrorCode> error = Operators::NonFinite(x)) RaiseAt(offset, *error);
    }

    // A number literal or a variable holding a number, read without going
    // through a Value; false for any other operand.
    bool NumberLeaf(int32_t index, double& value, bool& isInt)
    {
        const CompiledExpression::Node& node = c.nodes[static_cast<size_t>(index)];
        if (node.kind == Kind::Constant) {
            if (node.constant.tag == Tag::Int) {
                value = node.constant.i;
                isInt = true;
                return true;
            }
            if (node.constant.tag != Tag::Float) return false;
            value = node.constant.f;
            isInt = false;
            return true;
        }
        if (node.kind != Kind::Variable) return false;
        const Variables_Class::Node* variable = e.FindVariable(*node.token, e.currentVariables);
        if (!variable) return false;
        if (variable->type == Tag::Int) {
            value = variable->intValue;
            isInt = true;
            return true;
        }
        if (variable->type != Tag::Float) return false;
        value = variable->floatValue;
        isInt = false;
        return true;
    }

    // The numeric path: a small subtree of number literals and variables
    // holding numbers, joined by sums, products, parentheses, signs and the
    // direct forms of functions, evaluated without Values. It declines (false,
    // nothing changed anywhere) at the first text, error, or node of another
    // kind; the caller then evaluates the subtree as usual, which meets the
    // same text or error where it belongs. Nothing on the path has an effect,
    // so evaluating again is safe, and the height bound keeps what a declined
    // attempt costs small.
    static constexpr uint8_t NumericPathHeight = 8;
    bool NumberPath(int32_t index, double& value, bool& isInt)
    {
        const CompiledExpression::Node& node = c.nodes[static_cast<size_t>(index)];
        switch (node.kind) {
        case Kind::Constant:
        case Kind::Variable:
            return NumberLeaf(index, value, isInt);
        case Kind::Parenthesis:
            return NumberPath(node.first, value, isInt);
        case Kind::Sum:
        case Kind::Product: {
            // Leaves are read here rather than through a call of their own:
            // most operands in a loop are literals and variables.
            double total;
            bool allIntegers;
            if (!NumberLeaf(node.first, total, allIntegers) && !NumberPath(node.first, total, allIntegers))
                return false;
            for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
                const CompiledExpression::Item& item = c.items[static_cast<size_t>(k)];
                double b;
                bool bInt;
                if (!NumberLeaf(item.operand, b, bInt) && !NumberPath(item.operand, b, bInt)) return false;
                allIntegers = allIntegers && bInt;
                if (node.kind == Kind::Sum)
                    total = Operators::ApplySumStep(item.op, total, b);
                else if (!Operators::ApplyProductStep(static_cast<char>(item.op), total, b, allIntegers))
                    return false;
                if (!std::isfinite(total)) return false;
            }
            isInt = allIntegers;
            value = allIntegers ? Expression_Class::ClampToInt(total) : total;
            return true;
        }
        case Kind::CallOne:
            if (node.direct) {
                double a;
                bool aInt;
                isInt = false;
                return (NumberLeaf(node.first, a, aInt) || NumberPath(node.first, a, aInt)) && node.direct(a, value);
            }
            // A function whose direct form gives a text is no number.
            if (node.directText && !node.directTextNumber) return false;
            return NumberPathOther(node, value, isInt);
        default:
            return NumberPathOther(node, value, isInt);
        }
    }

    // The rarer nodes of the numeric path, apart so that the frame of the
    // common one stays small.
    [[gnu::noinline]] bool NumberPathOther(const CompiledExpression::Node& node, double& value, bool& isInt)
    {
        switch (node.kind) {
        case Kind::Relation: {
            // Two numbers compare without an error, to 0 or 1.
            double a, b;
            bool aInt, bInt;
            if (!NumberLeaf(node.first, a, aInt) && !NumberPath(node.first, a, aInt)) return false;
            if (!NumberLeaf(node.second, b, bInt) && !NumberPath(node.second, b, bInt)) return false;
            // As ApplyRelation compares two numbers.
            value = Operators::CompareNumbers(node.relation, a, b);
            isInt = true;
            return true;
        }
        case Kind::Unary: {
            double operand;
            bool operandInt;
            if (!NumberPath(node.first, operand, operandInt)) return false;
            Value v;
            if (operandInt)
                v.setInt(static_cast<int32_t>(operand));
            else
                v.setFloat(operand);
            Operators::ApplyUnary(node.op, v);
            value = v.asDouble();
            isInt = v.tag == Tag::Int;
            return true;
        }
        case Kind::ArrayElement: {
            std::array<int, CompiledExpression::MaxIndexes> indexes;
            int count = 0;
            for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
                double index;
                bool indexInt;
                if (!NumberPath(c.items[static_cast<size_t>(k)].operand, index, indexInt) || !indexInt) return false;
                indexes[static_cast<size_t>(count++)] = static_cast<int32_t>(index);
            }
            const Arrays_Class::Node* array = e.FindArray(*node.token);
            Value element;
            if (!array || !Arrays_Class::ReadElement(*array, indexes.data(), count, element) || !element.isNumber())
                return false;
            value = element.asDouble();
            isInt = element.tag == Tag::Int;
            return true;
        }
        case Kind::CallOne: {
            if (node.directTextNumber) return TextNumberPath(node, value, isInt);
            if (!node.directPair) return false;
            double a, b;
            bool aInt, bInt;
            if (!NumberPath(node.first, a, aInt)) return false;
            if (!NumberPath(c.items[static_cast<size_t>(node.itemBegin)].operand, b, bInt)) return false;
            Value first, second, result;
            if (aInt)
                first.setInt(static_cast<int32_t>(a));
            else
                first.setFloat(a);
            if (bInt)
                second.setInt(static_cast<int32_t>(b));
            else
                second.setFloat(b);
            if (!node.directPair(first, second, result)) return false;
            value = result.asDouble();
            isInt = result.tag == Tag::Int;
            return true;
        }
        default:
            return false;
        }
    }

    // The direct form of a text function: the further arguments are taken
    // only where reading them can have no effect and raise nothing (a text
    // literal or variable, the numeric path), else the call declines.
    [[gnu::noinline]] bool DirectText(const CompiledExpression::Node& node, const AnsiString& text, Value& out)
    {
        std::array<DirectArgument, MaxDirectTextArguments> more;
        const int count = node.itemEnd - node.itemBegin;
        for (int k = 0; k < count; ++k) {
            const int32_t index = c.items[static_cast<size_t>(node.itemBegin + k)].operand;
            const CompiledExpression::Node& argument = c.nodes[static_cast<size_t>(index)];
            DirectArgument& slot = more[static_cast<size_t>(k)];
            if (argument.kind == Kind::Constant && argument.constant.tag == Tag::String) {
                slot.text = &argument.constant.s;
                continue;
            }
            if (argument.kind == Kind::Variable) {
                const Variables_Class::Node* variable = e.FindVariable(*argument.token, e.currentVariables);
                if (variable && variable->type == Tag::String) {
                    slot.text = &variable->textValue;
                    continue;
                }
            }
            bool isInt;
            if (argument.height > NumericPathHeight || !NumberPath(index, slot.number, isInt)) return false;
        }
        // A failure of the class library (no room for the text) is declined:
        // the ordinary call meets it again and gives its catch result.
        try {
            return node.directText(text, more.data(), count, out);
        } catch (const std::exception&) {
            return false;
        }
    }

    // A text function giving a number on the numeric path: its first text
    // must be a literal or a variable, read without effect or error.
    bool TextNumberPath(const CompiledExpression::Node& node, double& value, bool& isInt)
    {
        const CompiledExpression::Node& argument = c.nodes[static_cast<size_t>(node.first)];
        const AnsiString* text = nullptr;
        if (argument.kind == Kind::Constant && argument.constant.tag == Tag::String) {
            text = &argument.constant.s;
        } else if (argument.kind == Kind::Variable) {
            const Variables_Class::Node* variable = e.FindVariable(*argument.token, e.currentVariables);
            if (variable && variable->type == Tag::String) text = &variable->textValue;
        }
        Value result;
        if (!text || !DirectText(node, *text, result) || result.tag != Tag::Int) return false;
        value = result.i;
        isInt = true;
        return true;
    }

public:
    // The numeric path for a whole subtree, into a Value.
    bool TryNumberPath(int32_t index, Value& out)
    {
        if (c.nodes[static_cast<size_t>(index)].height > NumericPathHeight) return false;
        double value;
        bool isInt;
        if (!NumberPath(index, value, isInt)) return false;
        if (isInt)
            out.setInt(static_cast<int32_t>(value));
        else
            out.setFloat(value);
        return true;
    }

    // The numeric path for a whole subtree, into a number and its kind.
    bool TryNumbers(int32_t index, double& value, bool& isInt)
    {
        return c.nodes[static_cast<size_t>(index)].height <= NumericPathHeight && NumberPath(index, value, isInt);
    }

private:
    // An operand of a sum or a product, which must be a number: a text raises
    // textError with the token after it current (or where it ended early).
    void NumberOperand(const CompiledExpression::Item& item, ErrorCode textError, double& b, bool& isInt)
    {
        if (NumberLeaf(item.operand, b, isInt)) return;
        if (c.nodes[static_cast<size_t>(item.operand)].height <= NumericPathHeight
            && NumberPath(item.operand, b, isInt))
            return;
        Value right;
        Eval(item.operand, right);
        if (stop >= 0) RaiseAt(stop, textError);
        if (right.tag == Tag::String) RaiseAt(item.afterOffset, textError);
        b = right.asDouble();
        isInt = right.tag == Tag::Int;
    }

    [[gnu::noinline]] void Logic(const CompiledExpression::Node& node, Value& out);
    [[gnu::noinline]] void Relate(const CompiledExpression::Node& node, Value& out);
    [[gnu::noinline]] void Sum(const CompiledExpression::Node& node, Value& out);

public:
    [[gnu::always_inline]] inline void SumRest(const CompiledExpression::Node& node, Value& out);
    void JoinOperands(const CompiledExpression::Node& node, Value& out, size_t before);
    bool ReadsTarget(int32_t index, const AnsiString* target, Value& out);

private:
    [[gnu::noinline]] void Product(const CompiledExpression::Node& node, Value& out);
    [[gnu::noinline]] void Power(const CompiledExpression::Node& node, Value& out);
    [[gnu::noinline]] void Unary(const CompiledExpression::Node& node, Value& out);
    [[gnu::noinline]] bool Element(
        const CompiledExpression::Node& node, Value& out, const AnsiString* target = nullptr);
};

// The leaves that loops meet most are handled here; every other node kind in
// functions of their own, so that this recursive function stays small.
void CompiledEvaluator::Eval(int32_t index, Value& out)
{
    const CompiledExpression::Node& node = c.nodes[static_cast<size_t>(index)];
    switch (node.kind) {
    case Kind::Constant:
        if (node.constant.tag == Tag::Int) {
            out.setInt(node.constant.i);
            return;
        }
        if (node.constant.tag == Tag::Float) {
            out.setFloat(node.constant.f);
            return;
        }
        break;
    case Kind::Variable: {
        const Variables_Class::Node* variable = e.FindVariable(*node.token, e.currentVariables);
        if (variable && variable->type == Tag::Int) {
            out.setInt(variable->intValue);
            return;
        }
        if (variable && variable->type == Tag::Float) {
            out.setFloat(variable->floatValue);
            return;
        }
        break;
    }
    case Kind::Sum:
        Sum(node, out);
        return;
    case Kind::Product:
        Product(node, out);
        return;
    case Kind::Relation:
        Relate(node, out);
        return;
    default:
        break;
    }
    Other(node, out);
}

void CompiledEvaluator::Other(const CompiledExpression::Node& node, Value& out)
{
    switch (node.kind) {
    case Kind::Constant:
        out.setString(node.constant.s);
        return;
    case Kind::Variable: {
        const Variables_Class::Node* variable = e.FindVariable(*node.token, e.currentVariables);
        if (!variable) {
            // The text evaluator puts the token after the name back first.
            PositionAt(node.afterOffset);
            e.PutBack();
            e.RaiseError(ErrorCode::VariableNotInitialized);
        }
        Variables_Class::CopyValue(*variable, out);
        break;
    }
    case Kind::OuterVariable:
        if (!e.outerVariables || !e.outerVariables->Get(node.constant.s, out))
            RaiseAt(node.opOffset, ErrorCode::VariableNotInitialized);
        break;
    case Kind::ArrayElement:
        Element(node, out);
        break;
    case Kind::Call: {
        // The arguments are read from the text at the nesting the call has in
        // the expression, as the text evaluator would read them.
        const int outer = e.nestingDepth;
        e.nestingDepth = baseDepth + node.relation;
        struct Restore {
            Expression_Class& e;
            int depth;
            ~Restore() { e.nestingDepth = depth; }
        } restore { e, outer };
        PositionAt(node.opOffset);
        e.CallFunction(out);
        break;
    }
    case Kind::CallOne: {
        Value first;
        const AnsiString* lent = nullptr;
        if (node.lendFirst) {
            const CompiledExpression::Node& argument = c.nodes[static_cast<size_t>(node.first)];
            const Variables_Class::Node* variable = e.FindVariable(*argument.token, e.currentVariables);
            if (variable && variable->type == Tag::String) {
                lent = &variable->textValue;
                first.tag = Tag::String;
            }
        }
        if (!lent) Eval(node.first, first);
        if (node.directText && stop < 0 && first.tag == Tag::String && DirectText(node, lent ? *lent : first.s, out))
            return;
        // The common case of a function of one or two numbers needs no frame;
        // the direct form declines everything else. A second argument is
        // taken only when reading it can raise nothing, so that no error comes
        // before one the handler raises for the first.
        double direct;
        if (node.direct && stop < 0 && first.isNumber() && node.direct(first.asDouble(), direct)) {
            out.setFloat(direct);
            return;
        }
        if (node.directPair && stop < 0 && first.isNumber()) {
            double b;
            bool isInt;
            Value second;
            if (NumberLeaf(c.items[static_cast<size_t>(node.itemBegin)].operand, b, isInt)) {
                if (isInt)
                    second.setInt(static_cast<int32_t>(b));
                else
                    second.setFloat(b);
                if (node.directPair(first, second, out)) return;
            }
        }
        // The handler runs with the token after its first argument current,
        // as in a call read from the text: the "," or ")" after it, or where
        // the argument ended early.
        const int32_t afterFirst
            = node.itemBegin < node.itemEnd ? c.items[static_cast<size_t>(node.itemBegin)].opOffset : node.opOffset;
        PositionAt(stop >= 0 ? stop : afterFirst);
        stop = -1;
        Arguments rest(*this, node);
        CallWithReadArgument(e, *node.function, node.token->code, first, out, &rest, lent);
        break;
    }
    case Kind::Parenthesis:
        Eval(node.first, out);
        if (stop >= 0) RaiseAt(stop, ErrorCode::UnbalancedParenthesis);
        return;
    case Kind::Unary:
        Unary(node, out);
        return;
    case Kind::Power:
        Power(node, out);
        return;
    case Kind::Logic:
        Logic(node, out);
        return;
    default:
        Eval(static_cast<int32_t>(&node - c.nodes.data()), out);
        return;
    }
    // A name or a function may hold something that is no operand.
    if (out.tag != Tag::Int && out.tag != Tag::Float && out.tag != Tag::String)
        RaiseAt(node.afterOffset, ErrorCode::SyntaxError);
}

void CompiledEvaluator::Logic(const CompiledExpression::Node& node, Value& out)
{
    Eval(node.first, out);
    if (stop >= 0) return;
    for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
        const CompiledExpression::Item& item = c.items[static_cast<size_t>(k)];
        Value right;
        Eval(item.operand, right);
        if (out.tag == Tag::String || right.tag == Tag::String)
            RaiseAt(stop >= 0 ? stop : item.afterOffset, ErrorCode::AndOrOnStrings);
        out.setInt(Operators::ApplyLogical(item.op, Operators::LogicalLeft(out), Operators::LogicalRight(right)));
        // A relation that ended early gave a number: the chain ends with it.
        if (stop >= 0) return;
    }
}

void CompiledEvaluator::Relate(const CompiledExpression::Node& node, Value& out)
{
    Eval(node.first, out);
    if (stop >= 0) return;
    Value right;
    Eval(node.second, right);
    // A right side that ended early is a text; the comparison still happens
    // and the early end goes on outward.
    if ((out.tag == Tag::String) != (right.tag == Tag::String))
        RaiseAt(stop >= 0 ? stop : node.afterOffset, ErrorCode::StringNumberComparison);
    out.setInt(e.ApplyRelation(node.relation, out, right));
}

void CompiledEvaluator::Sum(const CompiledExpression::Node& node, Value& out)
{
    Eval(node.first, out);
    SumRest(node, out);
}

// The operands of a sum after its leftmost one, which is in out.
inline void CompiledEvaluator::SumRest(const CompiledExpression::Node& node, Value& out)
{
    if (stop >= 0) return;
    if (out.tag == Tag::String) {
        JoinOperands(node, out, 0);
        return;
    }
    bool allIntegers = out.tag == Tag::Int;
    double sum = out.asDouble();
    for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
        const CompiledExpression::Item& item = c.items[static_cast<size_t>(k)];
        double b;
        bool isInt;
        NumberOperand(item, ErrorCode::SyntaxError, b, isInt);
        allIntegers = allIntegers && isInt;
        sum = Operators::ApplySumStep(item.op, sum, b);
        CheckFinite(sum, item.afterOffset);
    }
    if (allIntegers)
        out.setInt(Expression_Class::ClampToInt(sum));
    else
        out.setFloat(sum);
}

// A text joins only with "+": a "-" ends the expression there. `before` is the
// length of the text that out continues (see JoinText).
void CompiledEvaluator::JoinOperands(const CompiledExpression::Node& node, Value& out, size_t before)
{
    for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
        const CompiledExpression::Item& item = c.items[static_cast<size_t>(k)];
        if (item.op != '+') {
            stop = item.opOffset;
            return;
        }
        Value right;
        Eval(item.operand, right);
        if (!Operators::JoinText(out.s, right, before))
            RaiseAt(stop >= 0 ? stop : item.afterOffset, ErrorCode::OutOfMemory);
        if (stop >= 0) return;
    }
}

// The leftmost operand of a sum that an assignment to target evaluates: true,
// with out untouched, when the operand reads target itself; otherwise out
// gets its value as Eval gives it. Indexes are evaluated once either way.
bool CompiledEvaluator::ReadsTarget(int32_t index, const AnsiString* target, Value& out)
{
    const CompiledExpression::Node& node = c.nodes[static_cast<size_t>(index)];
    switch (node.kind) {
    case Kind::Variable: {
        const Variables_Class::Node* variable = e.FindVariable(*node.token, e.currentVariables);
        if (variable && variable->type == Tag::String && &variable->textValue == target) return true;
        break;
    }
    case Kind::OuterVariable: {
        const Variables_Class::Node* variable = e.outerVariables ? e.outerVariables->Find(node.constant.s) : nullptr;
        if (variable && variable->type == Tag::String && &variable->textValue == target) return true;
        break;
    }
    case Kind::ArrayElement:
        return Element(node, out, target);
    default:
        break;
    }
    Eval(index, out);
    return false;
}

void CompiledEvaluator::Product(const CompiledExpression::Node& node, Value& out)
{
    Eval(node.first, out);
    if (stop >= 0) return;
    if (out.tag == Tag::String) {
        stop = c.items[static_cast<size_t>(node.itemBegin)].opOffset;
        return;
    }
    bool integerResult = out.tag == Tag::Int;
    double product = out.asDouble();
    for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
        const CompiledExpression::Item& item = c.items[static_cast<size_t>(k)];
        double b;
        bool isInt;
        NumberOperand(item, ErrorCode::MultiplyOrDivideStrings, b, isInt);
        integerResult = integerResult && isInt;
        if (!Operators::ApplyProductStep(static_cast<char>(item.op), product, b, integerResult))
            RaiseAt(item.afterOffset, ErrorCode::DivisionByZero);
        CheckFinite(product, item.afterOffset);
    }
    if (integerResult)
        out.setInt(Expression_Class::ClampToInt(product));
    else
        out.setFloat(product);
}

void CompiledEvaluator::Power(const CompiledExpression::Node& node, Value& out)
{
    Eval(node.first, out);
    if (out.tag == Tag::String) {
        stop = node.opOffset;
        return;
    }
    Value exponent;
    Eval(node.second, exponent);
    if (stop >= 0) RaiseAt(stop, ErrorCode::PowerOfStrings);
    if (exponent.tag == Tag::String) RaiseAt(node.afterOffset, ErrorCode::PowerOfStrings);
    // The power's own errors come with the token after the exponent current,
    // which the text evaluator also leaves current after a power.
    PositionAt(node.afterOffset);
    if (const std::optional<ErrorCode> error = Operators::ApplyPower(out, exponent)) e.RaiseError(*error);
}

void CompiledEvaluator::Unary(const CompiledExpression::Node& node, Value& out)
{
    Eval(node.first, out);
    if (!Operators::ApplyUnary(node.op, out)) RaiseAt(node.afterOffset, ErrorCode::UnaryOnStrings);
}

bool CompiledEvaluator::Element(const CompiledExpression::Node& node, Value& out, const AnsiString* target)
{
    std::array<int, CompiledExpression::MaxIndexes> indexes {};
    int count = 0;
    for (int32_t k = node.itemBegin; k < node.itemEnd; ++k) {
        const CompiledExpression::Item& item = c.items[static_cast<size_t>(k)];
        Value index;
        Eval(item.operand, index);
        // An index that ended early is followed by no "," or "]".
        if (index.tag != Tag::Int) RaiseAt(stop >= 0 ? stop : item.afterOffset, ErrorCode::ArrayDimensionNotInteger);
        if (stop >= 0) RaiseAt(stop, ErrorCode::ClosingBracketExpected);
        indexes[static_cast<size_t>(count++)] = index.i;
    }
    const Arrays_Class::Node* array = e.FindArray(*node.token);
    if (!array) RaiseAt(node.opOffset, ErrorCode::ArrayNotDefined);
    if (target && Arrays_Class::StoredText(*array, indexes.data(), count) == target) return true;
    if (!Arrays_Class::ReadElement(*array, indexes.data(), count, out))
        RaiseAt(node.opOffset, ErrorCode::ArrayElementNotInitialized);
    return false;
}

bool CompiledExpression::Run(Expression_Class& e, Value& result, const AnsiString* appendTarget) const
{
    CompiledEvaluator evaluator(e, *this);
    evaluator.baseDepth = e.nestingDepth;
    // Both callers have made sure that the depth fits (Nesting::Fits, which
    // asks more than Nesting does), so the levels are entered unchecked.
    struct Levels {
        Expression_Class& e;
        int count;
        ~Levels() { e.nestingDepth -= count; }
    } levels { e, depth };
    e.nestingDepth += depth;
    bool appended = false;
    const Node& top = nodes[static_cast<size_t>(root)];
    if (appendTarget && top.kind == Kind::Sum) {
        appended = evaluator.ReadsTarget(top.first, appendTarget, result);
        if (appended) {
            result.setString(AnsiString());
            evaluator.JoinOperands(top, result, appendTarget->size());
        } else {
            evaluator.SumRest(top, result);
        }
    } else if (!evaluator.TryNumberPath(root, result)) {
        evaluator.Eval(root, result);
    }
    evaluator.PositionAt(evaluator.stop >= 0 ? evaluator.stop : endOffset);
    return appended;
}

void Expression_Class::EvaluateExpression(Value& result)
{
    const CompiledExpression* tree = compileExpressions ? CompiledAtCurrentToken() : nullptr;
    // A tree nested deeper than what is left is read from the text, which
    // raises the error where the bound is passed.
    if (tree && Nesting::Fits(*this, tree->depth))
        tree->Run(*this, result);
    else
        Level1(result);
}

bool Expression_Class::EvaluateAppending(Value& result, const AnsiString* target)
{
    NextToken();
    if (tokenType != TokenType::String) {
        if (tokenText.empty()) RaiseError(ErrorCode::NoExpression);
        if (IsCurrentDelimiter(',')) {
            result.tag = Tag::Omitted;
            return false;
        }
    }
    const CompiledExpression* tree = compileExpressions ? CompiledAtCurrentToken() : nullptr;
    if (tree && Nesting::Fits(*this, tree->depth)) return tree->Run(*this, result, target);
    Level1(result);
    return false;
}

const CompiledExpression* Expression_Class::CompiledAtCurrentToken()
{
    // Only a current token that is exactly what reading at tokenStart gives
    // has a tree: statements that step the scan position by hand, or a token
    // text put back after a re-attach, are read from the text.
    if (!currentToken) return nullptr;
    const size_t offset = static_cast<size_t>(tokenStart - programStart);
    if (offset >= tokenSlot.size() || TokenAt(offset) != currentToken
        || scanPosition != programStart + currentToken->endOffset || tokenType != currentToken->type
        || tokenText.data() != currentToken->text.data())
        return CompiledAtPassingToken();
    int32_t slot = currentToken->compiled;
    if (slot == 0 && !compileOnFirstUse) [[unlikely]] {
        currentToken->compiled = CachedToken::EvaluatedOnce;
        return nullptr;
    }
    if (slot == 0 || slot == CachedToken::EvaluatedOnce) [[unlikely]]
        slot = CompileAt(offset);
    return slot > 0 ? compiled[static_cast<size_t>(slot - 1)].get() : nullptr;
}

bool CompiledExpression::RunNumbers(Expression_Class& e, double& value, bool& isInt) const
{
    CompiledEvaluator evaluator(e, *this);
    return evaluator.TryNumbers(root, value, isInt);
}
