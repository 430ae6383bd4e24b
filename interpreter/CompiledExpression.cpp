#include "interpreter/CompiledExpression.h"

#include "interpreter/FunctionCall.h"
#include "interpreter/Operators.h"
#include "platform/StackLimit.h"
#include "support/FloatText.h"

#include <algorithm>
#include <string_view>

namespace {

using Kind = CompiledExpression::Kind;

// Function calls with more arguments after the first than this are read from
// the text.
constexpr size_t MaxCompiledArguments = 8;

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
        node.pure = Pure(node);
        node.height = Height(node);
        out.nodes.push_back(std::move(node));
        return static_cast<int32_t>(out.nodes.size() - 1);
    }

    // Whether a node about to be added is pure, from its operands', which are
    // added before it.
    bool Pure(const CompiledExpression::Node& node) const
    {
        auto operandPure = [this](int32_t index) { return index < 0 || out.nodes[static_cast<size_t>(index)].pure; };
        switch (node.kind) {
        case Kind::Call:
            return false;
        case Kind::CallOne:
            if (!node.direct && !node.directPair && !ReadsFirstTextInPlace(node.token->code)) return false;
            break;
        default:
            break;
        }
        if (!operandPure(node.first) || !operandPure(node.second)) return false;
        for (int32_t k = node.itemBegin; k < node.itemEnd; ++k)
            if (!operandPure(out.items[static_cast<size_t>(k)].operand)) return false;
        return true;
    }

    uint8_t Height(const CompiledExpression::Node& node) const
    {
        int below = 0;
        auto operand = [&](int32_t index) {
            if (index >= 0) below = std::max<int>(below, out.nodes[static_cast<size_t>(index)].height);
        };
        operand(node.first);
        operand(node.second);
        for (int32_t k = node.itemBegin; k < node.itemEnd; ++k)
            operand(out.items[static_cast<size_t>(k)].operand);
        return static_cast<uint8_t>(std::min(below + 1, 255));
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
        Expression_Class::CachedToken* name = e.KeepCurrentToken();
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

    // A function whose frame reads the first argument as a value (a number,
    // a text or either) and leaves the rest to its handler: the tree evaluates
    // the first argument itself and hands its value to the call frame, and
    // keeps the further ones, which the handler asks for in turn (see
    // CompiledArguments). An empty argument, or more than the tree keeps, is
    // left to the text.
    int32_t CallOne(Expression_Class::CachedToken& name)
    {
        const FunctionEntry* entry = FindFunctionEntry(name.code);
        if (!entry || !TakesOneReadArgument(*entry, name.function->group)) return -1;
        if (!Read() || !IsDelimiter('(') || *e.PeekNextChar() == ')') return -1;
        if (!Read() || !ArgumentStarts()) return -1;
        CompiledExpression::Node node;
        node.kind = Kind::CallOne;
        node.token = &name;
        node.function = entry;
        node.first = Level1();
        if (node.first < 0) return -1;
        std::vector<CompiledExpression::Item> rest;
        while (IsDelimiter(',')) {
            if (rest.size() >= MaxCompiledArguments) return -1;
            CompiledExpression::Item item;
            item.opOffset = CurrentOffset();
            if (!Read() || !ArgumentStarts()) return -1;
            item.operand = Level1();
            if (item.operand < 0) return -1;
            item.afterOffset = CurrentOffset();
            rest.push_back(item);
        }
        if (!IsDelimiter(')')) return -1;
        if (entry->first == FirstArgument::Number) {
            if (rest.empty()) node.direct = FindDirectFunction(name.code);
            if (rest.size() == 1) node.directPair = FindDirectPairFunction(name.code);
        }
        if (entry->first == FirstArgument::Text && rest.size() <= MaxDirectTextArguments)
            node.directText = FindDirectTextFunction(name.code, &node.directTextNumber);
        node.lendFirst = ReadsFirstTextInPlace(name.code)
            && out.nodes[static_cast<size_t>(node.first)].kind == Kind::Variable
            && std::all_of(rest.begin(), rest.end(), [this](const CompiledExpression::Item& item) {
                   return out.nodes[static_cast<size_t>(item.operand)].pure;
               });
        node.opOffset = CurrentOffset();
        if (!Read()) return -1;
        node.afterOffset = CurrentOffset();
        return AddChain(std::move(node), rest);
    }

    // Whether the current token starts an argument: an empty one (a "," at
    // once) is read as omitted by the frame.
    bool ArgumentStarts() const
    {
        return e.tokenType == TokenType::String || (!e.tokenText.empty() && !IsDelimiter(','));
    }

    int32_t Name()
    {
        if (*e.PeekNextChar() == '(' || !e.currentToken) return -1;
        CompiledExpression::Node node;
        node.token = e.KeepCurrentToken();
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
        if (indexes.size() > CompiledExpression::MaxIndexes) return -1;
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
