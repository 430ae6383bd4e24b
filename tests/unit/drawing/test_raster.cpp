#include "canvas/raster/PathLanguage.h"
#include "canvas/raster/Raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

using namespace raster;

namespace {

constexpr Pixel White = 0xFFFFFFFF;
constexpr Pixel Black = 0xFF000000;
constexpr Pixel Red = 0xFFFF0000;
constexpr Pixel Blue = 0xFF0000FF;

// A small white pixel buffer, dumped as text: '.' white, '#' black, 'r' red,
// 'b' blue, '?' anything else.
struct Buffer {
    explicit Buffer(int w, int h)
        : pixels(static_cast<size_t>(w * h), White)
        , surface { pixels.data(), w, h, w }
    { }
    Pixel At(int x, int y) const { return pixels[static_cast<size_t>(y * surface.width + x)]; }
    void Set(int x, int y, Pixel p) { pixels[static_cast<size_t>(y * surface.width + x)] = p; }
    int Count(Pixel p) const
    {
        int n = 0;
        for (Pixel q : pixels)
            n += q == p;
        return n;
    }
    std::string Dump() const
    {
        std::string text;
        for (int y = 0; y < surface.height; ++y) {
            for (int x = 0; x < surface.width; ++x) {
                const Pixel p = At(x, y);
                text += p == White ? '.' : p == Black ? '#' : p == Red ? 'r' : p == Blue ? 'b' : '?';
            }
            text += '\n';
        }
        return text;
    }
    std::vector<Pixel> pixels;
    Surface surface;
};

struct LineCase {
    const char* name;
    Coordinate x1, y1, x2, y2;
    const char* picture; // 6 x 4
};

class Lines : public testing::TestWithParam<LineCase> { };

TEST_P(Lines, CoverTheStartAndOmitTheLastPixel)
{
    const LineCase& c = GetParam();
    Buffer b(6, 4);
    Line(b.surface, c.x1, c.y1, c.x2, c.y2, Black);
    EXPECT_EQ(b.Dump(), c.picture);
}

INSTANTIATE_TEST_SUITE_P(Raster, Lines,
    testing::Values(LineCase { "Horizontal", 0, 1, 5, 1, "......\n#####.\n......\n......\n" },
        LineCase { "Backward", 5, 1, 0, 1, "......\n.#####\n......\n......\n" },
        LineCase { "Vertical", 2, 0, 2, 3, "..#...\n..#...\n..#...\n......\n" },
        LineCase { "Diagonal", 0, 0, 3, 3, "#.....\n.#....\n..#...\n......\n" },
        LineCase { "Shallow", 0, 0, 6, 2, "##....\n..###.\n.....#\n......\n" },
        LineCase { "Steep", 0, 0, 2, 4, "#.....\n.#....\n.#....\n..#...\n" },
        LineCase { "ZeroLength", 3, 2, 3, 2, "......\n......\n......\n......\n" },
        LineCase { "ClippedBothEnds", -1000000000, 2, 1000000000, 2, "......\n......\n######\n......\n" },
        LineCase { "WhollyOutside", -5, -1, 10, -1, "......\n......\n......\n......\n" },
        LineCase { "ExtremeDiagonal", INT_MIN, INT_MIN, INT_MAX, INT_MAX, "#.....\n.#....\n..#...\n...#..\n" },
        // Past 2^60 the walk carries its remainder in 128 bits.
        LineCase { "WideHorizontal", -(Coordinate { 1 } << 61), 3, Coordinate { 1 } << 61, 3,
            "......\n......\n......\n######\n" },
        LineCase { "WideDiagonal", -(Coordinate { 1 } << 61), -(Coordinate { 1 } << 61), Coordinate { 1 } << 61,
            Coordinate { 1 } << 61, "#.....\n.#....\n..#...\n...#..\n" }),
    [](const testing::TestParamInfo<LineCase>& c) { return std::string(c.param.name); });

TEST(Raster, JoinedLinesCoverAClosedOutlineOnce)
{
    Buffer b(8, 6);
    const Coordinate corners[5][2] = { { 1, 1 }, { 5, 1 }, { 5, 4 }, { 1, 4 }, { 1, 1 } };
    for (int k = 0; k < 4; ++k)
        Line(b.surface, corners[k][0], corners[k][1], corners[k + 1][0], corners[k + 1][1], Black);
    EXPECT_EQ(b.Dump(), "........\n.#####..\n.#...#..\n.#...#..\n.#####..\n........\n");
}

// Every pixel of a line is the nearest one to the exact line along the minor
// axis, a half rounding away from the start; lines that start or end off the
// surface keep the same pixels on it.
TEST(Raster, LinePixelsFollowTheRoundedSlopeWhereverTheyStart)
{
    const Coordinate ends[][4] = { { -4, 0, 9, 3 }, { 9, 4, -7, 0 }, { 1, -9, 4, 7 }, { 6, 9, 0, -8 },
        { -20, -3, 30, 8 }, { 3, 2, -30, -1 }, { 0, 0, 7, 7 }, { -100, 4, 100, 1 }, { -3, -6, 12, 9 },
        { 8, -2, -4, 10 }, { 2, 40, 5, -40 }, { 6, 0, 6, 5 }, { 0, 4, 7, 4 } };
    for (const auto& e : ends) {
        Buffer drawn(7, 5), expected(7, 5);
        const Box reported = Line(drawn.surface, e[0], e[1], e[2], e[3], Black);
        Box box;
        const Coordinate dx = e[2] - e[0], dy = e[3] - e[1];
        const Coordinate major = std::max(std::abs(dx), std::abs(dy));
        const bool alongX = std::abs(dx) >= std::abs(dy);
        for (Coordinate step = 0; step < major; ++step) {
            const Coordinate offset = (2 * step * (alongX ? std::abs(dy) : std::abs(dx)) + major) / (2 * major);
            const Coordinate x = e[0] + (dx < 0 ? -1 : 1) * (alongX ? step : offset);
            const Coordinate y = e[1] + (dy < 0 ? -1 : 1) * (alongX ? offset : step);
            if (x >= 0 && y >= 0 && x < 7 && y < 5) {
                expected.Set(static_cast<int>(x), static_cast<int>(y), Black);
                box = box.United(
                    Box { static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + 1, static_cast<int>(y) + 1 });
            }
        }
        EXPECT_EQ(drawn.Dump(), expected.Dump()) << e[0] << "," << e[1] << " to " << e[2] << "," << e[3];
        EXPECT_EQ(reported, box) << e[0] << "," << e[1] << " to " << e[2] << "," << e[3];
    }
}

TEST(Raster, LineReportsItsClippedBox)
{
    Buffer b(6, 4);
    EXPECT_EQ(Line(b.surface, -3, 1, 3, 1, Black), (Box { 0, 1, 3, 2 }));
    EXPECT_TRUE(Line(b.surface, 9, 9, 20, 9, Black).Empty());
}

TEST(Raster, RectangleOutlinesInPenAndFillsWithBrush)
{
    Buffer b(7, 5);
    EXPECT_EQ(Rectangle(b.surface, WideBox { 1, 0, 6, 4 }, Black, Red), (Box { 1, 0, 6, 4 }));
    EXPECT_EQ(b.Dump(), ".#####.\n.#rrr#.\n.#rrr#.\n.#####.\n.......\n");
    Buffer thin(4, 3);
    Rectangle(thin.surface, WideBox { 0, 1, 4, 2 }, Black, Red);
    EXPECT_EQ(thin.Dump(), "....\n####\n....\n");
}

// Rows are filled several pixels at a time: every width, odd starts included,
// must cover exactly its own pixels.
TEST(Raster, FillsCoverExactlyTheirRowsAtEveryWidth)
{
    for (Coordinate left = 0; left < 4; ++left) {
        for (Coordinate width = 1; width <= 37; ++width) {
            Buffer b(44, 4);
            Rectangle(b.surface, WideBox { left, 0, left + width, 4 }, Black, Red);
            FillBox(b.surface, WideBox { left, 3, left + width, 4 }, Blue);
            for (int x = 0; x < 44; ++x) {
                const bool inside = x >= left && x < left + width;
                const bool side = x == left || x == left + width - 1;
                EXPECT_EQ(b.At(x, 0), inside ? Black : White) << left << "+" << width << " at " << x;
                EXPECT_EQ(b.At(x, 1), inside ? (side ? Black : Red) : White) << left << "+" << width << " at " << x;
                EXPECT_EQ(b.At(x, 3), inside ? Blue : White) << left << "+" << width << " at " << x;
            }
        }
    }
}

TEST(Raster, RectangleClipsAndNormalises)
{
    Buffer b(5, 4);
    Rectangle(b.surface, WideBox { 3, 2, -10, -10 }, Black, Red);
    EXPECT_EQ(b.Dump(), "rr#..\n###..\n.....\n.....\n");
    Buffer all(3, 3);
    Rectangle(
        all.surface, WideBox { INT_MIN, INT_MIN, Coordinate { INT_MAX } + 1, Coordinate { INT_MAX } + 1 }, Black, Red);
    EXPECT_EQ(all.Count(Red), 9);
}

TEST(Raster, EllipsesTouchTheirBoxAndAreSymmetric)
{
    Buffer b(9, 7);
    Ellipse(b.surface, WideBox { 1, 1, 8, 6 }, Black, Red);
    EXPECT_EQ(b.Dump(),
        ".........\n"
        "..#####..\n"
        ".#rrrrr#.\n"
        ".#rrrrr#.\n"
        ".#rrrrr#.\n"
        "..#####..\n"
        ".........\n");
}

TEST(Raster, EllipseOfEvenSizeKeepsBothCentreColumns)
{
    Buffer b(12, 12);
    Ellipse(b.surface, WideBox { 1, 1, 11, 11 }, Black, Red);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(b.At(x, y), b.At(11 - x, y)) << x << "," << y;
            EXPECT_EQ(b.At(x, y), b.At(y, x)) << x << "," << y;
        }
    // The box's edges are reached, the pixels beyond them untouched.
    EXPECT_EQ(b.At(5, 1), Black);
    EXPECT_EQ(b.At(1, 5), Black);
    EXPECT_EQ(b.At(10, 6), Black);
    EXPECT_EQ(b.At(6, 10), Black);
    EXPECT_EQ(b.At(0, 5), White);
    EXPECT_EQ(b.At(11, 5), White);
    EXPECT_EQ(b.At(1, 1), White);
    EXPECT_EQ(b.At(5, 5), Red);
}

