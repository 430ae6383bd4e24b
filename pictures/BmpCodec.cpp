#include "pictures/BmpCodec.h"

#include <array>
#include <bit>

namespace {

constexpr uint32_t CompressionRgb = 0;
constexpr uint32_t CompressionRle8 = 1;
constexpr uint32_t CompressionRle4 = 2;
constexpr uint32_t CompressionBitFields = 3;
constexpr uint32_t CompressionAlphaBitFields = 6;
constexpr size_t FileHeaderSize = 14;

uint16_t Read16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Read32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16)
        | (static_cast<uint32_t>(p[3]) << 24);
}

// One colour channel given by a bit mask, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0;

    explicit Channel(uint32_t m = 0)
        : mask(m)
    {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        maximum = mask >> shift;
    }
    uint32_t Of(uint32_t value) const
    {
        if (maximum == 0) return 0;
        // In 64 bits: a mask of more than 24 bits would overflow the product.
        const uint64_t v = (value & mask) >> shift;
        return static_cast<uint32_t>((v * 255 + maximum / 2) / maximum);
    }
};

struct Header {
    long long width = 0;
    long long height = 0; // positive; topDown tells the order
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = CompressionRgb;
    uint32_t colorsUsed = 0;
    uint32_t masks[3] = {};
    bool hasMasks = false;
    size_t paletteOffset = 0;
    int paletteEntrySize = 4;
};

bool ReadHeader(const uint8_t* data, size_t size, Header& h)
{
    if (size < FileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t infoSize = Read32(data + FileHeaderSize);
    const uint8_t* info = data + FileHeaderSize;
    if (infoSize == 12) {
        h.width = Read16(info + 4);
        h.height = Read16(info + 6);
        h.bitCount = Read16(info + 10);
        h.paletteEntrySize = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        if (size < FileHeaderSize + infoSize) return false;
        h.width = static_cast<int32_t>(Read32(info + 4));
        h.height = static_cast<int32_t>(Read32(info + 8));
        h.bitCount = Read16(info + 14);
        h.compression = Read32(info + 16);
        h.colorsUsed = Read32(info + 32);
        if (h.compression == CompressionBitFields || h.compression == CompressionAlphaBitFields) {
            const uint8_t* masks = info + 40;
            if (infoSize == 40) {
                // The masks follow a 40-byte header.
                if (size < FileHeaderSize + 40 + 12) return false;
            }
            for (int k = 0; k < 3; ++k)
                h.masks[k] = Read32(masks + 4 * k);
            h.hasMasks = true;
        }
    } else {
        return false;
    }
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    h.paletteOffset = FileHeaderSize + infoSize;
    if (infoSize == 40 && h.hasMasks) h.paletteOffset += h.compression == CompressionAlphaBitFields ? 16 : 12;
    if (!Picture::SizeAllowed(h.width, h.height)) return false;
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
        if (h.compression == CompressionRle8 && h.bitCount != 8) return false;
        if (h.compression == CompressionRle4 && h.bitCount != 4) return false;
        if (h.compression != CompressionRgb && h.compression != CompressionRle8 && h.compression != CompressionRle4)
            return false;
        break;
    case 16:
    case 32:
        if (h.compression != CompressionRgb && !h.hasMasks) return false;
        break;
    case 24:
        if (h.compression != CompressionRgb) return false;
        break;
    default:
        return false;
    }
    if ((h.compression == CompressionRle8 || h.compression == CompressionRle4) && h.topDown) return false;
    return true;
}

// The palette as picture pixels; false when it runs past the end of the data.
bool ReadPalette(const uint8_t* data, size_t size, const Header& h, std::vector<uint32_t>& palette)
{
    const uint32_t largest = 1u << h.bitCount;
    uint32_t count = h.colorsUsed == 0 || h.colorsUsed > largest ? largest : h.colorsUsed;
    const size_t bytes = static_cast<size_t>(count) * static_cast<size_t>(h.paletteEntrySize);
    if (h.paletteOffset > size || bytes > size - h.paletteOffset) return false;
    palette.resize(count);
    for (uint32_t k = 0; k < count; ++k) {
        const uint8_t* entry = data + h.paletteOffset + static_cast<size_t>(k) * h.paletteEntrySize;
        palette[k] = (static_cast<uint32_t>(entry[2]) << 16) | (static_cast<uint32_t>(entry[1]) << 8) | entry[0];
    }
    return true;
}

// Rows of an uncompressed bitmap, padded to 4 bytes.
bool ReadRows(
    const uint8_t* pixels, size_t available, const Header& h, const std::vector<uint32_t>& palette, Picture& picture)
{
    const size_t stride = ((static_cast<size_t>(h.width) * static_cast<size_t>(h.bitCount) + 31) / 32) * 4;
    if (stride * static_cast<size_t>(h.height) > available) return false;
    Channel red, green, blue;
    if (h.bitCount == 16) {
        red = Channel(h.hasMasks ? h.masks[0] : 0x7C00);
        green = Channel(h.hasMasks ? h.masks[1] : 0x03E0);
        blue = Channel(h.hasMasks ? h.masks[2] : 0x001F);
    } else if (h.bitCount == 32) {
        red = Channel(h.hasMasks ? h.masks[0] : 0xFF0000);
        green = Channel(h.hasMasks ? h.masks[1] : 0x00FF00);
        blue = Channel(h.hasMasks ? h.masks[2] : 0x0000FF);
    }
    const int width = picture.width;
    for (int row = 0; row < picture.height; ++row) {
        const uint8_t* line = pixels + stride * static_cast<size_t>(row);
        const int y = h.topDown ? row : picture.height - 1 - row;
        uint32_t* target = &picture.At(0, y);
        switch (h.bitCount) {
        case 1:
        case 4:
        case 8: {
            const int perByte = 8 / h.bitCount;
            const uint32_t mask = (1u << h.bitCount) - 1;
            for (int x = 0; x < width; ++x) {
                const int shift = 8 - h.bitCount * (x % perByte + 1);
                const uint32_t index = (line[x / perByte] >> shift) & mask;
                if (index >= palette.size()) return false;
                target[x] = palette[index];
            }
            break;
        }
        case 16:
        case 32:
            for (int x = 0; x < width; ++x) {
                const uint32_t v = h.bitCount == 16 ? Read16(line + 2 * x) : Read32(line + 4 * x);
                target[x] = (red.Of(v) << 16) | (green.Of(v) << 8) | blue.Of(v);
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = line + 3 * x;
                target[x] = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
            }
            break;
        }
    }
    return true;
}

