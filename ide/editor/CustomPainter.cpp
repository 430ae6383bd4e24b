#include "ide/editor/CustomPainter.h"

#include "ide/editor/QzText.h"
#include "ide/editor/TextHelpers.h"

#include <algorithm>
#include <thread>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

TsxCustomPainter::TsxCustomPainter()
    : Symbols(this)
    , Comments(this)
    , Identifiers(this)
    , Strings(this)
    , Numbers(this)
    , colorMap { TsxPaintAttr(this), TsxPaintAttr(this), TsxPaintAttr(this) }
{
    for (TsxPaintAttr& a : colorMap)
        a.SetOwner(this);
    Symbols.Style = FontStyle::Bold;
    Comments.ColorFront = 0x808080;
    Comments.Style = FontStyle::Italic;
    Identifiers.ColorFront = 0x000000;
    Strings.ColorFront = 0x008000;
    Strings.Style = FontStyle::Italic;
    Numbers.ColorFront = 0xFF0000;
    Numbers.Style = FontStyle::Bold;
    numberChars = GetSortedString("ABCDEFGabcdefghHx");
    wordChars = GetSortedString("QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm1234567890_");
    symbolChars = GetSortedString("=-+*/\\()[]^~`:<>?.,|");
    stringChars = "'\"";
    lineCR = "\r";
}

TsxCustomPainter::~TsxCustomPainter()
{
    freeHandlers.Call(this);
}

void TsxCustomPainter::AddFreeNotify(const TqzNotifyHandler& handler)
{
    if (freeHandlers.IndexOf(handler) < 0) freeHandlers.Add(handler);
}

void TsxCustomPainter::DelFreeNotify(const TqzNotifyHandler& handler)
{
    freeHandlers.Delete(freeHandlers.IndexOf(handler));
}

void TsxCustomPainter::BeginUpdate()
{
    ++updateCount;
}

void TsxCustomPainter::EndUpdate()
{
    if (updateCount > 0) --updateCount;
    if (updateCount == 0) DoUpdate();
}

void TsxCustomPainter::DoUpdate()
{
    if (inUpdate) return;
    inUpdate = true;
    AnsiString begins;
    for (const auto& pair : tokenPairs)
        if (!pair->BeginMatched().empty()) begins.push_back(pair->BeginMatched()[0]);
    possibleBeginChars = GetSortedString(begins);
    // A comment token at top level always shows in the comment colours.
    for (const auto& pair : tokenPairs) {
        if (!pair->Comment || pair->Parent) continue;
        for (int k = 0; k < 5; ++k) {
            TsxPaintAttr& a = pair->Attr(k);
            a.ColorFront = Comments.ColorFront;
            a.ColorBack = Comments.ColorBack;
            a.Style = Comments.Style;
        }
    }
    handlers.Call(this);
    inUpdate = false;
}

void TsxCustomPainter::AddNotify(const TqzNotifyHandler& handler)
{
    if (handlers.IndexOf(handler) < 0) handlers.Add(handler);
}

void TsxCustomPainter::DelNotify(const TqzNotifyHandler& handler)
{
    handlers.Delete(handlers.IndexOf(handler));
}

void TsxCustomPainter::SetColor(int i, TColor colour)
{
    if (i < 0 || i > 3) return;
    BeginUpdate();
    if (i == 3)
        colorMap[2].ColorFront = colour;
    else
        colorMap[static_cast<size_t>(i)].ColorBack = colour;
    EndUpdate();
}

TColor TsxCustomPainter::GetColor(int i) const
{
    if (i == 3) return colorMap[2].ColorFront;
    if (i < 0 || i > 2) return 0;
    return colorMap[static_cast<size_t>(i)].ColorBack;
}

TsxPaintAttr* TsxCustomPainter::GetMapAttr(int i)
{
    return (i >= 0 && i < 3) ? &colorMap[static_cast<size_t>(i)] : nullptr;
}

void TsxCustomPainter::SetAttr(TsxPaintAttr& target, const TsxPaintAttr& source)
{
    BeginUpdate();
    target = source;
    EndUpdate();
}

void TsxCustomPainter::SetSorted(AnsiString& target, const AnsiString& s)
{
    BeginUpdate();
    target = GetSortedString(s);
    EndUpdate();
}

