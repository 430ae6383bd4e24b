#pragma once

#include "base/DArray.h"
#include "base/Values.h"
#include "base/ZeroedTable.h"
#include "interpreter/Codes_class.h"
#include "interpreter/KeywordCodes.h"
#include "interpreter/RunTimeError.h"
#include "interpreter/Variables_class.h"
#include "interpreter/arrays/Arrays_class.h"
#include "platform/StackLimit.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

class Arrays_Class;
class RobotOfRun;
struct RunState;
class RunScreen;
struct CompiledExpression;
struct OpenFileBuffers;

// Token types of NextToken.
namespace TokenType {
constexpr int None = 0; // a character that starts no token (nothing consumed)
constexpr int Delimiter = 1; // also end of statement (3001) and end of text (3002)
constexpr int Variable = 2;
constexpr int Number = 3;
constexpr int Keyword = 4; // statement word, word operator or symbol operator
constexpr int String = 6;
constexpr int Label = 7;
constexpr int Constant = 8;
constexpr int Function = 9;
constexpr int Hex = 10;
constexpr int Binary = 12;
constexpr int Sub = 13;
constexpr int OuterVariable = 14;
constexpr int Include = 15;
} // namespace TokenType

namespace TokenCode {
constexpr int EndOfStatement = 3001;
constexpr int EndOfText = 3002;
constexpr int Else = Code(StatementCode::Else);
constexpr int ElseIf = Code(StatementCode::Elseif);
constexpr int And = Code(StatementCode::And);
constexpr int Or = Code(StatementCode::Or);
constexpr int Xor = Code(StatementCode::Xor);
constexpr int Not = Code(StatementCode::Not);
constexpr int BitAnd = Code(StatementCode::Band);
constexpr int BitOr = Code(StatementCode::Bor);
constexpr int BitXor = Code(StatementCode::Bxor);
constexpr int BitNot = Code(StatementCode::Bnot);
// "!=" and "<>" written as one token; not a word of the vocabulary.
constexpr int NotEqual = 1109;
constexpr int ShiftLeft = Code(StatementCode::Bshiftl);
constexpr int ShiftRight = Code(StatementCode::Bshiftr);
constexpr int RotateLeft = Code(StatementCode::Brotl);
constexpr int RotateRight = Code(StatementCode::Brotr);
} // namespace TokenCode

// Relation codes of comparisons.
namespace Relation {
constexpr int Less = 9001;
constexpr int Greater = 9002;
constexpr int LessOrEqual = 9003;
constexpr int GreaterOrEqual = 9004;
constexpr int Equal = 9005;
constexpr int NotEqual = 9006;
constexpr int Contains = 9007;
} // namespace Relation

// The evaluator object: the tokenizer state over one program text, the
// expression evaluator, the built-in function call frame and the error routine.
// The run loop and every statement handler share its one scan position.
//
// Fields are public on purpose: the run loop, the statement handlers and the
// built-in functions read and steer the tokenizer state directly.
class Expression_Class {
public:
    Expression_Class();
    ~Expression_Class();
    Expression_Class(const Expression_Class&) = delete;
    Expression_Class& operator=(const Expression_Class&) = delete;

    // Binds the object to a NUL-terminated program text that stays unchanged and
    // alive while the object is attached. The outer table (main program
    // variables) is cleared; the interpreter sets it. A raised error unwinds as
    // RunTimeError, with its line and column, to whoever called into the object.
    void Attach(const char* programText, Variables_Class* current, Arrays_Class* arraysTable);

    // --- Tokenizer -------------------------------------------------------
    // Reads one token from the scan position, sets the token fields and returns
    // the type. Tokens are cached per text offset: the text never changes while
    // attached, so a token is a pure function of where it starts.
    int NextToken();
    const char* PeekNextChar() const
    {
        const char* p = scanPosition;
        while (IsBlank(*p))
            ++p;
        return p;
    }
    void SkipRestOfLine();
    // Makes text the current token's text after a re-attach emptied the token
    // cache that tokenText viewed; the object keeps its own copy.
    void RestoreTokenText(std::string_view text)
    {
        restoredTokenText = AnsiString(text);
        tokenText = restoredTokenText;
    }
    // Puts the current token back: the scan position returns to its start.
    void PutBack() { scanPosition = tokenStart; }
    static bool IsLetter(char c);
    static bool IsDelimiter(char c);
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

