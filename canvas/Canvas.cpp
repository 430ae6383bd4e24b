#include "canvas/Canvas.h"

#include "canvas/ScreenFont.h"
#include "platform/AnsiText.h"
#include "platform/gui/Colors.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <climits>
#include <cwchar>

namespace {

// Sets a run of pixels to one value. The C library's wide-character fill
// writes 32-bit units with vector stores; a plain loop is not vectorised at
// the optimisation level the project builds with, and console text fills a
// box per printed piece and the whole written area on each clear.
void FillPixels(QRgb* pixels, qsizetype count, QRgb value)
{
    static_assert(sizeof(wchar_t) == sizeof(QRgb));
    if (count > 0)
        std::wmemset(reinterpret_cast<wchar_t*>(pixels), static_cast<wchar_t>(value), static_cast<size_t>(count));
}

} // namespace

Canvas::Canvas(QSize size, Pixels pixelsOwned)
    : font(ScreenFont())
    , pixels(pixelsOwned)
{
    image = Blank(size, brushColor);
    uniform = Uniform { true, platform::toQRgb(brushColor), QRect(), image.cacheKey() };
}

QImage Canvas::Blank(QSize size, int color) const
{
    return pixels == Pixels::Own ? FilledImage(size, color) : BlankImage(size, color);
}

void Canvas::Resize(QSize size)
{
    if (size == image.size()) return;
    image = Blank(size, brushColor);
    uniform = Uniform { true, platform::toQRgb(brushColor), QRect(), image.cacheKey() };
    Changed(image.rect());
}

void Canvas::Fill(int color)
{
    const QRgb pixel = platform::toQRgb(color);
    if (UniformAreaKnown() && uniform.pixel == pixel) {
        // Only what was drawn since the last fill differs from the colour.
        const QRect area = uniform.changed.intersected(image.rect());
        if (!area.isEmpty()) {
            uchar* const bits = image.bits();
            const qsizetype stride = image.bytesPerLine();
            for (int row = area.top(); row <= area.bottom(); ++row)
                FillPixels(reinterpret_cast<QRgb*>(bits + row * stride) + area.left(), area.width(), pixel);
        }
    } else if (image.isDetached()) {
        image.fill(pixel);
    } else {
        // Filling a shared image in place would first copy it only to
        // overwrite the copy.
        image = Blank(image.size(), color);
    }
    uniform = Uniform { true, pixel, QRect(), image.cacheKey() };
    Changed(image.rect());
}

void Canvas::MeasureFont() const
{
    if (textCache.valid && font == textCache.font) return;
    const QFontMetrics metrics(font);
    textCache = TextCache {};
    textCache.font = font;
    textCache.valid = true;
    textCache.ascent = metrics.ascent();
    textCache.height = metrics.height();
    textCache.fixedAdvance = QFontInfo(font).fixedPitch() ? metrics.horizontalAdvance(QLatin1Char('9')) : 0;
    textCache.rawFont = textCache.fixedAdvance > 0 ? QRawFont::fromFont(font) : QRawFont();
    QString printable;
    for (int c = firstPlain; c <= lastPlain; ++c)
        printable += QChar(c);
    const QList<quint32> glyphs
        = textCache.rawFont.isValid() ? textCache.rawFont.glyphIndexesForString(printable) : QList<quint32>();
    // Without a glyph for every printable character the fast path stays off.
    if (glyphs.size() != lastPlain - firstPlain + 1 || glyphs.contains(0u)) textCache.fixedAdvance = 0;
    for (int k = 0; k < glyphs.size() && k <= lastPlain - firstPlain; ++k)
        textCache.glyphs[k] = glyphs[k];
}

bool Canvas::IsPlain(const AnsiString& text) const
{
    if (textCache.fixedAdvance <= 0) return false;
    for (char c : text)
        if (c < firstPlain || c > lastPlain) return false;
    return true;
}

const GlyphMask& Canvas::MaskOf(char c)
{
    const int k = c - firstPlain;
    if (!textCache.masksMade[k]) {
        textCache.masks[k] = MakeGlyphMask(textCache.rawFont, textCache.glyphs[k], 2 * textCache.height);
        textCache.masksMade[k] = true;
    }
    return textCache.masks[k];
}

