#include "tests/support/RunHarness.h"

#include "platform/gui/Colors.h"
#include "screen/ScreenForm.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr int Black = 0, Red = 4, Purple = 5, Silver = 7, Yellow = 14, White = 15;

// Each test starts on a white visible image with the default pen and brush.
class DrawingServices : public testing::Test {
protected:
    void SetUp() override
    {
        screen.ResetScreen();
        screen.ScreenPageBitmap.Fill(0xFFFFFF);
    }
    int At(int x, int y) const { return screen.GetPixelIndex(x, y); }
    // Counts the pixels of a colour index in a box of the visible image.
    int Count(int colour, int x, int y, int width, int height) const
    {
        int n = 0;
        for (int row = y; row < y + height; ++row)
            for (int column = x; column < x + width; ++column)
                n += At(column, row) == colour;
        return n;
    }
    TScreenForm& screen = TestScreen();
};

TEST_F(DrawingServices, EllipseByCornersIncludesBothCorners)
{
    screen.DrawEllipseOrRect(1, 10, 10, 20, 20, Black, Yellow);
    for (auto [x, y] : { std::pair { 10, 15 }, { 20, 15 }, { 15, 10 }, { 15, 20 } })
        EXPECT_EQ(At(x, y), Black) << x << "," << y;
    for (auto [x, y] : { std::pair { 9, 15 }, { 21, 15 }, { 15, 9 }, { 15, 21 }, { 10, 10 } })
        EXPECT_EQ(At(x, y), White) << x << "," << y;
    EXPECT_EQ(At(15, 15), Yellow);
    // The shape's colours were its own.
    EXPECT_EQ(screen.GetColorIndex(0), Black);
    EXPECT_EQ(screen.GetColorIndex(1), White);
}

TEST_F(DrawingServices, EllipseBySizeExcludesRightAndBottom)
{
    screen.DrawEllipseOrRect(2, 10, 10, 10, 10, Red, -1);
    EXPECT_EQ(At(19, 14), Red);
    EXPECT_EQ(At(14, 19), Red);
    EXPECT_EQ(At(20, 14), White);
    EXPECT_EQ(At(14, 20), White);
    EXPECT_EQ(At(10, 14), Red);
    EXPECT_EQ(screen.GetColorIndex(0), Black);
}

TEST_F(DrawingServices, RectanglesInBothKindsCoverTheSameBox)
{
    const std::string expected = ".....\n.444.\n.4e4.\n.444.\n.....\n";
    screen.DrawEllipseOrRect(3, 12, 12, 10, 10, Red, Yellow); // corners in either order
    EXPECT_EQ(Region(9, 9, 5, 5), expected);
    screen.DrawEllipseOrRect(4, 30, 10, 3, 3, Red, Yellow);
    EXPECT_EQ(Region(29, 9, 5, 5), expected);
}

TEST_F(DrawingServices, WidePenIsTheShapesOwnAndRestored)
{
    screen.DrawRectOutline(1, 100, 100, 140, 140, 5, Red);
    EXPECT_EQ(At(100, 120), Red);
    EXPECT_EQ(At(98, 120), Red); // the wide pen spreads across the edge
    EXPECT_EQ(At(120, 120), White);
    EXPECT_EQ(screen.canvas->penWidth, 1);
    screen.SetPenWidth(5);
    screen.DrawEllipseOrRect(3, 200, 100, 240, 140, Red, Yellow);
    EXPECT_EQ(At(199, 120), Red);
    EXPECT_EQ(At(220, 120), Yellow);
    screen.SetPenWidth(-3); // ignored
    EXPECT_EQ(screen.canvas->penWidth, 5);
}

TEST_F(DrawingServices, SetColorsKeepsANegativeColour)
{
    screen.SetColors(-1, Red);
    EXPECT_EQ(screen.GetColorIndex(0), Black);
    EXPECT_EQ(screen.GetColorIndex(1), Red);
    screen.SetColors(0x123456, -1);
    EXPECT_EQ(screen.GetColorIndex(0), 0x123456);
    EXPECT_EQ(screen.canvas->fontColor, 0x123456);
    EXPECT_EQ(screen.GetColorIndex(1), Red);
}

