#include "ide/editor/SchemePainter.h"

#include "ide/editor/TextHelpers.h"

namespace {

AnsiString Trim(const AnsiString& s)
{
    size_t first = 0;
    while (first < s.size() && IsBlankByte(s[first]))
        ++first;
    return TrimRightBlanks(s.substr(first));
}

} // namespace

// --- TsxCollectionItem ---

void TsxCollectionItem::SetCaseSens(bool b)
{
    caseSens = b;
    Update();
}

void TsxCollectionItem::SetParentTokenId(int32_t id)
{
    parentTokenId = id;
    Update();
}

// --- TsxWords ---

TsxWords::TsxWords(TsxPainter* ownerPainter)
    : TsxCollectionItem(ownerPainter)
{
    int i = painter->AddWordPack("Words", "", false, '\r');
    group = painter->GetWordPack(i);
}

TsxWords::~TsxWords()
{
    painter->DelWordPack(painter->IndexOfWordPack(group));
}

AnsiString TsxWords::Caption() const
{
    return group->Caption;
}
void TsxWords::SetCaption(const AnsiString& s)
{
    group->Caption = s;
}
const TsxPaintAttr& TsxWords::Attr() const
{
    return group->Attr;
}
void TsxWords::SetAttr(const TsxPaintAttr& a)
{
    group->Attr.Assign(a);
}
void TsxWords::SetOnWordCompare(const TsxOnWordCompare& callback)
{
    group->OnWordCompare = callback;
}

void TsxWords::SetCaseSens(bool b)
{
    TsxCollectionItem::SetCaseSens(b);
}

void TsxWords::SetParentTokenId(int32_t id)
{
    TsxCollectionItem::SetParentTokenId(id);
    painter->DoUpdate();
}

void TsxWords::SetWords(const std::vector<AnsiString>& wordLines)
{
    words = wordLines;
    Update();
}

void TsxWords::SetWordsText(const AnsiString& text)
{
    std::vector<AnsiString> lines;
    AnsiString current;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!current.empty()) lines.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) lines.push_back(current);
    SetWords(lines);
}

void TsxWords::Update()
{
    painter->BeginUpdate();
    group->Clear();
    group->CaseSensitive = caseSens;
    group->ParentTokenId = parentTokenId;
    group->ParentToken = painter->GetTokenByID(parentTokenId);
    AnsiString joined;
    for (const AnsiString& w : words) {
        joined += w;
        joined += '\r';
    }
    group->AddWords(joined, '\r');
    painter->EndUpdate();
}

void TsxWords::Assign(const TsxWords& source)
{
    group->Attr = source.group->Attr;
    caseSens = source.caseSens;
    group->Caption = source.group->Caption;
    SetWords(source.words);
}

// --- TsxToken ---

TsxToken::TsxToken(TsxPainter* ownerPainter, int collectionIndex)
    : TsxCollectionItem(ownerPainter)
{
    int i = painter->AddTokenPair("Tokens #" + std::to_string(collectionIndex), "", "", true);
    pair = painter->GetTokenPair(i);
    caseSens = true;
}

TsxToken::~TsxToken()
{
    painter->DelTokenPair(painter->IndexOfTokenPair(pair));
}

AnsiString TsxToken::Caption() const
{
    return pair->Caption;
}
void TsxToken::SetCaption(const AnsiString& s)
{
    pair->Caption = s;
}
const TsxPaintAttr& TsxToken::Attr() const
{
    return pair->Attr(TTokenPair::Own);
}
void TsxToken::SetAttr(const TsxPaintAttr& a)
{
    pair->Attr(TTokenPair::Own).Assign(a);
}

void TsxToken::SetCaseSens(bool b)
{
    caseSens = b;
    pair->SetCaseSensitive(b);
    Update();
}

void TsxToken::SetTokenBegin(const AnsiString& s)
{
    pair->SetBeginText(Trim(s));
    Update();
}

void TsxToken::SetTokenEnd(const AnsiString& s)
{
    pair->SetEndText(Trim(s));
    Update();
}

void TsxToken::SetComment(bool b)
{
    pair->Comment = b;
    Update();
}

void TsxToken::SetTokenId(int32_t id)
{
    pair->TokenId = id;
    painter->DoUpdate();
}

void TsxToken::SetOriginStyle(bool b)
{
    pair->OriginStyle = b;
    Update();
}

