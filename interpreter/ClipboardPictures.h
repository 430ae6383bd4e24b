#pragma once

#include "base/Values.h"

// The picture statements' work between bitmap files and the clipboard's
// picture, which needs no drawing surface: the window module is reached only
// when the clipboard is. Every file name gets the extension ".bmp"; a source
// or target "-1" is the clipboard, and a clipboard without a picture makes the
// operation do nothing and succeed. False when a file could not be read or
// written or the clipboard refused the picture; nothing is changed then.
namespace ClipboardPictures {

bool BmpPartToClipboard(const AnsiString& file, int sx, int sy, int w, int h);
bool SaveClipboardBmp(const AnsiString& file);
bool FlipClipboardBmp(bool mirror);
bool RotateClipboardBmp(int angle);
bool ScaleBmpToFile(const AnsiString& source, int w, int h, const AnsiString& target);

} // namespace ClipboardPictures
