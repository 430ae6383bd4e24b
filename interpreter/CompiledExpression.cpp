#include "interpreter/CompiledExpression.h"

#include "interpreter/Arrays_class.h"
#include "interpreter/FloatText.h"
#include "interpreter/FunctionCall.h"
#include "interpreter/Operators.h"
#include "platform/StackLimit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <unordered_map>

namespace {

using Kind = CompiledExpression::Kind;

// Array elements with more indexes than this are read from the text.
constexpr int MaxCompiledIndexes = 16;

} // namespace

// Reads an expression into a tree, level by level as the text evaluator does,
// using the evaluator's own tokenizer (tokens are cached per offset, so
// reading ahead costs nothing later). A syntax error ends the compilation:
// the text evaluator then meets it where it belongs.
class ExpressionCompiler {
public:
    ExpressionCompiler(Expression_Class& evaluator, CompiledExpression& target)
        : e(evaluator)
        , out(target)
    { }

    bool Compile()
    {
        int32_t root = Level1();
        if (tooDeep) out.tooDeepUntil = furthest;
        if (root < 0) return false;
        out.root = root;
        out.endOffset = CurrentOffset();
        return true;
    }

private:
    Expression_Class& e;
    CompiledExpression& out;

    int32_t CurrentOffset() const { return static_cast<int32_t>(e.tokenStart - e.programStart); }
    bool IsDelimiter(char c) const
    {
        return e.tokenType == TokenType::Delimiter && e.tokenText.size() == 1 && e.tokenText[0] == c;
    }
    bool IsDelimiterIn(const char* set) const
    {
        if (e.tokenType != TokenType::Delimiter || e.tokenText.size() != 1) return false;
        for (const char* p = set; *p; ++p)
            if (e.tokenText[0] == *p) return true;
        return false;
    }

    // Reading a token can raise an error only for a text literal without its
    // closing quote; such a token is left for the text evaluator to meet.
    bool SafeToRead() const
    {
        const char* p = e.scanPosition;
        while (Expression_Class::IsBlank(*p))
            ++p;
        if (p[0] == '\\' && p[1] == '\r' && p[2] == '\n') {
            p += 3;
            while (Expression_Class::IsBlank(*p))
                ++p;
        }
        if (*p != '"') return true;
        for (const char* q = p + 1;; ++q) {
            if (*q == 0 || *q == '\r') return false;
            if (*q == '"') {
                if (q[1] != '"') return true;
                ++q;
            }
        }
    }

    bool Read()
    {
        if (!SafeToRead()) return false;
        e.NextToken();
        furthest = std::max(furthest, CurrentOffset());
        // "sub" is a name or a word of its own depending on when it is read.
        return !(e.currentToken && e.currentToken->subWord);
    }

    int32_t Add(CompiledExpression::Node node)
    {
        out.nodes.push_back(std::move(node));
        return static_cast<int32_t>(out.nodes.size() - 1);
    }

    // Set when the expression was not compiled because it nests too deep.
    bool tooDeep = false;
    // The furthest read offset met.
    int32_t furthest = 0;

    // The nesting being read, counted as the text evaluator counts it; an
    // expression deeper than the evaluator allows is left to the text
    // evaluator, which raises the error where the bound is passed.
    int depth = 0;
    struct Deeper {
        ExpressionCompiler& c;
        explicit Deeper(ExpressionCompiler& compiler)
            : c(compiler)
        {
            ++c.depth;
            if (c.depth > c.out.depth) c.out.depth = c.depth;
        }
        ~Deeper() { --c.depth; }
        bool TooDeep() const
        {
            if (c.depth <= Expression_Class::MaxNesting && platform::StackHeadroom() > Expression_Class::StackReserve)
                return false;
            c.tooDeep = true;
            return true;
        }
    };