    // --- Evaluator -------------------------------------------------------
    // Reads the next token and evaluates one expression. Returns the tag
    // ('i', 'f', 's', or ',' for an omitted argument) and fills result. On
    // return the current token is the first one after the expression (the comma
    // itself for an omitted argument).
    char Evaluate(Value& result);
    // The node of the variable that the current token (a name) has in table;
    // null when absent or when the current token is no name. The node found is
    // remembered with the token, so a loop finds it again without a lookup.
    Variables_Class::Node* CurrentTokenVariable(Variables_Class* table);
    // The node of the array that the current token (a name) names in the
    // evaluator's array table; null when there is none or the current token
    // is no name. Remembered with the token like variables (see FindArray).
    Arrays_Class::Node* CurrentTokenArray()
    {
        if (!currentToken || (tokenType != TokenType::Variable && tokenType != TokenType::Sub)) return nullptr;
        return FindArray(*currentToken);
    }
    // The text of the current token as it was scanned. Unlike tokenText it
    // stays unchanged through later NextToken calls while the object is
    // attached, so a statement may keep it as a name.
    std::string_view CurrentTokenText() const
    {
        return currentToken ? std::string_view(currentToken->text) : std::string_view(tokenText);
    }
    // Evaluate for an assignment whose target holds the text `target`: when
    // the expression is that text followed by "+" operands, result gets only
    // what those join (the target is neither copied nor changed) and the
    // return is true; the caller then appends result to the target. The
    // value, errors and current token are those of Evaluate. Otherwise, and
    // always when the text evaluator reads the expression, it is Evaluate
    // and the return is false.
    bool EvaluateAppending(Value& result, const AnsiString* target);
    // Evaluates one expression starting at the current token (already read),
    // leaving the first unused token current. Returns the tag.
    char EvaluateCurrent(Value& result);
    // Expressions are read from the text once and then evaluated from a
    // compiled tree, with the same results, errors and error positions. Off,
    // every evaluation reads the text again and no statement keeps a ready
    // form (tests compare the two ways).
    bool compileExpressions = !ReferencePathsOnly();
    // True when QUORVATINE_REFERENCE_PATHS is set (to anything but "" or "0")
    // as the process starts: every evaluator then reads only the text, so
    // that whole programs can be run both ways and compared.
    static bool ReferencePathsOnly();
    // An expression is compiled when it is evaluated the second time: code
    // that runs once (most of a long program) costs no tree. On, the first
    // evaluation already compiles (tests that compare the two evaluators),
    // and every token read is cached at once.
    bool compileOnFirstUse = false;
    // Set while a scan passes over the whole text (includes, labels, subs):
    // what it reads for the first time is neither cached nor counted as
    // read, so the scan leaves the cache as it found it.
    bool scanningWholeText = false;
    // What the cache holds: the tokens kept and the expressions compiled.
    size_t CachedTokenCount() const { return tokenCount ? tokenCount - 1 : 0; }
    size_t CompiledCount() const { return compiled.size(); }

    // Nesting of expressions (parentheses, function arguments, array
    // indexes, powers) is bounded: no real program comes near this depth, and
    // past it the run ends with error 73 where the nesting goes too deep,
    // never with the native stack overflowing. The stack's own headroom is
    // checked too, for frames larger than usual (a sanitizer build) or a
    // thread with a small stack.
    static constexpr int MaxNesting = 2000;
    static constexpr size_t StackReserve = 512 * 1024;
    int nestingDepth = 0;
    // Enters `levels` levels of nesting for its lifetime; raises error 73 when
    // that goes past the bound.
    class Nesting {
    public:
        Nesting(Expression_Class& evaluator, int levels = 1);
        ~Nesting() { e.nestingDepth -= levels; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
        // Whether `levels` more levels fit, without raising.
        static bool Fits(const Expression_Class& evaluator, int levels)
        {
            // A level of a compiled tree takes a few small frames; this is ample.
            constexpr size_t treeLevelBytes = 1024;
            return evaluator.nestingDepth + levels <= MaxNesting
                && platform::StackHeadroom() > StackReserve + static_cast<size_t>(levels) * treeLevelBytes;
        }

    private:
        Expression_Class& e;
        int levels;
    };