void TsxCustomPainter::SetStringChars(const AnsiString& s)
{
    BeginUpdate();
    stringChars = s;
    EndUpdate();
}

void TsxCustomPainter::SetFont(const TFontInfo& f)
{
    font = f;
    DoUpdate();
}

void TsxCustomPainter::SetFileTypes(const std::vector<AnsiString>& types)
{
    BeginUpdate();
    fileTypes = types;
    EndUpdate();
}

void TsxCustomPainter::SetCommonBackground(TColor colour)
{
    BeginUpdate();
    for (const auto& group : wordPacks)
        group->Attr.ColorBack = colour;
    for (const auto& pair : tokenPairs)
        pair->Attr(TTokenPair::Own).ColorBack = colour;
    for (TsxPaintAttr* a : { &Symbols, &Comments, &Identifiers, &Strings, &Numbers })
        a->ColorBack = colour;
    EndUpdate();
}

// --- Lines ---

void TsxCustomPainter::SetLineIndex(int n)
{
    if (lines && n >= 0 && n < lines->Count()) {
        currentLine = n;
        lineText = TabsToStr((*lines)[n], tabWidth);
        lineLower = FoldCase(lineText);
        lineCR = lineText + "\r";
        lineLength = static_cast<int>(lineText.size());
        lineCRLength = lineLength + 1;
        // An empty line passes its start state on unchanged; only a known state
        // is passed, so the table never gains guessed entries.
        if (lineLength == 0 && n < static_cast<int>(tokenByLine.size()))
            SetTokenByLine(n + 1, tokenByLine[static_cast<size_t>(n)]);
    } else {
        currentLine = -1;
        lineText.clear();
        lineLower.clear();
        lineCR = "\r";
        lineLength = 0;
        lineCRLength = 1;
    }
}

// --- Token stack and per-line table ---

void TsxCustomPainter::TokenStackPush(TTokenPair* pair)
{
    if (!pair) return;
    if (pair->Parent && GetTopToken() != pair->Parent) {
        // The chain is bounded by the number of pairs, so a parent cycle cannot loop.
        std::vector<TTokenPair*> chain;
        for (TTokenPair* p = pair->Parent; p && chain.size() <= tokenPairs.size(); p = p->Parent)
            chain.push_back(p);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            tokenStack.push_back(*it);
    }
    tokenStack.push_back(pair);
}

void TsxCustomPainter::TokenStackPop()
{
    if (!tokenStack.empty()) tokenStack.pop_back();
}

TTokenPair* TsxCustomPainter::GetTokenByLine(int n) const
{
    return (n >= 0 && n < static_cast<int>(tokenByLine.size())) ? tokenByLine[static_cast<size_t>(n)] : nullptr;
}

void TsxCustomPainter::SetTokenByLine(int n, TTokenPair* pair)
{
    if (n < 0) return;
    if (static_cast<int>(tokenByLine.size()) <= n)
        tokenByLine.resize(static_cast<size_t>(n) + 1, nullptr);
    else if (tokenByLine[static_cast<size_t>(n)] == pair)
        return;
    tokenByLine[static_cast<size_t>(n)] = pair;
    tokenByLine.resize(static_cast<size_t>(n) + 1);
}

int TsxCustomPainter::GetValidTokenLine() const
{
    return tokenByLine.empty() ? 0 : static_cast<int>(tokenByLine.size()) - 1;
}

void TsxCustomPainter::InvalidateTokenLines(int n)
{
    if (n < 0)
        tokenByLine.clear();
    else if (static_cast<int>(tokenByLine.size()) > n + 1)
        tokenByLine.resize(static_cast<size_t>(n) + 1);
}

void TsxCustomPainter::CloseEmptyEndToken()
{
    TTokenPair* top = GetTopToken();
    if (top && top->EndText().empty()) {
        TokenStackPop();
        ResetTokenPairs();
    }
}

void TsxCustomPainter::UpdateTokenStackByLine(int n)
{
    if (!GetIsChainChange()) return;
    const int previous = currentLine;
    TokenStackClear();
    const int v = GetValidTokenLine();
    if (n > v) {
        TokenStackPush(GetTokenByLine(v));
        for (int c = v; c < n; ++c) {
            SetLineIndex(c);
            for (int p = 1; p <= lineLength; ++p) {
                if (!IsComment(p, nullptr) && !IsToken(p, nullptr)) IsString(p, nullptr);
            }
            CloseEmptyEndToken();
            SetTokenByLine(c + 1, GetTopToken());
            std::this_thread::yield();
        }
    } else {
        TokenStackPush(GetTokenByLine(n));
    }
    SetLineIndex(previous);
    stackLine = n;
}

