#include "canvas/GlyphMask.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <algorithm>

GlyphMask MakeGlyphMask(const QRawFont& font, quint32 glyph, int reach)
{
    GlyphMask mask;
    const int side = 2 * std::max(reach, 1) + 1;
    const int origin = side / 2;
    QImage scratch(side, side, QImage::Format_RGB32);
    const QRgb background = qRgb(0, 0, 0);
    const QRgb pen = qRgb(255, 255, 255);
    scratch.fill(background);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setPen(QColor(pen));
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes({ glyph });
        run.setPositions({ QPointF(origin, origin) });
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            const QRgb pixel = row[x];
            if (pixel == background) continue;
            const bool onEdge = x == 0 || y == 0 || x == side - 1 || y == side - 1;
            if (pixel != pen || onEdge) return GlyphMask {};
            const QPoint offset(x - origin, y - origin);
            mask.pixels.push_back(offset);
            mask.bounds |= QRect(offset, QSize(1, 1));
        }
    }
    mask.usable = true;
    return mask;
}

void PutGlyph(uchar* bits, qsizetype stride, const GlyphMask& mask, int x, int y, QRgb colour)
{
    if (stride % static_cast<qsizetype>(sizeof(QRgb)) != 0) {
        for (const QPoint& offset : mask.pixels)
            reinterpret_cast<QRgb*>(bits + (y + offset.y()) * stride)[x + offset.x()] = colour;
        return;
    }
    const qsizetype rowPixels = stride / static_cast<qsizetype>(sizeof(QRgb));
    if (mask.rowPixels != rowPixels) {
        mask.flatOffsets.clear();
        for (const QPoint& offset : mask.pixels)
            mask.flatOffsets.push_back(offset.y() * rowPixels + offset.x());
        mask.rowPixels = rowPixels;
    }
    QRgb* const origin = reinterpret_cast<QRgb*>(bits + y * stride) + x;
    for (const qsizetype offset : mask.flatOffsets)
        origin[offset] = colour;
}
