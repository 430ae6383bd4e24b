#include "pictures/JpegCodec.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a JPEG stream: any outcome but a crash, a leak or a read
// out of bounds is fine, and a picture read stays within the bounds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto picture = DecodeJpeg(data, size);
    if (picture && !Picture::SizeAllowed(picture->width, picture->height)) __builtin_trap();
    return 0;
}
