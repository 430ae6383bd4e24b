#include "canvas/ImagePartsInstaller.h"

#include "canvas/Canvas.h"
#include "canvas/ImageServices.h"
#include "canvas/TextFont.h"

namespace {

ImageParts::Size CanvasSize(const Canvas& canvas)
{
    return { canvas.image.width(), canvas.image.height() };
}

} // namespace

ImageParts WindowImageParts()
{
    return {
        .canvasSize = &CanvasSize,
        .canvasPart = &ImageServices::CanvasPart,
        .drawPicture = &ImageServices::DrawPicture,
        .saveRectToBmp = &ImageServices::SaveRectToBmp,
        .drawBmpPart = &ImageServices::DrawBmpPart,
        .drawBmpStretched = &ImageServices::DrawBmpStretched,
        .drawBmpRotated = &ImageServices::DrawBmpRotated,
        .drawBmpFlipped = &ImageServices::DrawBmpFlipped,
        .copyRectToClipboard = &ImageServices::CopyRectToClipboard,
        .textWidth = &TextFont::MeasureWidth,
        .clipboardPicture = &ImageServices::ClipboardPicture,
        .putOnClipboard = &ImageServices::PutOnClipboard,
    };
}
