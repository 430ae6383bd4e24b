#pragma once

#include "ide/editor/PackWords.h"
#include "ide/editor/PaintAttr.h"
#include "ide/editor/QzNotifyList.h"
#include "ide/editor/TokenPair.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TqzText;

// A caller's own painting of a run: set handled and index (the run's last
// character) to take over.
using TsxPaintLineEvent = std::function<void(
    TsxCustomPainter* sender, const AnsiString& line, int& index, TsxPaintAttr& attr, bool& handled)>;

// Colours program text one line at a time. The caller selects a line, then asks
// for runs: given a run's first character (1-based), the painter fills an
// attribute and returns the run's last character. Begin/end tokens carry their
// open state from line to line in a per-line table, so any line is painted
// without rescanning the text above it once the table reaches it.
class TsxCustomPainter {
public:
    TsxCustomPainter();
    virtual ~TsxCustomPainter();
    TsxCustomPainter(const TsxCustomPainter&) = delete;
    TsxCustomPainter& operator=(const TsxCustomPainter&) = delete;

    // The text painted; set by the editor that uses the painter.
    void SetLines(TqzText* text) { lines = text; }
    TqzText* Lines() const { return lines; }

    virtual void SetColor(int i, TColor colour);
    TColor GetColor(int i) const;
    TsxPaintAttr* GetMapAttr(int i);
    virtual void SetLineIndex(int n);
    int CurrentLine() const { return currentLine; }
    const AnsiString& CurrentLineText() const { return lineText; }
    virtual TPackWords* GetWordPack(int i) const;
    virtual bool IsWords(int& pos, TsxPaintAttr* attr);
    virtual bool IsComment(int& pos, TsxPaintAttr* attr);
    virtual bool IsNumber(int& pos, TsxPaintAttr* attr);
    virtual bool IsString(int& pos, TsxPaintAttr* attr);
    virtual bool IsSymbol(int& pos, TsxPaintAttr* attr);
    bool IsToken(int& pos, TsxPaintAttr* attr);
    virtual AnsiString GetTextSample() const { return textSample; }
    virtual int Paintline(int start, TsxPaintAttr& attr);
    virtual void DoUpdate();
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void SetCommonBackground(TColor colour);

    TColor GetColorAfterLineEnd();
    bool SkipSLComment(const char* p, int& n) const;

    int AddWordPack(const AnsiString& caption, const AnsiString& words, bool caseSensitive, char separator);
    void DelWordPack(int i);
    void ClearWordPack();
    int GetWordPackCount() const { return static_cast<int>(wordPacks.size()); }
    int IndexOfWordPack(const TPackWords* group) const;

    int AddTokenPair(const AnsiString& caption, const AnsiString& begin, const AnsiString& end, bool caseSensitive);
    void DelTokenPair(int i);
    void ClearTokenPairs();
    TTokenPair* GetTokenPair(int i) const;
    int GetTokenPairCount() const { return static_cast<int>(tokenPairs.size()); }
    int IndexOfTokenPair(const TTokenPair* pair) const;
    void ResetTokenPairs();
    bool GetIsChainChange() const { return !tokenPairs.empty(); }

    void AddComments(const AnsiString& begin, const AnsiString& end, bool caseSensitive);
    void ClearComments();
    AnsiString GetSlComment(int i) const;
    int GetSlCommentCount() const { return static_cast<int>(slComments.size()); }

    TTokenPair* GetTopToken() const { return tokenStack.empty() ? nullptr : tokenStack.back(); }
    void TokenStackPush(TTokenPair* pair);
    void TokenStackPop();
    void TokenStackClear() { tokenStack.clear(); }
    TTokenPair* GetTokenByLine(int n) const;
    void SetTokenByLine(int n, TTokenPair* pair);
    int GetValidTokenLine() const;
    void UpdateTokenStackByLine(int n);
    // Forgets the open-token states from line n + 1 on: they depend on line n,
    // which has changed.
    void InvalidateTokenLines(int n);

