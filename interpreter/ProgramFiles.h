#pragma once

#include "base/Values.h"

// Reading program texts and included files from disk.
namespace ProgramFiles {

enum class ReadResult { Ok, NotFound, ReadFailed };

// Reads a whole file as bytes, unchanged.
ReadResult ReadBytes(const AnsiString& path, AnsiString& bytes);

// Reads a program text. A binary program file is unscrambled (`binary` tells
// which it was). A bare LF line end becomes CR LF, so that texts written on
// Linux run; CR LF pairs stay as they are.
ReadResult ReadProgram(const AnsiString& path, AnsiString& text, bool& binary);
ReadResult ReadText(const AnsiString& path, AnsiString& text);

// The name of an existing file for `name`: the name itself when it exists,
// else the first entry of its folder whose name equals it ignoring letter
// case (program texts written for case-insensitive file systems name their
// includes in any case). Empty when there is none.
AnsiString FindFileIgnoringCase(const AnsiString& name);

// Turns bare LF line ends into CR LF.
AnsiString NormaliseLineEnds(const AnsiString& text);

} // namespace ProgramFiles
