#pragma once

#include "base/Values.h"

#include <cstddef>

// Reading program texts and included files from disk.
namespace ProgramFiles {

enum class ReadResult { Ok, NotFound, ReadFailed, NotRegular, TooLarge };

// Program texts and included files are at most this long; no real program
// comes near it, and a bigger file is taken for a mistake.
constexpr size_t MaxProgramBytes = 64u * 1024u * 1024u;

// Reads a whole file as bytes, unchanged. Only regular files of at most
// MaxProgramBytes are read: a pipe without a writer would block for ever and
// a device may never end.
ReadResult ReadBytes(const AnsiString& path, AnsiString& bytes);

// Reads a program text. A binary program file is unscrambled (`binary` tells
// which it was). A UTF-8 byte-order mark at the start is dropped. A bare LF
// line end becomes CR LF, so that texts written on Linux run; CR LF pairs stay
// as they are.
ReadResult ReadProgram(const AnsiString& path, AnsiString& text, bool& binary);
ReadResult ReadText(const AnsiString& path, AnsiString& text);

// The message the runner shows for a result other than Ok.
AnsiString DescribeFailure(ReadResult result, const AnsiString& path);

// The name of an existing file for `name`: the name itself when it exists,
// else the first entry of its folder whose name equals it ignoring letter
// case (program texts written for case-insensitive file systems name their
// includes in any case). Empty when there is none.
AnsiString FindFileIgnoringCase(const AnsiString& name);

// Turns bare LF line ends into CR LF. A text moved in is widened in place when
// it has the room, so that a large program is not held twice.
AnsiString NormaliseLineEnds(const AnsiString& text);
AnsiString NormaliseLineEnds(AnsiString&& text);

} // namespace ProgramFiles
