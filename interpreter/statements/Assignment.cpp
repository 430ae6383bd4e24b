#include "interpreter/statements/Assignment.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/Operators.h"
#include "support/FloatText.h"

#include <cmath>
#include <cstdint>

namespace {

enum class Operator { Assign, Increment, Decrement, Add, Subtract, Multiply, Divide };

// 32-bit arithmetic with wrap-around, as compound assignments use it.
int32_t Wrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

Operator ReadOperator(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    if (e.tokenType != TokenType::Delimiter || e.tokenText.size() != 1) e.RaiseError(ErrorCode::EqualsSignExpected);
    const char first = e.tokenText[0];
    const char second = *e.scanPosition;
    Operator op;
    if (first == '=') return Operator::Assign;
    if (first == '+' && second == '+')
        op = Operator::Increment;
    else if (first == '-' && second == '-')
        op = Operator::Decrement;
    else if (first == '+' && second == '=')
        op = Operator::Add;
    else if (first == '-' && second == '=')
        op = Operator::Subtract;
    else if (first == '*' && second == '=')
        op = Operator::Multiply;
    else if (first == '/' && second == '=')
        op = Operator::Divide;
    else
        e.RaiseError(ErrorCode::EqualsSignExpected);
    ++e.scanPosition;
    return op;
}

// Applies a compound operator to the target's current value.
Value Combine(Expression_Class& e, Operator op, const Value& target, const Value& value)
{
    Value result;
    if (target.tag == Tag::String) {
        if (op != Operator::Add) e.RaiseError(ErrorCode::VariableMustHoldNumber);
        result.tag = Tag::String;
        result.s = target.s;
        if (!Operators::JoinText(result.s, value)) e.RaiseError(ErrorCode::OutOfMemory);
        return result;
    }
    if (op == Operator::Increment || op == Operator::Decrement) {
        const int delta = op == Operator::Increment ? 1 : -1;
        if (target.tag == Tag::Int)
            result.setInt(Wrap(static_cast<int64_t>(target.i) + delta));
        else
            result.setFloat(target.f + delta);
        return result;
    }
    if (value.tag == Tag::String) e.RaiseError(ErrorCode::VariableMustHoldString);
    if (target.tag == Tag::Int && value.tag == Tag::Int) {
        const int64_t a = target.i;
        const int64_t b = value.i;
        switch (op) {
        case Operator::Add:
            result.setInt(Wrap(a + b));
            break;
        case Operator::Subtract:
            result.setInt(Wrap(a - b));
            break;
        case Operator::Multiply:
            result.setInt(Wrap(a * b));
            break;
        default: // divide; the lowest integer divided by -1 wraps to itself
            result.setInt(Wrap(a / b));
            break;
        }
        return result;
    }
    const double a = target.asDouble();
    const double b = value.asDouble();
    double r = 0.0;
    switch (op) {
    case Operator::Add:
        r = a + b;
        break;
    case Operator::Subtract:
        r = a - b;
        break;
    case Operator::Multiply:
        r = a * b;
        break;
    default:
        r = a / b;
        break;
    }
    if (std::isnan(r)) e.RaiseError(ErrorCode::IllegalMathOperation);
    if (std::isinf(r)) e.RaiseError(ErrorCode::NumberTooBig);
    result.setFloat(r);
    return result;
}

// Stores into a declared variable, which keeps its type.
void StoreDeclared(
    Expression_Class& e, Variables_Class& table, std::string_view name, char declaredType, const Value& result)
{
    if (declaredType == Tag::String) {
        if (result.tag != Tag::String) e.RaiseError(ErrorCode::MustAssignString);
        table.SetString(name, result.s);
        return;
    }
    if (result.tag == Tag::String) e.RaiseError(ErrorCode::MustAssignNumber);
    if (declaredType == Tag::Float) {
        table.SetFloat(name, result.asDouble());
        return;
    }
    if (result.tag == Tag::Int) {
        table.SetInt(name, result.i);
        return;
    }
    const double truncated = std::trunc(result.f);
    if (!(truncated >= -2147483648.0 && truncated <= 2147483647.0)) e.RaiseError(ErrorCode::NumberTooBig);
    table.SetInt(name, static_cast<int32_t>(truncated));
}

// The text the target holds, in place (an array element, or else a
// variable): appending to it there keeps a loop that grows a text linear.
// Null for a number, an element never set or a missing variable.
AnsiString* TargetText(const Arrays_Class::Node* array, const DArray<int>& indexes, Variables_Class::Node* variable)
{
    if (array) return Arrays_Class::StoredText(*array, indexes);
    return variable && variable->type == Tag::String ? &variable->textValue : nullptr;
}

} // namespace