void TsxToken::SetOriginBack(bool b)
{
    pair->OriginBack = b;
    Update();
}

void TsxToken::SetOriginFront(bool b)
{
    pair->OriginFront = b;
    Update();
}

void TsxToken::Update()
{
    painter->BeginUpdate();
    painter->EndUpdate();
}

void TsxToken::Assign(const TsxToken& source)
{
    pair->Attr(TTokenPair::Own) = source.pair->Attr(TTokenPair::Own);
    caseSens = source.caseSens;
    pair->SetCaseSensitive(caseSens);
    pair->Caption = source.pair->Caption;
    pair->SetBeginText(source.pair->BeginText());
    pair->SetEndText(source.pair->EndText());
    pair->Comment = source.pair->Comment;
    Update();
}

// --- TsxPainter ---

TsxPainter::TsxPainter()
    : ReservedWords(this)
    , Tokens(this)
{
    SetColor(0, 0xB1CFB9);
    SetColor(1, 0xABB077);
    SetColor(2, 0x00FFFF);
    SetColor(3, 0xFF0000);
    SetNumberChars("");
    SetNumberPrefixChars("");
    SetStringChars("");
}

// The collections go first: their items remove their runtime objects from the
// lists that the base class still owns.
TsxPainter::~TsxPainter()
{
    Tokens.Clear();
    ReservedWords.Clear();
}

AnsiString TsxPainter::GetTextSample() const
{
    AnsiString r;
    for (size_t k = 0; k < sample.size(); ++k) {
        if (k > 0) r += "\r\n";
        r += sample[k];
    }
    return r;
}

void TsxPainter::SetSample(const std::vector<AnsiString>& sampleLines)
{
    sample = sampleLines;
    SetTextSample(GetTextSample());
}

void TsxPainter::SetCaseSens(bool b)
{
    if (b == caseSens) return;
    BeginUpdate();
    caseSens = b;
    EndUpdate();
}

TTokenPair* TsxPainter::GetTokenByID(int32_t id) const
{
    if (id <= 0) return nullptr;
    for (int i = 0; i < GetTokenPairCount(); ++i)
        if (GetTokenPair(i)->TokenId == id) return GetTokenPair(i);
    return nullptr;
}

TsxWords* TsxPainter::FindWords(const AnsiString& caption) const
{
    for (int i = 0; i < ReservedWords.Count(); ++i)
        if (ReservedWords[i]->Caption() == caption) return ReservedWords[i];
    return nullptr;
}

void TsxPainter::DoUpdate()
{
    if (updating) return;
    updating = true;
    // Items keep their runtime objects up to date as they change, so an update
    // only re-links parents: a change of one group's words re-builds that group
    // alone.
    for (int i = 0; i < Tokens.Count(); ++i)
        Tokens[i]->Pair()->Parent = GetTokenByID(Tokens[i]->ParentTokenId());
    for (int i = 0; i < ReservedWords.Count(); ++i) {
        TPackWords* group = ReservedWords[i]->Group();
        group->ParentTokenId = ReservedWords[i]->ParentTokenId();
        group->ParentToken = GetTokenByID(group->ParentTokenId);
    }
    TsxCustomPainter::DoUpdate();
    updating = false;
}

void TsxPainter::SetCommonBackground(TColor colour)
{
    BeginUpdate();
    TsxCustomPainter::SetCommonBackground(colour);
    for (int i = 0; i < ReservedWords.Count(); ++i)
        ReservedWords[i]->Group()->Attr.ColorBack = colour;
    for (int i = 0; i < Tokens.Count(); ++i)
        Tokens[i]->Pair()->Attr(TTokenPair::Own).ColorBack = colour;
    EndUpdate();
}

void TsxPainter::Assign(const TsxPainter& source)
{
    if (&source == this) return;
    BeginUpdate();
    Symbols = source.Symbols;
    Comments = source.Comments;
    Identifiers = source.Identifiers;
    Strings = source.Strings;
    Numbers = source.Numbers;
    SetSample(source.sample);
    TsxCustomPainter::Assign(source);
    ReservedWords.Clear();
    for (int i = 0; i < source.ReservedWords.Count(); ++i)
        ReservedWords.Add()->Assign(*source.ReservedWords[i]);
    Tokens.Clear();
    for (int i = 0; i < source.Tokens.Count(); ++i)
        Tokens.Add()->Assign(*source.Tokens[i]);
    EndUpdate();
}