TEST(Raster, NarrowAndEmptyEllipses)
{
    Buffer tall(3, 6);
    Ellipse(tall.surface, WideBox { 1, 0, 2, 6 }, Black, Red);
    EXPECT_EQ(tall.Dump(), ".#.\n.#.\n.#.\n.#.\n.#.\n.#.\n");
    Buffer none(3, 3);
    EXPECT_TRUE(Ellipse(none.surface, WideBox { 1, 1, 1, 3 }, Black, Red).Empty());
    EXPECT_EQ(none.Count(White), 9);
}

TEST(Raster, HugeEllipseCoversTheSurfaceWithItsInside)
{
    Buffer b(4, 4);
    Ellipse(b.surface, WideBox { -1000000000, -1000000000, 1000000000, 1000000000 }, Black, Red);
    EXPECT_EQ(b.Count(Red), 16);
}

TEST(Raster, FloodFillSurfaceIsFourConnected)
{
    Buffer b(5, 5);
    // A diagonal wall: four-connected filling does not pass it.
    for (int k = 0; k < 5; ++k)
        b.Set(k, 4 - k, Black);
    EXPECT_EQ(FloodFillSurface(b.surface, 0, 0, Red, White), (Box { 0, 0, 4, 4 }));
    EXPECT_EQ(b.Dump(), "rrrr#\nrrr#.\nrr#..\nr#...\n#....\n");
}