    // --- Errors ----------------------------------------------------------
    // Composes and shows the message, records it and unwinds; never returns.
    [[noreturn]] void RaiseError(ErrorCode error);
    static AnsiString ErrorMessage(int number, const AnsiString& customText = {});

    // --- Number and text helpers -----------------------------------------
    // Saturates to the 32-bit range; not a number gives 0. Inline: every
    // integer result of an operator passes through it.
    static int32_t ClampToInt(double x)
    {
        if (x != x) return 0;
        if (x > 2147483647.0) return 2147483647;
        if (x < -2147483648.0) return -2147483648;
        return static_cast<int32_t>(x);
    }
    // Truncation toward zero as the processor does it: a value outside the
    // 32-bit range, or not a number, gives the lowest integer.
    static int32_t TruncateToInt(double x);
    int32_t RoundToIntChecked(double x, bool report);
    static char ClassifyNumberText(std::string_view text);
    static char TextToNumber(const AnsiString& text, double& value);
    static int32_t ParseBinaryLiteral(const AnsiString& text);
    int ApplyRelation(int relation, const Value& left, const Value& right);
    static AnsiString CollapseDoubledQuotes(std::string_view text);
    static double MillisecondClock();
    static double PowerOf(double x, double y);

    // --- Built-in function call frame ------------------------------------
    // Called with the function's name as the current token (its row is in the
    // function fields). Reads the argument list; on return the closing ")" is the
    // current token, and the caller reads the token after it.
    char CallFunction(Value& result);
    int ParseFunctionArgs(int minArgs, int maxArgs, int defaultArg, const AnsiString& signature, int group);

    // --- State -------------------------------------------------------------
    Variables_Class* currentVariables = nullptr;
    Variables_Class* outerVariables = nullptr;
    Arrays_Class* arrays = nullptr;

    const char* programStart = nullptr;
    const char* scanPosition = nullptr;
    const char* tokenStart = nullptr;
    // The text of the current token: a view of the token cache, so reading a
    // token copies no text. It stays valid while the object is attached to the
    // same text; keep a copy to hold it longer.
    std::string_view tokenText;
    int tokenType = 0;
    int tokenCode = 0;
    bool endOfStatement = false;
    bool recogniseSub = true;

    // The function row of the last function keyword read.
    int functionCode = 0;
    int functionMinArgs = 0;
    int functionMaxArgs = 0;
    int functionDefaultArg = 0;
    int functionGroup = 0;
    AnsiString functionSignature;

    int trapFlag = 0;
    int lastErrorNumber = 0;
    int lastErrorColumn = 0;
    int lastErrorLine = 0;
    AnsiString lastErrorText;
    AnsiString customErrorText; // shown for error 88

    bool attached = false;

    const Vocabulary* vocabulary = nullptr;

    // Open-file table: file descriptors of the file functions, -1 when free.
    // The destructor closes every descriptor still open.
    DArray<int> fileHandles { 10 };
    int fileHandleCount = 0;
    // The buffers of the open files (OpenFiles.cpp), made with the first one.
    std::unique_ptr<OpenFileBuffers> fileBuffers;

    // Argument slots of the built-in functions.
    static constexpr int MaxArgs = 10;
    AnsiString argText[MaxArgs];
    int32_t argInt[MaxArgs] = {};
    double argFloat[MaxArgs] = {};
    char argType[MaxArgs] = {};
    unsigned char portBytes[2] = {};

