#include "ide/editor/TokenPair.h"

#include "ide/editor/TextHelpers.h"

TTokenPair::TTokenPair(TsxCustomPainter* owner)
    : attrs { TsxPaintAttr(owner), TsxPaintAttr(owner), TsxPaintAttr(owner), TsxPaintAttr(owner), TsxPaintAttr(owner) }
{
    for (TsxPaintAttr& a : attrs)
        a.SetOwner(owner);
    Derive();
}

char TTokenPair::Fold(char c, bool) const
{
    return caseSensitive ? c : FoldCase(c);
}

void TTokenPair::Derive()
{
    beginMatched = caseSensitive ? beginGiven : FoldCase(beginGiven);
    // An empty end is matched as the CR after the line: the token ends with its line.
    endMatched = endGiven.empty() ? AnsiString("\r") : (caseSensitive ? endGiven : FoldCase(endGiven));
    ResetMatch();
}

void TTokenPair::SetBeginText(const AnsiString& s)
{
    beginGiven = s;
    Derive();
}

void TTokenPair::SetEndText(const AnsiString& s)
{
    endGiven = s;
    Derive();
}

void TTokenPair::SetCaseSensitive(bool b)
{
    caseSensitive = b;
    Derive();
}

bool TTokenPair::Feed(char c, const AnsiString& text, int& pos, bool isEnd)
{
    if (text.empty()) return false;
    c = Fold(c, isEnd);
    if (c == text[static_cast<size_t>(pos - 1)])
        ++pos;
    else
        pos = c == text[0] ? 2 : 1;
    if (pos > static_cast<int>(text.size())) {
        pos = 1;
        return true;
    }
    return false;
}

bool TTokenPair::MatchBegin(char c)
{
    return Feed(c, beginMatched, beginPos, false);
}
bool TTokenPair::MatchEnd(char c)
{
    return Feed(c, endMatched, endPos, true);
}
bool TTokenPair::PossibleBegin(char c)
{
    return MatchBegin(c) || beginPos > 1;
}
bool TTokenPair::PossibleEnd(char c)
{
    return MatchEnd(c) || endPos > 1;
}

bool TTokenPair::Starts(const char* p, int available, const AnsiString& text, bool isEnd) const
{
    const int length = static_cast<int>(text.size());
    if (length == 0 || available < length) return false;
    for (int k = 0; k < length; ++k)
        if (Fold(p[k], isEnd) != text[static_cast<size_t>(k)]) return false;
    return true;
}

bool TTokenPair::BeginsAt(const char* p, int available) const
{
    return Starts(p, available, beginMatched, false);
}
bool TTokenPair::EndsAt(const char* p, int available) const
{
    return Starts(p, available, endMatched, true);
}