TEST_F(DrawingServices, PixelsByIndexColourAndPenPosition)
{
    screen.SetPixel(5, 5, Red);
    EXPECT_EQ(At(5, 5), Red);
    screen.SetPixel(6, 5, 0x123456);
    EXPECT_EQ(At(6, 5), 0x123456);
    screen.SetColors(Purple, -1);
    screen.canvas->penPos = QPoint(7, 8);
    screen.SetPixel(-1, -1, -1);
    EXPECT_EQ(At(7, 8), Purple);
    screen.SetPixel(INT_MAX, INT_MIN, Red); // clipped away
    EXPECT_EQ(At(-1, 0), -1);
    EXPECT_EQ(At(800, 0), -1);
}

TEST_F(DrawingServices, LinesLeaveTheirLastPixelAndThePenThere)
{
    screen.DrawLine(10, 10, 20, 10, -1, Red);
    EXPECT_EQ(Count(Red, 0, 10, 40, 1), 10);
    EXPECT_EQ(At(19, 10), Red);
    EXPECT_EQ(At(20, 10), White);
    EXPECT_EQ(screen.canvas->penPos, QPoint(20, 10));
    EXPECT_EQ(screen.GetColorIndex(0), Black);
    screen.LineToXY(20, 15, -1, -1);
    EXPECT_EQ(Count(Black, 20, 0, 1, 40), 5);
    EXPECT_EQ(At(20, 10), Black);
    EXPECT_EQ(At(20, 15), White);
    EXPECT_EQ(screen.canvas->penPos, QPoint(20, 15));
}

TEST_F(DrawingServices, WideLinesByThePainter)
{
    screen.DrawLine(100, 100, 200, 100, 6, Red);
    EXPECT_EQ(At(150, 102), Red);
    EXPECT_EQ(At(150, 97), Red);
    EXPECT_EQ(At(150, 106), White);
    EXPECT_EQ(screen.canvas->penWidth, 1);
    screen.DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 9, Red); // clipped, not overflowed
    EXPECT_EQ(At(300, 300), Red);
}

struct OutlineCase {
    int kind, x1, y1, x2, y2;
};

TEST_F(DrawingServices, OutlinesByCornersAndBySizeMatch)
{
    for (const OutlineCase& c : { OutlineCase { 1, 10, 10, 13, 12 }, OutlineCase { 2, 10, 10, 4, 3 } }) {
        screen.ResetScreen();
        screen.canvas->penPos = QPoint(50, 50);
        screen.DrawRectOutline(c.kind, c.x1, c.y1, c.x2, c.y2, -1, -1);
        EXPECT_EQ(Region(9, 9, 6, 5), "......\n.0000.\n.0..0.\n.0000.\n......\n") << c.kind;
        EXPECT_EQ(screen.canvas->penPos, QPoint(10, 10));
    }
}

TEST_F(DrawingServices, FloodFillSurfaceFillsOnlyTheTargetArea)
{
    screen.DrawRectOutline(1, 10, 10, 20, 20, -1, Black);
    screen.SetPixel(15, 15, Red);
    screen.FloodFillSurface(12, 12, Yellow, -1); // target: the white at (12, 12)
    EXPECT_EQ(Count(Yellow, 0, 0, 40, 40), 9 * 9 - 1);
    EXPECT_EQ(At(15, 15), Red);
    EXPECT_EQ(At(25, 25), White);
    EXPECT_EQ(screen.GetColorIndex(1), White);
    // Fill -1 is the pen colour; the pen position stands in for -1 positions.
    screen.canvas->penPos = QPoint(30, 30);
    screen.SetColors(Purple, -1);
    screen.FloodFillSurface(-1, -1, -1, White);
    EXPECT_EQ(At(0, 0), Purple);
    EXPECT_EQ(At(12, 12), Yellow);
}

TEST_F(DrawingServices, FloodFillToBorderKeepsItsFillAsTheBrush)
{
    screen.DrawRectOutline(1, 10, 10, 20, 20, -1, -1);
    screen.SetPixel(15, 15, Red);
    screen.FloodFillToBorder(12, 12, Yellow, -1); // border: the pen colour
    EXPECT_EQ(Count(Yellow, 0, 0, 40, 40), 9 * 9);
    EXPECT_EQ(At(25, 25), White);
    EXPECT_EQ(screen.GetColorIndex(1), Yellow);
}

