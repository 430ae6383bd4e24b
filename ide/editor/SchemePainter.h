#pragma once

#include "ide/editor/CustomPainter.h"

#include <memory>
#include <vector>

class TsxPainter;

// An item of one of the scheme's two collections. Each item owns one runtime
// object inside the painter (a word group or a token pair) and is linked to it
// directly, so any item can be removed without disturbing the others.
class TsxCollectionItem {
public:
    explicit TsxCollectionItem(TsxPainter* ownerPainter)
        : painter(ownerPainter)
    { }
    virtual ~TsxCollectionItem() = default;
    TsxCollectionItem(const TsxCollectionItem&) = delete;
    TsxCollectionItem& operator=(const TsxCollectionItem&) = delete;

    AnsiString GetDisplayName() const { return Caption(); }
    virtual AnsiString Caption() const = 0;
    virtual void SetCaption(const AnsiString& s) = 0;
    virtual const TsxPaintAttr& Attr() const = 0;
    virtual void SetAttr(const TsxPaintAttr& a) = 0;
    bool CaseSens() const { return caseSens; }
    virtual void SetCaseSens(bool b);
    int32_t ParentTokenId() const { return parentTokenId; }
    virtual void SetParentTokenId(int32_t id);
    virtual void Update() { }

protected:
    TsxPainter* painter;
    bool caseSens = false;
    int32_t parentTokenId = 0;
};

// A keyword group of the scheme.
class TsxWords : public TsxCollectionItem {
public:
    explicit TsxWords(TsxPainter* ownerPainter);
    ~TsxWords() override;

    AnsiString Caption() const override;
    void SetCaption(const AnsiString& s) override;
    const TsxPaintAttr& Attr() const override;
    void SetAttr(const TsxPaintAttr& a) override;
    void SetCaseSens(bool b) override;
    void SetParentTokenId(int32_t id) override;
    const std::vector<AnsiString>& Words() const { return words; }
    void SetWords(const std::vector<AnsiString>& wordLines);
    // The words as one text, one per line (CR LF or LF breaks).
    void SetWordsText(const AnsiString& text);
    void SetOnWordCompare(const TsxOnWordCompare& callback);
    void Update() override;
    void Assign(const TsxWords& source);
    TPackWords* Group() const { return group; }

private:
    TPackWords* group;
    std::vector<AnsiString> words;
};

// A begin/end token of the scheme.
class TsxToken : public TsxCollectionItem {
public:
    TsxToken(TsxPainter* ownerPainter, int collectionIndex);
    ~TsxToken() override;

    AnsiString Caption() const override;
    void SetCaption(const AnsiString& s) override;
    const TsxPaintAttr& Attr() const override;
    void SetAttr(const TsxPaintAttr& a) override;
    void SetCaseSens(bool b) override;
    const AnsiString& TokenBegin() const { return pair->BeginText(); }
    const AnsiString& TokenEnd() const { return pair->EndText(); }
    // Both setters trim the text.
    void SetTokenBegin(const AnsiString& s);
    void SetTokenEnd(const AnsiString& s);
    bool Comment() const { return pair->Comment; }
    void SetComment(bool b);
    int32_t TokenId() const { return pair->TokenId; }
    void SetTokenId(int32_t id);
    void SetOriginStyle(bool b);
    void SetOriginBack(bool b);
    void SetOriginFront(bool b);
    void Update() override;
    void Assign(const TsxToken& source);
    TTokenPair* Pair() const { return pair; }

private:
    TTokenPair* pair;
};

// An ordered collection of scheme items.
template <class Item> class TsxCollection {
public:
    explicit TsxCollection(TsxPainter* ownerPainter)
        : painter(ownerPainter)
    { }
    int Count() const { return static_cast<int>(items.size()); }
    Item* operator[](int i) const { return (i >= 0 && i < Count()) ? items[static_cast<size_t>(i)].get() : nullptr; }
    Item* Add();
    void Delete(int i)
    {
        if (i >= 0 && i < Count()) items.erase(items.begin() + i);
    }
    // Items go last first, as a form does when it closes.
    void Clear()
    {
        while (!items.empty())
            items.pop_back();
    }
    TsxPainter* GetPainter() const { return painter; }
    void UpdateAll()
    {
        for (auto& item : items)
            item->Update();
    }

private:
    TsxPainter* painter;
    std::vector<std::unique_ptr<Item>> items;
};

using TsxPackWords = TsxCollection<TsxWords>;
using TsxTokens = TsxCollection<TsxToken>;

// The syntax scheme that forms hold: a painter whose keyword groups and
// begin/end tokens are edited as two collections.
class TsxPainter : public TsxCustomPainter {
public:
    TsxPainter();
    ~TsxPainter() override;

    TsxPackWords ReservedWords;
    TsxTokens Tokens;

    AnsiString GetTextSample() const override;
    void DoUpdate() override;
    void SetCommonBackground(TColor colour) override;

    const std::vector<AnsiString>& Sample() const { return sample; }
    void SetSample(const std::vector<AnsiString>& sampleLines);
    bool CaseSens() const { return caseSens; }
    void SetCaseSens(bool b);
    TTokenPair* GetTokenByID(int32_t id) const;
    // The group whose caption is given, or null.
    TsxWords* FindWords(const AnsiString& caption) const;
    void Assign(const TsxPainter& source);

private:
    bool updating = false;
    std::vector<AnsiString> sample;
    bool caseSens = false;
};

template <> inline TsxWords* TsxCollection<TsxWords>::Add()
{
    items.push_back(std::make_unique<TsxWords>(painter));
    return items.back().get();
}

template <> inline TsxToken* TsxCollection<TsxToken>::Add()
{
    items.push_back(std::make_unique<TsxToken>(painter, Count()));
    return items.back().get();
}