    int32_t Level1()
    {
        const Deeper deeper(*this);
        if (deeper.TooDeep()) return -1;
        int32_t left = Level2();
        if (left < 0) return -1;
        if (!(e.tokenType == TokenType::Keyword && Operators::IsLogical(e.tokenCode))) return left;
        CompiledExpression::Node node;
        node.kind = Kind::Logic;
        node.first = left;
        std::vector<CompiledExpression::Item> chain;
        while (e.tokenType == TokenType::Keyword && Operators::IsLogical(e.tokenCode)) {
            CompiledExpression::Item item;
            item.op = e.tokenCode;
            item.opOffset = CurrentOffset();
            if (!Read()) return -1;
            item.operand = Level2();
            if (item.operand < 0) return -1;
            item.afterOffset = CurrentOffset();
            chain.push_back(item);
        }
        return AddChain(std::move(node), chain);
    }

    int32_t AddChain(CompiledExpression::Node node, const std::vector<CompiledExpression::Item>& chain)
    {
        node.itemBegin = static_cast<int32_t>(out.items.size());
        out.items.insert(out.items.end(), chain.begin(), chain.end());
        node.itemEnd = static_cast<int32_t>(out.items.size());
        return Add(std::move(node));
    }

    int32_t Level2()
    {
        int32_t left = Level3();
        if (left < 0) return -1;
        const bool notEqualOperator = e.tokenType == TokenType::Keyword && e.tokenCode == TokenCode::NotEqual;
        const bool relationStart = IsDelimiterIn("<>=$");
        if (!notEqualOperator && !relationStart) return left;
        CompiledExpression::Node node;
        node.kind = Kind::Relation;
        node.first = left;
        node.opOffset = CurrentOffset();
        int relation = Relation::NotEqual;
        if (!notEqualOperator) {
            const char first = e.tokenText[0];
            char second = 0;
            if (!Read()) return -1;
            if (IsDelimiterIn("<>=")) {
                second = e.tokenText[0];
                if (!Read()) return -1;
            }
            relation = Operators::RelationOf(first, second);
            if (relation == 0) return -1;
        } else if (!Read()) {
            return -1;
        }
        node.relation = relation;
        node.second = Level3();
        if (node.second < 0) return -1;
        node.afterOffset = CurrentOffset();
        return Add(std::move(node));
    }

    // Sums and products are chains: the text evaluator keeps the running value
    // in double across the whole chain and makes it an integer once at its end.
    int32_t Chain(Kind kind, const char* operators, int32_t (ExpressionCompiler::*operand)())
    {
        int32_t left = (this->*operand)();
        if (left < 0) return -1;
        if (!IsDelimiterIn(operators)) return left;
        CompiledExpression::Node node;
        node.kind = kind;
        node.first = left;
        std::vector<CompiledExpression::Item> chain;
        while (IsDelimiterIn(operators)) {
            CompiledExpression::Item item;
            item.op = e.tokenText[0];
            item.opOffset = CurrentOffset();
            if (!Read()) return -1;
            item.operand = (this->*operand)();
            if (item.operand < 0) return -1;
            item.afterOffset = CurrentOffset();
            chain.push_back(item);
        }
        return AddChain(std::move(node), chain);
    }

    int32_t Level3() { return Chain(Kind::Sum, "+-", &ExpressionCompiler::Level4); }
    int32_t Level4() { return Chain(Kind::Product, "*/%#", &ExpressionCompiler::Level5); }

    int32_t Level5()
    {
        int32_t base = Level6();
        if (base < 0) return -1;
        if (!IsDelimiter('^')) return base;
        CompiledExpression::Node node;
        node.kind = Kind::Power;
        node.first = base;
        node.opOffset = CurrentOffset();
        if (!Read()) return -1;
        {
            const Deeper deeper(*this);
            if (deeper.TooDeep()) return -1;
            node.second = Level5();
        }
        if (node.second < 0) return -1;
        node.afterOffset = CurrentOffset();
        return Add(std::move(node));
    }

    int32_t Level6()
    {
        char op = 0;
        if (IsDelimiterIn("+-~"))
            op = e.tokenText[0];
        else if (e.tokenType == TokenType::Keyword && e.tokenCode == TokenCode::Not)
            op = '!';
        else if (e.tokenType == TokenType::Keyword && e.tokenCode == TokenCode::BitNot)
            op = '~';
        if (op && !Read()) return -1;
        int32_t atom = Atom();
        if (atom < 0 || !op) return atom;
        CompiledExpression::Node node;
        node.kind = Kind::Unary;
        node.op = op;
        node.first = atom;
        node.afterOffset = CurrentOffset();
        return Add(std::move(node));
    }

