#include "ide/editor/QzText.h"

#include "ide/editor/TextHelpers.h"
#include "platform/RegularFiles.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace {

// The default word delimiters: space, tab, then the punctuation that ends a word.
const char* const DefaultSymbols = " \t,.<>|\\/-+=~`'\";:)([]{}*!@#$^%&";

// Cuts a block of text into lines at CR LF, CR or LF. Unlike a line-by-line
// read, a break at the very end yields a final empty piece, so a pasted text
// that ends with a line break keeps it.
std::vector<AnsiString> SplitLines(const AnsiString& s)
{
    std::vector<AnsiString> pieces;
    AnsiString current;
    for (size_t k = 0; k < s.size(); ++k) {
        char c = s[k];
        if (c == '\r' || c == '\n') {
            pieces.push_back(current);
            current.clear();
            if (c == '\r' && k + 1 < s.size() && s[k + 1] == '\n') ++k;
        } else {
            current.push_back(c);
        }
    }
    pieces.push_back(current);
    return pieces;
}

} // namespace

TqzText::TqzText()
    : symbols(GetSortedString(DefaultSymbols))
    , spaceSymbols(GetSortedString(" \t"))
{ }

void TqzText::CheckIndex(int i) const
{
    if (i < 0 || i >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(i) + ")");
}

const AnsiString& TqzText::Get(int i) const
{
    CheckIndex(i);
    return lines[i];
}

void* TqzText::GetObject(int i) const
{
    CheckIndex(i);
    return objects[i];
}

void TqzText::PutObject(int i, void* object)
{
    CheckIndex(i);
    objects[i] = object;
}

const TqzIndexItem& TqzText::IndexItem(int i) const
{
    CheckIndex(i);
    return index[i];
}

void TqzText::EndUpdate()
{
    if (updateCount > 0) --updateCount;
    if (updateCount == 0 && updateFirst >= 0) DoUpdate();
}

int TqzText::AddNotify(const TqzNotifyHandler& handler)
{
    int i = handlers.IndexOf(handler);
    return i >= 0 ? i : handlers.Add(handler);
}

void TqzText::DelNotify(const TqzNotifyHandler& handler)
{
    handlers.Delete(handlers.IndexOf(handler));
}

void TqzText::AddUpdateRange(int a, int b, bool wrap)
{
    if (wrap) BeginUpdate();
    for (int v : { a, b }) {
        if (v < 0) continue;
        updateFirst = updateFirst < 0 ? v : std::min(updateFirst, v);
        updateLast = updateLast < 0 ? v : std::max(updateLast, v);
    }
    if (wrap) EndUpdate();
}

void TqzText::SetUpdateRange(int a, int b)
{
    ContentChange();
    AddUpdateRange(a, b, false);
    // A change that touches no line (a clear of an empty text) still has to be
    // announced, so the range is never left empty by a content change.
    if (updateFirst < 0) updateFirst = updateLast = 0;
}

void TqzText::ContentChange()
{
    contentChanged = true;
    modified = true;
    sizeDirty = true;
}

void TqzText::ClearUpdateRange()
{
    updateFirst = updateLast = -1;
    contentChanged = false;
}

void TqzText::DoUpdate()
{
    if (announcing) return;
    announcing = true;
    int longest = 0;
    for (const TqzIndexItem& item : index)
        longest = std::max(longest, item.DisplayLength);
    longestDisplayLength = longest;
    handlers.Call(this);
    loaded = false;
    ClearUpdateRange();
    announcing = false;
}

int TqzText::GetSize()
{
    if (sizeDirty) {
        int size = 1;
        for (const AnsiString& s : lines)
            size += static_cast<int>(s.size());
        if (!lines.empty()) size += 2 * (Count() - 1);
        sizeCache = size;
        sizeDirty = false;
    }
    return sizeCache;
}

TqzIndexItem TqzText::MakeIndexItem(const AnsiString& s) const
{
    TqzIndexItem item;
    item.Length = static_cast<int32_t>(s.size());
    item.DisplayLength = TabsToStrLen(s, tabWidth);
    return item;
}

