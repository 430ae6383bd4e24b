#include "screen/Canvas.h"

#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "screen/ScreenFont.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

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

int Canvas::PlainTextWidth(const AnsiString& text, const QString& shown, const QFontMetrics& metrics)
{
    // Laying text out costs as much as drawing it. In a fixed-pitch font every
    // printable ASCII character has the same advance, so the console's usual
    // text is measured by counting instead.
    if (!(font == measuredFont)) {
        measuredFont = font;
        fixedAdvance = QFontInfo(font).fixedPitch() ? metrics.horizontalAdvance(QLatin1Char('9')) : 0;
    }
    if (fixedAdvance > 0) {
        bool plain = true;
        for (char c : text)
            plain = plain && c >= 32 && c < 127;
        if (plain) return fixedAdvance * static_cast<int>(text.size());
    }
    return metrics.horizontalAdvance(shown);
}

void Canvas::TextOut(int x, int y, const AnsiString& text)
{
    QString shown = platform::toQString(text);
    QFontMetrics metrics(font);
    int width = PlainTextWidth(text, shown, metrics);
    QRect box(x, y, width, metrics.height());
    Draw([&](QPainter& painter) {
        painter.fillRect(box, platform::toQColor(brushColor));
        painter.setFont(font);
        painter.setPen(platform::toQColor(fontColor));
        painter.drawText(x, y + metrics.ascent(), shown);
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
