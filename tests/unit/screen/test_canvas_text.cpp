#include "platform/Colors.h"
#include "screen/Canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

// Console text in a fixed-pitch font takes a fast path (glyphs placed by
// counting, no text layout); it must paint exactly what laid-out text paints.
TEST(CanvasText, FastPathPaintsWhatTextLayoutPaints)
{
    Canvas canvas(QSize(900, 40));
    AnsiString text;
    for (int c = 32; c < 127; ++c)
        text += static_cast<char>(c);
    canvas.fontColor = 0x0000FF;
    canvas.brushColor = 0xFFFF00;
    canvas.TextOut(3, 5, text);

    QImage expected(900, 40, QImage::Format_RGB32);
    expected.fill(platform::toQRgb(0xFFFFFF));
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    const QFontMetrics metrics(canvas.font);
    const QString shown = QString::fromLatin1(text.c_str());
    painter.fillRect(
        QRect(3, 5, metrics.horizontalAdvance(shown), metrics.height()), platform::toQColor(canvas.brushColor));
    painter.setFont(canvas.font);
    painter.setPen(platform::toQColor(canvas.fontColor));
    painter.drawText(3, 5 + metrics.ascent(), shown);
    painter.end();

    EXPECT_EQ(canvas.image, expected);
    EXPECT_EQ(canvas.penPos, QPoint(3 + metrics.horizontalAdvance(shown), 5));
}
