#pragma once

#include "ide/editor/PaintAttr.h"

#include <array>
#include <cstdint>

// A begin/end token of the painter: a block comment or any other construct that
// may span lines. Its state is carried from line to line by the painter.
class TTokenPair {
public:
    // The attribute classes of a run inside an open token.
    enum AttrClass { Own = 0, Strings = 1, Numbers = 2, Symbols = 3, Identifiers = 4 };

    explicit TTokenPair(TsxCustomPainter* owner = nullptr);

    void SetBeginText(const AnsiString& s);
    void SetEndText(const AnsiString& s);
    void SetCaseSensitive(bool b);
    bool CaseSensitive() const { return caseSensitive; }
    const AnsiString& BeginText() const { return beginGiven; }
    const AnsiString& EndText() const { return endGiven; }
    const AnsiString& BeginMatched() const { return beginMatched; }
    const AnsiString& EndMatched() const { return endMatched; }
    int BeginLength() const { return static_cast<int>(beginMatched.size()); }
    int EndLength() const { return static_cast<int>(endMatched.size()); }

    // One character at a time; true when the text is complete (the match
    // position then returns to 1).
    bool MatchBegin(char c);
    bool MatchEnd(char c);
    // True also while a partial match is under way.
    bool PossibleBegin(char c);
    bool PossibleEnd(char c);
    void ResetMatch() { beginPos = endPos = 1; }

    // Whether the begin (end) text starts exactly at p, with available bytes left.
    bool BeginsAt(const char* p, int available) const;
    bool EndsAt(const char* p, int available) const;

    TsxPaintAttr& Attr(int attrClass = Own) { return attrs[static_cast<size_t>(attrClass)]; }

    AnsiString Caption;
    bool Comment = false;
    TTokenPair* Parent = nullptr;
    int32_t TokenId = 0;
    bool OriginStyle = false;
    bool OriginFront = false;
    bool OriginBack = false;

private:
    char Fold(char c, bool isEnd) const;
    bool Feed(char c, const AnsiString& text, int& pos, bool isEnd);
    bool Starts(const char* p, int available, const AnsiString& text, bool isEnd) const;
    void Derive();

    AnsiString beginMatched;
    AnsiString endMatched;
    AnsiString beginGiven;
    AnsiString endGiven;
    int beginPos = 1;
    int endPos = 1;
    bool caseSensitive = false;
    std::array<TsxPaintAttr, 5> attrs;
};