void TqzText::InsertPlain(int i, const AnsiString& s, void* object, int trueLine)
{
    lines.insert(lines.begin() + i, s);
    objects.insert(objects.begin() + i, object);
    TqzIndexItem item = MakeIndexItem(s);
    item.TrueLineIndex = trueLine;
    index.insert(index.begin() + i, item);
}

void TqzText::RemoveLine(int i)
{
    lines.erase(lines.begin() + i);
    objects.erase(objects.begin() + i);
    index.erase(index.begin() + i);
    if (lastWrappedLine >= Count()) lastWrappedLine = -1;
}

void TqzText::TrailingSpaceCheck(int i)
{
    if (keepTrailingSpaces || lastWrappedLine < 0 || lastWrappedLine == i || lastWrappedLine >= Count()) return;
    int k = lastWrappedLine;
    lines[k] = TrimRightBlanks(lines[k]);
    int trueLine = index[k].TrueLineIndex;
    index[k] = MakeIndexItem(lines[k]);
    index[k].TrueLineIndex = trueLine;
    lastWrappedLine = -1;
}

AnsiString TqzText::GetWrapString(AnsiString& s) const
{
    // A wrap width of 0 or less cuts one character at a time, so wrapping always ends.
    const int width = std::max(1, maxWidth);
    int cut = width;
    if (!solidWrap && static_cast<int>(s.size()) > width) {
        size_t blank = s.find_last_of(" \t", static_cast<size_t>(width - 1));
        if (blank != AnsiString::npos) cut = static_cast<int>(blank) + 1;
    }
    cut = std::min(cut, static_cast<int>(s.size()));
    AnsiString piece = s.substr(0, static_cast<size_t>(cut));
    s.erase(0, static_cast<size_t>(cut));
    return piece;
}

int TqzText::InsertWrapped(int i, AnsiString s, void* object, int n)
{
    TrailingSpaceCheck(i);
    do {
        AnsiString piece = GetWrapString(s);
        InsertPlain(i, piece, object, n);
        lastWrappedLine = i;
        ++i;
    } while (!s.empty());
    RenumberFrom(i, n);
    return i;
}

void TqzText::RenumberFrom(int i, int previous)
{
    // The first line below starts a new logical line; after that a new number
    // starts wherever the old numbers change. Once the running number meets the
    // old one at a boundary, the rest is already consecutive.
    int running = previous;
    int oldPrevious = 0;
    for (int k = i; k < Count(); ++k) {
        int old = index[k].TrueLineIndex;
        if (k == i || old != oldPrevious) {
            ++running;
            if (k > i && old == running) break;
        }
        oldPrevious = old;
        index[k].TrueLineIndex = running;
    }
}

void TqzText::InsertItem(int i, const AnsiString& s, void* object)
{
    if (i < 0 || i > Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(i) + ")");
    BeginUpdate();
    SetUpdateRange(i, Count() - 1);
    AnsiString expanded = TabsToStr(s, tabWidth);
    if (maxWidth >= 0) {
        int n = i == 0 ? 0 : index[i - 1].TrueLineIndex + 1;
        InsertWrapped(i, expanded, object, n);
    } else {
        TrailingSpaceCheck(i);
        InsertPlain(i, expanded, object, i);
    }
    SetUpdateRange(i, Count() - 1);
    EndUpdate();
}

void TqzText::Insert(int i, const AnsiString& s)
{
    InsertItem(i, s, nullptr);
}

int TqzText::AddObject(const AnsiString& s, void* object)
{
    int at = Count();
    if (Sorted) {
        auto it = std::lower_bound(lines.begin(), lines.end(), s);
        at = static_cast<int>(it - lines.begin());
        if (it != lines.end() && *it == s && Duplicates != TqzDuplicates::Accept) return at;
    }
    InsertItem(at, s, object);
    return at;
}

int TqzText::Add(const AnsiString& s)
{
    return AddObject(s, nullptr);
}

