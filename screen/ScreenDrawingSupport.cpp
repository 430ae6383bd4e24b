#include "screen/ScreenDrawingSupport.h"

#include "platform/gui/Colors.h"
#include "screen/ScreenForm.h"

#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace drawing {

namespace {

// Cuts the segment to the rectangle (Liang-Barsky); false when nothing is left.
bool ClipSegment(QLineF& line, const QRectF& bounds)
{
    double from = 0.0, to = 1.0;
    const double dx = line.dx(), dy = line.dy();
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4] = { line.x1() - bounds.left(), bounds.right() - line.x1(), line.y1() - bounds.top(),
        bounds.bottom() - line.y1() };
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0.0)
            from = std::max(from, r);
        else
            to = std::min(to, r);
    }
    if (from > to) return false;
    const QPointF start = line.pointAt(from);
    const QPointF end = line.pointAt(to);
    line = QLineF(start, end);
    return true;
}

} // namespace

raster::Surface SurfaceOf(Canvas& canvas)
{
    QImage& image = canvas.image;
    return raster::Surface { reinterpret_cast<raster::Pixel*>(image.bits()), image.width(), image.height(),
        image.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(raster::Pixel)) };
}

raster::Pixel PixelOf(int windowsColor)
{
    return platform::toQRgb(windowsColor);
}

QRect ToQRect(const raster::Box& box)
{
    return box.Empty() ? QRect() : QRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
}

int DrawingWidth(const Canvas& canvas)
{
    return std::clamp(canvas.penWidth, 1, MaxPenWidth);
}

QPen WidePen(const Canvas& canvas)
{
    return QPen(platform::toQColor(canvas.penColor), DrawingWidth(canvas), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

double ForPainter(double coordinate)
{
    return std::clamp(coordinate, -PainterReach, PainterReach);
}

void Segment(Canvas& canvas, raster::Coordinate x1, raster::Coordinate y1, raster::Coordinate x2, raster::Coordinate y2)
{
    if (DrawingWidth(canvas) == 1) {
        canvas.Changed(ToQRect(raster::Line(SurfaceOf(canvas), x1, y1, x2, y2, PixelOf(canvas.penColor))));
        return;
    }
    const int width = DrawingWidth(canvas);
    QLineF line(static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(x2), static_cast<double>(y2));
    const QRectF reach = QRectF(canvas.image.rect()).adjusted(-width, -width, width, width);
    if (!ClipSegment(line, reach)) return;
    canvas.Draw([&](QPainter& painter) {
        painter.setPen(WidePen(canvas));
        painter.drawLine(line);
        return QRectF(line.p1(), line.p2()).normalized().toAlignedRect().adjusted(-width, -width, width, width);
    });
}

ShapeScope::ShapeScope(TScreenForm& form, int fore, int back, int width)
    : canvas(*form.canvas)
    , penColor(canvas.penColor)
    , fontColor(canvas.fontColor)
    , brushColor(canvas.brushColor)
    , penWidth(canvas.penWidth)
{
    form.SetColors(fore, back);
    if (width > 0) canvas.penWidth = width;
}

ShapeScope::~ShapeScope()
{
    canvas.penColor = penColor;
    canvas.fontColor = fontColor;
    canvas.brushColor = brushColor;
    canvas.penWidth = penWidth;
}

int Saturated(raster::Coordinate value)
{
    return static_cast<int>(std::clamp<raster::Coordinate>(value, INT_MIN, INT_MAX));
}

} // namespace drawing