TEST_F(DrawingServices, PathLanguageDrawsMovesAndRecolours)
{
    screen.DrawPathString("r5rD-l", 100, 100, 10, -99);
    EXPECT_EQ(Count(Black, 100, 100, 10, 1), 10);
    EXPECT_EQ(Count(Purple, 110, 100, 10, 1), 10);
    EXPECT_EQ(Count(White, 120, 100, 1, 10), 10); // moved down without drawing
    EXPECT_EQ(Count(Black, 111, 110, 10, 1), 10); // drawn left in the start colour
    EXPECT_EQ(screen.canvas->penPos, QPoint(110, 110));
    EXPECT_EQ(screen.GetColorIndex(0), Black);
    // Trailing digits only change the colour; a negative colour is the brush.
    screen.SetColors(-1, Red);
    screen.DrawPathString("d12", 200, 100, 5, -1);
    EXPECT_EQ(Count(Red, 200, 100, 1, 5), 5);
    EXPECT_EQ(Count(White, 190, 90, 30, 30), 900 - 5);
}

TEST_F(DrawingServices, SaveBufferPastesWhatWasSaved)
{
    screen.DrawEllipseOrRect(3, 0, 0, 9, 9, Red, Yellow);
    screen.CopyRectToBuffer(0, 0, 9, 9);
    EXPECT_EQ(screen.bufferWidth, 10);
    EXPECT_EQ(screen.bufferHeight, 10);
    screen.PasteBuffer(100, 100);
    EXPECT_EQ(Region(100, 100, 10, 10), Region(0, 0, 10, 10));
    EXPECT_EQ(At(109, 109), Red);
    EXPECT_EQ(At(110, 110), White);
    // Negative sizes are refused and keep the buffer.
    screen.CopyRectToBuffer(10, 10, 5, 5);
    screen.CopyRectToBufferWH(0, 0, -1, 4);
    EXPECT_EQ(screen.bufferWidth, 10);
    EXPECT_EQ(screen.bufferHeight, 10);
    // A block partly off the image saves the outside as white.
    screen.CopyRectToBufferWH(-5, -5, 10, 10);
    screen.PasteBuffer(300, 300);
    EXPECT_EQ(At(300, 300), White);
    EXPECT_EQ(At(305, 305), Red);
}

TEST_F(DrawingServices, PageModeDrawsOffScreenUntilShown)
{
    const std::string before = Region(0, 0, 8, 8);
    screen.SetDrawTarget(-1); // not in page mode: nothing
    EXPECT_EQ(screen.canvas, &screen.imageCanvas);
    screen.SetDrawTarget(1);
    EXPECT_TRUE(screen.pageMode);
    screen.DrawEllipseOrRect(3, 1, 1, 5, 5, Red, Red);
    EXPECT_EQ(Region(0, 0, 8, 8), before);
    screen.SetDrawTarget(-1);
    EXPECT_EQ(At(3, 3), Red);
    EXPECT_EQ(screen.canvas, &screen.ScreenPageBitmap);
    screen.SetDrawTarget(0);
    EXPECT_FALSE(screen.pageMode);
    EXPECT_EQ(screen.canvas, &screen.imageCanvas);
}

TEST_F(DrawingServices, TextAtDrawsInItsCellAndMovesThePen)
{
    screen.SetColors(Red, Yellow);
    screen.canvas->penPos = QPoint(40, 30);
    screen.TextAt(-1, -1, "Hi");
    const QFontMetrics metrics(screen.canvas->font);
    const int width = metrics.horizontalAdvance("Hi");
    const int height = metrics.height();
    EXPECT_GT(Count(Red, 40, 30, width, height), 0);
    EXPECT_EQ(Count(Red, 40, 30, width, height) + Count(Yellow, 40, 30, width, height), width * height);
    EXPECT_EQ(Count(White, 30, 20, width + 20, height + 20), (width + 20) * (height + 20) - width * height);
    EXPECT_EQ(screen.canvas->penPos, QPoint(40 + width, 30));
}

TEST_F(DrawingServices, TextWithItsOwnFontRestoresTheCanvas)
{
    const QFont font = screen.canvas->font;
    screen.TextAtWithFont(10, 10, "Big", "", 20, 1 | 2 | 4, Red, Yellow);
    EXPECT_GT(Count(Red, 10, 10, 80, 40), 0);
    EXPECT_GT(Count(Yellow, 10, 10, 80, 40), 0);
    EXPECT_EQ(screen.canvas->font, font);
    EXPECT_EQ(screen.GetColorIndex(1), White);
    EXPECT_EQ(screen.canvas->fontColor, screen.canvas->penColor);
    EXPECT_GT(screen.canvas->penPos.x(), 40);
}

