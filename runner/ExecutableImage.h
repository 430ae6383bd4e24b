#pragma once

#include "base/Values.h"

// The environment's own executable as a carrier of programs: telling the IDE
// from a stand-alone executable, reading the appended program, and writing
// new stand-alone executables.
namespace ExecutableImage {

// True when the executable at `path` is the environment itself: its file name
// is the environment's, or it holds no appended program.
bool IsIdeExecutable(const AnsiString& path);

enum class AppendedResult { Found, NoMarker, Unreadable };
// Reads the program appended to the executable at `path` and unscrambles it.
AppendedResult LoadAppendedProgram(const AnsiString& path, AnsiString& text);

// Copies a file byte for byte. Mode 1 creates or truncates the target, any
// other mode creates it only when it does not exist. Answers the bytes copied,
// -1 when the source cannot be read, -2 when the target cannot be created, -3
// when a read or a write fails.
double CopyFileBinary(const AnsiString& source, const AnsiString& target, int mode);

// Writes a stand-alone executable: the bytes of `executable` before its first
// compiled-program marker, then the marker and the scrambled program. The
// target gets the executable's permission bits; a half-written target is
// removed. False when anything failed.
bool CreateExecutable(const AnsiString& executable, const AnsiString& target, const AnsiString& program, unsigned seed);

// The file's last-write time as days since 30 December 1899 (local time);
// -1 when the file does not exist.
double FileAgeAsDateTime(const AnsiString& path);

} // namespace ExecutableImage