    // The screen, the robot and the state of the run that owns this evaluator,
    // which sets them; the built-in functions reach them through their call
    // frame. An evaluator lent to a run (evaluate's, the debug window's) takes
    // the run's.
    RunScreen* screen = nullptr;
    RobotOfRun* robot = nullptr;
    RunState* runState = nullptr;

public:
    // Kept apart from the tokens, since most tokens are no names: a program
    // that runs through once keeps a token for each token it read.
    struct NameCache {
        // A variable token remembers the node it named in the table with this
        // identity (see Variables_Class::identity).
        uint64_t variableTable = 0;
        Variables_Class::Node* variableNode = nullptr;
        // A name's hash in the variable tables, worked out when it is scanned:
        // a sub's locals are new at every call, so its names are looked up
        // again at each.
        uint64_t nameHash = 0;
        // An array name token remembers the node it named in the array table
        // with this identity (see Arrays_Class::identity).
        uint64_t arrayTable = 0;
        Arrays_Class::Node* arrayNode = nullptr;
    };
    // One scanned token, kept for the offset where its first non-blank
    // character lies. Tokens are kept only for text that is read more than
    // once (see PassingToken), and kept small: a loop over much of a program
    // of many megabytes keeps one of them for each token it reads.
    struct CachedToken {
        int type = 0;
        int code = 0;
        int32_t endOffset = 0; // scan position after the token
        // The expression that starts with this token: 0 not evaluated yet,
        // EvaluatedOnce read from the text once, -1 not compilable, k the k-th
        // entry of compiled.
        int32_t compiled = 0;
        static constexpr int32_t EvaluatedOnce = INT32_MIN;
        // A view of the attached text (or of a fixed text such as the line
        // break), which outlives the token: a token copies no text.
        std::string_view text;
        const Codes_Class::Node* function = nullptr; // the function row of a type 9 token
        bool subWord = false; // the text "sub", a type 13 token while subs are collected
        char numberTag = 0; // type 3/10/12: the literal's tag, 's' for a malformed number
        int32_t intValue = 0;
        double floatValue = 0.0;
        // What a name token remembers of its lookups; null for other tokens.
        NameCache* names = nullptr;
    };
    NameCache& Names(CachedToken& token)
    {
        if (!token.names) token.names = &nameCaches.emplace_back();
        return *token.names;
    }
    // The node of the array that a name token names in the evaluator's array
    // table, null when there is none. A node found is remembered with the
    // token and given again without a lookup while the table's identity stays
    // the same; any definition, removal or append renews the identity, after
    // which the next call looks the name up again.
    Arrays_Class::Node* FindArray(CachedToken& token)
    {
        if (!arrays) return nullptr;
        const uint64_t identity = arrays->identity();
        if (token.names && token.names->arrayNode && token.names->arrayTable == identity) return token.names->arrayNode;
        Arrays_Class::Node* node = arrays->Find(token.text);
        if (node) {
            NameCache& names = Names(token);
            names.arrayNode = node;
            names.arrayTable = identity;
        }
        return node;
    }

private:
    CachedToken& FirstReadAt();
    CachedToken& ScanIntoCache(const char* p, size_t offset);
    CachedToken& ScanPassing(const char* p, size_t offset);
    CachedToken& Store(const CachedToken& scanned, size_t offset);
    void LoadFunctionRow(const Codes_Class::Node& row);
    void ScanToken(CachedToken& token);
    void ScanWord(CachedToken& token, const char*& p);
    void ScanNumber(CachedToken& token, const char*& p);
    void ResetTokenCache();
    bool IsCurrentDelimiter(char c) const
    {
        return tokenType == TokenType::Delimiter && tokenText.size() == 1 && tokenText[0] == c;
    }

    void Level1(Value& result);
    void Level2(Value& result);
    void Level3(Value& result);
    void Level4(Value& result);
    void Level5(Value& result);
    void Level6(Value& result);
    void Atom(Value& result);
    void ReadArrayElement(CachedToken& nameToken, Value& result);
    void CheckFinite(double x);

    Variables_Class::Node* FindVariable(CachedToken& token, Variables_Class* table)
    {
        if (table && token.names && token.names->variableNode && token.names->variableTable == table->identity())
            return token.names->variableNode;
        return LookUpVariable(token, table);
    }
    Variables_Class::Node* LookUpVariable(CachedToken& token, Variables_Class* table);
    bool ReadVariable(CachedToken& token, Value& result);

    friend class ExpressionCompiler;
    friend class CompiledEvaluator;
    friend struct CompiledExpression;
    friend class StatementCache;
    friend class AssignmentTarget;
    // Evaluates the expression that starts at the current token, from its
    // compiled tree when it has one.
    void EvaluateExpression(Value& result);
    const CompiledExpression* CompiledAtCurrentToken();
    int32_t CompileAt(size_t offset);
    std::vector<std::unique_ptr<CompiledExpression>> compiled;

