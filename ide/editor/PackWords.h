#pragma once

#include "ide/editor/PaintAttr.h"

#include <cstdint>
#include <functional>
#include <vector>

class TTokenPair;
class TPackWords;

// A caller's own word test; setting ok claims the word.
using TsxOnWordCompare = std::function<void(TPackWords* sender, const AnsiString& word, uint32_t hash, bool& ok)>;

// One keyword group of the painter. Words are kept in buckets by length, each
// sorted by the sum of the word's bytes, so a lookup is a binary search among
// words of one length.
class TPackWords {
public:
    explicit TPackWords(TsxCustomPainter* owner = nullptr)
        : Attr(owner)
    { }

    // The sum of the byte values: the key of a word inside its bucket.
    static uint32_t Hash(const char* word, int length);

    // Adds every non-empty piece of text cut at separator (no trimming;
    // duplicates kept). A group that is not case-sensitive stores them folded.
    void AddWords(const AnsiString& text, char separator);
    void AddWord(const AnsiString& word);
    void Clear() { buckets.clear(); }
    bool FindWordHash(const char* word, int length, uint32_t hash);
    int WordCount() const;

    TsxOnWordCompare OnWordCompare;
    AnsiString Caption;
    TsxPaintAttr Attr;
    bool CaseSensitive = false;
    int32_t ParentTokenId = 0;
    TTokenPair* ParentToken = nullptr;

private:
    struct Record {
        uint32_t hash;
        AnsiString word;
    };
    std::vector<std::vector<Record>> buckets;
};
