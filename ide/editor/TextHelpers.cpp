#include "ide/editor/TextHelpers.h"

#include <algorithm>
#include <cstring>

int StrLenASM(const char* p)
{
    if (!p) return 1;
    return static_cast<int>(std::strlen(p)) + 1;
}

int GetLinesCount(const char* buffer, size_t length)
{
    if (!buffer || length == 0) return 0;
    int breaks = 0;
    for (size_t k = 0; k < length; ++k) {
        if (buffer[k] == '\r') {
            ++breaks;
            if (k + 1 < length && buffer[k + 1] == '\n') ++k;
        } else if (buffer[k] == '\n') {
            ++breaks;
        }
    }
    return breaks + 1;
}

void GetLineAndRemove(AnsiString& s, AnsiString& line)
{
    size_t cr = s.find('\r');
    if (cr == AnsiString::npos) {
        line = s;
        s.clear();
        return;
    }
    line = s.substr(0, cr);
    size_t next = cr + 1;
    if (next < s.size() && s[next] == '\n') ++next;
    s.erase(0, next);
}

void SetLengthWithChar(AnsiString& s, int n, char ch)
{
    if (n > static_cast<int>(s.size())) s.append(static_cast<size_t>(n) - s.size(), ch);
}

AnsiString TabsToStr(const AnsiString& s, int w)
{
    if (s.empty() || w <= 0) return s;
    if (s.find('\t') == AnsiString::npos) return s;
    if (w == 1) {
        AnsiString r = s;
        std::replace(r.begin(), r.end(), '\t', ' ');
        return r;
    }
    AnsiString r;
    r.reserve(s.size() + static_cast<size_t>(w));
    int counter = 1;
    for (char c : s) {
        if (c == '\t') {
            int d = counter % w;
            r.append(static_cast<size_t>(w - d + 1), ' ');
            counter += w - d;
        } else {
            r.push_back(c);
            ++counter;
        }
    }
    return r;
}

AnsiString StrToTab(const AnsiString& s, int)
{
    return s;
}

int TabsToStrLen(const AnsiString& s, int w)
{
    if (s.empty() || w <= 0) return 0;
    if (w == 1) return static_cast<int>(s.size());
    int b = 1;
    int n = 0;
    for (char c : s) {
        int step = c == '\t' ? w - (b % w) : 1;
        n += step;
        b += step;
    }
    return n;
}

AnsiString GetSortedString(const AnsiString& s)
{
    AnsiString r = s;
    std::sort(r.begin(), r.end(),
        [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    return r;
}

bool IsCharInSortStr(char c, const AnsiString& s)
{
    if (s.empty()) return false;
    auto byte = [](char x) { return static_cast<unsigned char>(x); };
    const unsigned char v = byte(c);
    // lo and hi are 0-based here; the search narrows [lo, hi] keeping both ends.
    size_t lo = 0;
    size_t hi = s.size() - 1;
    for (;;) {
        if (v < byte(s[lo]) || v > byte(s[hi])) return false;
        if (v == byte(s[lo]) || v == byte(s[hi])) return true;
        if (hi - lo == 2) return v == byte(s[lo + 1]);
        if (hi - lo <= 1) return false;
        size_t mid = lo + (hi - lo) / 2;
        if (byte(s[mid]) < v)
            lo = mid;
        else
            hi = mid;
    }
}

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

AnsiString FoldCase(const AnsiString& s)
{
    AnsiString r = s;
    for (char& c : r)
        c = FoldCase(c);
    return r;
}

AnsiString TrimRightBlanks(const AnsiString& s)
{
    size_t end = s.size();
    while (end > 0 && IsBlankByte(s[end - 1]))
        --end;
    return s.substr(0, end);
}
