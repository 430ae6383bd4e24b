#pragma once

#include "pictures/Picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Windows bitmap files. The reader takes the 12-, 40-, 52-, 56-, 108- and
// 124-byte headers; 1, 4 and 8 bits per pixel with a palette (also RLE8 and
// RLE4), 16 bits (5-5-5 or bit fields), 24 and 32 bits (also bit fields),
// bottom-up and top-down; alpha is ignored. Anything inconsistent (data or
// offsets past the end, sizes of 0 or less or above the picture bounds, an
// unknown compression, a palette index or run outside the picture) is refused
// with no picture; the size is checked before anything is allocated.
std::optional<Picture> DecodeBmp(const uint8_t* data, size_t size);

// A 24-bit bottom-up bitmap with the 40-byte header, no palette, rows padded to
// 4 bytes and resolution 0. Empty for an empty picture.
std::vector<uint8_t> EncodeBmp(const Picture& picture);
