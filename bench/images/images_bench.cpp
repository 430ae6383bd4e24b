// Times the picture statements on a 1920 x 1080 picture, file to file, and the
// whole-screen array statements, each as a one-statement program run on a
// recording screen. Targets: 150 ms for a filter, mreadbmp, tobmp of a JPEG and
// rotatebmp; 30 ms for mscrtoarray and mscrfromarray.
//   cmake --build build --target bench_images && build/bin/bench_images

#include "interpreter/Durnix_class.h"
#include "pictures/BmpCodec.h"
#include "tests/support/RecordingScreen.h"

#include <QGuiApplication>

#include <jpeglib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Width = 1920, Height = 1080;
const std::string Folder = "/tmp/qv-bench-images";

Picture Gradient()
{
    Picture p(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            p.At(x, y) = static_cast<uint32_t>(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | ((x + y) & 0xFF));
    return p;
}

void WriteBmp(const std::string& path, const Picture& p)
{
    const auto bytes = EncodeBmp(p);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void WriteJpeg(const std::string& path, const Picture& p)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = Width;
    info.image_height = Height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(Width * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < Width; ++x) {
            const uint32_t c = p.At(x, y);
            row[3 * x] = static_cast<JSAMPLE>(c >> 16), row[3 * x + 1] = static_cast<JSAMPLE>(c >> 8),
                    row[3 * x + 2] = static_cast<JSAMPLE>(c);
        }
        JSAMPROW rows[1] = { row.data() };
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
}

struct Case {
    const char* name;
    std::string program;
    double targetMs;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    std::system(("mkdir -p " + Folder).c_str());
    const Picture picture = Gradient();
    const std::string in = Folder + "/in", out = Folder + "/out";
    WriteBmp(in + ".bmp", picture);
    WriteJpeg(in + ".jpg", picture);
    const std::string q = "\"";
    const std::vector<Case> cases = {
        { "bmptobw", "bmptobw " + q + in + q + ", 100, " + q + out + q, 150 },
        { "bmpedges", "bmpedges " + q + in + q + ", 100, " + q + out + q, 150 },
        { "bmptogray", "bmptogray " + q + in + q + ", " + q + out + q, 150 },
        { "bmprgb", "bmprgb " + q + in + q + ", 0.5, 0, -0.5, " + q + out + q, 150 },
        { "bmpcontrast", "bmpcontrast " + q + in + q + ", 0.5, 128, " + q + out + q, 150 },
        { "bmpnegative", "bmpnegative " + q + in + q + ", " + q + out + q, 150 },
        { "bmpcompare", "bmpcompare " + q + in + q + ", " + q + in + q + ", " + q + out + q, 150 },
        { "bmpchangeclr", "bmpchangeclr " + q + in + q + ", 4, 2, 0.3", 150 },
        { "mreadbmp", "mreadbmp a, " + q + in + q, 150 },
        { "tobmp (JPEG)", "tobmp " + q + in + ".jpg" + q + ", " + q + out + q, 150 },
        { "rotatebmp 30", "rotatebmp " + q + in + q + ", 30", 150 },
        { "mscrtoarray", "mscrtoarray a", 30 },
        { "mscrfromarray", "dim a[600, 800]\r\nmscrfromarray a", 30 },
    };
    std::printf("%-16s %10s %10s\n", "statement", "ms", "target");
    for (const Case& c : cases) {
        double best = 1e9;
        for (int run = 0; run < 3; ++run) {
            RecordingScreen screen;
            Durnix_Class d(screen);
            const auto start = std::chrono::steady_clock::now();
            const int ended = d.Run(c.program + "\r\n");
            const double ms
                = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (ended != 1) std::printf("%s: the program failed\n", c.name);
            best = std::min(best, ms);
        }
        std::printf("%-16s %10.1f %10.0f%s\n", c.name, best, c.targetMs, best > c.targetMs ? "  SLOW" : "");
    }
    return 0;
}
