#include "interpreter/StatementCache.h"

#include "interpreter/AssignmentTarget.h"
#include "interpreter/CompiledExpression.h"
#include "interpreter/Durnix_class.h"
#include "interpreter/statements/Assignment.h"
#include "interpreter/statements/StatementParts.h"
#include "interpreter/statements/StatementTable.h"

#include <cstdint>

// Each ready form does what the statement's handler does when it reads the
// text, step by step and in the same order, so that every check and every
// error falls where it falls there. A form declines only before it has read
// or changed anything; once it has evaluated an expression it goes through
// to the end, as the handler would.

void StatementCache::Clear()
{
    formAt.Assign(0);
    metAgain.Assign(0);
    forms.clear();
    furthest = -1;
}

bool StatementCache::Prepare(Durnix_Class& d, ptrdiff_t offset)
{
    Expression_Class& e = d.expression;
    const size_t length = static_cast<size_t>(e.programLength) + 1;
    const size_t at = static_cast<size_t>(offset);
    if (metAgain.size() != (length + 7) / 8) metAgain.Assign((length + 7) / 8);
    const uint8_t bit = static_cast<uint8_t>(1u << (at & 7));
    if (!(metAgain[at >> 3] & bit)) {
        metAgain[at >> 3] |= bit;
        return false;
    }
    if (formAt.size() != length) formAt.Assign(length);
    const int32_t form = Compile(d, static_cast<int32_t>(offset));
    formAt[static_cast<size_t>(offset)] = form;
    if (form <= 0) return false;
    const Form& ready = *forms[static_cast<size_t>(form - 1)];
    return ready.run(d, ready);
}

bool StatementCache::CurrentTokenKept(Expression_Class& e)
{
    // A form keeps its tokens for the whole run: only a token the cache holds
    // for the offset where it was read will do.
    if (!e.currentToken) return false;
    const size_t offset = static_cast<size_t>(e.tokenStart - e.programStart);
    return offset < e.tokenSlot.size() && e.TokenAt(offset) == e.currentToken;
}

const CompiledExpression* StatementCache::TreeAtCurrentToken(Expression_Class& e)
{
    Expression_Class::CachedToken* token = e.currentToken;
    if (!CurrentTokenKept(e) || token->type != e.tokenType) return nullptr;
    // Evaluate's own checks on the first token, which fail the same way at
    // every run: such a value is read from the text.
    if (e.tokenType != TokenType::String && (e.tokenText.empty() || e.IsCurrentDelimiter(','))) return nullptr;
    const size_t offset = static_cast<size_t>(e.tokenStart - e.programStart);
    int32_t slot = token->compiled;
    if (slot == 0 || slot == Expression_Class::CachedToken::EvaluatedOnce) slot = e.CompileAt(offset);
    return slot > 0 ? e.compiled[static_cast<size_t>(slot - 1)].get() : nullptr;
}

int32_t StatementCache::Compile(Durnix_Class& d, int32_t offset)
{
    Expression_Class& e = d.expression;
    // The text is read here as the run loop reads it; the run loop reads it
    // again from the same place when no form comes of it.
    auto form = std::make_unique<Form>();
    bool made = false;
    int type = e.NextToken();
    while (type == TokenType::Delimiter && e.tokenCode == TokenCode::EndOfStatement)
        type = e.NextToken();
    const int code = e.tokenCode;
    const int32_t wordStart = static_cast<int32_t>(e.tokenStart - e.programStart);
    if (type == TokenType::Variable) {
        made = CompileAssignment(e, *form);
    } else if (type == TokenType::Keyword && code == Code(StatementCode::Gosub)) {
        form->run = RunGosub;
        form->operatorStart = static_cast<int32_t>(e.scanPosition - e.programStart);
        e.NextToken();
        const Labels_Class::Node* label = d.labels.FindNode(e.tokenText);
        form->target = label ? label->position : nullptr;
        made = form->target != nullptr;
    } else if (type == TokenType::Keyword && code == Code(StatementCode::Call)) {
        form->run = RunCall;
        form->operatorStart = wordStart;
        made = CompileCall(d, *form);
    } else if (type == TokenType::Keyword && code == Code(StatementCode::Return)) {
        form->run = RunReturn;
        form->operatorStart = wordStart;
        form->valueStart = static_cast<int32_t>(e.scanPosition - e.programStart);
        // A bare return has nothing to read and keeps its handler.
        e.NextToken();
        form->value = e.endOfStatement ? nullptr : TreeAtCurrentToken(e);
        made = form->value != nullptr;
    } else if (type == TokenType::Keyword && code == Code(StatementCode::If)) {
        form->run = RunIf;
        form->operatorStart = wordStart;
        form->valueStart = static_cast<int32_t>(e.scanPosition - e.programStart);
        e.NextToken();
        form->value = TreeAtCurrentToken(e);
        made = form->value != nullptr;
    }
    if (!made && type == TokenType::Keyword) {
        // Any other statement word, and the forms above that the text does
        // not fit: the handler, found once. The words that end the run are
        // the run loop's own.
        const bool ends = code == Code(StatementCode::End) || code == Code(StatementCode::Terminate)
            || code == Code(StatementCode::Exit);
        *form = Form {};
        form->run = RunKeyword;
        form->operatorStart = wordStart;
        form->handler = ends ? nullptr : StatementHandlers().Find(code);
        made = form->handler != nullptr;
    }
    e.scanPosition = e.programStart + offset;
    if (!made) return -1;
    forms.push_back(std::move(form));
    return static_cast<int32_t>(forms.size());
}