    int32_t Atom()
    {
        CompiledExpression::Node node;
        switch (e.tokenType) {
        case TokenType::Function:
            return Call();
        case TokenType::Delimiter: {
            if (!IsDelimiter('(')) return -1;
            if (!Read()) return -1;
            node.kind = Kind::Parenthesis;
            node.first = Level1();
            if (node.first < 0 || !IsDelimiter(')')) return -1;
            if (!Read()) return -1;
            return Add(std::move(node));
        }
        case TokenType::Variable:
            return Name();
        case TokenType::Number:
        case TokenType::Hex:
        case TokenType::Binary:
            if (!e.currentToken) return -1;
            if (e.currentToken->numberTag == Tag::Int)
                node.constant.setInt(e.currentToken->intValue);
            else if (e.currentToken->numberTag == Tag::Float)
                node.constant.setFloat(e.currentToken->floatValue);
            else
                return -1;
            break;
        case TokenType::String:
            node.constant.setString(Expression_Class::CollapseDoubledQuotes(e.tokenText));
            break;
        case TokenType::Constant:
            node.constant.setInt(e.tokenCode);
            break;
        case TokenType::OuterVariable:
            node.kind = Kind::OuterVariable;
            node.opOffset = CurrentOffset();
            node.constant.setString(AnsiString(e.tokenText.substr(1)));
            if (!Read()) return -1;
            node.afterOffset = CurrentOffset();
            return Add(std::move(node));
        default:
            return -1;
        }
        if (!Read()) return -1;
        return Add(std::move(node));
    }

    // A built-in function is called through the ordinary call frame, which
    // reads its own argument list; the tree only needs to know where the list
    // ends, at the parenthesis that closes it.
    int32_t Call()
    {
        const int32_t start = CurrentOffset();
        Expression_Class::CachedToken* name = e.currentToken;
        if (!name || !name->function) return -1;
        const int32_t one = CallOne(*name);
        if (one >= 0) return one;
        e.scanPosition = e.programStart + start;
        e.NextToken();
        CompiledExpression::Node node;
        node.kind = Kind::Call;
        node.opOffset = start;
        node.relation = depth;
        if (!Read() || !IsDelimiter('(')) return -1;
        int open = 1;
        while (open > 0) {
            if (!Read()) return -1;
            // A character that starts no token is not consumed: reading on
            // would meet it for ever. The text evaluator reports it.
            if (e.tokenType == TokenType::None) return -1;
            if (e.tokenType == TokenType::Delimiter && e.tokenCode == TokenCode::EndOfText) return -1;
            if (IsDelimiter('(')) {
                // Nesting this deep is never compiled; the scan stops early.
                if (++open > Expression_Class::MaxNesting) {
                    tooDeep = true;
                    return -1;
                }
            } else if (IsDelimiter(')')) {
                --open;
            }
        }
        if (!Read()) return -1;
        node.afterOffset = CurrentOffset();
        return Add(std::move(node));
    }

    // With the "(" of an argument list current: whether the list holds one
    // argument, found by matching brackets alone. One scan answers for every
    // list nested inside too, so that a nest of calls costs one pass however
    // deep it is. The "(" is current again afterwards.
    std::unordered_map<int32_t, bool> oneArgument; // by the offset of the "("
    bool OneArgumentFollows()
    {
        const int32_t at = CurrentOffset();
        if (const auto known = oneArgument.find(at); known != oneArgument.end()) return known->second;
        struct Open {
            int32_t offset;
            bool one;
        };
        std::vector<Open> open { { at, true } };
        while (!open.empty()) {
            if (!Read() || e.tokenType == TokenType::None
                || (e.tokenType == TokenType::Delimiter && e.tokenCode == TokenCode::EndOfText))
                break;
            if (IsDelimiterIn("([")) {
                // Nesting this deep is never compiled; the scan stops early.
                if (open.size() >= static_cast<size_t>(Expression_Class::MaxNesting)) {
                    tooDeep = true;
                    break;
                }
                open.push_back({ CurrentOffset(), true });
            } else if (IsDelimiterIn(")]")) {
                oneArgument[open.back().offset] = open.back().one;
                open.pop_back();
            } else if (IsDelimiter(',')) {
                open.back().one = false;
            }
        }
        // Lists left open are no lists of one argument.
        for (const Open& list : open)
            oneArgument[list.offset] = false;
        e.scanPosition = e.programStart + at;
        e.NextToken();
        return oneArgument[at];
    }

