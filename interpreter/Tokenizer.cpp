#include "interpreter/CompiledExpression.h"
#include "interpreter/Expression_class.h"
#include "interpreter/NumberText.h"

#include <array>
#include <cstring>

namespace {

constexpr const char* NameDelimiters = " ;,+-*/%#^=<>()$'~[]&|@!\"";
constexpr const char* SingleDelimiters = ";,+-*/%#^=<>()$~[]";
constexpr const char* OperatorStarts = "@&|!<>";
const char* const LineBreakText = "\r\n";

std::array<bool, 256> BuildDelimiterTable()
{
    std::array<bool, 256> table {};
    for (const char* p = NameDelimiters; *p; ++p)
        table[static_cast<unsigned char>(*p)] = true;
    table[0] = table['\t'] = table['\r'] = true;
    return table;
}

const std::array<bool, 256> DelimiterTable = BuildDelimiterTable();

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The code of a one- or two-character symbol operator.
int SymbolOperatorCode(char first, char second)
{
    if (second == 0) {
        switch (first) {
        case '!':
            return TokenCode::Not;
        case '&':
            return TokenCode::BitAnd;
        case '|':
            return TokenCode::BitOr;
        case '@':
            return TokenCode::BitXor;
        }
        return 0;
    }
    if (first == '!' && second == '=') return TokenCode::NotEqual;
    switch (first) {
    case '&':
        return TokenCode::And;
    case '|':
        return TokenCode::Or;
    case '@':
        return TokenCode::Xor;
    case '!':
        return TokenCode::BitNot;
    case '<':
        return TokenCode::ShiftLeft;
    case '>':
        return TokenCode::ShiftRight;
    }
    return 0;
}

} // namespace

bool Expression_Class::IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool Expression_Class::IsDelimiter(char c)
{
    return DelimiterTable[static_cast<unsigned char>(c)];
}

void Expression_Class::SkipRestOfLine()
{
    const char* p = scanPosition;
    while (*p && *p != '\n')
        ++p;
    scanPosition = *p ? p + 1 : p;
}

void Expression_Class::ResetTokenCache()
{
    programLength = programStart ? std::strlen(programStart) : 0;
    tokenText = {};
    currentToken = nullptr;
    // The slots go first and come last, so that a failed allocation leaves
    // them empty (the next read sets the cache up again) rather than pointing
    // at tokens that are gone.
    tokenSlot.Assign(0);
    compiled.clear();
    nameCaches.clear();
    for (PassingToken& token : passing)
        token.valid = false;
    tokenCount = 1;
    readMarks.Assign(0);
    tokenCache.Assign(programLength + 2);
    readMarks.Assign(programLength / 4 + 1);
    tokenSlot.Assign(programLength + 1);
}

// A read from a position not cached: sets the cache up for the attached
// text when needed, and brings a position outside the text to its end.
[[gnu::noinline]] Expression_Class::CachedToken& Expression_Class::FirstReadAt()
{
    if (tokenSlot.size() != programLength + 1) ResetTokenCache();
    // Every position handed to the tokenizer lies inside the attached text; one
    // that does not is read as the end of the text rather than outside it.
    auto address = reinterpret_cast<uintptr_t>(scanPosition);
    auto start = reinterpret_cast<uintptr_t>(programStart);
    if (address < start || address > start + programLength) scanPosition = programStart + programLength;
    tokenStart = scanPosition; // also when scanning the token raises an error
    // The token read from a position is the one at its first non-blank
    // character, so the slot of the position itself is filled too: the usual
    // read, from just after the previous token, then skips no blanks.
    const size_t readOffset = static_cast<size_t>(scanPosition - programStart);
    uint32_t slot = tokenSlot[readOffset];
    if (!slot) {
        const char* p = scanPosition;
        while (IsBlank(*p))
            ++p;
        const size_t offset = static_cast<size_t>(p - programStart);
        slot = tokenSlot[offset];
        if (!slot) {
            if (CachedToken* token = PassingTokenAt(offset)) return ReadPassingAgain(*token, offset);
            if (!compileOnFirstUse && (scanningWholeText || !HasMark(offset, ReadMark::Read)))
                return ScanPassing(p, offset);
            const char* readFrom = scanPosition;
            ScanIntoCache(p, offset);
            slot = tokenSlot[offset];
            scanPosition = readFrom;
        }
        tokenSlot[readOffset] = slot;
    }
    return tokenCache[slot];
}

