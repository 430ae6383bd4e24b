#include "pictures/BmpCodec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Bitmap files built byte by byte, one per header and pixel layout, read back
// to known pixels; the writer's exact bytes; and damaged files that must be
// refused without a large allocation.

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        b.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

// What a fixture is made of: the info header's fields and the parts after it.
struct BmpLayout {
    uint32_t infoSize = 40;
    int32_t width = 2;
    int32_t height = 2;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks {}; // written inside a header of 52 bytes or more, else after it
    std::vector<uint32_t> palette {}; // 0x00RRGGBB
    Bytes pixels {};
};

Bytes MakeBmp(const BmpLayout& s)
{
    Bytes info;
    if (s.infoSize == 12) {
        Put32(info, 12);
        Put16(info, static_cast<uint16_t>(s.width));
        Put16(info, static_cast<uint16_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bitCount);
    } else {
        Put32(info, s.infoSize);
        Put32(info, static_cast<uint32_t>(s.width));
        Put32(info, static_cast<uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bitCount);
        Put32(info, s.compression);
        Put32(info, static_cast<uint32_t>(s.pixels.size()));
        Put32(info, 0);
        Put32(info, 0);
        Put32(info, s.colorsUsed);
        Put32(info, 0);
        if (s.infoSize > 40)
            for (uint32_t m : s.masks)
                Put32(info, m);
        info.resize(s.infoSize, 0);
        if (s.infoSize == 40)
            for (uint32_t m : s.masks)
                Put32(info, m);
    }
    for (uint32_t c : s.palette) {
        info.push_back(static_cast<uint8_t>(c));
        info.push_back(static_cast<uint8_t>(c >> 8));
        info.push_back(static_cast<uint8_t>(c >> 16));
        if (s.infoSize != 12) info.push_back(0);
    }
    Bytes file { 'B', 'M' };
    Put32(file, static_cast<uint32_t>(14 + info.size() + s.pixels.size()));
    Put32(file, 0);
    Put32(file, static_cast<uint32_t>(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.pixels.begin(), s.pixels.end());
    return file;
}

constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF, Black = 0;

struct ReadCase {
    std::string name;
    BmpLayout layout;
    std::vector<uint32_t> expected; // top row first
};

std::vector<ReadCase> ReadCases()
{
    std::vector<ReadCase> cases;
    // 24 bits, bottom-up: the first row in the file is the bottom row; rows padded to 4 bytes.
    cases.push_back({ "24 bottom-up", { .pixels = { 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0 } },
        { Blue, White, Red, Green } });
    cases.push_back(
        { "24 top-down", { .height = -2, .pixels = { 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0 } },
            { Red, Green, Blue, White } });
    cases.push_back({ "core header 24",
        { .infoSize = 12, .pixels = { 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0 } },
        { Blue, White, Red, Green } });
    cases.push_back({ "core header, 1 bit, 3-byte palette",
        { .infoSize = 12,
            .width = 2,
            .height = 1,
            .bitCount = 1,
            .palette = { Red, Blue },
            .pixels = { 0x40, 0, 0, 0 } },
        { Red, Blue } });
    cases.push_back(
        { "1 bit", { .width = 3, .height = 1, .bitCount = 1, .palette = { Black, White }, .pixels = { 0xA0, 0, 0, 0 } },
            { White, Black, White } });
    cases.push_back({ "4 bit",
        { .width = 3,
            .height = 1,
            .bitCount = 4,
            .colorsUsed = 3,
            .palette = { Black, Red, Green },
            .pixels = { 0x12, 0x00, 0, 0 } },
        { Red, Green, Black } });
    cases.push_back({ "8 bit",
        { .width = 2,
            .height = 1,
            .bitCount = 8,
            .colorsUsed = 2,
            .palette = { Green, Blue },
            .pixels = { 1, 0, 0, 0 } },
        { Blue, Green } });
    // RLE8: a run of 3 of index 1, end of line, an absolute run of 3 padded
    // to 16 bits, end of bitmap.
    cases.push_back({ "RLE8",
        { .width = 3,
            .height = 2,
            .bitCount = 8,
            .compression = 1,
            .colorsUsed = 3,
            .palette = { Black, Red, Green },
            .pixels = { 3, 1, 0, 0, 0, 3, 2, 1, 2, 0, 0, 1 } },
        { Green, Red, Green, Red, Red, Red } });
    // RLE4: a delta one right and one up, a run of 2 alternating 1 and 2, end
    // of bitmap; pixels no run reaches keep palette entry 0.
    cases.push_back({ "RLE4 with delta",
        { .width = 3,
            .height = 2,
            .bitCount = 4,
            .compression = 2,
            .colorsUsed = 3,
            .palette = { Black, Red, Green },
            .pixels = { 0, 2, 1, 1, 2, 0x12, 0, 1 } },
        { Black, Red, Green, Black, Black, Black } });
    cases.push_back({ "16 bit 5-5-5", { .width = 2, .height = 1, .bitCount = 16, .pixels = { 0x00, 0x7C, 0x1F, 0x00 } },
        { Red, Blue } });
    cases.push_back({ "16 bit 5-6-5 bit fields",
        { .width = 2,
            .height = 1,
            .bitCount = 16,
            .compression = 3,
            .masks = { 0xF800, 0x07E0, 0x001F },
            .pixels = { 0xE0, 0x07, 0x00, 0xF8 } },
        { Green, Red } });
    cases.push_back({ "32 bit, alpha ignored",
        { .width = 2, .height = 1, .bitCount = 32, .pixels = { 0, 0, 255, 0x80, 255, 0, 0, 0 } }, { Red, Blue } });
    cases.push_back({ "108-byte header with bit fields",
        { .infoSize = 108,
            .width = 1,
            .height = 1,
            .bitCount = 32,
            .compression = 3,
            .masks = { 0x000000FF, 0x0000FF00, 0x00FF0000 },
            .pixels = { 255, 0, 0, 0 } },
        { Red } });
    cases.push_back({ "32 bit, a mask of all 32 bits",
        { .width = 1,
            .height = 1,
            .bitCount = 32,
            .compression = 3,
            .masks = { 0xFFFFFFFF, 0, 0 },
            .pixels = { 255, 255, 255, 255 } },
        { Red } });
    cases.push_back(
        { "124-byte header", { .infoSize = 124, .width = 1, .height = -1, .pixels = { 0, 255, 0, 0 } }, { Green } });
    return cases;
}

TEST(BmpCodec, ReadsEveryVariantToKnownPixels)
{
    for (const ReadCase& c : ReadCases()) {
        SCOPED_TRACE(c.name);
        const Bytes file = MakeBmp(c.layout);
        const auto picture = DecodeBmp(file.data(), file.size());
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->pixels, c.expected);
    }
}