TColor TsxCustomPainter::GetColorAfterLineEnd()
{
    TTokenPair* top = GetTopToken();
    if (stackLine == currentLine && currentLine >= 0 && top) return top->Attr(TTokenPair::Own).ColorBack;
    if (lines && currentLine >= 0 && currentLine < lines->Count() - 1) {
        UpdateTokenStackByLine(currentLine + 1);
        if (TTokenPair* next = GetTopToken()) return next->Attr(TTokenPair::Own).ColorBack;
    }
    return GetColor(0);
}

// --- Recognisers ---

void TsxCustomPainter::AdjustForToken(TsxPaintAttr* attr, int attrClass) const
{
    TTokenPair* top = GetTopToken();
    if (!attr || !top) return;
    const TsxPaintAttr& a = top->Attr(attrClass);
    if (!top->OriginStyle) attr->Style = a.Style;
    if (!top->OriginBack) attr->ColorBack = a.ColorBack;
    if (!top->OriginFront) attr->ColorFront = a.ColorFront;
}

bool TsxCustomPainter::IsComment(int& pos, TsxPaintAttr* attr)
{
    TTokenPair* top = GetTopToken();
    if (top && top->Comment) {
        for (int p = pos; p <= lineCRLength; ++p) {
            if (top->EndsAt(&lineCR[static_cast<size_t>(p - 1)], lineCRLength - p + 1)) {
                pos = p + top->EndLength() - 1;
                AdjustForToken(attr, TTokenPair::Own);
                TokenStackPop();
                ResetTokenPairs();
                return true;
            }
        }
        pos = lineCRLength;
        AdjustForToken(attr, TTokenPair::Own);
        return true;
    }
    int skipped = 0;
    if (pos <= lineLength && SkipSLComment(&lineText[static_cast<size_t>(pos - 1)], skipped)) {
        pos = lineLength;
        if (attr) *attr = Comments;
        return true;
    }
    return false;
}

bool TsxCustomPainter::SkipSLComment(const char* p, int& n) const
{
    if (!p) return false;
    for (const SlComment& c : slComments) {
        if (c.text.empty()) continue;
        size_t k = 0;
        for (; k < c.text.size() && p[k]; ++k) {
            char a = c.caseSensitive ? p[k] : FoldCase(p[k]);
            char b = c.caseSensitive ? c.text[k] : FoldCase(c.text[k]);
            if (a != b) break;
        }
        if (k == c.text.size()) {
            size_t d = 0;
            while (p[d] && p[d] != '\r')
                ++d;
            n += static_cast<int>(d);
            return true;
        }
    }
    return false;
}

bool TsxCustomPainter::IsString(int& pos, TsxPaintAttr* attr)
{
    if (pos > lineLength) return false;
    const char quote = At(pos);
    if (stringChars.find(quote) == AnsiString::npos) return false;
    size_t close = lineText.find(quote, static_cast<size_t>(pos));
    pos = close == AnsiString::npos ? lineLength : static_cast<int>(close) + 1;
    if (attr) {
        *attr = Strings;
        AdjustForToken(attr, TTokenPair::Strings);
    }
    return true;
}

bool TsxCustomPainter::IsNumber(int& pos, TsxPaintAttr* attr)
{
    if (pos > lineLength) return false;
    const char c = At(pos);
    if (!IsDigit(c) && !IsCharInSortStr(c, numberPrefixChars)) return false;
    while (pos < lineLength && (IsDigit(At(pos + 1)) || IsCharInSortStr(At(pos + 1), numberChars)))
        ++pos;
    if (attr) {
        *attr = Numbers;
        AdjustForToken(attr, TTokenPair::Numbers);
    }
    return true;
}

bool TsxCustomPainter::IsSymbol(int& pos, TsxPaintAttr* attr)
{
    if (pos > lineLength || !IsCharInSortStr(At(pos), symbolChars)) return false;
    if (attr) {
        *attr = Symbols;
        AdjustForToken(attr, TTokenPair::Symbols);
    }
    return true;
}

