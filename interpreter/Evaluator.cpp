#include "interpreter/Expression_class.h"
#include "interpreter/Operators.h"
#include "interpreter/Variables_class.h"
#include "interpreter/arrays/Arrays_class.h"
#include "platform/StackLimit.h"
#include "support/FloatText.h"

#include <optional>

// Recursive descent straight over the program text. Every level starts on its
// first token (already read) and leaves the first token it did not use as the
// current one. Numbers are combined in double precision; an operation on
// integers only gives an integer again through ClampToInt.

Expression_Class::Nesting::Nesting(Expression_Class& evaluator, int count)
    : e(evaluator)
    , levels(count)
{
    e.nestingDepth += levels;
    if (e.nestingDepth > MaxNesting || platform::StackHeadroom() < StackReserve) {
        // No destructor runs for a constructor that throws.
        e.nestingDepth -= levels;
        e.RaiseError(ErrorCode::OutOfMemory);
    }
}

char Expression_Class::Evaluate(Value& result)
{
    NextToken();
    if (tokenType != TokenType::String) {
        if (tokenText.empty()) RaiseError(ErrorCode::NoExpression);
        if (IsCurrentDelimiter(',')) {
            result.tag = Tag::Omitted;
            return Tag::Omitted;
        }
    }
    EvaluateExpression(result);
    return result.tag;
}

char Expression_Class::EvaluateCurrent(Value& result)
{
    EvaluateExpression(result);
    return result.tag;
}

// An operator result that left the double range, or is no number at all.
void Expression_Class::CheckFinite(double x)
{
    if (const std::optional<ErrorCode> error = Operators::NonFinite(x)) RaiseError(*error);
}

// Logical and bitwise operators, the lowest precedence.
void Expression_Class::Level1(Value& result)
{
    const Nesting nesting(*this);
    Level2(result);
    while (tokenType == TokenType::Keyword && Operators::IsLogical(tokenCode)) {
        int op = tokenCode;
        NextToken();
        Value right;
        Level2(right);
        if (result.tag == Tag::String || right.tag == Tag::String) RaiseError(ErrorCode::AndOrOnStrings);
        result.setInt(Operators::ApplyLogical(op, Operators::LogicalLeft(result), Operators::LogicalRight(right)));
    }
}

// One comparison; a second relation after it is left to the caller.
void Expression_Class::Level2(Value& result)
{
    Level3(result);
    bool notEqualOperator = tokenType == TokenType::Keyword && tokenCode == TokenCode::NotEqual;
    bool relationStart = tokenType == TokenType::Delimiter && tokenText.size() == 1
        && (tokenText[0] == '<' || tokenText[0] == '>' || tokenText[0] == '=' || tokenText[0] == '$');
    if (!notEqualOperator && !relationStart) return;

    int relation = Relation::NotEqual;
    if (!notEqualOperator) {
        char first = tokenText[0];
        char second = 0;
        NextToken();
        if (tokenType == TokenType::Delimiter && tokenText.size() == 1
            && (tokenText[0] == '<' || tokenText[0] == '>' || tokenText[0] == '=')) {
            second = tokenText[0];
            NextToken();
        }
        relation = Operators::RelationOf(first, second);
        if (relation == 0) RaiseError(ErrorCode::SyntaxError);
    } else {
        NextToken();
    }

    Value right;
    Level3(right);
    if ((result.tag == Tag::String) != (right.tag == Tag::String)) RaiseError(ErrorCode::StringNumberComparison);
    result.setInt(ApplyRelation(relation, result, right));
}

// Addition and subtraction; a text on the left joins texts and numbers.
void Expression_Class::Level3(Value& result)
{
    Level4(result);
    if (result.tag == Tag::String) {
        while (IsCurrentDelimiter('+')) {
            NextToken();
            Value right;
            Level4(right);
            if (!Operators::JoinText(result.s, right)) RaiseError(ErrorCode::OutOfMemory);
        }
        return;
    }
    if (!IsCurrentDelimiter('+') && !IsCurrentDelimiter('-')) return;
    bool allIntegers = result.tag == Tag::Int;
    double sum = result.asDouble();
    while (IsCurrentDelimiter('+') || IsCurrentDelimiter('-')) {
        const char op = tokenText[0];
        NextToken();
        Value right;
        Level4(right);
        if (right.tag == Tag::String) RaiseError(ErrorCode::SyntaxError);
        allIntegers = allIntegers && right.tag == Tag::Int;
        sum = Operators::ApplySumStep(op, sum, right.asDouble());
        CheckFinite(sum);
    }
    if (allIntegers)
        result.setInt(ClampToInt(sum));
    else
        result.setFloat(sum);
}

// Multiplication, division, percentage and remainder.
void Expression_Class::Level4(Value& result)
{
    Level5(result);
    if (result.tag == Tag::String) return;
    auto isOperator = [this] {
        return IsCurrentDelimiter('*') || IsCurrentDelimiter('/') || IsCurrentDelimiter('%') || IsCurrentDelimiter('#');
    };
    if (!isOperator()) return;
    bool integerResult = result.tag == Tag::Int;
    double product = result.asDouble();
    while (isOperator()) {
        char op = tokenText[0];
        NextToken();
        Value right;
        Level5(right);
        if (right.tag == Tag::String) RaiseError(ErrorCode::MultiplyOrDivideStrings);
        integerResult = integerResult && right.tag == Tag::Int;
        if (!Operators::ApplyProductStep(op, product, right.asDouble(), integerResult))
            RaiseError(ErrorCode::DivisionByZero);
        CheckFinite(product);
    }
    if (integerResult)
        result.setInt(ClampToInt(product));
    else
        result.setFloat(product);
}

