#include "pictures/JpegCodec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

// JPEG streams made here with the library's compressor, read back; damaged
// and oversized streams must give no picture and never end the process.

namespace {

using Bytes = std::vector<uint8_t>;

enum class Kind { Color, Gray, Progressive };

// A width x height picture of one colour (0xRRGGBB; gray uses the red byte).
Bytes Compress(int width, int height, uint32_t color, Kind kind)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    const bool gray = kind == Kind::Gray;
    info.input_components = gray ? 1 : 3;
    info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (kind == Kind::Progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * info.input_components);
    for (int x = 0; x < width; ++x) {
        if (gray) {
            row[static_cast<size_t>(x)] = static_cast<JSAMPLE>(color >> 16);
        } else {
            row[3 * static_cast<size_t>(x)] = static_cast<JSAMPLE>(color >> 16);
            row[3 * static_cast<size_t>(x) + 1] = static_cast<JSAMPLE>(color >> 8);
            row[3 * static_cast<size_t>(x) + 2] = static_cast<JSAMPLE>(color);
        }
    }
    JSAMPROW rows[1] = { row.data() };
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, rows, 1);
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

bool Near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 2) return false;
    return true;
}

TEST(JpegCodec, ReadsSolidColoursGrayAndProgressiveStreams)
{
    struct Case {
        std::string name;
        uint32_t color;
        Kind kind;
        uint32_t expected;
    };
    const Case cases[] = {
        { "red", 0xFF0000, Kind::Color, 0xFF0000 },
        { "teal", 0x00C0A0, Kind::Color, 0x00C0A0 },
        { "white", 0xFFFFFF, Kind::Color, 0xFFFFFF },
        { "gray becomes RGB", 0x808080, Kind::Gray, 0x808080 },
        { "progressive", 0x2040E0, Kind::Progressive, 0x2040E0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes stream = Compress(17, 9, c.color, c.kind);
        const auto picture = DecodeJpeg(stream.data(), stream.size());
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, 17);
        EXPECT_EQ(picture->height, 9);
        for (uint32_t p : picture->pixels)
            ASSERT_TRUE(Near(p, c.expected)) << std::hex << p;
    }
}

TEST(JpegCodec, ATruncatedStreamKeepsWhatWasDecoded)
{
    const Bytes stream = Compress(64, 64, 0xFF0000, Kind::Color);
    // Cut a few bytes into the scan, after every table.
    size_t scan = 0;
    while (scan + 1 < stream.size() && !(stream[scan] == 0xFF && stream[scan + 1] == 0xDA))
        ++scan;
    ASSERT_LT(scan + 30, stream.size());
    const Bytes truncated(stream.begin(), stream.begin() + static_cast<long>(scan + 30));
    const auto picture = DecodeJpeg(truncated.data(), truncated.size());
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 64);
    EXPECT_TRUE(Near(picture->At(0, 0), 0xFF0000));
}

TEST(JpegCodec, RefusesGarbageHeadersOnlyAndOversizedFrames)
{
    const Bytes stream = Compress(8, 8, 0x00FF00, Kind::Color);
    // The frame header (SOF0) holds the height and width after its marker,
    // length and precision.
    Bytes huge = stream;
    for (size_t k = 0; k + 9 < huge.size(); ++k)
        if (huge[k] == 0xFF && huge[k + 1] == 0xC0) {
            huge[k + 5] = 0xEA, huge[k + 6] = 0x60; // 60000 high
            huge[k + 7] = 0xEA, huge[k + 8] = 0x60; // 60000 wide
            break;
        }
    Bytes garbage = { 0xFF, 0xD8 };
    for (int k = 0; k < 500; ++k)
        garbage.push_back(static_cast<uint8_t>(k * 37 + 11));
    const Bytes headerOnly(stream.begin(), stream.begin() + 20);
    for (const Bytes* bad : std::initializer_list<const Bytes*> { &huge, &garbage, &headerOnly }) {
        EXPECT_FALSE(DecodeJpeg(bad->data(), bad->size()).has_value());
    }
    EXPECT_FALSE(DecodeJpeg(nullptr, 0).has_value());
}

} // namespace
