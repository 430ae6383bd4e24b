#include "screen/robot/RobotBody.h"

#include "platform/Colors.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int BodyPenWidth = 4;
// The pen reaches this far beyond the shapes' geometry.
constexpr int Margin = BodyPenWidth;
// Sprites kept at most; more would only come from a program that changes the
// geometry without end, and starting over is cheap.
constexpr size_t MaxSprites = 2048;

uint64_t Pack(int value)
{
    return static_cast<uint64_t>(value + 128) & 0xFF;
}

} // namespace

void RobotBody::Reset(int border, int fill)
{
    sprites.clear();
    borderColour = border;
    fillColour = fill;
}

const QImage& RobotBody::Sprite(QPoint corner1, QPoint corner2, QPoint tip)
{
    const uint64_t key = Pack(corner1.x()) | Pack(corner1.y()) << 8 | Pack(corner2.x()) << 16 | Pack(corner2.y()) << 24
        | Pack(tip.x()) << 32 | Pack(tip.y()) << 40;
    auto found = sprites.find(key);
    if (found != sprites.end()) return found->second;
    if (sprites.size() >= MaxSprites) sprites.clear();

    // The sprite's pixel (0, 0) stands for the image pixel origin + (0, 0).
    const QRect bounds = QRect(corner1, corner2)
                             .normalized()
                             .united(QRect(QPoint(0, 0), tip).normalized())
                             .adjusted(-Margin, -Margin, Margin, Margin);
    QImage sprite(bounds.size(), QImage::Format_ARGB32);
    sprite.fill(Qt::transparent);
    {
        QPainter painter(&sprite);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(-bounds.topLeft());
        painter.setPen(QPen(platform::toQColor(borderColour), BodyPenWidth));
        painter.setBrush(platform::toQColor(fillColour));
        painter.drawEllipse(QRect(corner1, corner2 - QPoint(1, 1)));
        painter.drawLine(QPoint(0, 0), tip);
    }
    sprite.setOffset(bounds.topLeft());
    return sprites.emplace(key, std::move(sprite)).first->second;
}

QRect RobotBody::Draw(QImage& image, QPoint centre, QPoint corner1, QPoint corner2, QPoint tip)
{
    const QPoint relative1 = corner1 - centre;
    const QPoint relative2 = corner2 - centre;
    const QPoint relativeTip = tip - centre;
    auto fits = [](QPoint p) { return std::abs(p.x()) < Span - Margin && std::abs(p.y()) < Span - Margin; };
    if (!fits(relative1) || !fits(relative2) || !fits(relativeTip)) return QRect();

    const QImage& sprite = Sprite(relative1, relative2, relativeTip);
    const QRect target = QRect(centre + sprite.offset(), sprite.size());
    const QRect part = target.intersected(image.rect());
    for (int row = part.top(); row <= part.bottom(); ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(sprite.constScanLine(row - target.top()));
        QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = part.left(); column <= part.right(); ++column) {
            const QRgb pixel = from[column - target.left()];
            // Drawn without antialiasing, a pixel is either covered or not.
            if (qAlpha(pixel) != 0) to[column] = pixel | 0xFF000000u;
        }
    }
    return part;
}