// Powers, right-associative.
void Expression_Class::Level5(Value& result)
{
    Level6(result);
    if (result.tag == Tag::String || !IsCurrentDelimiter('^')) return;
    NextToken();
    Value exponent;
    {
        const Nesting nesting(*this);
        Level5(exponent);
    }
    if (exponent.tag == Tag::String) RaiseError(ErrorCode::PowerOfStrings);
    if (const std::optional<ErrorCode> error = Operators::ApplyPower(result, exponent)) RaiseError(*error);
}

// Unary operators, one per atom.
void Expression_Class::Level6(Value& result)
{
    char op = 0;
    if (tokenType == TokenType::Delimiter && tokenText.size() == 1
        && (tokenText[0] == '+' || tokenText[0] == '-' || tokenText[0] == '~'))
        op = tokenText[0];
    else if (tokenType == TokenType::Keyword && tokenCode == TokenCode::Not)
        op = '!';
    else if (tokenType == TokenType::Keyword && tokenCode == TokenCode::BitNot)
        op = '~';
    if (op) NextToken();
    Atom(result);
    if (result.tag != Tag::Int && result.tag != Tag::Float && result.tag != Tag::String)
        RaiseError(ErrorCode::SyntaxError);
    if (op && !Operators::ApplyUnary(op, result)) RaiseError(ErrorCode::UnaryOnStrings);
}

void Expression_Class::Atom(Value& result)
{
    switch (tokenType) {
    case TokenType::Function:
        CallFunction(result);
        NextToken();
        return;
    case TokenType::Delimiter:
        if (IsCurrentDelimiter('(')) {
            NextToken();
            Level1(result);
            if (!IsCurrentDelimiter(')')) RaiseError(ErrorCode::UnbalancedParenthesis);
            NextToken();
            return;
        }
        RaiseError(ErrorCode::SyntaxError);
    case TokenType::Variable: {
        if (*PeekNextChar() == '(') RaiseError(ErrorCode::IncorrectFunctionName);
        CachedToken* nameToken = currentToken;
        NextToken();
        if (IsCurrentDelimiter('[')) {
            ReadArrayElement(Keep(*nameToken), result);
            NextToken();
            return;
        }
        if (!ReadVariable(*nameToken, result)) {
            PutBack();
            RaiseError(ErrorCode::VariableNotInitialized);
        }
        return;
    }
    case TokenType::Number:
    case TokenType::Hex:
    case TokenType::Binary:
        if (!currentToken) RaiseError(ErrorCode::SyntaxError);
        if (currentToken->numberTag == Tag::Int)
            result.setInt(currentToken->intValue);
        else if (currentToken->numberTag == Tag::Float)
            result.setFloat(currentToken->floatValue);
        else
            RaiseError(ErrorCode::IllegalNumberFormat);
        NextToken();
        return;
    case TokenType::String:
        result.setString(CollapseDoubledQuotes(tokenText));
        NextToken();
        return;
    case TokenType::Constant:
        result.setInt(tokenCode);
        NextToken();
        return;
    case TokenType::OuterVariable:
        if (!outerVariables || !outerVariables->Get(std::string_view(tokenText).substr(1), result))
            RaiseError(ErrorCode::VariableNotInitialized);
        NextToken();
        return;
    default:
        RaiseError(ErrorCode::SyntaxError);
    }
}

Variables_Class::Node* Expression_Class::LookUpVariable(CachedToken& token, Variables_Class* table)
{
    if (!table) return nullptr;
    Variables_Class::Node* node = token.type == TokenType::Variable && token.names
        ? table->FindHashed(token.text, token.names->nameHash)
        : table->Find(token.text);
    if (node) {
        NameCache& names = Names(token);
        names.variableNode = node;
        names.variableTable = table->identity();
    }
    return node;
}

Variables_Class::Node* Expression_Class::CurrentTokenVariable(Variables_Class* table)
{
    if (!currentToken || (tokenType != TokenType::Variable && tokenType != TokenType::Sub)) return nullptr;
    return FindVariable(*currentToken, table);
}

// Copies the variable that token names from the current table; false when it
// does not exist.
bool Expression_Class::ReadVariable(CachedToken& token, Value& result)
{
    Variables_Class::Node* node = FindVariable(token, currentVariables);
    if (!node) return false;
    Variables_Class::CopyValue(*node, result);
    return true;
}

// Reads "[index, ...]" after an array name (the "[" is current) and fetches the
// element. The "]" is left current.
void Expression_Class::ReadArrayElement(CachedToken& nameToken, Value& result)
{
    // An index may itself read an array element, which uses the scratch list
    // above this read's part; each read gives back its part on every way out.
    const size_t base = indexScratch.size();
    struct Release {
        std::vector<int>& list;
        size_t size;
        ~Release() { list.resize(size); }
    } release { indexScratch, base };
    for (;;) {
        NextToken();
        if (endOfStatement) RaiseError(ErrorCode::ClosingBracketExpected);
        Value index;
        Level1(index);
        if (index.tag != Tag::Int) RaiseError(ErrorCode::ArrayDimensionNotInteger);
        indexScratch.push_back(index.i);
        if (IsCurrentDelimiter(',')) continue;
        if (IsCurrentDelimiter(']')) break;
        RaiseError(ErrorCode::ClosingBracketExpected);
    }
    // Looked up after the indexes, as their evaluation could change the table.
    const Arrays_Class::Node* array = FindArray(nameToken);
    if (!array) RaiseError(ErrorCode::ArrayNotDefined);
    const int count = static_cast<int>(indexScratch.size() - base);
    if (!Arrays_Class::ReadElement(*array, indexScratch.data() + base, count, result))
        RaiseError(ErrorCode::ArrayElementNotInitialized);
}