void TqzText::Put(int i, const AnsiString& s)
{
    CheckIndex(i);
    BeginUpdate();
    SetUpdateRange(i, i);
    if (maxWidth >= 0) {
        void* object = objects[i];
        int t = index[i].TrueLineIndex;
        AnsiString joined = s;
        RemoveLine(i);
        while (i < Count() && index[i].TrueLineIndex == t) {
            joined += lines[i];
            RemoveLine(i);
        }
        InsertWrapped(i, TabsToStr(joined, tabWidth), object, t);
        SetUpdateRange(i, Count() - 1);
    } else {
        AnsiString expanded = TabsToStr(s, tabWidth);
        TrailingSpaceCheck(i);
        int t = index[i].TrueLineIndex;
        lines[i] = expanded;
        index[i] = MakeIndexItem(expanded);
        index[i].TrueLineIndex = t;
    }
    EndUpdate();
}

void TqzText::Delete(int i)
{
    CheckIndex(i);
    BeginUpdate();
    RemoveLine(i);
    SetUpdateRange(i, Count() - 1);
    EndUpdate();
}

void TqzText::Clear()
{
    BeginUpdate();
    int oldCount = Count();
    lines.clear();
    objects.clear();
    index.clear();
    lastWrappedLine = -1;
    SetUpdateRange(0, oldCount);
    EndUpdate();
}

void TqzText::Assign(const TqzText& source)
{
    if (&source == this) return;
    BeginUpdate();
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        AddObject(source.lines[i], source.objects[i]);
    SetUpdateRange(0, Count() - 1);
    modified = false;
    EndUpdate();
}

AnsiString TqzText::GetText() const
{
    AnsiString r;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0) r += "\r\n";
        r += lines[i];
    }
    return r;
}

void TqzText::SetText(const AnsiString& s)
{
    BeginUpdate();
    Clear();
    if (!s.empty()) {
        std::vector<AnsiString> pieces = SplitLines(s);
        // A final line break ends the last line; it does not start another.
        if (pieces.size() > 1 && pieces.back().empty()) pieces.pop_back();
        for (const AnsiString& piece : pieces)
            Add(piece);
    }
    EndUpdate();
}

void TqzText::LoadFromFile(const AnsiString& name)
{
    // Only a regular file: a pipe would block, a device never end.
    const std::optional<AnsiString> bytes = platform::ReadRegularFile(name, std::numeric_limits<size_t>::max());
    if (!bytes) throw std::runtime_error("Cannot open file \"" + name + "\"");
    BeginUpdate();
    SetText(*bytes);
    fileName = name;
    modified = false;
    loaded = true;
    EndUpdate();
}

void TqzText::SaveToFile(const AnsiString& name)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(platform::OpenRegularStream(name, "wb"), std::fclose);
    if (!out) throw std::runtime_error("Cannot create file \"" + name + "\"");
    bool written = true;
    for (const AnsiString& s : lines) {
        written = written && std::fwrite(s.data(), 1, s.size(), out.get()) == s.size();
        written = written && std::fwrite("\r\n", 1, 2, out.get()) == 2;
    }
    if (std::fclose(out.release()) != 0 || !written) throw std::runtime_error("Cannot write file \"" + name + "\"");
    fileName = name;
    modified = false;
}

int TqzText::PointToIndex(TqzPoint p) const
{
    if (p.y < 0 || p.y >= Count()) return 0;
    int sum = 0;
    for (int j = 0; j < p.y; ++j)
        sum += index[j].DisplayLength + 2;
    return sum + std::clamp(p.x, 0, static_cast<int>(index[p.y].DisplayLength));
}

TqzPoint TqzText::IndexToPoint(int k) const
{
    if (Count() == 0) return { 0, 0 };
    if (k < 0) k = 0;
    int sum = 0;
    for (int j = 0; j < Count(); ++j) {
        const int length = index[j].DisplayLength;
        if (sum + length >= k) return { k - sum, j };
        // An index on the CR or the LF after this line lands at its end.
        if (k < sum + length + 2) return { length, j };
        sum += length + 2;
    }
    return { index.back().DisplayLength, Count() - 1 };
}