void Assign(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    const bool outer = e.tokenType == TokenType::OuterVariable;
    const std::string_view name = outer ? e.CurrentTokenText().substr(1) : e.CurrentTokenText();
    Variables_Class* table = outer ? e.outerVariables : d.currentVariables;
    // The name's node as its token remembers it, so that a loop assigns
    // without a lookup: the variable's, or the array's for an element
    // ("name[" follows). Each is used only while its table keeps the identity
    // it had here, and is otherwise found again by name, as the statement's
    // expressions may change the tables.
    const bool elementAhead = *e.PeekNextChar() == '[';
    Variables_Class::Node* const knownNode = outer || elementAhead ? nullptr : e.CurrentTokenVariable(table);
    const uint64_t knownIdentity = table ? table->identity() : 0;
    auto node = [&]() -> Variables_Class::Node* {
        if (knownNode && table->identity() == knownIdentity) return knownNode;
        return table->Find(name);
    };
    Arrays_Class::Node* const knownArray = !outer && elementAhead ? e.CurrentTokenArray() : nullptr;
    const uint64_t knownArrays = d.arrays.identity();
    auto array = [&]() -> Arrays_Class::Node* {
        if (knownArray && d.arrays.identity() == knownArrays) return knownArray;
        return d.arrays.Find(name);
    };

    e.NextToken();
    if (e.endOfStatement) e.RaiseError(ErrorCode::NotALabel);

    bool element = false;
    if (d.CurrentIs('[')) {
        const Arrays_Class::Node* defined = array();
        if (!defined || defined->dimCount == 0) e.RaiseError(ErrorCode::ArrayNotDefined);
        d.ReadIndexList(d.elementIndexes);
        element = true;
    }
    if (!element && !table) e.RaiseError(ErrorCode::VariableNotInitialized);

    char declaredType = 0;
    if (d.declareMode && !element) {
        const Variables_Class::Node* declared = node();
        declaredType = declared ? declared->type : 0;
        if (!declaredType) e.RaiseError(ErrorCode::VariableNotDeclared);
    }

    const Operator op = ReadOperator(d);
    // The variable as found before the value is read; the store finds it
    // again (see node()).
    Variables_Class::Node* const variable = element ? nullptr : node();
    // ++ and -- on a variable holding a number: the value changes in place,
    // with the arithmetic of Combine and the type the variable has (a
    // declared variable keeps its type all the same).
    if ((op == Operator::Increment || op == Operator::Decrement) && variable) {
        if (variable->type == Tag::Int) {
            variable->intValue = Wrap(static_cast<int64_t>(variable->intValue) + (op == Operator::Increment ? 1 : -1));
            return;
        }
        if (variable->type == Tag::Float) {
            variable->floatValue += op == Operator::Increment ? 1 : -1;
            return;
        }
    }

    Value value;
    bool appended = false;
    if (op == Operator::Assign) {
        const AnsiString* text = element                ? TargetText(array(), d.elementIndexes, nullptr)
            : variable && variable->type == Tag::String ? &variable->textValue
                                                        : nullptr;
        if (text)
            appended = e.EvaluateAppending(value, text);
        else
            e.Evaluate(value);
    } else if (op != Operator::Increment && op != Operator::Decrement) {
        e.Evaluate(value);
    }
    if (op != Operator::Increment && op != Operator::Decrement) {
        if (d.CurrentIs(')')) e.RaiseError(ErrorCode::UnbalancedParenthesis);
        if (!e.endOfStatement && !d.CurrentIs(';')) e.RaiseError(ErrorCode::SyntaxError);
        if (value.tag != Tag::Int && value.tag != Tag::Float && value.tag != Tag::String)
            e.RaiseError(ErrorCode::SyntaxError);
        if (op == Operator::Divide && value.isNumber() && value.asDouble() == 0.0)
            e.RaiseError(ErrorCode::DivisionByZero);
    }

    if (appended || op == Operator::Add) {
        // Expressions change no variable and no array, so the target holds
        // the text it held when the value was read.
        if (AnsiString* text = element ? TargetText(array(), d.elementIndexes, nullptr)
                                       : TargetText(nullptr, d.elementIndexes, node())) {
            if (appended)
                text->append(value.s);
            else if (!Operators::JoinText(*text, value))
                e.RaiseError(ErrorCode::OutOfMemory);
            return;
        }
    }

    Value combined;
    if (op != Operator::Assign) {
        const bool needsNumbers = op == Operator::Subtract || op == Operator::Multiply || op == Operator::Divide;
        if (needsNumbers && value.tag == Tag::String) e.RaiseError(ErrorCode::ExpressionMustBeNumber);
        Value target;
        if (element) {
            const Arrays_Class::Node* current = array();
            if (!current || !Arrays_Class::ReadElement(*current, d.elementIndexes, target))
                e.RaiseError(ErrorCode::ArrayElementNotInitialized);
        } else if (const Variables_Class::Node* current = node()) {
            Variables_Class::CopyValue(*current, target);
        } else {
            e.RaiseError(ErrorCode::VariableNotInitialized);
        }
        if (needsNumbers && target.tag == Tag::String) e.RaiseError(ErrorCode::ExpressionMustBeNumber);
        combined = Combine(e, op, target, value);
    }
    const Value& result = op == Operator::Assign ? value : combined;

    if (element) {
        Arrays_Class::Node* current = array();
        if (!current || !Arrays_Class::WriteElement(*current, d.elementIndexes, result))
            e.RaiseError(ErrorCode::IncorrectArrayIndexing);
    } else if (declaredType) {
        StoreDeclared(e, *table, name, declaredType, result);
    } else if (Variables_Class::Node* existing = node()) {
        Variables_Class::StoreValue(*existing, result);
    } else {
        table->SetValue(name, result);
    }
}
