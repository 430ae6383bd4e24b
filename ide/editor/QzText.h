#pragma once

#include "base/Values.h"
#include "ide/editor/QzNotifyList.h"

#include <cstdint>
#include <vector>

// One record per stored (display) line, kept parallel to the lines.
struct TqzIndexItem {
    int32_t Length = 0;
    // Stored lines never hold tabs, so this equals Length.
    int32_t DisplayLength = 0;
    // The logical line this display line belongs to; with word wrap on, all
    // pieces of one logical line share it and the numbers run consecutively.
    int32_t TrueLineIndex = 0;
};

// A (column, line) position in the text; columns and lines are 0-based.
struct TqzPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TqzPoint&) const = default;
};

enum class TqzDuplicates { Ignore, Accept, Error };

// The line store behind the code editor. It expands tabs as lines come in, can
// wrap long lines into display lines, gathers the range of changed lines during
// an update and announces it once, when the outermost update ends, to its change
// handlers. Character indexes count every line with two more characters (CR LF).
class TqzText {
public:
    TqzText();

    // String-list operations. Out-of-range indexes throw std::out_of_range, as
    // the string list reports them.
    int Count() const { return static_cast<int>(lines.size()); }
    const AnsiString& Get(int i) const;
    const AnsiString& operator[](int i) const { return Get(i); }
    void* GetObject(int i) const;
    void PutObject(int i, void* object);
    int Add(const AnsiString& s);
    int AddObject(const AnsiString& s, void* object);
    void Insert(int i, const AnsiString& s);
    void InsertItem(int i, const AnsiString& s, void* object);
    void Put(int i, const AnsiString& s);
    void Delete(int i);
    void Clear();
    void Assign(const TqzText& source);
    // The lines joined with CR LF.
    AnsiString GetText() const;
    // Replaces the lines by the lines of s (CR LF, CR or LF breaks; a final
    // break adds no empty line).
    void SetText(const AnsiString& s);
    // Throws std::runtime_error when the file cannot be read or written.
    void LoadFromFile(const AnsiString& name);
    void SaveToFile(const AnsiString& name);
    const AnsiString& FileName() const { return fileName; }

    bool Sorted = false;
    TqzDuplicates Duplicates = TqzDuplicates::Ignore;

    void BeginUpdate() { ++updateCount; }
    void EndUpdate();

    // Change handlers.
    int AddNotify(const TqzNotifyHandler& handler);
    void DelNotify(const TqzNotifyHandler& handler);
    int GetUpdateEventsCount() const { return handlers.Count(); }

    // The update range; read by the change handlers while they run.
    void SetUpdateRange(int a, int b);
    void AddUpdateRange(int a, int b, bool wrap);
    void ClearUpdateRange();
    void DoUpdate();
    int UpdateFirst() const { return updateFirst; }
    int UpdateLast() const { return updateLast; }
    bool ContentChanged() const { return contentChanged; }
    bool Loaded() const { return loaded; }

    void SetUnicode(bool b) { Unicode = b; }
    int GetCharSize() const { return Unicode ? 2 : 1; }
    // The length of the whole text plus one.
    int GetSize();

    int PointToIndex(TqzPoint p) const;
    TqzPoint IndexToPoint(int k) const;

    const TqzIndexItem& IndexItem(int i) const;
    int GetTrueLineIndex(int i) const;
    void SetTrueLineIndex(int i, int n);
    int GetNextTrueLineIndex(int i) const;
    int LongestDisplayLength() const { return longestDisplayLength; }

    void ReplaceSelBlockXY(const AnsiString& s, TqzPoint from, TqzPoint to);
    void ReplaceSelBlock(const AnsiString& s, int start, int length);

    AnsiString NearestWord(TqzPoint& p) const;
    bool PointToWord(TqzPoint p, bool forward, TqzPoint& result, bool useSpaceSymbols) const;
    bool GetNextString(int i, bool forward, AnsiString& s) const;
    int GetPrevNonEmptyStr(int i) const;

    void SetSymbols(const AnsiString& s);
    void SetSpaceSymbols(const AnsiString& s);
    const AnsiString& Symbols() const { return symbols; }
    const AnsiString& SpaceSymbols() const { return spaceSymbols; }

    bool Modified() const { return modified; }
    void SetModified(bool b) { modified = b; }
    int MaxWidth() const { return maxWidth; }
    void SetMaxWidth(int n);
    bool SolidWrap() const { return solidWrap; }
    void SetSolidWrap(bool b);
    bool KeepTrailingSpaces() const { return keepTrailingSpaces; }
    void SetKeepTrailingSpaces(bool b) { keepTrailingSpaces = b; }
    int TabWidth() const { return tabWidth; }
    AnsiString GetWrapString(AnsiString& s) const;

    bool Unicode = false;

private:
    void CheckIndex(int i) const;
    void ContentChange();
    TqzIndexItem MakeIndexItem(const AnsiString& s) const;
    void InsertPlain(int i, const AnsiString& s, void* object, int trueLine);
    // Inserts s cut into display lines at i, all with logical number n, and
    // renumbers the lines below; returns the line after the inserted ones.
    int InsertWrapped(int i, AnsiString s, void* object, int n);
    void RenumberFrom(int i, int previous);
    void TrailingSpaceCheck(int i);
    void RemoveLine(int i);

    std::vector<AnsiString> lines;
    std::vector<void*> objects;
    TqzNotifyList handlers;
    std::vector<TqzIndexItem> index;
    int updateFirst = -1;
    int updateLast = -1;
    AnsiString fileName;
    AnsiString symbols;
    bool modified = false;
    bool loaded = false;
    bool contentChanged = false;
    bool sizeDirty = true;
    int sizeCache = 0;
    int maxWidth = -1;
    bool keepTrailingSpaces = false;
    bool solidWrap = false;
    int lastWrappedLine = -1;
    int longestDisplayLength = 0;
    AnsiString spaceSymbols;
    int tabWidth = 8;
    int updateCount = 0;
    bool announcing = false;
};
