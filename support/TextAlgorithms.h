#pragma once

#include "base/Values.h"

#include <cstdint>

// The computations behind the text functions, free of the evaluator so that
// they can be tested alone. Positions given to them are 1-based like the BASIC
// functions'; every function clips what it is given and never reads outside a
// text.
namespace TextAlgorithms {

// Texts above this length are refused: the caller treats the refusal like a
// failed allocation of the class library (the catch result of the call).
constexpr std::size_t MaxTextLength = 256u * 1024u * 1024u;
// From this length on, building a text first asks whether the run is past
// its memory bound (MemoryBound).
constexpr std::size_t LargeText = 1024u * 1024u;

// Throws LibraryFailure when a text of that length could not be made.
void CheckTextLength(std::uint64_t length);

// Case mapping and classification of Windows-1252 (the bytes 128 to 255
// included), independent of the user's locale.
char UpperChar(char c);
char LowerChar(char c);
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);
// The same into out, whose room is used again.
void UpperCaseInto(const AnsiString& s, AnsiString& out);
void LowerCaseInto(const AnsiString& s, AnsiString& out);
// The first character and every character after a blank upper-cased.
AnsiString ProperCase(const AnsiString& s);

// Trimming removes blanks and every control character (codes 0 to 32).
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);
AnsiString RemoveBlanksAndTabs(const AnsiString& s);

AnsiString Substring(const AnsiString& s, int start, int count);
AnsiString LeftPart(const AnsiString& s, int n);
AnsiString RightPart(const AnsiString& s, int n);
int FindText(const AnsiString& s, const AnsiString& sub, int start);
AnsiString RepeatText(const AnsiString& s, int n);
AnsiString Spaces(int n);
AnsiString InsertText(const AnsiString& s, const AnsiString& t, int pos);
AnsiString OverwriteText(const AnsiString& s, const AnsiString& t, int pos);
AnsiString Substitute(const AnsiString& s, const AnsiString& from, const AnsiString& to);
AnsiString ContainedChars(const AnsiString& s, const AnsiString& set);
AnsiString MissingChars(const AnsiString& s, const AnsiString& set);

enum class Justify { Center, Left, Right };
AnsiString JustifyText(const AnsiString& s, const AnsiString& fill, int width, Justify how);

AnsiString ExtractField(const AnsiString& s, const AnsiString& delimiter, int n);
int CountFields(const AnsiString& s, const AnsiString& delimiter);

AnsiString HexText(int32_t value, int bytes);
AnsiString BinaryText(int32_t value, int digits);
AnsiString SpellNumber(double x);
AnsiString ClockText(int32_t seconds);
AnsiString RotateShape(const AnsiString& shape, int32_t turns);
AnsiString EncryptText(const AnsiString& s, const AnsiString& key);
AnsiString SoundexCode(const AnsiString& s, int length);
// The lines of s (separated by CR LF, CR or LF) joined as one comma text.
AnsiString CommaText(const AnsiString& s);

} // namespace TextAlgorithms
