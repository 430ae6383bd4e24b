#pragma once

#include "base/Values.h"
#include "pictures/Picture.h"

#include <optional>

// Picture files as the programs name them. A program written for another
// system may use "\" between folders; the last path component's extension is
// replaced by ".bmp" (added when it has none). A file to read that does not
// exist under its exact name is looked for in its folder ignoring case.

// The name with "\" turned into "/" and the extension ".bmp".
AnsiString BitmapFileName(const AnsiString& name);
// The path to read for a name (with its separators already turned): the name
// itself when it exists, else the one entry of its folder that matches it
// ignoring case, else the name unchanged.
AnsiString FindFileIgnoringCase(const AnsiString& path);

// Reads a bitmap file (the name gets ".bmp"); none when it cannot be read or
// is no valid bitmap.
std::optional<Picture> ReadBitmapFile(const AnsiString& name);
// Writes a 24-bit bitmap file (the name gets ".bmp"); false on failure.
bool WriteBitmapFile(const AnsiString& name, const Picture& picture);
// Reads a picture of either kind by its exact name (ignoring case as above):
// JPEG when the extension is jpg or jpeg in any case, else a bitmap.
std::optional<Picture> ReadPictureFile(const AnsiString& name);
