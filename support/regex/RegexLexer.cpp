#include "support/regex/RegexLexer.h"

#include <cstring>

namespace {
// Code points of the Windows-1252 bytes 0x80 to 0x9F (0 where the byte is unassigned).
constexpr unsigned short kHighControlCodes[32] = { 0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6,
    0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
    0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178 };

constexpr const char* kPatternSpecials = "$()*+.?[{|}^";

int HexValue(char character)
{
    if (character >= '0' && character <= '9') return character - '0';
    if (character >= 'a' && character <= 'f') return character - 'a' + 10;
    if (character >= 'A' && character <= 'F') return character - 'A' + 10;
    return -1;
}

bool IsPatternWhiteSpace(char character)
{
    return character == ' ' || character == '\t' || character == '\r' || character == '\n' || character == '\v'
        || character == '\f';
}

char ConvertCase(char character, bool upper)
{
    if (upper && character >= 'a' && character <= 'z') return static_cast<char>(character - 'a' + 'A');
    if (!upper && character >= 'A' && character <= 'Z') return static_cast<char>(character - 'A' + 'a');
    return character;
}
} // namespace

int ByteForCode(long code)
{
    if (code >= 0 && code <= 0xFF) return static_cast<int>(code);
    for (int index = 0; index < 32; ++index)
        if (kHighControlCodes[index] == code) return 0x80 + index;
    return -1;
}

RegexLexer::RegexLexer(CBufferRefT<char> pattern, bool ignoreWhiteSpace)
    : m_pattern(pattern)
    , m_ignoreWhiteSpace(ignoreWhiteSpace)
{
    for (int& last : m_lastCloser)
        last = -1;
    for (int index = 0; index < m_pattern.Size(); ++index)
        if (const char* closer = std::strchr(kClosers, m_pattern[index]); closer && *closer)
            m_lastCloser[closer - kClosers] = index;
}

bool RegexLexer::Occurs(char terminator, int from) const
{
    if (terminator != 0)
        if (const char* closer = std::strchr(kClosers, terminator)) return m_lastCloser[closer - kClosers] >= from;
    for (int index = from; index < m_pattern.Size(); ++index)
        if (m_pattern[index] == terminator) return true;
    return false;
}

Token RegexLexer::Next(LexMode mode)
{
    return Lex(mode);
}

Token RegexLexer::Peek(LexMode mode, int ahead) const
{
    RegexLexer copy = *this;
    Token token = copy.Lex(mode);
    for (int index = 0; index < ahead; ++index)
        token = copy.Lex(mode);
    return token;
}

bool RegexLexer::Accept(const char* text)
{
    int size = static_cast<int>(std::strlen(text));
    if (m_position + size > m_pattern.Size()) return false;
    if (std::memcmp(m_pattern.Data() + m_position, text, static_cast<std::size_t>(size)) != 0) return false;
    m_position += size;
    return true;
}

bool RegexLexer::ReadUntil(char terminator, std::string& text)
{
    if (!Occurs(terminator, m_position)) return false;
    for (int index = m_position; index < m_pattern.Size(); ++index) {
        if (m_pattern[index] == terminator) {
            text.assign(m_pattern.Data() + m_position, static_cast<std::size_t>(index - m_position));
            m_position = index + 1;
            return true;
        }
    }
    return false;
}

void RegexLexer::SkipWhiteSpace(LexMode mode)
{
    if (!m_ignoreWhiteSpace) return;
    while (m_position < m_pattern.Size()) {
        char character = m_pattern[m_position];
        if (IsPatternWhiteSpace(character)) {
            ++m_position;
        } else if (character == '#' && mode == LexMode::Pattern) {
            while (m_position < m_pattern.Size() && m_pattern[m_position] != '\n')
                ++m_position;
        } else {
            break;
        }
    }
}

int RegexLexer::ReadHex(int maximumDigits)
{
    long value = 0;
    int digits = 0;
    while (digits < maximumDigits && m_position < m_pattern.Size() && HexValue(m_pattern[m_position]) >= 0) {
        value = value * 16 + HexValue(m_pattern[m_position]);
        ++m_position;
        ++digits;
    }
    return ByteForCode(value);
}