    const TFontInfo& Font() const { return font; }
    void SetFont(const TFontInfo& f);
    void SetFileTypes(const std::vector<AnsiString>& types);
    const std::vector<AnsiString>& FileTypes() const { return fileTypes; }
    void SetComments(const TsxPaintAttr& a) { SetAttr(Comments, a); }
    void SetIdentifiers(const TsxPaintAttr& a) { SetAttr(Identifiers, a); }
    void SetNumbers(const TsxPaintAttr& a) { SetAttr(Numbers, a); }
    void SetStrings(const TsxPaintAttr& a) { SetAttr(Strings, a); }
    void SetSymbols(const TsxPaintAttr& a) { SetAttr(Symbols, a); }
    void SetSymbolChars(const AnsiString& s) { SetSorted(symbolChars, s); }
    void SetWordChars(const AnsiString& s) { SetSorted(wordChars, s); }
    void SetNumberChars(const AnsiString& s) { SetSorted(numberChars, s); }
    void SetNumberPrefixChars(const AnsiString& s) { SetSorted(numberPrefixChars, s); }
    void SetStringChars(const AnsiString& s);
    const AnsiString& SymbolChars() const { return symbolChars; }
    const AnsiString& WordChars() const { return wordChars; }
    const AnsiString& NumberChars() const { return numberChars; }
    const AnsiString& NumberPrefixChars() const { return numberPrefixChars; }
    const AnsiString& StringChars() const { return stringChars; }
    int TabWidth() const { return tabWidth; }
    void SetTabWidth(int w) { tabWidth = w; }

    void AddNotify(const TqzNotifyHandler& handler);
    void DelNotify(const TqzNotifyHandler& handler);
    // Handlers told, with the painter as sender, that the painter is being
    // destroyed, so that no user keeps a dangling reference.
    void AddFreeNotify(const TqzNotifyHandler& handler);
    void DelFreeNotify(const TqzNotifyHandler& handler);
    void Assign(const TsxCustomPainter& source);

    TsxPaintAttr Symbols;
    TsxPaintAttr Comments;
    TsxPaintAttr Identifiers;
    TsxPaintAttr Strings;
    TsxPaintAttr Numbers;
    AnsiString Caption;
    TsxPaintLineEvent OnPaintLine;

protected:
    void SetTextSample(const AnsiString& s) { textSample = s; }
    void SetAttr(TsxPaintAttr& target, const TsxPaintAttr& source);
    void SetSorted(AnsiString& target, const AnsiString& s);
    // Replaces attr's parts by those of the innermost open token's attribute of
    // the given class, unless the token keeps the original part.
    void AdjustForToken(TsxPaintAttr* attr, int attrClass) const;
    // The line's character at a 1-based position; the CR after the line at length + 1.
    char At(int pos) const { return lineCR[static_cast<size_t>(pos - 1)]; }
    void CloseEmptyEndToken();
    void DropTokenReferences(const TTokenPair* pair);

    std::vector<std::unique_ptr<TPackWords>> wordPacks;
    std::vector<std::unique_ptr<TTokenPair>> tokenPairs;
    bool inUpdate = false;

private:
    struct SlComment {
        AnsiString text;
        bool caseSensitive;
    };
    std::vector<SlComment> slComments;
    std::vector<TTokenPair*> tokenStack;
    std::vector<TTokenPair*> tokenByLine;
    std::array<TsxPaintAttr, 3> colorMap;
    TFontInfo font;
    std::vector<AnsiString> fileTypes;
    int tabWidth = 8;
    int updateCount = 0;
    TqzNotifyList handlers;
    TqzNotifyList freeHandlers;
    AnsiString symbolChars;
    AnsiString wordChars;
    AnsiString textSample;
    int currentLine = -1;
    int stackLine = -1;
    AnsiString lineText;
    AnsiString lineLower;
    AnsiString lineCR;
    int lineLength = 0;
    int lineCRLength = 1;
    AnsiString numberPrefixChars;
    AnsiString numberChars;
    AnsiString stringChars;
    AnsiString possibleBeginChars;
    TqzText* lines = nullptr;
};
