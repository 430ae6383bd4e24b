#include "interpreter/ClipboardPictures.h"

#include "interpreter/ImageParts.h"
#include "pictures/PictureFiles.h"
#include "pictures/PictureFilters.h"

#include <algorithm>
#include <optional>

namespace ClipboardPictures {

namespace {

constexpr const char* ClipboardName = "-1";

std::optional<Picture> ClipboardPicture()
{
    return Images().clipboardPicture();
}

bool PutOnClipboard(const Picture& picture)
{
    return Images().putOnClipboard(picture);
}

uint32_t CornerOf(const Picture& picture)
{
    return picture.Empty() ? 0 : picture.At(0, 0);
}

} // namespace

bool BmpPartToClipboard(const AnsiString& file, int sx, int sy, int w, int h)
{
    const auto source = ReadBitmapFile(file);
    if (!source) return false;
    sx = std::clamp(sx, 0, source->width - 1);
    sy = std::clamp(sy, 0, source->height - 1);
    if (w <= 0 || w > source->width) w = source->width;
    if (h <= 0 || h > source->height) h = source->height;
    w = std::min(w, source->width - sx);
    h = std::min(h, source->height - sy);
    return PutOnClipboard(Crop(*source, sx, sy, w, h));
}

bool SaveClipboardBmp(const AnsiString& file)
{
    const auto picture = ClipboardPicture();
    if (!picture) return true;
    return WriteBitmapFile(file, *picture);
}

bool FlipClipboardBmp(bool mirror)
{
    auto picture = ClipboardPicture();
    if (!picture) return true;
    if (mirror)
        MirrorColumns(*picture);
    else
        FlipRows(*picture);
    return PutOnClipboard(*picture);
}

bool RotateClipboardBmp(int angle)
{
    const auto picture = ClipboardPicture();
    if (!picture) return true;
    // A new picture: its first fill turns it wholly into the corner colour.
    Picture result(picture->width, picture->height, 0xFFFFFF);
    RotateInto(*picture, result, angle, CornerOf(*picture));
    return PutOnClipboard(result);
}

bool ScaleBmpToFile(const AnsiString& source, int w, int h, const AnsiString& target)
{
    const auto picture = source == ClipboardName ? ClipboardPicture() : ReadBitmapFile(source);
    // An empty clipboard is nothing to do; an unreadable file a failure.
    if (!picture) return source == ClipboardName;
    if (w <= 0) w = picture->width;
    if (h <= 0) h = picture->height;
    if (!Picture::SizeAllowed(w, h)) return false;
    const Picture result = Stretch(*picture, w, h);
    return target == ClipboardName ? PutOnClipboard(result) : WriteBitmapFile(target, result);
}

} // namespace ClipboardPictures