bool StatementCache::CompileAssignment(Expression_Class& e, Form& form)
{
    if (!CurrentTokenKept(e)) return false;
    form.name = e.currentToken;
    const bool element = *e.PeekNextChar() == '[';
    e.NextToken();
    if (element) {
        if (!e.IsCurrentDelimiter('[')) return false;
        form.run = RunAssignElement;
        form.indexStart = static_cast<int32_t>(e.scanPosition - e.programStart);
        e.NextToken();
        form.index = TreeAtCurrentToken(e);
        if (!form.index) return false;
        // One index, closed by "]".
        e.scanPosition = e.programStart + form.index->endOffset;
        e.NextToken();
        if (!e.IsCurrentDelimiter(']')) return false;
        e.NextToken();
    }
    if (e.tokenType != TokenType::Delimiter || e.tokenText.size() != 1) return false;
    const char first = e.tokenText[0];
    const char second = *e.scanPosition;
    if (first == '=') {
        if (!element) form.run = RunAssignVariable;
        form.valueStart = static_cast<int32_t>(e.scanPosition - e.programStart);
        e.NextToken();
        form.value = TreeAtCurrentToken(e);
        if (!form.value) return false;
        e.scanPosition = e.programStart + form.value->endOffset;
        e.NextToken();
        form.valueEndsStatement = e.endOfStatement;
        return true;
    }
    if (element || (first != '+' && first != '-') || second != first) return false;
    form.run = RunIncrement;
    form.operatorStart = static_cast<int32_t>(e.tokenStart - e.programStart);
    form.delta = first == '+' ? 1 : -1;
    return true;
}

void StatementCache::EvaluateValue(Expression_Class& e, const Form& form, Value& value)
{
    if (!Expression_Class::Nesting::Fits(e, form.value->depth)) {
        e.Evaluate(value);
        return;
    }
    e.NextToken();
    form.value->Run(e, value);
}

bool StatementCache::NumberValue(Expression_Class& e, const Form& form, double& value, bool& isInt)
{
    if (!form.valueEndsStatement || !Expression_Class::Nesting::Fits(e, form.value->depth)
        || !form.value->RunNumbers(e, value, isInt))
        return false;
    e.scanPosition = e.programStart + form.value->endOffset;
    e.NextToken();
    return true;
}

bool StatementCache::RunAssignVariable(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    Variables_Class* table = d.currentVariables;
    if (!table || d.declareMode) return false;
    // The variable through its token alone: making the whole target costs a
    // loop of plain numbers more than the store it saves. The stores below
    // go through the target.
    Variables_Class::Node* variable = e.FindVariable(*form.name, table);
    // A text is appended to in place by the handler.
    if (variable && variable->type == Tag::String) return false;
    e.scanPosition = e.programStart + form.valueStart;
    double number;
    bool isInt;
    const bool numeric = NumberValue(e, form, number, isInt);
    // The numeric path changes nothing, so the variable is still the one found.
    if (numeric && variable && AssignmentTarget::StoreSameKind(*variable, number, isInt)) return true;
    Value value;
    if (numeric) {
        if (isInt)
            value.setInt(static_cast<int32_t>(number));
        else
            value.setFloat(number);
        if (!variable) {
            // Still absent: the numeric path makes no variable.
            table->SetValue(form.name->text, value);
            return true;
        }
    } else {
        EvaluateValue(e, form, value);
        CheckAssignedValue(d, value);
    }
    AssignmentTarget::Variable(e, table, *form.name, d.arrays, d.elementIndexes).Store(value);
    return true;
}

