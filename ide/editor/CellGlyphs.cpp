#include "ide/editor/CellGlyphs.h"

#include "platform/AnsiText.h"

#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>

void CellGlyphs::SetFont(const QFont& font, int width)
{
    base = font;
    cellWidth = std::max(1, width);
    for (Face& face : faces)
        face = Face {};
}

CellGlyphs::Face& CellGlyphs::FaceFor(TFontStyles style)
{
    const int index = style & (FontStyle::Bold | FontStyle::Italic);
    Face& face = faces[static_cast<size_t>(index)];
    if (face.ready) return face;
    face.ready = true;
    face.font = base;
    face.font.setBold(style & FontStyle::Bold);
    face.font.setItalic(style & FontStyle::Italic);
    face.font.setUnderline(false);
    face.font.setStrikeOut(false);
    face.raw = QRawFont::fromFont(face.font);
    // A face the font system makes up (thickened or slanted by itself) is not
    // what the raw font's glyphs show: every byte is then drawn as text.
    const bool madeUp = !face.raw.isValid() || ((style & FontStyle::Bold) && face.raw.weight() < QFont::DemiBold)
        || ((style & FontStyle::Italic) && face.raw.style() == QFont::StyleNormal);
    if (madeUp) {
        face.asText.set();
        return face;
    }
    QString characters;
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t c = platform::byteToCharacter(static_cast<unsigned char>(byte));
        characters += QChar(static_cast<char16_t>(c));
    }
    const QList<quint32> found = face.raw.glyphIndexesForString(characters);
    for (int byte = 0; byte < 256 && byte < found.size(); ++byte) {
        face.glyphs[static_cast<size_t>(byte)] = found[byte];
        if (found[byte] == 0 && byte >= 32) face.asText.set(static_cast<size_t>(byte));
    }
    const QList<QPointF> advance = face.raw.advancesForGlyphIndexes(QList<quint32> { face.glyphs['M'] });
    if (!advance.isEmpty()) face.offset = std::max(0, static_cast<int>((cellWidth - advance.first().x()) / 2));
    return face;
}

void CellGlyphs::InkExtent(int& above, int& below)
{
    above = 0;
    below = 0;
    for (TFontStyles style = 0; style <= (FontStyle::Bold | FontStyle::Italic); ++style) {
        Face& face = FaceFor(style);
        if (!face.raw.isValid()) continue;
        for (int byte = 33; byte < 256; ++byte) {
            if (face.asText.test(static_cast<size_t>(byte))) continue;
            const QRectF ink = face.raw.boundingRect(face.glyphs[static_cast<size_t>(byte)]);
            above = std::max(above, static_cast<int>(std::ceil(-ink.top())));
            below = std::max(below, static_cast<int>(std::ceil(ink.bottom())));
        }
    }
}

void CellGlyphs::Draw(
    QPainter& p, int x, int baseline, const char* bytes, int count, TFontStyles style, const QColor& colour)
{
    if (count <= 0) return;
    Face& face = FaceFor(style);
    p.setPen(colour);
    glyphRun.resize(0);
    positions.resize(0);
    bool anyAsText = false;
    for (int k = 0; k < count; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[k]);
        if (face.asText.test(byte)) {
            anyAsText = true;
            continue;
        }
        glyphRun.append(face.glyphs[byte]);
        positions.append(QPointF(x + k * cellWidth + face.offset, baseline));
    }
    if (!glyphRun.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(face.raw);
        run.setGlyphIndexes(glyphRun);
        run.setPositions(positions);
        run.setUnderline(style & FontStyle::Underline);
        run.setStrikeOut(style & FontStyle::StrikeOut);
        p.drawGlyphRun(QPointF(0, 0), run);
    }
    if (!anyAsText) return;
    QFont font = face.font;
    font.setUnderline(style & FontStyle::Underline);
    font.setStrikeOut(style & FontStyle::StrikeOut);
    p.setFont(font);
    for (int k = 0; k < count; ++k) {
        const auto byte = static_cast<unsigned char>(bytes[k]);
        if (!face.asText.test(byte)) continue;
        const char32_t c = platform::byteToCharacter(byte);
        p.drawText(QPointF(x + k * cellWidth + face.offset, baseline), QString(QChar(static_cast<char16_t>(c))));
    }
}