    // A function of one required argument, given one: the tree evaluates the
    // argument itself and hands its value to the call frame.
    int32_t CallOne(Expression_Class::CachedToken& name)
    {
        const FunctionEntry* entry = FindFunctionEntry(name.code);
        if (!entry || !TakesOneReadArgument(*entry, name.function->group)) return -1;
        if (!Read() || !IsDelimiter('(') || *e.PeekNextChar() == ')') return -1;
        if (!OneArgumentFollows()) return -1;
        if (!Read()) return -1;
        if (e.tokenType != TokenType::String && (e.tokenText.empty() || IsDelimiter(','))) return -1;
        CompiledExpression::Node node;
        node.kind = Kind::CallOne;
        node.token = &name;
        node.function = entry;
        if (entry->first == FirstArgument::Number) node.direct = FindDirectFunction(name.code);
        node.first = Level1();
        if (node.first < 0 || !IsDelimiter(')')) return -1;
        node.opOffset = CurrentOffset();
        if (!Read()) return -1;
        node.afterOffset = CurrentOffset();
        return Add(std::move(node));
    }

    int32_t Name()
    {
        if (*e.PeekNextChar() == '(' || !e.currentToken) return -1;
        CompiledExpression::Node node;
        node.token = e.currentToken;
        if (!Read()) return -1;
        if (!IsDelimiter('[')) {
            node.kind = Kind::Variable;
            node.afterOffset = CurrentOffset();
            return Add(std::move(node));
        }
        node.kind = Kind::ArrayElement;
        std::vector<CompiledExpression::Item> indexes;
        for (;;) {
            if (!Read() || e.endOfStatement) return -1;
            CompiledExpression::Item item;
            item.operand = Level1();
            if (item.operand < 0) return -1;
            item.afterOffset = CurrentOffset();
            indexes.push_back(item);
            if (IsDelimiter(',')) continue;
            if (IsDelimiter(']')) break;
            return -1;
        }
        if (indexes.size() > MaxCompiledIndexes) return -1;
        node.opOffset = CurrentOffset();
        if (!Read()) return -1;
        node.afterOffset = CurrentOffset();
        return AddChain(std::move(node), indexes);
    }
};

