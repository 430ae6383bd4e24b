#include "pictures/BmpCodec.h"

#include <cstddef>
#include <cstdint>

// Reads the input as a bitmap file; a picture that was read is written again
// and must read back to the same pixels.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto picture = DecodeBmp(data, size);
    if (!picture) return 0;
    const auto bytes = EncodeBmp(*picture);
    const auto again = DecodeBmp(bytes.data(), bytes.size());
    if (!again || again->pixels != picture->pixels) __builtin_trap();
    return 0;
}
