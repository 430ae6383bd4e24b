#pragma once

#include "base/Values.h"

#include <cstdint>
#include <string_view>

// A PCM wave file of our own writing: a RIFF header with one "fmt " chunk of
// 16 bytes and one "data" chunk, little-endian, as every wave reader knows it.
struct WaveFormat {
    int sampleRate = 22050;
    int channels = 1;
    int bitsPerSample = 16;
    // True for 32-bit IEEE floating-point samples (format tag 3), else
    // integer PCM (format tag 1).
    bool floatingPoint = false;
};

namespace WaveFile {

// The whole file for the samples given (whole frames; a trailing partial
// frame is dropped). A data chunk of odd length gets its pad byte.
AnsiString Bytes(const WaveFormat& format, std::string_view samples);

// Writes the file; false when it cannot be written.
bool Write(const AnsiString& path, const WaveFormat& format, std::string_view samples);

} // namespace WaveFile