bool Canvas::PutPlainText(const QRect& box, int baseline, const AnsiString& text)
{
    if (!image.rect().contains(box)) return false;
    // The rectangle the glyphs reach, kept as plain numbers: this runs for
    // every printed line.
    int left = box.left(), top = box.top(), right = box.right(), bottom = box.bottom();
    for (size_t k = 0; k < text.size(); ++k) {
        const GlyphMask& mask = MaskOf(text[k]);
        if (!mask.usable) return false;
        if (mask.bounds.isEmpty()) continue;
        const int x = box.left() + static_cast<int>(k) * textCache.fixedAdvance;
        left = std::min(left, x + mask.bounds.left());
        right = std::max(right, x + mask.bounds.right());
        top = std::min(top, baseline + mask.bounds.top());
        bottom = std::max(bottom, baseline + mask.bounds.bottom());
    }
    if (left < 0 || top < 0 || right >= image.width() || bottom >= image.height()) return false;

    const bool uniformKept = UniformAreaKnown();
    const QRgb background = platform::toQRgb(brushColor);
    // On a part still in the fill colour the background is there already.
    const bool backgroundThere = uniformKept && uniform.pixel == background && !uniform.changed.intersects(box);
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    if (!backgroundThere)
        for (int row = box.top(); row <= box.bottom(); ++row)
            FillPixels(reinterpret_cast<QRgb*>(bits + row * stride) + box.left(), box.width(), background);
    const QRgb pen = platform::toQRgb(fontColor);
    for (size_t k = 0; k < text.size(); ++k)
        PutGlyph(
            bits, stride, MaskOf(text[k]), box.left() + static_cast<int>(k) * textCache.fixedAdvance, baseline, pen);
    if (uniformKept) {
        uniform.changed |= QRect(QPoint(left, top), QPoint(right, bottom));
        uniform.imageKey = image.cacheKey();
    }
    return true;
}

bool Canvas::UniformAreaKnown()
{
    // Every way of changing a QImage's pixels (bits(), scanLine(), a painter,
    // fill) goes through its detach, which changes its cache key; an unchanged
    // key means nobody has drawn since the canvas last looked.
    if (uniform.known && uniform.imageKey == image.cacheKey()) return true;
    uniform.known = false;
    return false;
}

void Canvas::TextOut(int x, int y, const AnsiString& text)
{
    // Laying text out (shaping) costs far more than drawing it. In a
    // fixed-pitch font every printable ASCII character has the same advance and
    // one glyph, so the console's usual text is measured by counting and drawn
    // as a run of those glyphs, which paints the same pixels.
    MeasureFont();
    const bool plain = IsPlain(text);
    const QString shown = plain ? QString() : platform::toQString(text);
    const int width = plain ? PlainWidth(text) : QFontMetrics(font).horizontalAdvance(shown);
    const QRect box(x, y, width, textCache.height);
    const int baseline = y + textCache.ascent;
    // Most console text needs no painter at all: its glyphs' pixels are known.
    if (plain && PutPlainText(box, baseline, text)) {
        Changed(box);
        penPos = QPoint(x + width, y);
        return;
    }
    Draw([&](QPainter& painter) {
        painter.fillRect(box, platform::toQColor(brushColor));
        painter.setFont(font);
        painter.setPen(platform::toQColor(fontColor));
        if (plain) {
            QList<quint32> glyphs;
            QList<QPointF> positions;
            glyphs.reserve(static_cast<qsizetype>(text.size()));
            positions.reserve(static_cast<qsizetype>(text.size()));
            for (size_t k = 0; k < text.size(); ++k) {
                glyphs.append(textCache.glyphs[text[k] - firstPlain]);
                positions.append(QPointF(x + static_cast<double>(k) * textCache.fixedAdvance, baseline));
            }
            QGlyphRun run;
            run.setRawFont(textCache.rawFont);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter.drawGlyphRun(QPointF(0, 0), run);
        } else {
            painter.drawText(x, baseline, shown);
        }
        return box;
    });
    penPos = QPoint(x + width, y);
}

int Canvas::TextWidth(const AnsiString& text) const
{
    // Measured as TextOut measures, so that a text takes exactly the width it
    // was measured at.
    MeasureFont();
    return IsPlain(text) ? PlainWidth(text) : QFontMetrics(font).horizontalAdvance(platform::toQString(text));
}

int Canvas::PlainWidth(const AnsiString& text) const
{
    return static_cast<int>(std::min<long long>(
        static_cast<long long>(textCache.fixedAdvance) * static_cast<long long>(text.size()), INT_MAX));
}

int Canvas::TextHeight(const AnsiString&) const
{
    return QFontMetrics(font).height();
}

QPen Canvas::Pen() const
{
    return QPen(platform::toQColor(penColor), penWidth);
}

QBrush Canvas::Brush() const
{
    return QBrush(platform::toQColor(brushColor));
}

void Canvas::Draw(const std::function<QRect(QPainter&)>& draw)
{
    QRect changed;
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        changed = draw(painter);
    }
    Changed(changed);
}

void Canvas::Changed(const QRect& rect)
{
    if (onChanged && !rect.isEmpty()) onChanged(rect.intersected(image.rect()));
}
