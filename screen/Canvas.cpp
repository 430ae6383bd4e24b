#include "screen/Canvas.h"

#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "screen/ScreenFont.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

Canvas::Canvas(QSize size)
    : image(size, QImage::Format_RGB32)
    , font(ScreenFont())
{
    image.fill(platform::toQRgb(brushColor));
}

void Canvas::Resize(QSize size)
{
    if (size == image.size()) return;
    image = QImage(size, QImage::Format_RGB32);
    image.fill(platform::toQRgb(brushColor));
    Changed(image.rect());
}

void Canvas::Fill(int color)
{
    image.fill(platform::toQRgb(color));
    Changed(image.rect());
}

void Canvas::MeasureFont()
{
    if (textCache.valid && font == textCache.font) return;
    const QFontMetrics metrics(font);
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

void Canvas::TextOut(int x, int y, const AnsiString& text)
{
    // Laying text out (shaping) costs far more than drawing it. In a
    // fixed-pitch font every printable ASCII character has the same advance and
    // one glyph, so the console's usual text is measured by counting and drawn
    // as a run of those glyphs, which paints the same pixels.
    MeasureFont();
    const bool plain = IsPlain(text);
    const QString shown = plain ? QString() : platform::toQString(text);
    const int width
        = plain ? textCache.fixedAdvance * static_cast<int>(text.size()) : QFontMetrics(font).horizontalAdvance(shown);
    const QRect box(x, y, width, textCache.height);
    const int baseline = y + textCache.ascent;
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
    return QFontMetrics(font).horizontalAdvance(platform::toQString(text));
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
