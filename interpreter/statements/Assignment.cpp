#include "interpreter/statements/Assignment.h"

#include "interpreter/AssignmentTarget.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/Operators.h"
#include "support/FloatText.h"

#include <optional>

using Operators::AssignOperator;

namespace {

AssignOperator ReadOperator(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    if (e.tokenType != TokenType::Delimiter || e.tokenText.size() != 1) e.RaiseError(ErrorCode::EqualsSignExpected);
    const char first = e.tokenText[0];
    const char second = *e.scanPosition;
    AssignOperator op;
    if (first == '=') return AssignOperator::Assign;
    if (first == '+' && second == '+')
        op = AssignOperator::Increment;
    else if (first == '-' && second == '-')
        op = AssignOperator::Decrement;
    else if (first == '+' && second == '=')
        op = AssignOperator::Add;
    else if (first == '-' && second == '=')
        op = AssignOperator::Subtract;
    else if (first == '*' && second == '=')
        op = AssignOperator::Multiply;
    else if (first == '/' && second == '=')
        op = AssignOperator::Divide;
    else
        e.RaiseError(ErrorCode::EqualsSignExpected);
    ++e.scanPosition;
    return op;
}

// A compound operator, ++ or -- with the value read: the target's value
// combined with it is stored.
void Compound(
    Expression_Class& e, const AssignmentTarget& target, AssignOperator op, const Value& value, char declaredType)
{
    if (Operators::NeedsNumbers(op) && value.tag == Tag::String) e.RaiseError(ErrorCode::ExpressionMustBeNumber);
    Value current;
    target.Read(current);
    Value combined;
    if (const std::optional<ErrorCode> error = Operators::Combine(op, current, value, combined)) e.RaiseError(*error);
    target.Store(combined, declaredType);
}

} // namespace

void Assign(Durnix_Class& d)
{
    Expression_Class& e = d.expression;
    AssignmentTarget target = AssignmentTarget::AtCurrentToken(e, d.currentVariables, d.arrays, d.elementIndexes);

    e.NextToken();
    if (e.endOfStatement) e.RaiseError(ErrorCode::NotALabel);

    const bool element = d.CurrentIs('[');
    target.SetElement(element);
    if (element) {
        const Arrays_Class::Node* defined = target.FindArray();
        if (!defined || defined->dimCount == 0) e.RaiseError(ErrorCode::ArrayNotDefined);
        d.ReadIndexList(d.elementIndexes);
    } else if (!target.Table()) {
        e.RaiseError(ErrorCode::VariableNotInitialized);
    }

    char declaredType = 0;
    if (d.declareMode && !element) {
        const Variables_Class::Node* declared = target.FindVariable();
        declaredType = declared ? declared->type : 0;
        if (!declaredType) e.RaiseError(ErrorCode::VariableNotDeclared);
    }

    const AssignOperator op = ReadOperator(d);
    const bool step = op == AssignOperator::Increment || op == AssignOperator::Decrement;
    // ++ and -- on a variable holding a number change it in place, in the
    // type it has (a declared variable keeps its type all the same).
    if (step && !element
        && AssignmentTarget::StepInPlace(target.FindVariable(), op == AssignOperator::Increment ? 1 : -1))
        return;

    Value value;
    bool appended = false;
    if (op == AssignOperator::Assign) {
        if (const AnsiString* text = target.Text())
            appended = e.EvaluateAppending(value, text);
        else
            e.Evaluate(value);
    } else if (!step) {
        e.Evaluate(value);
    }
    if (!step) {
        CheckAssignedValue(d, value);
        if (op == AssignOperator::Divide && value.isNumber() && value.asDouble() == 0.0)
            e.RaiseError(ErrorCode::DivisionByZero);
    }

    if (appended || op == AssignOperator::Add) {
        // Expressions change no variable and no array, so the target holds
        // the text it held when the value was read.
        if (AnsiString* text = target.Text()) {
            if (appended)
                text->append(value.s);
            else if (!Operators::JoinText(*text, value))
                e.RaiseError(ErrorCode::OutOfMemory);
            return;
        }
    }

    if (op == AssignOperator::Assign) {
        target.Store(value, declaredType);
        return;
    }
    Compound(e, target, op, value, declaredType);
}
