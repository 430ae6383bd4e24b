#pragma once

#include "pictures/Picture.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// JPEG pictures through the system's JPEG library. Gray, CMYK and YCCK
// pictures become RGB. A damaged stream that the library can still read (it
// warns) keeps the part decoded; a stream it cannot read, or a frame above the
// picture bounds, gives no picture. The library's fatal errors never end the
// process.
std::optional<Picture> DecodeJpeg(const uint8_t* data, size_t size);

// The JPEG library the program runs on and its version ("libjpeg-turbo
// 2.1.5"), as the loaded library names itself.
std::string JpegLibraryVersion();