TEST_F(DrawingServices, OverlayTextKeepsTheBackground)
{
    screen.DrawEllipseOrRect(3, 0, 0, 199, 59, Silver, Silver);
    screen.SetColors(-1, Yellow);
    screen.OverlayText(10, 10, "Over", "", 16, 0, Red);
    EXPECT_GT(Count(Red, 0, 0, 200, 60), 0);
    EXPECT_EQ(Count(Yellow, 0, 0, 200, 60), 0);
    EXPECT_EQ(Count(Red, 0, 0, 200, 60) + Count(Silver, 0, 0, 200, 60), 200 * 60);
    EXPECT_EQ(screen.canvas->fontColor, screen.palette[Black]);
}

TEST_F(DrawingServices, ArcsAndPies)
{
    screen.DrawArc(100, 100, 141, 141, 0.0, std::numbers::pi, 1, Red); // the upper half
    EXPECT_GT(Count(Red, 95, 95, 50, 20), 0);
    EXPECT_EQ(Count(Red, 95, 125, 50, 20), 0);
    EXPECT_EQ(screen.GetColorIndex(0), Black);
    screen.DrawPie(200, 100, 241, 141, 1.0, 0.0, Red, Yellow); // coinciding ends: whole
    EXPECT_EQ(At(212, 128), Yellow);
    EXPECT_EQ(At(220, 137), Yellow);
    EXPECT_EQ(At(220, 100), Red);
    EXPECT_EQ(screen.GetColorIndex(1), White);
    const std::string untouched = Region(300, 100, 40, 40);
    screen.DrawArc(300, 100, 340, 140, std::numeric_limits<double>::quiet_NaN(), 1.0, 1, Red);
    screen.DrawPie(300, 100, 300, 140, 0.0, 1.0, Red, Red); // no width
    EXPECT_EQ(Region(300, 100, 40, 40), untouched);
}

TEST_F(DrawingServices, BezierNeedsFourPoints)
{
    const QPoint points[] = { { 10, 50 }, { 30, 10 }, { 60, 90 }, { 80, 50 }, { 90, 90 } };
    screen.DrawBezier(points, 3, 1, Red);
    EXPECT_EQ(Count(Red, 0, 0, 100, 100), 0);
    screen.DrawBezier(points, 5, 1, Red);
    EXPECT_GT(Count(Red, 0, 0, 100, 100), 20);
    EXPECT_EQ(Count(Red, 81, 0, 19, 100), 0); // the fifth point starts no segment
    EXPECT_EQ(screen.GetColorIndex(0), Black);
}

TEST_F(DrawingServices, CursorNumbers)
{
    for (auto [given, expected] : { std::pair { 5, -5 }, { -40, -21 }, { INT_MIN, -21 }, { 0, 0 }, { -21, -21 } }) {
        screen.SetImageCursor(given);
        EXPECT_EQ(screen.imageCursor, expected) << given;
    }
}

TEST_F(DrawingServices, ExtremeArgumentsNeitherHangNorOverflow)
{
    const auto start = std::chrono::steady_clock::now();
    for (auto [far, opposite] : { std::pair { INT_MIN, INT_MAX }, { INT_MAX, INT_MIN } }) {
        screen.DrawEllipseOrRect(1, opposite, opposite, far, far, Red, Yellow);
        screen.DrawEllipseOrRect(2, far, far, far, far, Red, Yellow);
        screen.DrawEllipseOrRect(4, 0, 0, far, far, Red, Yellow);
        screen.DrawRectOutline(2, far, far, far, far, 3, Red);
        screen.DrawLine(far, 0, opposite, 599, -1, Red);
        screen.DrawArc(opposite, opposite, far, far, 0.0, 1.0, 2, Red);
        screen.DrawPie(far, far, opposite, opposite, 1e300, -1e300, Red, Red);
        screen.DrawPathString("rdlu1sw", far, far, far, 2);
        screen.TextAt(far, far, "x");
        screen.TextAtWithFont(10, 10, "x", "", far, far, far, far);
        screen.FloodFillToBorder(far, far, Red, -1);
        screen.CopyRectToBuffer(far, far, far, far);
        screen.CopyRectToBufferWH(opposite, opposite, far, far);
        screen.PasteBuffer(far, opposite);
        screen.SetPenWidth(far);
        screen.DrawLine(0, 0, 10, 10, -1, -1);
        screen.SetPenWidth(1);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

} // namespace
