#include "screen/ScreenDrawingSupport.h"
#include "screen/ScreenForm.h"

// The rectangle buffer of savescr and restorescr, and the off-screen page.

using raster::Coordinate;

namespace {

raster::Surface SurfaceOfImage(QImage& image)
{
    return raster::Surface { reinterpret_cast<raster::Pixel*>(image.bits()), image.width(), image.height(),
        image.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(raster::Pixel)) };
}

// Saves the width x height block at (x, y) of the canvas into the top-left of
// the buffer. Parts of the block outside the canvas are saved white, the
// buffer's own background. Negative sizes are refused and keep the buffer.
void SaveBlock(TScreenForm& form, Coordinate x, Coordinate y, Coordinate width, Coordinate height)
{
    if (width < 0 || height < 0) return;
    form.bufferWidth = drawing::Saturated(width);
    form.bufferHeight = drawing::Saturated(height);
    const raster::Surface buffer = SurfaceOfImage(form.ScreenSaveBitmap);
    raster::FillBox(buffer, raster::WideBox { 0, 0, width, height }, 0xFFFFFFFF);
    raster::CopyBlock(buffer, 0, 0, drawing::SurfaceOf(*form.canvas), x, y, width, height);
}

} // namespace

void TScreenForm::CopyRectToBuffer(int x1, int y1, int x2, int y2)
{
    SaveBlock(*this, x1, y1, Coordinate { x2 } - x1 + 1, Coordinate { y2 } - y1 + 1);
}

void TScreenForm::CopyRectToBufferWH(int x, int y, int width, int height)
{
    SaveBlock(*this, x, y, width, height);
}

void TScreenForm::PasteBuffer(int x, int y)
{
    const raster::Surface buffer = SurfaceOfImage(ScreenSaveBitmap);
    canvas->Changed(drawing::ToQRect(
        raster::CopyBlock(drawing::SurfaceOf(*canvas), x, y, buffer, 0, 0, bufferWidth, bufferHeight)));
}

void TScreenForm::SetDrawTarget(int n)
{
    if (n > 0) {
        canvas = &ScreenPageBitmap;
        pageMode = true;
    } else if (n == 0) {
        canvas = &imageCanvas;
        pageMode = false;
    } else if (pageMode) {
        // Show the page; drawing stays on it.
        imageCanvas.Changed(drawing::ToQRect(
            raster::CopyBlock(drawing::SurfaceOf(imageCanvas), 0, 0, drawing::SurfaceOf(ScreenPageBitmap), 0, 0,
                ScreenPageBitmap.image.width(), ScreenPageBitmap.image.height())));
    }
}
