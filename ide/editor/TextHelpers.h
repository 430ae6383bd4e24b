#pragma once

#include "base/Values.h"

#include <cstddef>

// Free text helpers shared by the text buffer, the syntax painter and the
// editor control. Positions in the descriptions are 1-based where they say so;
// every helper accepts any input without reading out of bounds.

// Length of a NUL-terminated byte string plus one: the terminator is counted.
int StrLenASM(const char* p);

// 0 for an empty buffer, else the number of line breaks plus one; CR LF counts
// as one break, and so does a lone CR or a lone LF.
int GetLinesCount(const char* buffer, size_t length);

// Moves the text of s up to its first CR into line and removes that text, the CR
// and an LF right after it from s; without a CR, line takes all of s.
void GetLineAndRemove(AnsiString& s, AnsiString& line);

// Pads s with ch up to length n; a longer s is left as it is.
void SetLengthWithChar(AnsiString& s, int n, char ch);

// Expands tabs into spaces for a tab width of w.
AnsiString TabsToStr(const AnsiString& s, int w);
// The inverse operation keeps the text as it is: stored lines never hold tabs.
AnsiString StrToTab(const AnsiString& s, int w);
// The display length of s with its tabs expanded at width w.
int TabsToStrLen(const AnsiString& s, int w);

// The bytes of s sorted ascending by byte value, duplicates kept.
AnsiString GetSortedString(const AnsiString& s);
// Whether c occurs in a string sorted by GetSortedString (binary search).
bool IsCharInSortStr(char c, const AnsiString& sorted);

// ASCII-only lower-casing, independent of the user's locale. Case-insensitive
// matching in the editor folds both sides with this one function.
char FoldCase(char c);
AnsiString FoldCase(const AnsiString& s);

// Whether a byte counts as a blank at a line end: every code 32 or below.
inline bool IsBlankByte(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}
// s without its trailing blanks.
AnsiString TrimRightBlanks(const AnsiString& s);