int TqzText::GetTrueLineIndex(int i) const
{
    return (i >= 0 && i < Count()) ? index[i].TrueLineIndex : 0;
}

void TqzText::SetTrueLineIndex(int i, int n)
{
    if (i >= 0 && i < Count()) index[i].TrueLineIndex = n;
}

int TqzText::GetNextTrueLineIndex(int i) const
{
    if (i >= Count()) return i;
    if (i < 0) return 0;
    const int t = index[i].TrueLineIndex;
    for (int k = i + 1; k < Count(); ++k)
        if (index[k].TrueLineIndex != t) return k;
    return Count();
}

void TqzText::ReplaceSelBlockXY(const AnsiString& s, TqzPoint from, TqzPoint to)
{
    if (from.y < 0 || from.y >= Count() || to.y < 0 || to.y >= Count()) return;
    BeginUpdate();
    const AnsiString& first = lines[from.y];
    AnsiString head = first.substr(0, static_cast<size_t>(std::clamp(from.x, 0, static_cast<int>(first.size()))));
    const AnsiString& last = lines[to.y];
    AnsiString tail
        = to.x >= 0 && to.x < static_cast<int>(last.size()) ? last.substr(static_cast<size_t>(to.x)) : AnsiString();
    if (to.x < 0) tail = last;
    for (int k = to.y; k > from.y; --k)
        RemoveLine(k);
    SetUpdateRange(from.y, Count() - 1);
    if (s.empty()) {
        Put(from.y, head + tail);
    } else {
        std::vector<AnsiString> pieces = SplitLines(s);
        pieces.back() += tail;
        Put(from.y, head + pieces[0]);
        int previous = from.y;
        for (size_t k = 1; k < pieces.size(); ++k) {
            int at = maxWidth >= 0 ? GetNextTrueLineIndex(previous) : previous + 1;
            InsertItem(at, pieces[k], nullptr);
            previous = at;
        }
    }
    SetUpdateRange(from.y, Count() - 1);
    modified = true;
    EndUpdate();
}

void TqzText::ReplaceSelBlock(const AnsiString& s, int start, int length)
{
    ReplaceSelBlockXY(s, IndexToPoint(start), IndexToPoint(start + std::max(0, length)));
}

