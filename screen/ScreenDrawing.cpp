#include "platform/gui/Colors.h"
#include "screen/ScreenDrawingSupport.h"
#include "screen/ScreenForm.h"

#include <QPainter>

// Colours, the pen, pixels, lines, rectangles, ellipses and flood fills of the
// run-time screen. Everything whose coverage the robot's sensors may see is
// drawn by the rasteriser; wide pens by the painter.

using drawing::PixelOf;
using drawing::SurfaceOf;
using drawing::ToQRect;
using raster::Coordinate;

namespace {

// Shape kinds of DrawEllipseOrRect and DrawRectOutline.
enum ShapeKind { EllipseByCorners = 1, EllipseBySize = 2, RectangleByCorners = 3, RectangleBySize = 4 };

// The box of a shape given by corners (both included, in either order) or by
// position and size (right and bottom edges excluded, as given).
raster::WideBox ShapeBox(bool byCorners, int x1, int y1, int x2, int y2)
{
    if (!byCorners) return raster::WideBox { x1, y1, Coordinate { x1 } + x2, Coordinate { y1 } + y2 };
    return raster::WideBox { std::min(x1, x2), std::min(y1, y2), Coordinate { std::max(x1, x2) } + 1,
        Coordinate { std::max(y1, y2) } + 1 };
}

QRectF PainterBox(const raster::WideBox& box)
{
    const double left = drawing::ForPainter(static_cast<double>(std::min(box.left, box.right)));
    const double top = drawing::ForPainter(static_cast<double>(std::min(box.top, box.bottom)));
    const double right = drawing::ForPainter(static_cast<double>(std::max(box.left, box.right)));
    const double bottom = drawing::ForPainter(static_cast<double>(std::max(box.top, box.bottom)));
    return QRectF(left, top, right - left - 1, bottom - top - 1);
}

} // namespace

void TScreenForm::SetColors(int fore, int back)
{
    if (fore >= 0) {
        canvas->penColor = PaletteColor(fore);
        canvas->fontColor = canvas->penColor;
    }
    if (back >= 0) canvas->brushColor = PaletteColor(back);
}

int TScreenForm::GetColorIndex(int which) const
{
    return PaletteIndexOf(which == 1 ? canvas->brushColor : canvas->penColor);
}

void TScreenForm::SetPenWidth(int width)
{
    // A negative width leaves the pen as it is; 0 draws as 1.
    if (width >= 0) canvas->penWidth = width;
}

void TScreenForm::SetPixel(int x, int y, int colour)
{
    if (x == -1) x = canvas->penPos.x();
    if (y == -1) y = canvas->penPos.y();
    const int value = colour == -1 ? canvas->penColor : PaletteColor(colour);
    canvas->Changed(ToQRect(raster::PutPixel(SurfaceOf(*canvas), x, y, PixelOf(value))));
}

int TScreenForm::GetPixelIndex(int x, int y) const
{
    const QImage& image = canvas->image;
    // Outside the image there is no colour: -1, as the system reports it.
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return -1;
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    return PaletteIndexOf(platform::fromQRgb(row[x]));
}

void TScreenForm::DrawLine(int x1, int y1, int x2, int y2, int width, int colour)
{
    drawing::ShapeScope scope(*this, colour, -1, width);
    drawing::Segment(*canvas, x1, y1, x2, y2);
    canvas->penPos = QPoint(x2, y2);
}

void TScreenForm::LineToXY(int x, int y, int width, int colour)
{
    drawing::ShapeScope scope(*this, colour, -1, width);
    drawing::Segment(*canvas, canvas->penPos.x(), canvas->penPos.y(), x, y);
    canvas->penPos = QPoint(x, y);
}

void TScreenForm::DrawRectOutline(int kind, int x1, int y1, int x2, int y2, int width, int colour)
{
    drawing::ShapeScope scope(*this, colour, -1, width);
    Coordinate right = x2, bottom = y2;
    if (kind != 1) {
        right = Coordinate { x1 } + x2 - 1;
        bottom = Coordinate { y1 } + y2 - 1;
    }
    const Coordinate corners[5][2] = { { x1, y1 }, { right, y1 }, { right, bottom }, { x1, bottom }, { x1, y1 } };
    for (int k = 0; k < 4; ++k)
        drawing::Segment(*canvas, corners[k][0], corners[k][1], corners[k + 1][0], corners[k + 1][1]);
    canvas->penPos = QPoint(x1, y1);
}

void TScreenForm::DrawEllipseOrRect(int kind, int x1, int y1, int x2, int y2, int fore, int back)
{
    drawing::ShapeScope scope(*this, fore, back);
    const bool byCorners = kind == EllipseByCorners || kind == RectangleByCorners;
    const bool ellipse = kind == EllipseByCorners || kind == EllipseBySize;
    const raster::WideBox box = ShapeBox(byCorners, x1, y1, x2, y2);
    if (drawing::DrawingWidth(*canvas) == 1) {
        const raster::Surface surface = SurfaceOf(*canvas);
        const raster::Pixel pen = PixelOf(canvas->penColor), brush = PixelOf(canvas->brushColor);
        canvas->Changed(
            ToQRect(ellipse ? raster::Ellipse(surface, box, pen, brush) : raster::Rectangle(surface, box, pen, brush)));
        return;
    }
    if (box.left == box.right || box.top == box.bottom) return;
    const QRectF shape = PainterBox(box);
    const int width = drawing::DrawingWidth(*canvas);
    canvas->Draw([&](QPainter& painter) {
        QPen pen = drawing::WidePen(*canvas);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(canvas->Brush());
        if (ellipse)
            painter.drawEllipse(shape);
        else
            painter.drawRect(shape);
        return shape.toAlignedRect().adjusted(-width, -width, width + 1, width + 1);
    });
}

void TScreenForm::FloodFillSurface(int x, int y, int fill, int target)
{
    if (x == -1) x = canvas->penPos.x();
    if (y == -1) y = canvas->penPos.y();
    const raster::Surface surface = SurfaceOf(*canvas);
    raster::Pixel targetPixel = PixelOf(PaletteColor(target));
    if (target < 0 && !raster::PixelAt(surface, x, y, targetPixel)) return;
    const int fillColor = fill < 0 ? canvas->penColor : PaletteColor(fill);
    canvas->Changed(ToQRect(raster::FloodFillSurface(surface, x, y, PixelOf(fillColor), targetPixel)));
}

void TScreenForm::FloodFillToBorder(int x, int y, int fill, int border)
{
    if (x == -1) x = canvas->penPos.x();
    if (y == -1) y = canvas->penPos.y();
    // The fill colour becomes the brush and stays.
    if (fill >= 0) canvas->brushColor = PaletteColor(fill);
    const int borderColor = border < 0 ? canvas->penColor : PaletteColor(border);
    canvas->Changed(ToQRect(
        raster::FloodFillToBorder(SurfaceOf(*canvas), x, y, PixelOf(canvas->brushColor), PixelOf(borderColor))));
}

void TScreenForm::SetPenPosition(int x, int y)
{
    canvas->penPos = QPoint(x, y);
}