bool TsxCustomPainter::IsWords(int& pos, TsxPaintAttr* attr)
{
    if (pos > lineLength || !IsCharInSortStr(At(pos), wordChars)) return false;
    const int start = pos;
    int end = pos;
    while (end < lineLength && IsCharInSortStr(At(end + 1), wordChars)
        && !IsCharInSortStr(At(end + 1), possibleBeginChars))
        ++end;
    const int length = end - start + 1;
    const char* written = &lineText[static_cast<size_t>(start - 1)];
    const char* folded = &lineLower[static_cast<size_t>(start - 1)];
    const uint32_t writtenHash = TPackWords::Hash(written, length);
    const uint32_t foldedHash = TPackWords::Hash(folded, length);
    TTokenPair* top = GetTopToken();
    for (const auto& group : wordPacks) {
        if (group->ParentToken && group->ParentToken != top) continue;
        bool found = group->CaseSensitive ? group->FindWordHash(written, length, writtenHash)
                                          : group->FindWordHash(folded, length, foldedHash);
        if (found) {
            pos = end;
            if (attr) *attr = group->Attr;
            return true;
        }
    }
    pos = end;
    if (length > 1 && IsCharInSortStr(At(end), symbolChars)) --pos;
    return false;
}

bool TsxCustomPainter::IsToken(int& pos, TsxPaintAttr* attr)
{
    if (pos > lineLength) return false;
    const char* here = &lineText[static_cast<size_t>(pos - 1)];
    const int available = lineLength - pos + 1;
    TTokenPair* top = GetTopToken();
    if (top && top->EndsAt(here, available)) {
        pos += top->EndLength() - 1;
        if (attr) *attr = top->Attr(TTokenPair::Own);
        TokenStackPop();
        ResetTokenPairs();
        return true;
    }
    for (const auto& pair : tokenPairs) {
        if (pair->Parent != top || pair->BeginMatched().empty()) continue;
        if (pair->BeginsAt(here, available)) {
            pos += pair->BeginLength() - 1;
            if (attr) *attr = pair->Attr(TTokenPair::Own);
            TokenStackPush(pair.get());
            ResetTokenPairs();
            return true;
        }
    }
    return false;
}

int TsxCustomPainter::Paintline(int start, TsxPaintAttr& attr)
{
    if (OnPaintLine) {
        int index = start;
        bool handled = false;
        OnPaintLine(this, lineText, index, attr, handled);
        if (handled) return index;
    }
    if (start == 1) UpdateTokenStackByLine(currentLine);
    ResetTokenPairs();
    int pos = std::max(1, start);
    bool found = pos > lineLength;
    if (!found) found = IsComment(pos, &attr);
    if (!found) found = IsString(pos, &attr);
    int tokenPos = pos;
    bool tokenFound = false;
    if (!found) tokenFound = IsToken(tokenPos, &attr);
    if (!found) found = IsNumber(pos, &attr);
    if (!found) found = IsWords(pos, &attr);
    if (!found && !tokenFound) found = IsSymbol(pos, &attr);
    if (tokenFound && !found) pos = tokenPos;
    if (!found && !tokenFound) {
        attr = Identifiers;
        AdjustForToken(&attr, TTokenPair::Identifiers);
    }
    if (pos <= lineLength) return pos;
    CloseEmptyEndToken();
    if (currentLine >= 0) SetTokenByLine(currentLine + 1, GetTopToken());
    return lineLength;
}

// --- Word groups, token pairs, comments ---

int TsxCustomPainter::AddWordPack(
    const AnsiString& caption, const AnsiString& words, bool caseSensitive, char separator)
{
    auto group = std::make_unique<TPackWords>(this);
    group->Caption = caption;
    group->CaseSensitive = caseSensitive;
    group->AddWords(words, separator);
    wordPacks.push_back(std::move(group));
    return static_cast<int>(wordPacks.size()) - 1;
}

TPackWords* TsxCustomPainter::GetWordPack(int i) const
{
    return (i >= 0 && i < GetWordPackCount()) ? wordPacks[static_cast<size_t>(i)].get() : nullptr;
}

int TsxCustomPainter::IndexOfWordPack(const TPackWords* group) const
{
    for (int i = 0; i < GetWordPackCount(); ++i)
        if (wordPacks[static_cast<size_t>(i)].get() == group) return i;
    return -1;
}