AnsiString TqzText::NearestWord(TqzPoint& p) const
{
    AnsiString line = (p.y >= 0 && p.y < Count()) ? TrimRightBlanks(TabsToStr(lines[p.y], tabWidth)) : AnsiString();
    if (line.empty()) {
        p = { 0, 0 };
        return AnsiString();
    }
    const int length = static_cast<int>(line.size());
    auto isDelimiter = [&](int pos1) { return IsCharInSortStr(line[pos1 - 1], symbols); };
    int pos = std::clamp(p.x + 1, 1, length);
    if (isDelimiter(pos)) {
        int left = pos;
        int right = pos;
        for (;;) {
            bool moved = false;
            if (left > 1) {
                --left;
                moved = true;
            }
            if (right < length) {
                ++right;
                moved = true;
            }
            if (!isDelimiter(left) || !isDelimiter(right) || !moved) break;
        }
        if (!isDelimiter(right) && (isDelimiter(left) || right - pos < pos - left))
            pos = right;
        else if (!isDelimiter(left))
            pos = left;
    }
    if (isDelimiter(pos)) {
        // A line made only of delimiters holds no word.
        p = { pos - 1, pos - 1 };
        return AnsiString();
    }
    int first = pos;
    while (first > 1 && !isDelimiter(first - 1))
        --first;
    int last = pos;
    while (last < length && !isDelimiter(last + 1))
        ++last;
    p = { first - 1, last };
    return line.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

bool TqzText::PointToWord(TqzPoint p, bool forward, TqzPoint& result, bool useSpaceSymbols) const
{
    if (p.y < 0 || p.y >= Count()) {
        result = p;
        return false;
    }
    const AnsiString& set = useSpaceSymbols ? spaceSymbols : symbols;
    auto isDelimiter = [&](char c) { return IsCharInSortStr(c, set); };
    const AnsiString& line = lines[p.y];
    const int length = static_cast<int>(line.size());
    int x = std::clamp(p.x, 0, length);
    if (forward) {
        if (x < length) {
            while (x < length && !isDelimiter(line[x]))
                ++x;
            while (x < length && isDelimiter(line[x]))
                ++x;
            result = { x, p.y };
            return true;
        }
        if (p.y + 1 < Count()) {
            const AnsiString& next = lines[p.y + 1];
            const int nextLength = static_cast<int>(next.size());
            int c = 0;
            if (nextLength > 0 && isDelimiter(next[0])) {
                c = 1;
                while (c < nextLength && isDelimiter(next[c]))
                    ++c;
            }
            result = { c, p.y + 1 };
            return true;
        }
        result = { length, p.y };
        return true;
    }
    if (x > 0) {
        while (x > 0 && isDelimiter(line[x - 1]))
            --x;
        while (x > 0 && !isDelimiter(line[x - 1]))
            --x;
        result = { x, p.y };
        return true;
    }
    if (p.y > 0)
        result = { static_cast<int>(lines[p.y - 1].size()), p.y - 1 };
    else
        result = { 0, 0 };
    return true;
}

bool TqzText::GetNextString(int i, bool forward, AnsiString& s) const
{
    if (forward && i >= 0 && i < Count() - 1) {
        s = lines[i + 1];
        return true;
    }
    if (!forward && i > 0 && i <= Count()) {
        s = lines[i - 1];
        return true;
    }
    s.clear();
    return false;
}

int TqzText::GetPrevNonEmptyStr(int i) const
{
    i = std::min(i, Count());
    for (int k = i - 1; k >= 0; --k) {
        const AnsiString& s = lines[k];
        if (std::any_of(s.begin(), s.end(), [](char c) { return !IsBlankByte(c); })) return k;
    }
    return -1;
}

void TqzText::SetSymbols(const AnsiString& s)
{
    symbols = GetSortedString(s);
}
void TqzText::SetSpaceSymbols(const AnsiString& s)
{
    spaceSymbols = GetSortedString(s);
}

void TqzText::SetMaxWidth(int n)
{
    if (n == maxWidth) return;
    BeginUpdate();
    // Without wrap every stored line is a logical line of its own (its number
    // is only the index it had when inserted, so neighbours may share it).
    const bool wasWrapped = maxWidth >= 0;
    maxWidth = n;
    // Rebuild every logical line: join its display lines and insert it again.
    std::vector<AnsiString> logical;
    std::vector<void*> logicalObjects;
    for (int i = 0; i < Count();) {
        int next = wasWrapped ? GetNextTrueLineIndex(i) : i + 1;
        if (next <= i) next = i + 1;
        AnsiString joined;
        for (int k = i; k < next; ++k)
            joined += lines[k];
        if (!keepTrailingSpaces) joined = TrimRightBlanks(joined);
        logical.push_back(joined);
        logicalObjects.push_back(objects[i]);
        i = next;
    }
    lines.clear();
    objects.clear();
    index.clear();
    lastWrappedLine = -1;
    for (size_t k = 0; k < logical.size(); ++k) {
        int at = Count();
        if (maxWidth >= 0)
            InsertWrapped(at, logical[k], logicalObjects[k], static_cast<int>(k));
        else
            InsertPlain(at, logical[k], logicalObjects[k], at);
    }
    SetUpdateRange(0, std::max(0, Count() - 1));
    EndUpdate();
}

void TqzText::SetSolidWrap(bool b)
{
    if (b == solidWrap) return;
    solidWrap = b;
    int width = maxWidth;
    SetMaxWidth(width - 1);
    SetMaxWidth(width);
}