// The passing token scanned at offset, if one still holds it: a token put
// back and read again is read once.
Expression_Class::CachedToken* Expression_Class::PassingTokenAt(size_t offset)
{
    for (PassingToken& token : passing) {
        if (token.valid && token.offset == offset) return &token.token;
    }
    return nullptr;
}

// A read of what a passing token holds. The current token put back and read
// again is still read once; otherwise this is a read like any other.
Expression_Class::CachedToken& Expression_Class::ReadPassingAgain(CachedToken& token, size_t offset)
{
    if (&token == currentToken || scanningWholeText) return token;
    if (compileOnFirstUse || HasMark(offset, ReadMark::Read)) return Keep(token, scanPosition);
    SetMark(offset, ReadMark::Read);
    return token;
}

// A first read: scans into the passing token that is not the current one.
Expression_Class::CachedToken& Expression_Class::ScanPassing(const char* p, size_t offset)
{
    PassingToken& target = passing[currentToken == &passing[0].token ? 1 : 0];
    target.valid = false;
    target.token = CachedToken {};
    target.names = NameCache {};
    target.token.names = &target.names;
    tokenText = {};
    tokenType = TokenType::None;
    tokenCode = 0;
    endOfStatement = false;
    const char* readFrom = scanPosition;
    scanPosition = p;
    ScanToken(target.token); // may raise an error (an unterminated string)
    scanPosition = readFrom;
    target.offset = offset;
    target.valid = true;
    if (!scanningWholeText) SetMark(offset, ReadMark::Read);
    return target.token;
}

Expression_Class::CachedToken& Expression_Class::Keep(CachedToken& token, const char* readFrom)
{
    if (!IsPassing(&token)) return token;
    PassingToken& source = &token == &passing[0].token ? passing[0] : passing[1];
    uint32_t slot = tokenSlot[source.offset];
    if (!slot) {
        CachedToken copy = source.token;
        const NameCache& names = source.names;
        copy.names
            = names.variableNode || names.arrayNode || names.nameHash ? &nameCaches.emplace_back(names) : nullptr;
        Store(copy, source.offset);
        slot = tokenSlot[source.offset];
    }
    // The read that made the token current may have begun on blanks before it.
    if (readFrom && readFrom >= programStart && readFrom <= programStart + programLength) {
        const char* p = readFrom;
        while (IsBlank(*p))
            ++p;
        if (static_cast<size_t>(p - programStart) == source.offset)
            tokenSlot[static_cast<size_t>(readFrom - programStart)] = slot;
    }
    return tokenCache[slot];
}

// Out of CompiledAtCurrentToken, whose path for cached tokens stays short.
[[gnu::noinline]] const CompiledExpression* Expression_Class::CompiledAtPassingToken()
{
    if (!IsPassing(currentToken)) return nullptr;
    if (compileOnFirstUse) {
        KeepCurrentToken();
        return CompiledAtCurrentToken();
    }
    // Only a token that is exactly what reading at tokenStart gives counts, as
    // for cached tokens.
    const PassingToken& source = currentToken == &passing[0].token ? passing[0] : passing[1];
    if (tokenStart < programStart || tokenStart > programStart + source.offset) return nullptr;
    const char* p = tokenStart;
    while (IsBlank(*p))
        ++p;
    if (p == programStart + source.offset && scanPosition == programStart + currentToken->endOffset
        && tokenType == currentToken->type && tokenText.data() == currentToken->text.data())
        SetMark(source.offset, ReadMark::Evaluated);
    return nullptr;
}

// Out of NextToken, which reads far more tokens that are no function name.
[[gnu::noinline]] void Expression_Class::LoadFunctionRow(const Codes_Class::Node& row)
{
    functionCode = row.code;
    functionMinArgs = row.minArgs;
    functionMaxArgs = row.maxArgs;
    functionDefaultArg = row.defaultArg;
    functionGroup = row.group;
    functionSignature = row.signature;
}

// The read that caches an offset's token. Kept out of NextToken so that the
// path taken for every token already cached stays short.
[[gnu::noinline]] Expression_Class::CachedToken& Expression_Class::ScanIntoCache(const char* p, size_t offset)
{
    tokenText = {};
    tokenType = TokenType::None;
    tokenCode = 0;
    endOfStatement = false;
    CachedToken scanned;
    scanPosition = p;
    ScanToken(scanned); // may raise an error (an unterminated string)
    return Store(scanned, offset);
}

