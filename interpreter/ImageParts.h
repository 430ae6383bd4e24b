#pragma once

#include "base/Values.h"
#include "pictures/Picture.h"

#include <cstdint>
#include <optional>

class Canvas;

// What the picture statements need of a drawing surface and of the
// clipboard's picture, and what measuring text needs of the fonts. All belong
// to the window module, whose installer fills this table in; the core passes
// canvases along without looking inside.
// The services behave as canvas/ImageServices.h describes: a file name gets
// the extension ".bmp", "-1" as a source is the clipboard's picture, and false
// means nothing was changed.
struct ImageParts {
    struct Size {
        int width = 0;
        int height = 0;
    };
    Size (*canvasSize)(const Canvas& canvas);
    // The pixels of a rectangle that lies inside the image.
    Picture (*canvasPart)(const Canvas& canvas, int x, int y, int w, int h);
    // Draws the part (sx, sy, w, h) of the picture at (x, y), clipped to the
    // image, and reports the change; with `transparent`, pixels equal to `key`
    // are left out.
    void (*drawPicture)(Canvas& canvas, const Picture& picture, int x, int y, int sx, int sy, int w, int h,
        bool transparent, uint32_t key);
    bool (*saveRectToBmp)(const Canvas& canvas, const AnsiString& file, int x, int y, int w, int h);
    bool (*drawBmpPart)(
        Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int sx, int sy, bool transparent);
    // Mode -1 puts the stretched picture on the clipboard instead.
    bool (*drawBmpStretched)(
        Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int mode, bool transparent);
    bool (*drawBmpRotated)(Canvas& canvas, const AnsiString& file, int angle, int x, int y, int w, int h, int sx,
        int sy, bool transparent);
    bool (*drawBmpFlipped)(Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int sx, int sy,
        bool transparent, bool mirror);
    bool (*copyRectToClipboard)(const Canvas& canvas, int x, int y, int w, int h);

    // The width in pixels of a text drawn by the text statements in the font
    // they make of a family, a size in points and style bits (1 bold, 2
    // italic, 4 underline); -1 when there is no font system to ask.
    int (*textWidth)(const AnsiString& text, const AnsiString& fontName, int size, int style);

    // The clipboard's picture, none when it holds none.
    std::optional<Picture> (*clipboardPicture)();
    // False when the clipboard refused the picture.
    bool (*putOnClipboard)(const Picture& picture);
};

void SetImageParts(const ImageParts& parts);
// The parts, the window module installed first when they are not.
const ImageParts& Images();
