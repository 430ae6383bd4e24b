#include "tests/support/RunHarness.h"

#include "pictures/JpegCodec.h"
#include "pictures/PictureFiles.h"
#include "screen/ScreenForm.h"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/resource.h>

// Picture statements run as programs on the off-screen screen, checked on its
// pixels: drawing from arrays, arrays to and from the screen, JPEG pictures.

namespace {

TEST(ArrayDrawing, PolygonMovesDrawsAndFills)
{
    // -10, 10 moves to (10, 10); then lines to (14, 10) and (14, 14); then
    // back to (10, 14) by negated values and the fill at (12, 11) by a negated y.
    const RunResult r = RunProgram("rectanglewh 0, 0, 800, 600, 15, 15\n"
                                   "dim p[10]\n"
                                   "p[0] = -10\np[1] = 10\np[2] = 14\np[3] = 10\np[4] = 14\np[5] = 14\n"
                                   "p[6] = -10\np[7] = -14\np[8] = 10\np[9] = 10\n"
                                   "mpolygon p, 0\n"
                                   "dim f[2]\n"
                                   "f[0] = 12\nf[1] = -12\n"
                                   "mpolygon f, 4\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    EXPECT_EQ(Region(9, 9, 7, 7),
        ".......\n"
        ".00000.\n"
        ".04440.\n"
        ".04440.\n"
        ".04440.\n"
        ".00000.\n"
        ".......\n");
}

TEST(ArrayDrawing, GraphPaperDrawsBackgroundLinesAndBorder)
{
    // A 20 x 20 sheet at 10, 10: yellow background, minor lines every 5 in
    // red, major every 10 in black, a border of width 2 in blue.
    const RunResult r = RunProgram("rectanglewh 0, 0, 800, 600, 15, 15\n"
                                   "dim g[19]\n"
                                   "g[0] = 10\ng[1] = 10\ng[2] = 20\ng[3] = 20\ng[4] = 12\ng[5] = 14\ng[6] = 2\n"
                                   "g[7] = 5\ng[8] = 10\ng[11] = 1\ng[12] = 1\ng[15] = 4\ng[16] = 0\n"
                                   "mgraphpaper g\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    const std::string region = Region(9, 9, 23, 3);
    // Row 12 crosses the sheet: lines at 15 and 25 red, at 10 and 20 black;
    // the border, drawn last, covers the line at 30.
    EXPECT_EQ(Region(9, 12, 23, 1), "c0eeee4eeee0eeee4eeeecc\n") << region;
}

TEST(ArrayDrawing, SpacingZeroDrawsNoLinesOfItsSet)
{
    const RunResult r = RunProgram("rectanglewh 0, 0, 800, 600, 15, 15\n"
                                   "dim g[19]\n"
                                   "g[0] = 10\ng[1] = 10\ng[2] = 20\ng[3] = 20\ng[5] = 14\ng[6] = 0\n"
                                   "g[7] = 0\ng[8] = 0\ng[9] = 10\ng[10] = 0\ng[15] = 4\n"
                                   "mgraphpaper g\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    EXPECT_EQ(Region(12, 12, 1, 1), "e\n");
    EXPECT_EQ(Region(12, 20, 1, 1), "4\n");
}

TEST(ArrayDrawing, AHugeSheetDrawsOnlyTheLinesOnTheScreen)
{
    // Two billion pixels each way at a spacing of 1: only the lines that reach
    // the image are drawn, so the statement ends at once and the screen is
    // covered by lines as it would be by the full sheet.
    const RunResult r = RunProgram("rectanglewh 0, 0, 800, 600, 15, 15\n"
                                   "dim g[19]\n"
                                   "g[0] = 0\ng[1] = 0\ng[2] = 2000000000\ng[3] = 2000000000\ng[5] = 14\ng[6] = 0\n"
                                   "g[7] = 1\ng[8] = 0\ng[9] = 1\ng[10] = 0\ng[15] = 4\n"
                                   "mgraphpaper g\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    EXPECT_EQ(Region(797, 597, 3, 3), "444\n444\n444\n");
}

TEST(ArrayDrawing, BezierOfFourPointsDrawsOneSegment)
{
    const RunResult r
        = RunProgram("rectanglewh 0, 0, 800, 600, 15, 15\n"
                     "dim b[8]\n"
                     "b[0] = 10\nb[1] = 10\nb[2] = 10\nb[3] = 10\nb[4] = 30\nb[5] = 10\nb[6] = 30\nb[7] = 10\n"
                     "mbezier b, 4\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    EXPECT_EQ(Region(10, 10, 21, 1), "444444444444444444444\n");
}

TEST(ArrayPictures, ScreenToArrayAndBackIsExact)
{
    const RunResult r = RunProgram("rectanglewh 0, 0, 800, 600, 15, 15\n"
                                   "setpixel 1, 1, 4\n"
                                   "mscrtoarray a, 0, 0, 3, 3\n"
                                   "print a[1, 1], \" \", a[0, 0], \" \", a[2, 2]\n"
                                   "mscrfromarray a, 100, 100\n"
                                   "mscrfromarray a, 200, 200, 50, 50, 1, 1\n"
                                   "mscrtoarray w\n"
                                   "print w[599, 799]\n"
                                   // A block from the right edge has no columns: nothing read, nothing drawn.
                                   "mscrtoarray e, 800, 5, 3, 3\n"
                                   "mscrfromarray e, 300, 300\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    EXPECT_EQ(r.output, "255 16777215 16777215\n16777215\n");
    EXPECT_EQ(Region(100, 100, 3, 3), "...\n.4.\n...\n");
    // From column and row 1 the block starts at the red pixel, at x, y.
    EXPECT_EQ(Region(200, 200, 3, 3), "4..\n...\n...\n");
}

TEST(ArrayPictures, ErrorsOfTheArrayStatements)
{
    struct Case {
        const char* program;
        int error;
    };
    const Case cases[] = {
        { "mwritebmp nosuch\n", 72 },
        { "dim a[3]\nmwritebmp a\n", 69 },
        { "dim a[0, 3]\nmwritebmp a, \"/tmp/qv-pictures-zero\"\n", 87 },
        { "mreadbmp a, \"/tmp/qv-pictures-no-such\"\n", 87 },
        { "copyscr 1024\n", 87 },
        { "bmpstats s, \"/tmp/qv-pictures-no-such\"\n", 87 },
        { "tobmp \"/tmp/qv-pictures-no-such.jpg\"\n", 87 },
        { "readbmp 5\n", 32 },
        { "flipcb 1\n", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        const RunResult r = RunProgram(c.program);
        EXPECT_EQ(r.ended, 0);
        EXPECT_EQ(r.errorNumber, c.error);
    }
}

TEST(ArrayPictures, StoredScreenBlocks)
{
    const RunResult r = RunProgram("rectanglewh 0, 0, 800, 600, 15, 15\n"
                                   "setpixel 0, 0, 4\n"
                                   "copyscr 3, 0, 0, 2, 2\n"
                                   "copytoscr 7, 50, 50\n"
                                   "copytoscr 3, 50, 50\n"
                                   "copyfitscr 3, 60, 60, 4, 4\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    EXPECT_EQ(Region(50, 50, 3, 2), "4..\n...\n");
    EXPECT_EQ(Region(60, 60, 4, 4), "44..\n44..\n....\n....\n");
}

// The stretching statements cut their rectangle at the image's right and
// bottom edges first and stretch the whole picture into what is left, so a
// picture drawn near an edge is shown whole, only smaller.
TEST(StretchedPictures, FillTheRectangleCutAtTheImageEdges)
{
    // A 2 x 2 picture of four colours: in a file, on the clipboard, in an array.
    const std::string source = "rectanglewh 0, 0, 800, 600, 15, 15\n"
                               "setpixel 0, 0, 4\nsetpixel 1, 0, 2\nsetpixel 0, 1, 1\nsetpixel 1, 1, 14\n"
                               "mscrtoarray p, 0, 0, 2, 2\n"
                               "mwritebmp p, \"/tmp/qv-pictures-quarters\"\n"
                               "scrtocb 0, 0, 2, 2\n"
                               "rectanglewh 0, 0, 800, 600, 15, 15\n";
    struct Case {
        const char* statement;
        int x, y, width, height;
    };
    // With no size the rectangle runs to the image's edges (here 400 x 300);
    // 20 x 20 at 795, 595 leaves 5 x 5; inside the image the size stays.
    const Case cases[] = {
        { "fitbmp \"/tmp/qv-pictures-quarters\", 400, 300", 400, 300, 400, 300 },
        { "fitcb 400, 300", 400, 300, 400, 300 },
        { "mscrfitarray p, 400, 300", 400, 300, 400, 300 },
        { "fitbmp \"/tmp/qv-pictures-quarters\", 795, 595, 20, 20", 795, 595, 5, 5 },
        { "fitcb 795, 595, 20, 20", 795, 595, 5, 5 },
        { "mscrfitarray p, 795, 595, 20, 20", 795, 595, 5, 5 },
        { "fitbmp \"/tmp/qv-pictures-quarters\", 10, 10, 6, 4", 10, 10, 6, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        const RunResult r = RunProgram(source + c.statement + "\n");
        ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
        // The four corners of the rectangle show the picture's four corners,
        // and nothing is drawn past it.
        const int right = c.x + c.width - 1, bottom = c.y + c.height - 1;
        EXPECT_EQ(
            Region(c.x, c.y, 1, 1) + Region(right, c.y, 1, 1) + Region(c.x, bottom, 1, 1) + Region(right, bottom, 1, 1),
            "4\n2\n1\ne\n");
        if (right < 799) {
            EXPECT_EQ(Region(right + 1, bottom, 1, 1) + Region(right, bottom + 1, 1, 1), ".\n.\n");
        }
    }
}

// A 4 x 4 JPEG of one colour, written to path.
void WriteJpeg(const std::string& path, int r, int g, int b)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = 4;
    info.image_height = 4;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPLE row[12];
    for (int x = 0; x < 4; ++x)
        row[3 * x] = static_cast<JSAMPLE>(r), row[3 * x + 1] = static_cast<JSAMPLE>(g),
                row[3 * x + 2] = static_cast<JSAMPLE>(b);
    JSAMPROW rows[1] = { row };
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, rows, 1);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

TEST(ArrayPictures, ToBmpConvertsJpegByItsExtensionInAnyCase)
{
    WriteJpeg("/tmp/qv-pictures-photo.JPEG", 0, 0, 255);
    const RunResult r = RunProgram("tobmp \"/tmp/qv-pictures-photo.JPEG\", \"/tmp/qv-pictures-photo\"\n"
                                   "sizebmp \"/tmp/qv-pictures-photo\", w, h\n"
                                   "mreadbmp a, \"/tmp/qv-pictures-photo\", 1\n"
                                   "print w, \"x\", h, \" \", a[0, 0]\n");
    ASSERT_EQ(r.ended, 1) << r.output << " error " << r.errorNumber << " in line " << r.errorLine;
    // JPEG keeps a solid blue within a few steps.
    ASSERT_EQ(r.output.substr(0, 4), "4x4 ");
    EXPECT_GE(std::stoi(r.output.substr(4)), 250);
}

TEST(PictureFiles, NamesGetTheBitmapExtensionAndFoldersSlashes)
{
    EXPECT_EQ(BitmapFileName("pic.txt"), "pic.bmp");
    EXPECT_EQ(BitmapFileName("pic"), "pic.bmp");
    EXPECT_EQ(BitmapFileName("a.dir\\pic"), "a.dir/pic.bmp");
    EXPECT_EQ(BitmapFileName("a.b/c.d.jpg"), "a.b/c.d.bmp");
    // A file missing under its exact name is found ignoring case.
    Picture p(1, 1, 0x123456);
    ASSERT_TRUE(WriteBitmapFile("/tmp/qv-pictures-MixedCase", p));
    const auto back = ReadBitmapFile("/tmp/QV-PICTURES-mixedcase.BMP");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->At(0, 0), 0x123456u);
}

TEST(PictureFiles, AFailedSaveLeavesTheOldFileAsItWas)
{
    // A file size limit makes the second, larger save fail part-way, as a
    // full disk would.
    const char* name = "/tmp/qv-pictures-kept";
    ASSERT_TRUE(WriteBitmapFile(name, Picture(2, 2, 0x123456)));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = WriteBitmapFile(name, Picture(100, 100, 0xFFFFFF));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(saved);
    const auto back = ReadBitmapFile(name);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->width, 2);
    EXPECT_EQ(back->At(1, 1), 0x123456u);
    for (const auto& entry : std::filesystem::directory_iterator("/tmp"))
        EXPECT_EQ(entry.path().string().find("qv-pictures-kept.bmp."), std::string::npos) << entry.path();
}

TEST(PictureFiles, ASaveThroughALinkKeepsTheLink)
{
    namespace fs = std::filesystem;
    fs::remove("/tmp/qv-pictures-link.bmp");
    ASSERT_TRUE(WriteBitmapFile("/tmp/qv-pictures-target", Picture(1, 1, 0)));
    fs::create_symlink("/tmp/qv-pictures-target.bmp", "/tmp/qv-pictures-link.bmp");
    ASSERT_TRUE(WriteBitmapFile("/tmp/qv-pictures-link", Picture(1, 1, 0xABCDEF)));
    EXPECT_TRUE(fs::is_symlink("/tmp/qv-pictures-link.bmp"));
    const auto back = ReadBitmapFile("/tmp/qv-pictures-target");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->At(0, 0), 0xABCDEFu);
}

} // namespace
