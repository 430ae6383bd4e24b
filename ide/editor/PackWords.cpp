#include "ide/editor/PackWords.h"

#include "ide/editor/TextHelpers.h"

#include <algorithm>
#include <cstring>

uint32_t TPackWords::Hash(const char* word, int length)
{
    uint32_t sum = 0;
    for (int k = 0; k < length; ++k)
        sum += static_cast<unsigned char>(word[k]);
    return sum;
}

void TPackWords::AddWord(const AnsiString& word)
{
    if (word.empty()) return;
    const size_t length = word.size();
    if (buckets.size() < length) buckets.resize(length);
    std::vector<Record>& bucket = buckets[length - 1];
    const uint32_t hash = Hash(word.data(), static_cast<int>(length));
    auto at
        = std::upper_bound(bucket.begin(), bucket.end(), hash, [](uint32_t h, const Record& r) { return h < r.hash; });
    bucket.insert(at, Record { hash, word });
}

void TPackWords::AddWords(const AnsiString& text, char separator)
{
    if (text.empty()) return;
    const AnsiString source = CaseSensitive ? text : FoldCase(text);
    size_t start = 0;
    while (start <= source.size()) {
        size_t end = source.find(separator, start);
        if (end == AnsiString::npos) end = source.size();
        if (end > start) AddWord(source.substr(start, end - start));
        start = end + 1;
    }
}

bool TPackWords::FindWordHash(const char* word, int length, uint32_t hash)
{
    if (OnWordCompare) {
        bool ok = false;
        OnWordCompare(this, AnsiString(word, static_cast<size_t>(std::max(0, length))), hash, ok);
        if (ok) return true;
    }
    if (length <= 0 || static_cast<size_t>(length) > buckets.size()) return false;
    const std::vector<Record>& bucket = buckets[static_cast<size_t>(length) - 1];
    auto it
        = std::lower_bound(bucket.begin(), bucket.end(), hash, [](const Record& r, uint32_t h) { return r.hash < h; });
    for (; it != bucket.end() && it->hash == hash; ++it)
        if (std::memcmp(it->word.data(), word, static_cast<size_t>(length)) == 0) return true;
    return false;
}

int TPackWords::WordCount() const
{
    int n = 0;
    for (const auto& bucket : buckets)
        n += static_cast<int>(bucket.size());
    return n;
}