Token RegexLexer::Lex(LexMode mode)
{
    for (;;) {
        Token token;
        if (m_run != Run::None) {
            if (Accept("\\E")) {
                m_run = Run::None;
                continue;
            }
            token.start = m_position;
            if (AtEnd()) {
                token.end = m_position;
                return token;
            }
            char character = m_pattern[m_position++];
            if (m_run != Run::Quote) character = ConvertCase(character, m_run == Run::Upper);
            token.kind = TokenKind::Literal;
            token.value = static_cast<unsigned char>(character);
            token.end = m_position;
            return token;
        }
        SkipWhiteSpace(mode);
        token.start = m_position;
        if (AtEnd()) {
            token.end = m_position;
            return token;
        }
        char character = m_pattern[m_position];
        if (character == '\\' && m_position + 1 < m_pattern.Size()) {
            char escaped = m_pattern[m_position + 1];
            if (escaped == 'Q' || escaped == 'L' || escaped == 'U' || escaped == 'E') {
                // \E outside a run has nothing to end and is dropped.
                m_position += 2;
                m_run = escaped == 'Q' ? Run::Quote
                    : escaped == 'L'   ? Run::Lower
                    : escaped == 'U'   ? Run::Upper
                                       : Run::None;
                continue;
            }
            m_position += 2;
            token = LexEscape(mode, token.start);
            token.end = m_position;
            return token;
        }
        ++m_position;
        token.kind = TokenKind::Literal;
        token.value = static_cast<unsigned char>(character);
        if (mode == LexMode::Pattern) {
            if (std::strchr(kPatternSpecials, character) && character != '\0') token.kind = TokenKind::Special;
        } else if (character == ']' || character == '-' || character == '^') {
            token.kind = TokenKind::Special;
        } else if (character == '[' && m_position < m_pattern.Size() && m_pattern[m_position] == ':') {
            ++m_position;
            token.kind = TokenKind::PosixOpen;
        } else if (character == ':' && m_position < m_pattern.Size() && m_pattern[m_position] == ']') {
            ++m_position;
            token.kind = TokenKind::PosixClose;
        }
        token.end = m_position;
        return token;
    }
}

// Called with the position just past the escaped character.
Token RegexLexer::LexEscape(LexMode mode, int start)
{
    Token token;
    token.start = start;
    token.kind = TokenKind::Literal;
    char escaped = m_pattern[m_position - 1];
    bool inClass = mode == LexMode::Class;
    switch (escaped) {
    case 'a':
        token.value = 7;
        return token;
    case 'e':
        token.value = 27;
        return token;
    case 'f':
        token.value = 12;
        return token;
    case 'n':
        token.value = 10;
        return token;
    case 'r':
        token.value = 13;
        return token;
    case 't':
        token.value = 9;
        return token;
    case 'v':
        token.value = 11;
        return token;
    case 'x':
        if (m_position < m_pattern.Size() && m_pattern[m_position] == '{') {
            int brace = m_position;
            ++m_position;
            token.value = ReadHex(8);
            if (m_position < m_pattern.Size() && m_pattern[m_position] == '}') {
                ++m_position;
            } else {
                // No closing brace: \x with no digits, followed by a literal "{".
                m_position = brace;
                token.value = 0;
            }
        } else {
            token.value = ReadHex(2);
        }
        return token;
    case 'u':
        token.value = ReadHex(4);
        return token;
    case 'd':
    case 'D':
    case 's':
    case 'S':
    case 'w':
    case 'W':
        token.kind = TokenKind::ClassEscape;
        token.value = escaped;
        return token;
    case 'b':
        if (inClass) {
            token.value = 8;
            return token;
        }
        token.kind = TokenKind::Anchor;
        token.value = escaped;
        return token;
    case 'A':
    case 'Z':
    case 'B':
    case 'G':
        if (!inClass) token.kind = TokenKind::Anchor;
        token.value = escaped;
        return token;
    case 'k':
    case 'g':
        if (!inClass && m_position < m_pattern.Size()) {
            char opener = m_pattern[m_position];
            char closer = opener == '<' ? '>' : (opener == '\'' && escaped == 'k') ? '\'' : '\0';
            int saved = m_position;
            ++m_position;
            if (closer && ReadUntil(closer, token.name)) {
                token.kind = TokenKind::NamedBackref;
                return token;
            }
            m_position = saved;
        }
        token.value = static_cast<unsigned char>(escaped);
        return token;
    default:
        break;
    }
    if (!inClass && escaped >= '1' && escaped <= '9') {
        int number = escaped - '0';
        for (int digits = 1; digits < 3 && m_position < m_pattern.Size(); ++digits) {
            char digit = m_pattern[m_position];
            if (digit < '0' || digit > '9') break;
            number = number * 10 + (digit - '0');
            ++m_position;
        }
        token.kind = TokenKind::Backref;
        token.value = number;
        return token;
    }
    token.value = static_cast<unsigned char>(escaped);
    return token;
}