bool StatementCache::RunIncrement(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    Variables_Class* table = d.currentVariables;
    if (!table) return false;
    Variables_Class::Node* variable = e.FindVariable(*form.name, table);
    if (!AssignmentTarget::StepInPlace(variable, form.delta)) return false;
    // The handler leaves the first character of the operator current.
    e.scanPosition = e.programStart + form.operatorStart;
    e.NextToken();
    ++e.scanPosition;
    return true;
}

bool StatementCache::RunAssignElement(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    const AssignmentTarget target = AssignmentTarget::Element(e, d.arrays, *form.name, d.elementIndexes);
    const Arrays_Class::Node* defined = target.FindArray();
    if (!defined || defined->dimCount == 0) return false;
    if (!Expression_Class::Nesting::Fits(e, form.index->depth)) return false;

    Value index;
    double number;
    bool isInt = false;
    if (form.index->RunNumbers(e, number, isInt) && isInt) {
        // An integer from the numeric path passes every check below; the "]"
        // and the "=" are where the form found them, and the value's reading
        // starts after them.
        index.setInt(static_cast<int32_t>(number));
        e.scanPosition = e.programStart + form.valueStart;
    } else {
        e.scanPosition = e.programStart + form.indexStart;
        e.NextToken();
        form.index->Run(e, index);
        if (e.endOfStatement) e.RaiseError(ErrorCode::ClosingBracketExpected);
        if (index.tag != Tag::Int) e.RaiseError(ErrorCode::ArrayDimensionNotInteger);
        // The form has one index: a "," cannot follow it, so anything but "]"
        // is an error.
        if (!d.CurrentIs(']')) e.RaiseError(ErrorCode::ClosingBracketExpected);
        e.NextToken(); // the "="
    }
    DArray<int>& indexes = d.elementIndexes;
    indexes.items[0] = index.i;
    for (int k = 1; k < indexes.capacity; ++k)
        indexes.items[k] = 0;

    Value value;
    bool appended = false;
    if (const AnsiString* text = target.Text()) {
        appended = e.EvaluateAppending(value, text);
        CheckAssignedValue(d, value);
    } else if (NumberValue(e, form, number, isInt)) {
        if (isInt)
            value.setInt(static_cast<int32_t>(number));
        else
            value.setFloat(number);
    } else {
        EvaluateValue(e, form, value);
        CheckAssignedValue(d, value);
    }
    if (appended) {
        if (AnsiString* stored = target.Text()) {
            stored->append(value.s);
            return true;
        }
    }
    target.Store(value);
    return true;
}

bool StatementCache::RunGosub(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    if (d.gosubStack.count() >= Durnix_Class::MaxFrames) return false;
    e.scanPosition = e.programStart + form.operatorStart;
    e.NextToken();
    if (!d.gosubStack.PushGosub(d.ifDepth, e.scanPosition)) d.RaiseError(ErrorCode::TooManyNestedGosubs);
    e.scanPosition = form.target;
    d.ifDepth = 0;
    d.CatchUp();
    return true;
}

bool StatementCache::RunKeyword(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    e.scanPosition = e.programStart + form.operatorStart;
    e.NextToken();
    form.handler(d);
    d.CatchUp();
    return true;
}

bool StatementCache::CompileCall(Durnix_Class& d, Form& form)
{
    Expression_Class& e = d.expression;
    e.NextToken();
    form.sub = d.subs.FindNode(e.tokenText);
    if (!form.sub || form.sub->hasByReference) return false;
    e.NextToken();
    if (!e.IsCurrentDelimiter('(')) return false;
    if (*e.PeekNextChar() == ')') {
        form.noArguments = true;
        return true;
    }
    const int most = form.sub->paramCount < Durnix_Class::ParamSlots ? form.sub->paramCount : Durnix_Class::ParamSlots;
    for (;;) {
        if (static_cast<int>(form.arguments.size()) >= most) return false;
        Form::Argument argument;
        argument.start = static_cast<int32_t>(e.scanPosition - e.programStart);
        e.NextToken();
        argument.tree = TreeAtCurrentToken(e);
        if (!argument.tree) return false;
        form.arguments.push_back(argument);
        e.scanPosition = e.programStart + argument.tree->endOffset;
        e.NextToken();
        if (e.IsCurrentDelimiter(')')) return true;
        if (!e.IsCurrentDelimiter(',')) return false;
    }
}

