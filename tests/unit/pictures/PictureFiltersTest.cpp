#include "pictures/PictureFilters.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Each filter on a tiny picture: the arguments, the input pixels and the
// pixels that must come out (0xRRGGBB).

namespace {

struct FilterCase {
    std::string name;
    std::function<void(Picture&)> filter;
    std::vector<uint32_t> input;
    std::vector<uint32_t> output;
};

Picture Row(const std::vector<uint32_t>& pixels)
{
    Picture p(static_cast<int>(pixels.size()), 1);
    p.pixels = pixels;
    return p;
}

TEST(PictureFilters, PixelFiltersFollowTheirIntegerRules)
{
    const std::vector<FilterCase> cases = {
        { "black and white, threshold 0 means 128", [](Picture& p) { ToBlackWhite(p, 0); },
            { 0x7F7F7F, 0x808080, 0xFF0000, 0x000000 }, { 0, 0xFFFFFF, 0, 0 } },
        { "black and white, threshold above 255 means 255", [](Picture& p) { ToBlackWhite(p, 999); },
            { 0xFEFEFE, 0xFFFFFF }, { 0, 0xFFFFFF } },
        { "gray with the default weights", [](Picture& p) { ToGray(p, 0.3, 0.6, 0.1); },
            { 0xFF0000, 0x00FF00, 0x0000FF, 0x102030 }, { 0x4C4C4C, 0x999999, 0x191919, 0x1C1C1C } },
        { "gray limited to 255", [](Picture& p) { ToGray(p, 1, 1, 1); }, { 0xFFFFFF, 0x010101 },
            { 0xFFFFFF, 0x030303 } },
        { "rgb 1, 0, -1 doubles red, keeps green, removes blue", [](Picture& p) { ScaleChannels(p, 1, 0, -1); },
            { 0x404040, 0xC0C0C0 }, { 0x804000, 0xFFC000 } },
        { "rgb factors limited to -1..1", [](Picture& p) { ScaleChannels(p, 5, -5, 0.5); }, { 0x404040 },
            { 0x800060 } },
        { "contrast 0.5 around 128", [](Picture& p) { ChangeContrast(p, 0.5, 128); }, { 0xC88040, 0x818080 },
            { 0xFF8020, 0xC18080 } },
        { "contrast -1 lowers channels above the pivot to it and keeps 0",
            [](Picture& p) { ChangeContrast(p, -1, 100); }, { 0xFF0064 }, { 0x640064 } },
        { "negative", [](Picture& p) { Negative(p); }, { 0x000000, 0x123456 }, { 0xFFFFFF, 0xEDCBA9 } },
        { "change colour, tolerance 0 changes exact matches only",
            [](Picture& p) { ReplaceColor(p, 0x102030, 0xFF, 0); }, { 0x102030, 0x102031 }, { 0x0000FF, 0x102031 } },
        { "change colour, negative tolerance means 0.2", [](Picture& p) { ReplaceColor(p, 0, 0xFF, -1); },
            { 0x303030, 0x343434 }, { 0x0000FF, 0x343434 } },
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.name);
        Picture p = Row(c.input);
        c.filter(p);
        EXPECT_EQ(p.pixels, c.output);
    }
}

TEST(PictureFilters, NegativeTwiceRestoresThePicture)
{
    Picture p = Row({ 0x123456, 0xFEDCBA, 0 });
    const Picture original = p;
    Negative(p);
    Negative(p);
    EXPECT_EQ(p.pixels, original.pixels);
}

TEST(PictureFilters, EdgesOfAOneColourPictureAreItsBorder)
{
    Picture p(4, 3, 0x00FF00);
    const Picture edges = FindEdges(p, 0, false);
    const uint32_t E = 0, B = 0xFFFFFF;
    EXPECT_EQ(edges.pixels, (std::vector<uint32_t> { E, E, E, E, E, B, B, E, E, E, E, E }));
    const Picture inverted = FindEdges(p, 0, true);
    EXPECT_EQ(inverted.At(1, 1), 0u);
    EXPECT_EQ(inverted.At(0, 0), 0xFFFFFFu);
}

