#include "canvas/Canvas.h"
#include "platform/gui/Colors.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>

namespace {

// What the painter's own text layout paints for TextOut(x, y, text) on image.
void PaintReference(QImage& image, const Canvas& canvas, int x, int y, const AnsiString& text)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    const QFontMetrics metrics(canvas.font);
    const QString shown = QString::fromLatin1(text.c_str());
    painter.fillRect(
        QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), platform::toQColor(canvas.brushColor));
    painter.setFont(canvas.font);
    painter.setPen(platform::toQColor(canvas.fontColor));
    painter.drawText(x, y + metrics.ascent(), shown);
}

} // namespace

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

// Console text is put on the image pixel by pixel where it fits; near and past
// the edges it falls back to the painter. Either way the pixels, the reported
// change and the pen position are those of laid-out text, on a surface already
// drawn on as on a fresh one.
TEST(CanvasText, PlainTextMatchesLayoutEverywhere)
{
    struct Case {
        int x, y, fore, back;
        const char* text;
    };
    const Case cases[] = {
        { 0, 0, 0x000000, 0xFFFFFF, "line 1" },
        { 4, 3, 0x000000, 0xFFFFFF, "over earlier text" },
        { 9, 17, 0x123456, 0xFEDCBA, "gjpqy_|(){}[]@#$%&QWM" },
        { 230, 40, 0xFFFFFF, 0x000000, "at the right edge" },
        { -4, 10, 0x00FF00, 0x800080, "past the left edge" },
        { 50, -6, 0x0000FF, 0xFFFF00, "past the top" },
        { 50, 52, 0xFF0000, 0x00FFFF, "past the bottom" },
        { 300, 10, 0x000000, 0xFFFFFF, "beyond the image" },
        { 20, 30, 0x808080, 0x808080, "same colours" },
        { 2, 44, 0x000000, 0xFFFFFF, "on a clean row" },
    };
    Canvas canvas(QSize(260, 60));
    QImage expected = canvas.image.copy();
    QRect lastChange;
    canvas.onChanged = [&](const QRect& rect) { lastChange = rect; };
    for (const Case& c : cases) {
        canvas.fontColor = c.fore;
        canvas.brushColor = c.back;
        lastChange = QRect();
        canvas.TextOut(c.x, c.y, c.text);
        PaintReference(expected, canvas, c.x, c.y, c.text);
        ASSERT_EQ(canvas.image, expected) << c.text;
        const QFontMetrics metrics(canvas.font);
        const int width = metrics.horizontalAdvance(QString::fromLatin1(c.text));
        EXPECT_EQ(lastChange, QRect(c.x, c.y, width, metrics.height()).intersected(canvas.image.rect())) << c.text;
        EXPECT_EQ(canvas.penPos, QPoint(c.x + width, c.y)) << c.text;
    }
}

// Blank surfaces of one size and colour share their pixels until drawn on;
// drawing on one, filling one or resizing one leaves the others as they were.
TEST(CanvasText, BlankSurfacesStayApart)
{
    Canvas first(QSize(40, 20));
    Canvas second(QSize(40, 20));
    QImage saved = BlankImage(QSize(40, 20), 0xFFFFFF);
    const QImage white = saved.copy();
    first.TextOut(1, 1, "ab");
    EXPECT_NE(first.image, white);
    EXPECT_EQ(second.image, white);
    EXPECT_EQ(saved, white);
    second.Fill(0x0000FF);
    EXPECT_EQ(second.image.pixel(5, 5), platform::toQRgb(0x0000FF));
    EXPECT_EQ(saved, white);
    EXPECT_EQ(BlankImage(QSize(40, 20), 0xFFFFFF), white);
    first.Fill(0xFFFFFF);
    EXPECT_EQ(first.image, white);
    first.Resize(QSize(30, 10));
    EXPECT_EQ(first.image.size(), QSize(30, 10));
    EXPECT_EQ(saved, white);
}

// Clearing after console text repaints only what the text covered; any other
// change to the pixels since (painter, direct pixel access, a copy sharing
// them) must still be cleared.
TEST(CanvasText, ClearingAfterOtherDrawingClearsEverything)
{
    using Change = std::function<void(Canvas&)>;
    const Change changes[] = {
        [](Canvas&) {},
        [](Canvas& c) {
            c.Draw([](QPainter& painter) {
                painter.fillRect(QRect(150, 30, 5, 5), Qt::red);
                return QRect();
            });
        },
        [](Canvas& c) { c.image.setPixel(199, 59, qRgb(1, 2, 3)); },
        [](Canvas& c) { reinterpret_cast<QRgb*>(c.image.bits())[199] = qRgb(4, 5, 6); },
        [](Canvas& c) { c.image.scanLine(40)[8] = 7; },
        [](Canvas& c) { c.TextOut(195, 0, "past the edge"); },
        [](Canvas& c) {
            c.brushColor = 0x00FF00;
            c.TextOut(100, 20, "other brush");
        },
    };
    for (size_t k = 0; k < std::size(changes); ++k) {
        Canvas canvas(QSize(200, 60));
        canvas.Fill(0xFFFFFF);
        canvas.fontColor = 0x0000FF;
        canvas.TextOut(0, 0, "line 1");
        changes[k](canvas);
        canvas.TextOut(0, 17, "line 2");
        canvas.Fill(0xFFFFFF);
        EXPECT_EQ(canvas.image, BlankImage(QSize(200, 60), 0xFFFFFF)) << "change " << k;
        canvas.Fill(0x000000);
        EXPECT_EQ(canvas.image, BlankImage(QSize(200, 60), 0x000000)) << "change " << k;
    }
}

// Screen-sized images live in memory of their own; they behave as any image.
TEST(CanvasText, ScreenSizedImagesBehaveAsAnyImage)
{
    const QSize size(800, 600);
    QImage filled = FilledImage(size, 0x123456);
    ASSERT_EQ(filled.size(), size);
    EXPECT_EQ(filled.format(), QImage::Format_RGB32);
    EXPECT_EQ(filled.pixel(0, 0), platform::toQRgb(0x123456));
    EXPECT_EQ(filled.pixel(799, 599), platform::toQRgb(0x123456));
    QImage reference(size, QImage::Format_RGB32);
    reference.fill(platform::toQRgb(0x123456));
    EXPECT_EQ(filled, reference);

    QImage shared = BlankImage(size, 0x123456);
    QImage kept = shared;
    shared.setPixel(10, 10, qRgb(0, 0, 0));
    EXPECT_EQ(kept, reference);
    filled = QImage();
    EXPECT_EQ(BlankImage(size, 0x123456), reference);
    EXPECT_TRUE(FilledImage(QSize(0, 5), 0).isNull());
}
