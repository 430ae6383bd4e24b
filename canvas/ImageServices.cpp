#include "canvas/ImageServices.h"

#include "canvas/Canvas.h"
#include "canvas/PictureImages.h"
#include "pictures/PictureFiles.h"
#include "pictures/PictureFilters.h"
#include "platform/gui/ClipboardImage.h"

#include <algorithm>

namespace ImageServices {

namespace {

constexpr const char* ClipboardName = "-1";

// A source part clipped as the drawing services clip it: the destination to
// the image, the source origin into the source, the size to both.
struct Part {
    int x, y, w, h, sx, sy;
};

Part ClipPart(const Canvas& canvas, const Picture& source, int x, int y, int w, int h, int sx, int sy)
{
    const int imageW = canvas.image.width(), imageH = canvas.image.height();
    Part p;
    p.x = std::clamp(x, 0, imageW);
    p.y = std::clamp(y, 0, imageH);
    p.sx = std::clamp(sx, 0, std::max(source.width - 1, 0));
    p.sy = std::clamp(sy, 0, std::max(source.height - 1, 0));
    p.w = w <= 0 ? source.width : std::min(w, source.width);
    p.h = h <= 0 ? source.height : std::min(h, source.height);
    p.w = std::min({ p.w, imageW - p.x, source.width - p.sx });
    p.h = std::min({ p.h, imageH - p.y, source.height - p.sy });
    return p;
}

uint32_t CornerOf(const Picture& picture)
{
    return picture.Empty() ? 0 : picture.At(0, 0);
}

} // namespace

std::optional<Picture> ClipboardPicture()
{
    if (!platform::ClipboardHasImage()) return std::nullopt;
    Picture picture = PictureFromImage(platform::ClipboardImage());
    if (picture.Empty()) return std::nullopt;
    return picture;
}

bool PutOnClipboard(const Picture& picture)
{
    return platform::SetClipboardImage(ImageFromPicture(picture));
}

std::optional<Picture> LoadSource(const AnsiString& name, bool& clipboardEmpty)
{
    clipboardEmpty = false;
    if (name == ClipboardName) {
        auto picture = ClipboardPicture();
        clipboardEmpty = !picture;
        return picture;
    }
    return ReadBitmapFile(name);
}

Picture CanvasPart(const Canvas& canvas, int x, int y, int w, int h)
{
    Picture part(w, h);
    for (int j = 0; j < h; ++j) {
        const auto* row = reinterpret_cast<const uint32_t*>(canvas.image.constScanLine(y + j)) + x;
        uint32_t* target = &part.At(0, j);
        for (int i = 0; i < w; ++i)
            target[i] = row[i] & 0x00FFFFFFu;
    }
    return part;
}

void DrawPicture(
    Canvas& canvas, const Picture& picture, int x, int y, int sx, int sy, int w, int h, bool transparent, uint32_t key)
{
    const int imageW = canvas.image.width(), imageH = canvas.image.height();
    // Clip to the image (also on the left and top, for callers that allow it).
    if (x < 0) sx -= x, w += x, x = 0;
    if (y < 0) sy -= y, h += y, y = 0;
    w = std::min({ w, imageW - x, picture.width - sx });
    h = std::min({ h, imageH - y, picture.height - sy });
    if (w <= 0 || h <= 0 || sx < 0 || sy < 0) return;
    for (int j = 0; j < h; ++j) {
        auto* row = reinterpret_cast<uint32_t*>(canvas.image.scanLine(y + j)) + x;
        const uint32_t* source = &picture.At(sx, sy + j);
        for (int i = 0; i < w; ++i) {
            if (transparent && source[i] == key) continue;
            row[i] = source[i] | 0xFF000000u;
        }
    }
    canvas.Changed(QRect(x, y, w, h));
}

bool SaveRectToBmp(const Canvas& canvas, const AnsiString& file, int x, int y, int w, int h)
{
    const int imageW = canvas.image.width(), imageH = canvas.image.height();
    x = std::clamp(x, 0, imageW);
    y = std::clamp(y, 0, imageH);
    if (w <= 0) w = imageW;
    if (h <= 0) h = imageH;
    w = std::min(w, imageW - x);
    h = std::min(h, imageH - y);
    if (w <= 0 || h <= 0) return false;
    return WriteBitmapFile(file, CanvasPart(canvas, x, y, w, h));
}

bool DrawBmpPart(Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int sx, int sy, bool transparent)
{
    bool clipboardEmpty = false;
    const auto source = LoadSource(file, clipboardEmpty);
    if (!source) return clipboardEmpty;
    const Part p = ClipPart(canvas, *source, x, y, w, h, sx, sy);
    DrawPicture(canvas, *source, p.x, p.y, p.sx, p.sy, p.w, p.h, transparent, CornerOf(*source));
    return true;
}

bool DrawBmpStretched(Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int mode, bool transparent)
{
    bool clipboardEmpty = false;
    const auto source = LoadSource(file, clipboardEmpty);
    if (!source) return clipboardEmpty;
    const int imageW = canvas.image.width(), imageH = canvas.image.height();
    x = std::clamp(x, 0, imageW);
    y = std::clamp(y, 0, imageH);
    if (w < 1) w = imageW;
    if (h < 1) h = imageH;
    const int cutW = std::min(w, imageW - x), cutH = std::min(h, imageH - y);
    if (mode == -1) {
        // The whole source, stretched to w x h, goes to the clipboard in a new
        // picture of that size (the rectangle's offset applies inside it); the
        // screen's edges do not cut it.
        if (!Picture::SizeAllowed(w, h)) return false;
        Picture result(w, h, 0xFFFFFF);
        const Picture stretched = StretchPart(*source, w, h, w - x, h - y);
        for (int j = y; j < h; ++j)
            for (int i = x; i < w; ++i)
                result.At(i, j) = stretched.At(i - x, j - y);
        return PutOnClipboard(result);
    }
    if (cutW <= 0 || cutH <= 0) return true;
    // The rectangle is cut first and the whole picture fills what is left: a
    // picture drawn near an edge shows whole, only smaller.
    const Picture stretched = Stretch(*source, cutW, cutH);
    DrawPicture(canvas, stretched, x, y, 0, 0, cutW, cutH, transparent, CornerOf(*source));
    return true;
}

bool DrawBmpRotated(
    Canvas& canvas, const AnsiString& file, int angle, int x, int y, int w, int h, int sx, int sy, bool transparent)
{
    const auto source = ReadBitmapFile(file);
    if (!source) return false;
    const Part p = ClipPart(canvas, *source, x, y, w, h, sx, sy);
    const uint32_t key = CornerOf(*source);
    if (p.w <= 0 || p.h <= 0) return true;
    if (angle % 90 == 0) {
        DrawPicture(canvas, *source, p.x, p.y, p.sx, p.sy, p.w, p.h, transparent, key);
        return true;
    }
    const Picture part = Crop(*source, p.sx, p.sy, p.w, p.h);
    Picture result = Crop(*source, 0, 0, p.w, p.h);
    RotateInto(part, result, angle, key);
    DrawPicture(canvas, result, p.x, p.y, 0, 0, p.w, p.h, transparent, key);
    return true;
}

bool DrawBmpFlipped(
    Canvas& canvas, const AnsiString& file, int x, int y, int w, int h, int sx, int sy, bool transparent, bool mirror)
{
    const auto source = ReadBitmapFile(file);
    if (!source) return false;
    const Part p = ClipPart(canvas, *source, x, y, w, h, sx, sy);
    if (p.w <= 0 || p.h <= 0) return true;
    Picture part = Crop(*source, p.sx, p.sy, p.w, p.h);
    if (mirror)
        MirrorColumns(part);
    else
        FlipRows(part);
    DrawPicture(canvas, part, p.x, p.y, 0, 0, p.w, p.h, transparent, CornerOf(*source));
    return true;
}

bool CopyRectToClipboard(const Canvas& canvas, int x, int y, int w, int h)
{
    const int imageW = canvas.image.width(), imageH = canvas.image.height();
    if (w <= 0) w = imageW;
    if (h <= 0) h = imageH;
    x = std::clamp(x, 0, imageW);
    y = std::clamp(y, 0, imageH);
    w = std::min(w, imageW - x);
    h = std::min(h, imageH - y);
    if (w <= 0 || h <= 0) return false;
    return PutOnClipboard(CanvasPart(canvas, x, y, w, h));
}

} // namespace ImageServices