// Runs an operand's tree with the scan at its start, as the handlers read an
// operand: numbers by the numeric path, the rest by the tree. The token after
// the operand is current then.
static void RunOperand(Expression_Class& e, const CompiledExpression& tree, Value& value)
{
    double number;
    bool isInt;
    if (tree.RunNumbers(e, number, isInt)) {
        e.scanPosition = e.programStart + tree.endOffset;
        e.NextToken();
        if (isInt)
            value.setInt(static_cast<int32_t>(number));
        else
            value.setFloat(number);
    } else {
        e.NextToken();
        tree.Run(e, value);
    }
}

// The CALL handler's reading of the arguments, each from its tree: a value
// goes into its parameter slot as ReadOperand puts it there.
bool StatementCache::RunCall(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    const Labels_Class::Node* sub = form.sub;
    const int count = sub->paramCount < Durnix_Class::ParamSlots ? sub->paramCount : Durnix_Class::ParamSlots;
    e.scanPosition = e.programStart + form.operatorStart;
    e.NextToken();
    d.targetByExpression = false;
    d.SetParamDefaults(count, 0, '0');
    int given = 0;
    if (form.noArguments) {
        e.scanPosition = e.programStart + form.operatorStart;
        e.NextToken(); // "call"
        e.NextToken(); // the name
        e.NextToken(); // "("
        e.NextToken(); // ")"
    } else {
        for (const Form::Argument& argument : form.arguments) {
            Value value;
            e.scanPosition = e.programStart + argument.start;
            if (!Expression_Class::Nesting::Fits(e, argument.tree->depth)) {
                d.paramType[given] = '0';
                d.ReadOperand(given);
            } else {
                RunOperand(e, *argument.tree, value);
                d.KeepOperand(given, value);
            }
            ++given;
            // A value that ended early leaves its operator current.
            if (!d.CurrentIs(',')) break;
        }
    }
    if (!d.CurrentIs(')')) e.RaiseError(ErrorCode::UnbalancedParenthesis);
    e.NextToken();
    EnterSub(d, sub, given, AnsiString());
    d.CatchUp();
    return true;
}

// RETURN with a value, read as the handler reads it into the first slot.
bool StatementCache::RunReturn(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    if (!d.gosubStack.Top() || !Expression_Class::Nesting::Fits(e, form.value->depth)) return false;
    e.scanPosition = e.programStart + form.operatorStart;
    e.NextToken();
    d.SetParamDefaults(1, 0, '0');
    e.scanPosition = e.programStart + form.valueStart;
    Value value;
    RunOperand(e, *form.value, value);
    d.KeepOperand(0, value);
    if (!e.endOfStatement) e.RaiseError(ErrorCode::SyntaxError);
    LeaveFrame(d, 1);
    d.CatchUp();
    return true;
}

// IF, with its condition read as EvaluateCondition reads it.
bool StatementCache::RunIf(Durnix_Class& d, const Form& form)
{
    Expression_Class& e = d.expression;
    if (!Expression_Class::Nesting::Fits(e, form.value->depth)) return false;
    e.scanPosition = e.programStart + form.operatorStart;
    e.NextToken();
    const char* blockStart = e.tokenStart;
    bool condition;
    double number;
    bool isInt;
    if (form.value->RunNumbers(e, number, isInt)) {
        e.scanPosition = e.programStart + form.value->endOffset;
        e.NextToken();
        condition = isInt ? static_cast<int32_t>(number) != 0 : Expression_Class::ClampToInt(number) != 0;
    } else {
        e.scanPosition = e.programStart + form.valueStart;
        e.NextToken();
        Value value;
        form.value->Run(e, value);
        if (value.tag == Tag::Int)
            condition = value.i != 0;
        else if (value.tag == Tag::Float)
            condition = Expression_Class::ClampToInt(value.f) != 0;
        else
            e.RaiseError(ErrorCode::NotALogicalExpression);
    }
    ContinueIf(d, blockStart, condition, false);
    d.CatchUp();
    return true;
}