TEST(Raster, FloodFillSurfaceDoesNothingWhenItCannotStart)
{
    Buffer b(3, 3);
    EXPECT_TRUE(FloodFillSurface(b.surface, 1, 1, White, White).Empty()); // fill is the target
    EXPECT_TRUE(FloodFillSurface(b.surface, 1, 1, Red, Black).Empty()); // start not of the target
    EXPECT_TRUE(FloodFillSurface(b.surface, -1, 1, Red, White).Empty()); // start outside
    EXPECT_TRUE(FloodFillSurface(b.surface, 1, INT_MAX, Red, White).Empty());
    EXPECT_EQ(b.Count(White), 9);
}

TEST(Raster, FloodFillToBorderFillsEveryColourInside)
{
    Buffer b(6, 5);
    Rectangle(b.surface, WideBox { 0, 0, 5, 5 }, Black, White);
    b.Set(2, 2, Red);
    b.Set(3, 2, Blue);
    FloodFillToBorder(b.surface, 1, 1, Red, Black);
    EXPECT_EQ(b.Dump(), "#####.\n#rrr#.\n#rrr#.\n#rrr#.\n#####.\n");
    EXPECT_TRUE(FloodFillToBorder(b.surface, 0, 0, Red, Black).Empty()); // on the border
}