Expression_Class::CachedToken& Expression_Class::Store(const CachedToken& scanned, size_t offset)
{
    CachedToken& token = tokenCache[tokenCount];
    token = scanned;
    if (HasMark(offset, ReadMark::Evaluated)) token.compiled = CachedToken::EvaluatedOnce;
    tokenSlot[offset] = static_cast<uint32_t>(tokenCount++);
    return token;
}

// Scans the token that starts at the scan position (blanks already skipped)
// into token, including its end offset. Never reads past the terminating NUL.
void Expression_Class::ScanToken(CachedToken& token)
{
    const char* p = scanPosition;
    auto finish = [&](int type, int code, const char* end) {
        token.type = type;
        token.code = code;
        token.endOffset = static_cast<int32_t>(end - programStart);
    };
    auto endOfLine = [&](const char* end) {
        token.text = LineBreakText;
        finish(TokenType::Delimiter, TokenCode::EndOfStatement, end);
    };

    if (*p == '\r') {
        ++p;
        if (*p == '\n') ++p;
        endOfLine(p);
        return;
    }
    if (*p == 0) {
        finish(TokenType::Delimiter, TokenCode::EndOfText, p);
        return;
    }
    if (*p == '\\') {
        ++p;
        if (!(p[0] == '\r' && p[1] == '\n')) {
            endOfLine(p);
            return;
        }
        // A continued line: the statement goes on with the next line, where a
        // line break or the end of the text starts no token.
        p += 2;
        while (IsBlank(*p))
            ++p;
    }
    if (IsLetter(*p) || *p == '_') {
        ScanWord(token, p);
        token.endOffset = static_cast<int32_t>(p - programStart);
        return;
    }
    if (IsDigit(*p) || *p == '.') {
        ScanNumber(token, p);
        token.endOffset = static_cast<int32_t>(p - programStart);
        return;
    }
    if (p[0] == '#' && (p[1] == 'i' || p[1] == 'I')) {
        const char* q = p + 1;
        while (!IsDelimiter(*q))
            ++q;
        AnsiString word(p, q);
        for (char& c : word) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        if (word == "#include") {
            token.text = "#include";
            finish(TokenType::Include, 0, q);
            return;
        }
        // Otherwise the # is an ordinary delimiter (below).
    }
    if (p[0] == '/' && p[1] == '*') {
        // A block comment ends with the line that holds its "*/": either the
        // line opening it, or a later line that contains "*/" anywhere. A line
        // that begins with "*/" ends the comment right after those two
        // characters, and the rest of that line is read as statements.
        const char* q = p + 2;
        bool firstLine = true;
        for (;;) {
            if (!firstLine && q[0] == '*' && q[1] == '/') {
                endOfLine(q + 2);
                return;
            }
            bool closed = false;
            while (*q && *q != '\r') {
                if (q[0] == '*' && q[1] == '/') closed = true;
                ++q;
            }
            if (*q == 0) {
                finish(TokenType::Delimiter, TokenCode::EndOfText, q);
                return;
            }
            ++q;
            if (*q == '\n') ++q;
            if (closed) {
                endOfLine(q);
                return;
            }
            firstLine = false;
        }
    }
    if (p[0] == '\'' || (p[0] == '/' && p[1] == '/')) {
        const char* q = p;
        while (*q && *q != '\n')
            ++q;
        endOfLine(*q ? q + 1 : q);
        return;
    }
    bool shiftPair = (p[0] == '<' || p[0] == '>') && p[1] == p[0];
    if (*p && std::strchr(SingleDelimiters, *p) && !shiftPair) {
        token.text = std::string_view(p, 1);
        finish(TokenType::Delimiter, 0, p + 1);
        return;
    }
    if (*p && std::strchr(OperatorStarts, *p)) {
        char first = p[0];
        char second = 0;
        if (p[1] == first || (first == '!' && p[1] == '=')) second = p[1];
        token.text = std::string_view(p, second ? 2 : 1);
        finish(TokenType::Keyword, SymbolOperatorCode(first, second), p + (second ? 2 : 1));
        return;
    }
    if (*p == '"') {
        const char* q = p + 1;
        for (;;) {
            if (*q == 0 || *q == '\r') {
                scanPosition = q;
                RaiseError(ErrorCode::NoClosingQuote);
            }
            if (*q == '"') {
                if (q[1] != '"') break;
                q += 2;
                continue;
            }
            ++q;
        }
        token.text = std::string_view(p + 1, static_cast<size_t>(q - (p + 1)));
        finish(TokenType::String, 0, q + 1);
        return;
    }
    if (p[0] == ':' && (IsLetter(p[1]) || p[1] == '_')) {
        const char* q = p + 1;
        while (!IsDelimiter(*q))
            ++q;
        token.text = std::string_view(p + 1, static_cast<size_t>(q - (p + 1)));
        finish(TokenType::Label, 0, q);
        return;
    }
    finish(TokenType::None, 0, p);
}

