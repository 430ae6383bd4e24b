#pragma once

#include "base/Values.h"

#include <cstddef>

// The two protected forms of a program: a binary program file (a marker and
// the scrambled text) and the program appended to a stand-alone executable.
// The scramble only hides the text from casual view; it is no protection
// against anyone who wants to read it.
namespace ProtectedPrograms {

constexpr size_t MarkerLength = 22;
constexpr size_t BlockLength = 12;

// The markers as they appear in files. They are kept in lower case in the
// program and upper-cased at every use, so that the environment's executable
// never holds the compiled-program marker itself: the first occurrence in a
// stand-alone executable is then the appended one.
AnsiString BinaryFileMarker();
AnsiString CompiledProgramMarker();

// The text followed by the end line and the digit padding that brings it to a
// whole number of blocks. `seed` drives the padding digits.
AnsiString MakeBody(const AnsiString& text, unsigned seed);
// Scrambles a body whose length is a whole number of blocks, in place.
void ScrambleBlocks(AnsiString& body);
// Unscrambles in place; a body that is not a whole number of blocks is first
// padded with spaces.
void UnscrambleBlocks(AnsiString& body);

// When text begins with the binary-file marker, replaces it by the plain
// program and answers true; otherwise leaves it alone.
bool UnscrambleBinaryProgram(AnsiString& text);
// The bytes of a binary program file for a program text.
AnsiString BinaryFileBytes(const AnsiString& text, unsigned seed);

} // namespace ProtectedPrograms
