#include "pictures/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

// The library reports a fatal error by calling error_exit, which must not
// return. It jumps back into DecodeInto with longjmp; so that the jump skips no
// destructor, the frames between setjmp and the library hold plain data only,
// and nothing is ever thrown through the library's C frames.

namespace {

struct ErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf jump;
};

void OnFatalError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings (a truncated or slightly damaged stream) are not printed; the
// decoded part is kept.
void OnMessage(j_common_ptr, int) { }

// The whole stream is in memory: the source manager hands it over at once and,
// should the library ask for more, an end-of-image marker, so that a truncated
// picture ends with a warning.
const JOCTET endOfImage[2] = { 0xFF, JPEG_EOI };

void InitSource(j_decompress_ptr) { }
boolean FillInputBuffer(j_decompress_ptr info)
{
    info->src->next_input_byte = endOfImage;
    info->src->bytes_in_buffer = sizeof endOfImage;
    return TRUE;
}
void SkipInputData(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* source = info->src;
    while (count > static_cast<long>(source->bytes_in_buffer)) {
        count -= static_cast<long>(source->bytes_in_buffer);
        FillInputBuffer(info);
    }
    if (count > 0) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= static_cast<size_t>(count);
    }
}
void TermSource(j_decompress_ptr) { }

// Where the decoded pixels go: the caller's allocation callback returns the
// rows once the size is known and allowed (null refuses).
using Allocate = uint32_t* (*)(void* context, int width, int height);

uint32_t CmykToPixel(const JSAMPLE* p, bool inverted)
{
    unsigned c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    // Adobe's files store the inks inverted: a value of 255 is no ink.
    const unsigned r = c * k / 255, g = m * k / 255, b = y * k / 255;
    return (r << 16) | (g << 8) | b;
}

// 1 decoded, 0 refused. Holds no object with a destructor.
int DecodeInto(const uint8_t* data, size_t size, Allocate allocate, void* context)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_source_mgr source;
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = OnFatalError;
    errors.library.emit_message = OnMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    jpeg_create_decompress(&info);
    source.next_input_byte = data;
    source.bytes_in_buffer = size;
    source.init_source = InitSource;
    source.fill_input_buffer = FillInputBuffer;
    source.skip_input_data = SkipInputData;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = TermSource;
    info.src = &source;
    jpeg_save_markers(&info, JPEG_APP0 + 14, 0);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !Picture::SizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    uint32_t* pixels = allocate(context, width, height);
    if (!pixels) {
        jpeg_destroy_decompress(&info);
        return 0;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * info.output_components, 1);
    const bool inverted = info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        if (jpeg_read_scanlines(&info, row, 1) != 1) break;
        uint32_t* target = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
        const JSAMPLE* p = row[0];
        for (int x = 0; x < width; ++x) {
            if (cmyk)
                target[x] = CmykToPixel(p + 4 * x, inverted);
            else
                target[x] = (static_cast<uint32_t>(p[3 * x]) << 16) | (static_cast<uint32_t>(p[3 * x + 1]) << 8)
                    | p[3 * x + 2];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return 1;
}

uint32_t* AllocatePicture(void* context, int width, int height)
{
    auto* picture = static_cast<Picture*>(context);
    *picture = Picture(width, height);
    return picture->pixels.data();
}

} // namespace

std::optional<Picture> DecodeJpeg(const uint8_t* data, size_t size)
{
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return std::nullopt;
    Picture picture;
    if (!DecodeInto(data, size, AllocatePicture, &picture)) return std::nullopt;
    return picture;
}

// libjpeg-turbo answers the message for its version with the version of the
// interface it keeps ("6b"); its own version exists only in its headers, which
// are those of the library the program was built against. The copyright
// message, read from the loaded library, tells which of the two is running.
#if defined(LIBJPEG_TURBO_VERSION)
#define JPEG_TEXT_OF(x) #x
#define JPEG_VERSION_TEXT(x) JPEG_TEXT_OF(x)
constexpr const char* turboVersion = JPEG_VERSION_TEXT(LIBJPEG_TURBO_VERSION);
#else
constexpr const char* turboVersion = nullptr;
#endif

std::string JpegLibraryVersion()
{
    jpeg_error_mgr errors;
    jpeg_std_error(&errors);
    const char* copyright = errors.jpeg_message_table[JMSG_COPYRIGHT];
    const char* version = errors.jpeg_message_table[JMSG_VERSION];
    if (turboVersion && copyright && std::strstr(copyright, "libjpeg-turbo"))
        return std::string("libjpeg-turbo ") + turboVersion;
    // The version message begins with the version, a date follows.
    const std::string text = version ? version : "";
    return "libjpeg " + text.substr(0, text.find(' '));
}