TEST(Raster, FloodFillCoversALargeAreaWithoutDeepRecursion)
{
    Buffer b(600, 400);
    for (int y = 0; y < 400; y += 2)
        b.Set(y % 4 == 0 ? 599 : 0, y, Black); // scattered obstacles
    FloodFillSurface(b.surface, 300, 200, Red, White);
    EXPECT_EQ(b.Count(Red), 600 * 400 - 200);
}

TEST(Raster, CopyBlockClipsBothSides)
{
    Buffer source(4, 4), target(4, 4);
    source.Set(0, 0, Red);
    source.Set(1, 1, Blue);
    source.Set(3, 3, Black);
    EXPECT_EQ(CopyBlock(target.surface, 2, 2, source.surface, 0, 0, 4, 4), (Box { 2, 2, 4, 4 }));
    EXPECT_EQ(target.Dump(), "....\n....\n..r.\n...b\n");
    Buffer back(4, 4);
    CopyBlock(back.surface, -1, -1, source.surface, 2, 2, 4, 4);
    EXPECT_EQ(back.At(0, 0), Black); // source (3, 3); the rest lay outside the source
    EXPECT_EQ(back.At(1, 1), White);
    EXPECT_TRUE(CopyBlock(back.surface, 0, 0, source.surface, 0, 0, -3, 2).Empty());
}

TEST(Raster, CopyBlockWithinOneSurfaceOverlapping)
{
    Buffer b(4, 4);
    for (int y = 0; y < 3; ++y)
        b.Set(0, y, y == 0 ? Red : y == 1 ? Blue : Black);
    CopyBlock(b.surface, 1, 1, b.surface, 0, 0, 3, 3);
    EXPECT_EQ(b.Dump(), "r...\nbr..\n#b..\n.#..\n");
}

} // namespace

using Kind = PathAction::Kind;

TEST(PathLanguage, DigitsColourLowerCaseDrawsOthersMove)
{
    // r, colour 5 then r, D moves down, - back to the start colour, l draws.
    const std::vector<PathAction> expected = {
        { Kind::LineTo, 0, 10, 0 },
        { Kind::SetColor, 5 },
        { Kind::LineTo, 0, 20, 0 },
        { Kind::MoveTo, 0, 20, 10 },
        { Kind::StartColor },
        { Kind::MoveTo, 0, 20, 10 },
        { Kind::LineTo, 0, 10, 10 },
    };
    EXPECT_EQ(ReadPath("r5rD-l", 0, 0, 10), expected);
}

TEST(PathLanguage, EveryDirectionAndTrailingDigits)
{
    const std::vector<PathAction> expected = {
        { Kind::LineTo, 0, 5, 4 }, // q up-left
        { Kind::MoveTo, 0, 6, 3 }, // W up-right, moving only
        { Kind::LineTo, 0, 5, 4 }, // a down-left
        { Kind::LineTo, 0, 6, 5 }, // s down-right
        { Kind::MoveTo, 0, 6, 5 }, // x is no move
        { Kind::SetColor, INT_MAX }, // digits at the end only set the colour
    };
    EXPECT_EQ(ReadPath("qWasx99999999999", 6, 5, 1), expected);
    EXPECT_TRUE(ReadPath("", 0, 0, 1).empty());
}