void TsxCustomPainter::DelWordPack(int i)
{
    if (i >= 0 && i < GetWordPackCount()) wordPacks.erase(wordPacks.begin() + i);
}

void TsxCustomPainter::ClearWordPack()
{
    wordPacks.clear();
}

int TsxCustomPainter::AddTokenPair(
    const AnsiString& caption, const AnsiString& begin, const AnsiString& end, bool caseSensitive)
{
    auto pair = std::make_unique<TTokenPair>(this);
    pair->Caption = caption;
    pair->SetCaseSensitive(caseSensitive);
    pair->SetBeginText(begin);
    pair->SetEndText(end);
    tokenPairs.push_back(std::move(pair));
    return static_cast<int>(tokenPairs.size()) - 1;
}

TTokenPair* TsxCustomPainter::GetTokenPair(int i) const
{
    return (i >= 0 && i < GetTokenPairCount()) ? tokenPairs[static_cast<size_t>(i)].get() : nullptr;
}

int TsxCustomPainter::IndexOfTokenPair(const TTokenPair* pair) const
{
    for (int i = 0; i < GetTokenPairCount(); ++i)
        if (tokenPairs[static_cast<size_t>(i)].get() == pair) return i;
    return -1;
}

void TsxCustomPainter::DropTokenReferences(const TTokenPair* pair)
{
    // No stack entry, table entry or parent link may outlive the pair it names.
    tokenStack.clear();
    tokenByLine.clear();
    for (const auto& other : tokenPairs)
        if (other->Parent == pair) other->Parent = nullptr;
    for (const auto& group : wordPacks)
        if (group->ParentToken == pair) group->ParentToken = nullptr;
}

void TsxCustomPainter::DelTokenPair(int i)
{
    if (i < 0 || i >= GetTokenPairCount()) return;
    DropTokenReferences(tokenPairs[static_cast<size_t>(i)].get());
    tokenPairs.erase(tokenPairs.begin() + i);
}

void TsxCustomPainter::ClearTokenPairs()
{
    while (!tokenPairs.empty())
        DelTokenPair(GetTokenPairCount() - 1);
}

void TsxCustomPainter::ResetTokenPairs()
{
    for (const auto& pair : tokenPairs)
        pair->ResetMatch();
}

void TsxCustomPainter::AddComments(const AnsiString& begin, const AnsiString& end, bool caseSensitive)
{
    if (end.empty()) {
        slComments.push_back({ begin, caseSensitive });
        return;
    }
    auto pair = std::make_unique<TTokenPair>(this);
    pair->Caption = "Comments";
    pair->SetCaseSensitive(caseSensitive);
    pair->SetBeginText(begin);
    pair->SetEndText(end);
    pair->Comment = true;
    pair->Attr(TTokenPair::Own) = Comments;
    tokenPairs.insert(tokenPairs.begin(), std::move(pair));
}

void TsxCustomPainter::ClearComments()
{
    slComments.clear();
}

AnsiString TsxCustomPainter::GetSlComment(int i) const
{
    return (i >= 0 && i < GetSlCommentCount()) ? slComments[static_cast<size_t>(i)].text : AnsiString();
}

void TsxCustomPainter::Assign(const TsxCustomPainter& source)
{
    if (&source == this) return;
    BeginUpdate();
    TokenStackClear();
    for (int i = 0; i < 4; ++i)
        SetColor(i, source.GetColor(i));
    font = source.font;
    Caption = source.Caption;
    textSample = source.textSample;
    for (int i = 0; i < std::min(GetWordPackCount(), source.GetWordPackCount()); ++i) {
        TPackWords& mine = *wordPacks[static_cast<size_t>(i)];
        const TPackWords& theirs = *source.wordPacks[static_cast<size_t>(i)];
        mine.Caption = theirs.Caption;
        mine.ParentTokenId = 0;
        mine.ParentToken = nullptr;
        mine.Attr = theirs.Attr;
    }
    for (int i = 0; i < std::min(GetTokenPairCount(), source.GetTokenPairCount()); ++i)
        tokenPairs[static_cast<size_t>(i)]->Attr(TTokenPair::Own)
            = source.tokenPairs[static_cast<size_t>(i)]->Attr(TTokenPair::Own);
    EndUpdate();
}
