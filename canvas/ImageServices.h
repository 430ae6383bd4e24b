#pragma once

#include "base/Values.h"
#include "pictures/Picture.h"

#include <optional>

class Canvas;

// The screen's picture services: they move pictures between a drawing
// surface, bitmap files and the clipboard. (What needs no surface is the
// core's: interpreter/ClipboardPictures.h.) Every file name gets the extension
// ".bmp"; where a source may be "-1" it means the clipboard's picture, and a
// clipboard without one makes the operation do nothing and succeed. False when
// a file could not be read or written or the clipboard refused the picture;
// nothing is changed then. Transparent drawing leaves out the pixels of the
// colour of the whole source's top-left pixel.
namespace ImageServices {

// The source of a drawing service: the clipboard's picture for "-1" (none
// when it holds none; `missing` then tells that nothing failed), else the file.
std::optional<Picture> LoadSource(const AnsiString& name, bool& clipboardEmpty);
// The clipboard's picture, none when it holds none.
std::optional<Picture> ClipboardPicture();
bool PutOnClipboard(const Picture& picture);

bool SaveRectToBmp(const Canvas& canvas, const AnsiString& file, int x, int y, int w, int h);
bool DrawBmpPart(Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int sx, int sy, bool transparent);
// Mode -1 puts the stretched picture on the clipboard instead of the canvas.
bool DrawBmpStretched(Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int mode, bool transparent);
bool DrawBmpRotated(
    Canvas& canvas, const AnsiString& file, int angle, int x, int y, int w, int h, int sx, int sy, bool transparent);
bool DrawBmpFlipped(
    Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int sx, int sy, bool transparent, bool mirror);
bool CopyRectToClipboard(const Canvas& canvas, int x, int y, int w, int h);

// Pixels of the surface and back: the rectangle must lie inside the image.
Picture CanvasPart(const Canvas& canvas, int x, int y, int w, int h);
// Draws the part (sx, sy, w, h) of the picture at (x, y), clipped to the
// image; with `transparent`, pixels of the colour key are left out.
void DrawPicture(
    Canvas& canvas, const Picture& picture, int x, int y, int sx, int sy, int w, int h, bool transparent, uint32_t key);

} // namespace ImageServices