    CachedToken* currentToken = nullptr;
    AnsiString restoredTokenText;
    size_t programLength = 0;

    // A token is cached the second time its offset is read: code that runs
    // once, most of a long program, keeps no token. The first read scans into
    // one of two passing tokens, used in turn, so that the token before the
    // current one stays as it is too (a name read before its "[" or its
    // value). Whoever keeps a token longer, or writes into it, keeps it in
    // the cache first.
    struct PassingToken {
        CachedToken token;
        NameCache names;
        size_t offset = 0;
        bool valid = false;
    };
    PassingToken passing[2];
    bool IsPassing(const CachedToken* token) const { return token == &passing[0].token || token == &passing[1].token; }
    CachedToken* PassingTokenAt(size_t offset);
    CachedToken& ReadPassingAgain(CachedToken& token, size_t offset);
    // The cached token for token, which may be a passing one (it is cached
    // then); the offset of the read that made it current gets its slot too.
    CachedToken& Keep(CachedToken& token, const char* readFrom = nullptr);
    // Makes the current token a cached one; null when there is none.
    CachedToken* KeepCurrentToken()
    {
        if (IsPassing(currentToken)) currentToken = &Keep(*currentToken, tokenStart);
        return currentToken;
    }
    // The tree of the expression at the current token when that token is a
    // passing one, read here for the first time: none, unless it is to be
    // compiled at once (the token is cached then). Otherwise the evaluation
    // is remembered for when the token is cached.
    const CompiledExpression* CompiledAtPassingToken();
    // Two marks per text offset, four offsets a byte: read once (its token is
    // cached at the next read), and the expression starting there evaluated
    // once (its token is cached as CachedToken::EvaluatedOnce).
    enum class ReadMark : uint8_t { Read = 1, Evaluated = 2 };
    ZeroedTable<uint8_t> readMarks;
    bool HasMark(size_t offset, ReadMark mark) const
    {
        return (readMarks[offset >> 2] >> ((offset & 3) * 2)) & static_cast<uint8_t>(mark);
    }
    void SetMark(size_t offset, ReadMark mark)
    {
        readMarks[offset >> 2] |= static_cast<uint8_t>(static_cast<uint8_t>(mark) << ((offset & 3) * 2));
    }
    // Per text offset: its token's place in tokenCache, 0 until scanned (half
    // the size of a pointer; a text holds fewer tokens than bytes). Its
    // memory is taken only where the text is read again.
    ZeroedTable<uint32_t> tokenSlot;
    // The tokens in the order they were scanned, from place 1 on (a slot's
    // value is the place itself); room for one per offset is set aside, but
    // as with the slots only what is filled takes memory. Tokens never move
    // once cached.
    ZeroedTable<CachedToken> tokenCache;
    size_t tokenCount = 0;
    CachedToken* TokenAt(size_t offset)
    {
        const uint32_t slot = tokenSlot[offset];
        return slot ? &tokenCache[slot] : nullptr;
    }
    std::deque<NameCache> nameCaches;
    std::vector<int> indexScratch;
};

// Inline: every statement reads several tokens, and nearly every read finds
// its token in the cache.
inline int Expression_Class::NextToken()
{
    // The usual read: a position read before, inside the text.
    const size_t readOffset = static_cast<size_t>(scanPosition - programStart);
    CachedToken* cached = readOffset < tokenSlot.size() ? TokenAt(readOffset) : nullptr;
    if (!cached) [[unlikely]]
        cached = &FirstReadAt();
    CachedToken& token = *cached;
    tokenStart = scanPosition;
    currentToken = &token;
    tokenType = token.type;
    // "sub" is a word of its own only while subs are being collected.
    if (token.subWord && recogniseSub) [[unlikely]]
        tokenType = TokenType::Sub;
    tokenCode = token.code;
    tokenText = token.text;
    endOfStatement = tokenType == TokenType::Delimiter
        && (tokenCode == TokenCode::EndOfStatement || tokenCode == TokenCode::EndOfText);
    scanPosition = programStart + token.endOffset;
    if (token.function) LoadFunctionRow(*token.function);
    return tokenType;
}

// The evaluator object of the evaluate function and the debug window's watch
// list, alive for the whole program.
Expression_Class& GlobalExpression();