TEST(BmpCodec, WriteThenReadKeepsPixelsAndWritesTheExactHeader)
{
    Picture picture(3, 2);
    picture.pixels = { Red, Green, Blue, White, 0x123456, Black };
    const Bytes file = EncodeBmp(picture);
    // 3 pixels of 3 bytes padded to 12 bytes a row.
    const Bytes header = { 'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, // file header
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0, // size, planes, bits, size of image
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    ASSERT_EQ(file.size(), 78u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 54), header);
    // The bottom row comes first, blue-green-red.
    EXPECT_EQ(
        Bytes(file.begin() + 54, file.begin() + 66), (Bytes { 255, 255, 255, 0x56, 0x34, 0x12, 0, 0, 0, 0, 0, 0 }));
    const auto back = DecodeBmp(file.data(), file.size());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->pixels, picture.pixels);
    EXPECT_TRUE(EncodeBmp(Picture()).empty());
}

TEST(BmpCodec, RefusesDamagedFiles)
{
    const Bytes good = MakeBmp({ .pixels = { 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0 } });
    auto with = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
        return b;
    };
    struct Case {
        std::string name;
        Bytes file;
    };
    std::vector<Case> cases = {
        { "empty", {} },
        { "no signature", with(0, { 'X', 'Y' }) },
        { "truncated header", Bytes(good.begin(), good.begin() + 20) },
        { "truncated pixels", Bytes(good.begin(), good.end() - 3) },
        { "pixel offset past the end", with(10, { 0xFF, 0xFF, 0, 0 }) },
        { "width 0", with(18, { 0, 0, 0, 0 }) },
        { "width negative", with(18, { 0xFE, 0xFF, 0xFF, 0xFF }) },
        { "height 0", with(22, { 0, 0, 0, 0 }) },
        { "bits 0", with(28, { 0, 0 }) },
        { "bits 2", with(28, { 2, 0 }) },
        { "bits 64", with(28, { 64, 0 }) },
        { "unknown compression", with(30, { 9, 0, 0, 0 }) },
        { "unknown header size", with(14, { 41, 0, 0, 0 }) },
        { "40000 x 40000 in 100 bytes",
            [] {
                Bytes b = MakeBmp({ .width = 40000, .height = 40000, .pixels = Bytes(46, 0) });
                return b;
            }() },
        { "30000 x 2000 with too little data", MakeBmp({ .width = 30000, .height = 2000, .pixels = Bytes(46, 0) }) },
        { "RLE8 claiming millions of pixels from 4 bytes",
            MakeBmp({ .width = 30000,
                .height = 2000,
                .bitCount = 8,
                .compression = 1,
                .colorsUsed = 1,
                .palette = { Red },
                .pixels = { 0, 1, 0, 0 } }) },
        { "palette index out of range",
            MakeBmp({ .width = 2,
                .height = 1,
                .bitCount = 8,
                .colorsUsed = 2,
                .palette = { Red, Blue },
                .pixels = { 1, 5, 0, 0 } }) },
        { "RLE run past the row",
            MakeBmp({ .width = 2,
                .height = 1,
                .bitCount = 8,
                .compression = 1,
                .colorsUsed = 1,
                .palette = { Red },
                .pixels = { 3, 0, 0, 1 } }) },
        { "RLE delta out of the picture",
            MakeBmp({ .width = 2,
                .height = 1,
                .bitCount = 8,
                .compression = 1,
                .colorsUsed = 1,
                .palette = { Red },
                .pixels = { 0, 2, 9, 9, 0, 1 } }) },
        { "RLE without end",
            MakeBmp({ .width = 2,
                .height = 1,
                .bitCount = 8,
                .compression = 1,
                .colorsUsed = 1,
                .palette = { Red },
                .pixels = { 2, 0 } }) },
        { "RLE top-down",
            MakeBmp({ .width = 2,
                .height = -1,
                .bitCount = 8,
                .compression = 1,
                .colorsUsed = 1,
                .palette = { Red },
                .pixels = { 2, 0, 0, 1 } }) },
        { "palette past the end",
            [] {
                Bytes b = MakeBmp(
                    { .width = 1, .height = 1, .bitCount = 8, .colorsUsed = 0, .palette = { Red }, .pixels = {} });
                return b;
            }() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(DecodeBmp(c.file.data(), c.file.size()).has_value());
    }
}

} // namespace
