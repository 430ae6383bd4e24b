#pragma once

#include "support/regex/RegexBuffer.h"

#include <string>

// One token of a pattern: a character with a "special" mark, or one of the
// escapes that stand for more than a character.
enum class TokenKind {
    End,
    Literal, // value: the character (a code above 255 that no byte stands for reads as -1)
    Special, // value: the unescaped special character
    ClassEscape, // value: d D s S w W
    Anchor, // value: A Z b B G
    Backref, // value: the group number
    NamedBackref, // name: the group name
    PosixOpen, // "[:" inside a class
    PosixClose // ":]" inside a class
};

struct Token {
    TokenKind kind = TokenKind::End;
    int value = 0;
    std::string name;
    int start = 0; // offset of the token in the pattern
    int end = 0; // offset just past it
};

// Outside or inside a bracket class: the two sets of special characters.
enum class LexMode { Pattern, Class };

// Reads a pattern token by token. The state is small (a position and the
// \Q, \L, \U run in force), so looking ahead simply lexes a copy.
class RegexLexer {
public:
    RegexLexer(CBufferRefT<char> pattern, bool ignoreWhiteSpace);

    Token Next(LexMode mode);
    Token Peek(LexMode mode, int ahead = 0) const;

    // Raw access for the constructs that are read character by character: group openers, braces, names.
    int Position() const { return m_position; }
    void SetPosition(int position)
    {
        m_position = position;
        m_run = Run::None;
    }
    bool AtEnd() const { return m_position >= m_pattern.Size(); }
    // True (and consumed) when the pattern continues with `text` here.
    bool Accept(const char* text);
    char RawAt(int offset) const
    {
        int index = m_position + offset;
        return index < m_pattern.Size() ? m_pattern[index] : '\0';
    }
    // Reads up to (not including) `terminator`; false, with nothing consumed, when it never comes.
    bool ReadUntil(char terminator, std::string& text);
    // Whether `terminator` comes anywhere from `from` on. For the closing
    // characters that constructs look for this takes no scan, so a pattern of
    // many unclosed openers still compiles in linear time.
    bool Occurs(char terminator, int from) const;
    const CBufferRefT<char>& Pattern() const { return m_pattern; }

private:
    enum class Run { None, Quote, Lower, Upper };

    Token Lex(LexMode mode);
    Token LexEscape(LexMode mode, int start);
    void SkipWhiteSpace(LexMode mode);
    int ReadHex(int maximumDigits);

    // The closing characters searched for ahead, and the last offset of each
    // in the pattern (-1 when absent).
    static constexpr char kClosers[] = "}>':)]";
    int m_lastCloser[sizeof(kClosers) - 1];

    CBufferRefT<char> m_pattern;
    bool m_ignoreWhiteSpace;
    int m_position = 0;
    Run m_run = Run::None;
};

// The byte that a character code stands for in the texts' 8-bit code page, or -1 when none does.
int ByteForCode(long code);
