#include "screen/robot/RobotBody.h"

#include "platform/gui/Colors.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

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

const RobotBody::Sprite& RobotBody::SpriteOf(QPoint corner1, QPoint corner2, QPoint tip)
{
    const uint64_t key = Pack(corner1.x()) | Pack(corner1.y()) << 8 | Pack(corner2.x()) << 16 | Pack(corner2.y()) << 24
        | Pack(tip.x()) << 32 | Pack(tip.y()) << 40;
    auto found = sprites.find(key);
    if (found != sprites.end()) return found->second;
    if (sprites.size() >= MaxSprites) sprites.clear();

    // The picture's pixel (0, 0) stands for the image pixel origin + (0, 0).
    const QRect bounds = QRect(corner1, corner2)
                             .normalized()
                             .united(QRect(QPoint(0, 0), tip).normalized())
                             .adjusted(-Margin, -Margin, Margin, Margin);
    QImage picture(bounds.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(-bounds.topLeft());
        painter.setPen(QPen(platform::toQColor(borderColour), BodyPenWidth));
        painter.setBrush(platform::toQColor(fillColour));
        painter.drawEllipse(QRect(corner1, corner2 - QPoint(1, 1)));
        painter.drawLine(QPoint(0, 0), tip);
    }
    Sprite sprite;
    sprite.offset = bounds.topLeft();
    sprite.size = bounds.size();
    for (int row = 0; row < picture.height(); ++row) {
        const QRgb* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(row));
        for (int column = 0; column < picture.width();) {
            // Drawn without antialiasing, a pixel is either covered or not.
            if (qAlpha(pixels[column]) == 0) {
                ++column;
                continue;
            }
            Run run { row, column, 0, sprite.pixels.size() };
            for (; column < picture.width() && qAlpha(pixels[column]) != 0; ++column)
                sprite.pixels.push_back(pixels[column] | 0xFF000000u);
            run.length = column - run.column;
            sprite.runs.push_back(run);
        }
    }
    return sprites.emplace(key, std::move(sprite)).first->second;
}

QRect RobotBody::Draw(QImage& image, QPoint centre, QPoint corner1, QPoint corner2, QPoint tip)
{
    const QPoint relative1 = corner1 - centre;
    const QPoint relative2 = corner2 - centre;
    const QPoint relativeTip = tip - centre;
    auto fits = [](QPoint p) { return std::abs(p.x()) < Span - Margin && std::abs(p.y()) < Span - Margin; };
    if (!fits(relative1) || !fits(relative2) || !fits(relativeTip)) return QRect();

    const Sprite& sprite = SpriteOf(relative1, relative2, relativeTip);
    const QRect target = QRect(centre + sprite.offset, sprite.size);
    const QRect part = target.intersected(image.rect());
    if (part.isEmpty()) return part;
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (const Run& run : sprite.runs) {
        const int row = target.top() + run.row;
        if (row < part.top() || row > part.bottom()) continue;
        const int from = std::max(target.left() + run.column, part.left());
        const int to = std::min(target.left() + run.column + run.length - 1, part.right());
        if (from > to) continue;
        const QRgb* source = sprite.pixels.data() + run.first + (from - target.left() - run.column);
        std::memcpy(reinterpret_cast<QRgb*>(bits + row * stride) + from, source,
            static_cast<size_t>(to - from + 1) * sizeof(QRgb));
    }
    return part;
}
