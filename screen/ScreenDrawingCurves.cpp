#include "screen/ScreenDrawingSupport.h"
#include "screen/ScreenForm.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>
#include <vector>

// Arcs, pies and Bezier curves: their exact coverage is the painter's, drawn
// without antialiasing.

namespace {

enum class Closing { Arc, Pie };

// The counter-clockwise part of the ellipse in the box (x1, y1, x2, y2), right
// and bottom edges excluded, between the radial lines through the start and
// end points that the angles give on the circle around the box's corners.
void DrawEllipsePart(Canvas& canvas, int x1, int y1, int x2, int y2, double start, double sweep, Closing closing)
{
    if (!std::isfinite(start) || !std::isfinite(sweep)) return;
    const double left = std::min(x1, x2), right = std::max(x1, x2);
    const double top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right - left < 1 || bottom - top < 1) return;
    const double centreX = (double(x1) + x2) / 2.0, centreY = (double(y1) + y2) / 2.0;
    const double radius = std::hypot((double(x2) - x1) / 2.0, (double(y2) - y1) / 2.0);
    const double startX = std::round(centreX + radius * std::cos(start));
    const double startY = std::round(centreY - radius * std::sin(start));
    const double endX = std::round(centreX + radius * std::cos(start + sweep));
    const double endY = std::round(centreY - radius * std::sin(start + sweep));

    // The painter measures angles on the ellipse's parameter: the point of
    // parameter t is (a cos t, b sin t), so the radial line through (dx, dy)
    // meets the ellipse where tan t = (dy a) / (dx b).
    const double a = (right - left) / 2.0, b = (bottom - top) / 2.0;
    const double boxCentreX = (left + right) / 2.0, boxCentreY = (top + bottom) / 2.0;
    auto parameter = [&](double x, double y) {
        return std::atan2((boxCentreY - y) * a, (x - boxCentreX) * b) * 180.0 / std::numbers::pi;
    };
    const double from = parameter(startX, startY);
    double span = std::fmod(parameter(endX, endY) - from, 360.0);
    if (span <= 0.0) span += 360.0; // coinciding points give the whole ellipse
    const QRectF box(drawing::ForPainter(left), drawing::ForPainter(top),
        drawing::ForPainter(right) - drawing::ForPainter(left) - 1,
        drawing::ForPainter(bottom) - drawing::ForPainter(top) - 1);
    const int width = drawing::DrawingWidth(canvas);
    canvas.Draw([&](QPainter& painter) {
        painter.setPen(width == 1 ? canvas.Pen() : drawing::WidePen(canvas));
        const int startSixteenths = static_cast<int>(std::lround(from * 16.0));
        const int spanSixteenths = static_cast<int>(std::lround(span * 16.0));
        if (closing == Closing::Pie) {
            painter.setBrush(canvas.Brush());
            painter.drawPie(box, startSixteenths, spanSixteenths);
        } else {
            painter.drawArc(box, startSixteenths, spanSixteenths);
        }
        return box.toAlignedRect().adjusted(-width, -width, width + 1, width + 1);
    });
}

} // namespace

void TScreenForm::DrawArc(int x1, int y1, int x2, int y2, double start, double sweep, int width, int colour)
{
    drawing::ShapeScope scope(*this, colour, -1, width);
    DrawEllipsePart(*canvas, x1, y1, x2, y2, start, sweep, Closing::Arc);
}

void TScreenForm::DrawPie(int x1, int y1, int x2, int y2, double start, double sweep, int fore, int back)
{
    drawing::ShapeScope scope(*this, fore, back);
    DrawEllipsePart(*canvas, x1, y1, x2, y2, start, sweep, Closing::Pie);
}

void TScreenForm::DrawBezier(const QPoint* points, int count, int width, int colour)
{
    // One start point and three points per segment; extra points are unused.
    const int segments = count > 0 ? (count - 1) / 3 : 0;
    if (!points || segments < 1) return;
    drawing::ShapeScope scope(*this, colour, -1, width);
    auto at = [&](int k) { return QPointF(drawing::ForPainter(points[k].x()), drawing::ForPainter(points[k].y())); };
    QPainterPath path(at(0));
    for (int k = 0; k < segments; ++k)
        path.cubicTo(at(3 * k + 1), at(3 * k + 2), at(3 * k + 3));
    const int drawWidth = drawing::DrawingWidth(*canvas);
    canvas->Draw([&](QPainter& painter) {
        painter.setPen(drawWidth == 1 ? canvas->Pen() : drawing::WidePen(*canvas));
        painter.drawPath(path);
        return path.boundingRect().toAlignedRect().adjusted(-drawWidth, -drawWidth, drawWidth + 1, drawWidth + 1);
    });
}

void TScreenForm::DrawBezierPoints(const int* xy, int count, int width, int colour)
{
    if (!xy || count <= 0) return;
    std::vector<QPoint> points(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        points[static_cast<size_t>(k)] = QPoint(xy[2 * k], xy[2 * k + 1]);
    DrawBezier(points.data(), count, width, colour);
}