// Run-length encoded 8- or 4-bit data. Pixels no run reaches keep palette
// entry 0; a run or a jump out of the picture, or data that ends inside an
// instruction, is refused.
bool ReadRle(
    const uint8_t* p, size_t available, const Header& h, const std::vector<uint32_t>& palette, Picture& picture)
{
    const bool four = h.compression == CompressionRle4;
    const long long width = picture.width;
    long long x = 0, row = 0;
    size_t at = 0;
    auto put = [&](uint32_t index) {
        if (index >= palette.size() || x >= width || row >= picture.height) return false;
        picture.At(static_cast<int>(x), picture.height - 1 - static_cast<int>(row)) = palette[index];
        ++x;
        return true;
    };
    while (true) {
        if (at + 2 > available) return false;
        const uint8_t count = p[at], value = p[at + 1];
        at += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                const uint32_t index = four ? (k % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                if (!put(index)) return false;
            }
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            return true;
        } else if (value == 2) { // delta
            if (at + 2 > available) return false;
            x += p[at];
            row += p[at + 1];
            at += 2;
            if (x > width || row > picture.height) return false;
        } else { // absolute run of `value` pixels, padded to 16 bits
            const size_t bytes = four ? (value + 1u) / 2u : value;
            if (at + bytes > available) return false;
            for (int k = 0; k < value; ++k) {
                const uint8_t b = p[at + (four ? k / 2 : k)];
                const uint32_t index = four ? (k % 2 == 0 ? b >> 4 : b & 0x0F) : b;
                if (!put(index)) return false;
            }
            at += bytes + (bytes & 1);
        }
        if (row > picture.height) return false;
    }
}

void Write16(std::vector<uint8_t>& out, size_t at, uint16_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Write32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        out[at + static_cast<size_t>(k)] = static_cast<uint8_t>(v >> (8 * k));
}

} // namespace

std::optional<Picture> DecodeBmp(const uint8_t* data, size_t size)
{
    if (!data) return std::nullopt;
    Header h;
    if (!ReadHeader(data, size, h)) return std::nullopt;
    const uint32_t pixelOffset = Read32(data + 10);
    if (pixelOffset >= size || pixelOffset < h.paletteOffset) return std::nullopt;
    std::vector<uint32_t> palette;
    if (h.bitCount <= 8 && !ReadPalette(data, size, h, palette)) return std::nullopt;
    const size_t available = size - pixelOffset;
    // A header claiming more pixels than the data can hold is refused before
    // the picture is allocated: uncompressed rows must all be there, and run
    // lengths compress one colour at best a few thousand pixels to a byte.
    const unsigned long long pixelCount = static_cast<unsigned long long>(h.width * h.height);
    if (h.compression == CompressionRle8 || h.compression == CompressionRle4) {
        if (available < 2 || pixelCount > static_cast<unsigned long long>(available) * 4096) return std::nullopt;
    } else {
        const unsigned long long stride = (static_cast<unsigned long long>(h.width) * h.bitCount + 31) / 32 * 4;
        if (stride * static_cast<unsigned long long>(h.height) > available) return std::nullopt;
    }
    Picture picture(static_cast<int>(h.width), static_cast<int>(h.height), palette.empty() ? 0 : palette[0]);
    const bool ok = h.compression == CompressionRle8 || h.compression == CompressionRle4
        ? ReadRle(data + pixelOffset, available, h, palette, picture)
        : ReadRows(data + pixelOffset, available, h, palette, picture);
    if (!ok) return std::nullopt;
    return picture;
}

std::vector<uint8_t> EncodeBmp(const Picture& picture)
{
    if (picture.Empty()) return {};
    const size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t imageSize = stride * static_cast<size_t>(picture.height);
    const size_t headers = FileHeaderSize + 40;
    std::vector<uint8_t> out(headers + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Write32(out, 2, static_cast<uint32_t>(out.size()));
    Write32(out, 10, static_cast<uint32_t>(headers));
    Write32(out, 14, 40);
    Write32(out, 18, static_cast<uint32_t>(picture.width));
    Write32(out, 22, static_cast<uint32_t>(picture.height));
    Write16(out, 26, 1);
    Write16(out, 28, 24);
    Write32(out, 34, static_cast<uint32_t>(imageSize));
    for (int row = 0; row < picture.height; ++row) {
        uint8_t* line = out.data() + headers + stride * static_cast<size_t>(row);
        const uint32_t* source = &picture.pixels[static_cast<size_t>(picture.height - 1 - row) * picture.width];
        for (int x = 0; x < picture.width; ++x) {
            line[3 * x] = static_cast<uint8_t>(source[x]);
            line[3 * x + 1] = static_cast<uint8_t>(source[x] >> 8);
            line[3 * x + 2] = static_cast<uint8_t>(source[x] >> 16);
        }
    }
    return out;
}