TEST(PictureFilters, CompareMarksDifferencesAndMissingPixelsWhite)
{
    Picture a(3, 1), b(2, 1);
    a.pixels = { 0xC86432, 0x000000, 0x808080 };
    // (200, 100, 50) and (210, 100, 50) agree under 0.1; (0, 0, 0) and (5, 0, 0) never do.
    b.pixels = { 0xD26432, 0x050000 };
    EXPECT_EQ(ComparePictures(a, b, -1).pixels, (std::vector<uint32_t> { 0, 0xFFFFFF, 0xFFFFFF }));
    EXPECT_EQ(ComparePictures(a, b, 1).pixels, (std::vector<uint32_t> { 0, 0, 0xFFFFFF }));
    EXPECT_EQ(ComparePictures(a, a, 0).pixels, (std::vector<uint32_t> { 0, 0, 0 }));
}

TEST(PictureFilters, StretchSamplesPixelCentres)
{
    Picture p(2, 1);
    p.pixels = { 1, 2 };
    EXPECT_EQ(Stretch(p, 4, 1).pixels, (std::vector<uint32_t> { 1, 1, 2, 2 }));
    EXPECT_EQ(Stretch(p, 3, 2).pixels, (std::vector<uint32_t> { 1, 2, 2, 1, 2, 2 }));
    EXPECT_EQ(Stretch(p, 1, 1).pixels, (std::vector<uint32_t> { 2 }));
    EXPECT_EQ(StretchPart(p, 100000, 100000, 2, 1).pixels, (std::vector<uint32_t> { 1, 1 }));
}

TEST(PictureFilters, FlipsAndMirrors)
{
    Picture p(2, 2);
    p.pixels = { 1, 2, 3, 4 };
    Picture flipped = p;
    FlipRows(flipped);
    EXPECT_EQ(flipped.pixels, (std::vector<uint32_t> { 3, 4, 1, 2 }));
    MirrorColumns(p);
    EXPECT_EQ(p.pixels, (std::vector<uint32_t> { 2, 1, 4, 3 }));
}

TEST(PictureFilters, RotationTurnsCounterClockwiseOverTheCornerColour)
{
    // A 4 x 4 picture with one marked pixel at the top right, turned by 90
    // degrees counter-clockwise about the centre (2, 2): it goes to the left edge.
    Picture source(4, 4, 0x111111);
    source.At(3, 0) = 0xFF0000;
    Picture result(4, 4, 0xFFFFFF);
    RotateInto(source, result, 90, 0x111111);
    EXPECT_EQ(result.At(0, 1), 0xFF0000u);
    EXPECT_EQ(result.At(3, 0), 0x111111u);
    // At 45 degrees the corners get no source pixel and keep the corner colour.
    Picture big(20, 20, 0x0000FF);
    big.At(0, 0) = 0x00FF00;
    Picture turned(20, 20, 0xFFFFFF);
    RotateInto(big, turned, 45, 0x00FF00);
    EXPECT_EQ(turned.At(0, 0), 0x00FF00u);
    EXPECT_EQ(turned.At(19, 19), 0x00FF00u);
    EXPECT_EQ(turned.At(10, 10), 0x0000FFu);
}

TEST(PictureFilters, RotationFillStopsOnlyAtTheBorderGreen)
{
    // A ring of 0x008000 keeps the inside from the background fill.
    Picture result(5, 5, 0x777777);
    for (int k = 1; k < 4; ++k)
        result.At(k, 1) = result.At(k, 3) = result.At(1, k) = result.At(3, k) = 0x008000;
    RotateInto(Picture(), result, 30, 0x123456);
    EXPECT_EQ(result.At(0, 0), 0x123456u);
    EXPECT_EQ(result.At(2, 2), 0x777777u);
}

} // namespace