// A name: a label, a keyword, a function, a constant, the word sub or a
// variable. Moves p past it.
void Expression_Class::ScanWord(CachedToken& token, const char*& p)
{
    const char* q = p;
    while (!IsDelimiter(*q))
        ++q;
    token.text = std::string_view(p, static_cast<size_t>(q - p));
    p = q;
    if (token.text[0] == '_') {
        token.type = TokenType::OuterVariable;
        return;
    }
    if (token.text.back() == ':') {
        token.text.remove_suffix(1);
        token.type = TokenType::Label;
        return;
    }
    const Vocabulary& words = vocabulary ? *vocabulary : Vocabulary::instance();
    if (const Codes_Class::Node* node = words.statements.Lookup(token.text)) {
        token.type = TokenType::Keyword;
        token.code = node->code;
        if (node->code == TokenCode::Else && p[0] && (p[1] == 'i' || p[1] == 'I') && (p[2] == 'f' || p[2] == 'F')) {
            token.code = TokenCode::ElseIf;
            token.text = "else if";
            p += 3;
        }
        return;
    }
    if (const Codes_Class::Node* node = words.functions.Lookup(token.text)) {
        token.type = TokenType::Function;
        token.code = node->code;
        token.function = node;
        return;
    }
    if (const Codes_Class::Node* node = words.constants.Lookup(token.text)) {
        token.type = TokenType::Constant;
        token.code = node->code;
        return;
    }
    // "sub" is told apart from a variable when the token is read.
    token.type = TokenType::Variable;
    token.subWord = token.text == "sub";
    Names(token).nameHash = Variables_Class::HashName(token.text);
}

// A decimal, hexadecimal (0x) or binary (0%) literal, with its value worked out
// once for the evaluator. Moves p past it.
void Expression_Class::ScanNumber(CachedToken& token, const char*& p)
{
    const char* q = p;
    int type = TokenType::Number;
    if (q[0] == '0' && q[1] == 'x') {
        type = TokenType::Hex;
        q += 2;
    } else if (q[0] == '0' && q[1] == '%') {
        type = TokenType::Binary;
        q += 2;
    }
    for (;;) {
        if (!IsDelimiter(*q)) {
            ++q;
            continue;
        }
        if (type == TokenType::Number && (*q == '+' || *q == '-') && q > p && (q[-1] == 'e' || q[-1] == 'E')) {
            ++q;
            continue;
        }
        break;
    }
    token.text = std::string_view(p, static_cast<size_t>(q - p));
    token.type = type;
    p = q;
    if (type == TokenType::Number) {
        double value = 0;
        token.numberTag = ClassifyNumberText(token.text);
        if (token.numberTag != Tag::String) numbertext::ParseFloat(token.text, value);
        if (token.numberTag == Tag::Int)
            token.intValue = static_cast<int32_t>(value);
        else
            token.floatValue = value;
    } else if (type == TokenType::Hex) {
        token.numberTag = Tag::Int;
        int32_t value = 0;
        token.intValue = numbertext::ParseHexDigits(std::string_view(token.text).substr(2), value) ? value : 0;
    } else {
        token.numberTag = Tag::Int;
        uint32_t bits = 0;
        for (size_t k = 2; k < token.text.size(); ++k) {
            char c = token.text[k];
            if (c != '0' && c != '1') {
                bits = 0;
                break;
            }
            bits = (bits << 1) | static_cast<uint32_t>(c - '0');
        }
        token.intValue = static_cast<int32_t>(bits);
    }
}