bool CompiledExpression::Compile(Expression_Class& e, CompiledExpression& out)
{
    // The scan state the compilation moves through, put back afterwards.
    const char* scanPosition = e.scanPosition;
    const char* tokenStart = e.tokenStart;
    const std::string_view tokenText = e.tokenText;
    const int tokenType = e.tokenType;
    const int tokenCode = e.tokenCode;
    const bool endOfStatement = e.endOfStatement;
    Expression_Class::CachedToken* const currentToken = e.currentToken;
    const int functionCode = e.functionCode;
    const int functionMinArgs = e.functionMinArgs;
    const int functionMaxArgs = e.functionMaxArgs;
    const int functionDefaultArg = e.functionDefaultArg;
    const int functionGroup = e.functionGroup;
    const AnsiString functionSignature = e.functionSignature;

    const bool compiled = ExpressionCompiler(e, out).Compile();

    e.scanPosition = scanPosition;
    e.tokenStart = tokenStart;
    e.tokenText = tokenText;
    e.tokenType = tokenType;
    e.tokenCode = tokenCode;
    e.endOfStatement = endOfStatement;
    e.currentToken = currentToken;
    e.functionCode = functionCode;
    e.functionMinArgs = functionMinArgs;
    e.functionMaxArgs = functionMaxArgs;
    e.functionDefaultArg = functionDefaultArg;
    e.functionGroup = functionGroup;
    e.functionSignature = functionSignature;
    return compiled;
}

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

    [[noreturn]] void RaiseAt(int32_t offset, ErrorCode error)
    {
        PositionAt(offset);
        e.RaiseError(error);
    }
    void CheckFinite(double x, int32_t offset)
    {
        if (std::isnan(x)) RaiseAt(offset, ErrorCode::IllegalMathOperation);
        if (std::isinf(x)) RaiseAt(offset, ErrorCode::NumberTooBig);
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

    // An operand of a sum or a product, which must be a number: a text raises
    // textError with the token after it current (or where it ended early).
    void NumberOperand(const CompiledExpression::Item& item, ErrorCode textError, double& b, bool& isInt)
    {
        if (NumberLeaf(item.operand, b, isInt)) return;
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
        Eval(node.first, first);
        // The common case of a function of one number needs no frame; the
        // direct form declines everything else.
        double direct;
        if (node.direct && stop < 0 && first.isNumber() && node.direct(first.asDouble(), direct)) {
            out.setFloat(direct);
            return;
        }
        // The handler runs with the token after its argument current, as in a
        // call read from the text: the ")" or where the argument ended early.
        PositionAt(stop >= 0 ? stop : node.opOffset);
        stop = -1;
        CallWithReadArgument(e, *node.function, node.token->code, first, out);
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
        const int32_t a = out.tag == Tag::Int ? out.i : Expression_Class::ClampToInt(out.f);
        const int32_t b = right.tag == Tag::Int ? right.i : Expression_Class::TruncateToInt(right.f);
        const int32_t value = Operators::ApplyLogical(item.op, a, b);
        out.setInt(value);
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
        sum = item.op == '+' ? sum + b : sum - b;
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
    // The power routines raise their own errors with the token after the
    // exponent current.
    PositionAt(node.afterOffset);
    if (out.tag == Tag::Int && exponent.tag == Tag::Int)
        e.IntegerPower(out, out.i, exponent.i);
    else
        e.FloatPower(out, out.asDouble(), exponent.asDouble());
}

void CompiledEvaluator::Unary(const CompiledExpression::Node& node, Value& out)
{
    Eval(node.first, out);
    if (!Operators::ApplyUnary(node.op, out)) RaiseAt(node.afterOffset, ErrorCode::UnaryOnStrings);
}

bool CompiledEvaluator::Element(const CompiledExpression::Node& node, Value& out, const AnsiString* target)
{
    std::array<int, MaxCompiledIndexes> indexes {};
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
    } else {
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
        return nullptr;
    int32_t slot = currentToken->compiled;
    if (slot == 0 && !compileOnFirstUse) [[unlikely]] {
        currentToken->compiled = CachedToken::EvaluatedOnce;
        return nullptr;
    }
    if (slot == 0 || slot == CachedToken::EvaluatedOnce) [[unlikely]]
        slot = CompileAt(offset);
    return slot > 0 ? compiled[static_cast<size_t>(slot - 1)].get() : nullptr;
}

// The first evaluation at an offset: out of the path every later one takes.
[[gnu::noinline]] int32_t Expression_Class::CompileAt(size_t offset)
{
    auto tree = std::make_unique<CompiledExpression>();
    int32_t slot = -1;
    if (CompiledExpression::Compile(*this, *tree)) {
        // Kept for the whole run: no room left over from growing.
        tree->nodes.shrink_to_fit();
        tree->items.shrink_to_fit();
        compiled.push_back(std::move(tree));
        slot = static_cast<int32_t>(compiled.size());
    }
    currentToken->compiled = slot;
    // Nesting too deep to compile is read from the text, the expressions
    // inside it too: compiling each of them in turn would read the nest
    // again for every level.
    if (slot < 0 && tree->tooDeepUntil >= 0) {
        const size_t until = std::min(static_cast<size_t>(tree->tooDeepUntil), tokenSlot.size() - 1);
        for (size_t k = offset + 1; k <= until; ++k)
            if (CachedToken* token = TokenAt(k);
                token && (token->compiled == 0 || token->compiled == CachedToken::EvaluatedOnce))
                token->compiled = -1;
    }
    return slot;
}
