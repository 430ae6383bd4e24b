// Durnix_class.h first: Qt's headers define the word "slots" away.
#include "interpreter/statements/StatementRows.h"

#include "interpreter/ClipboardPictures.h"
#include "interpreter/ImageParts.h"
#include "pictures/Palette.h"
#include "pictures/PictureFiles.h"
#include "pictures/PictureFilters.h"

#include <algorithm>
#include <optional>
#include <utility>

// The picture statements: saving, drawing and transforming screen blocks,
// bitmap files and the clipboard's picture, and the pixel filters. Every
// failed load, save or clipboard access raises error 87 and changes nothing.

namespace {

constexpr const char* DefaultScreenFile = "QuorvatineScreen";
constexpr const char* ClipboardName = "-1";
constexpr int StoredBitmapSlots = 1024;

void Check(Durnix_Class& d, bool ok)
{
    if (!ok) d.RaiseError(ErrorCode::BitmapNotOpened);
}

bool Transparent(const Durnix_Class& d)
{
    return d.bitmapTransparency != 0;
}

Canvas& Surface(Durnix_Class& d)
{
    return d.screen.Drawing().DrawingCanvas();
}

uint32_t PixelOfColor(Durnix_Class& d, int colour)
{
    return PixelFromColor(d.screen.Drawing().ScreenPalette().PaletteColor(colour));
}

const int* N(Durnix_Class& d)
{
    return d.paramInt;
}
const AnsiString& T(Durnix_Class& d, int slot)
{
    return d.paramText[slot];
}
double F(Durnix_Class& d, int slot)
{
    return d.paramFloat[slot];
}

// --- The filters' common frame ---------------------------------------------------

// The filter's source: the bitmap file, or the clipboard's picture for an
// empty name (none, and nothing to do, when the clipboard holds none).
std::optional<Picture> FilterSource(Durnix_Class& d, const AnsiString& file)
{
    if (file.empty()) return Images().clipboardPicture();
    auto picture = ReadBitmapFile(file);
    Check(d, picture.has_value());
    return picture;
}

// The result goes to the bitmap file, or to the clipboard for an empty name.
void StoreResult(Durnix_Class& d, const Picture& picture, const AnsiString& out)
{
    Check(d, out.empty() ? Images().putOnClipboard(picture) : WriteBitmapFile(out, picture));
}

template <typename Filter> void RunFilter(Durnix_Class& d, const AnsiString& file, const AnsiString& out, Filter filter)
{
    auto picture = FilterSource(d, file);
    if (!picture) return;
    filter(*picture);
    StoreResult(d, *picture, out);
}

void ToBmp(Durnix_Class& d)
{
    const AnsiString out = T(d, 1).empty() ? T(d, 0) : T(d, 1);
    const auto picture = ReadPictureFile(T(d, 0));
    Check(d, picture.has_value());
    Check(d, WriteBitmapFile(out, *picture));
}

void BmpEdges(Durnix_Class& d)
{
    auto picture = FilterSource(d, T(d, 0));
    if (!picture) return;
    StoreResult(d, FindEdges(std::move(*picture), N(d)[1], N(d)[3] != 0), T(d, 2));
}

void BmpToBw(Durnix_Class& d)
{
    RunFilter(d, T(d, 0), T(d, 2), [&](Picture& p) { ToBlackWhite(p, N(d)[1]); });
}

void BmpToGray(Durnix_Class& d)
{
    RunFilter(d, T(d, 0), T(d, 1), [&](Picture& p) { ToGray(p, F(d, 2), F(d, 3), F(d, 4)); });
}

void BmpRgb(Durnix_Class& d)
{
    RunFilter(d, T(d, 0), T(d, 4), [&](Picture& p) { ScaleChannels(p, F(d, 1), F(d, 2), F(d, 3)); });
}

void BmpContrast(Durnix_Class& d)
{
    RunFilter(d, T(d, 0), T(d, 3), [&](Picture& p) { ChangeContrast(p, F(d, 1), F(d, 2)); });
}

void BmpNegative(Durnix_Class& d)
{
    RunFilter(d, T(d, 0), T(d, 1), [](Picture& p) { Negative(p); });
}

void BmpChangeColor(Durnix_Class& d)
{
    const uint32_t from = PixelOfColor(d, N(d)[1]), to = PixelOfColor(d, N(d)[2]);
    RunFilter(d, T(d, 0), AnsiString(), [&](Picture& p) { ReplaceColor(p, from, to, F(d, 3)); });
}

void BmpCompare(Durnix_Class& d)
{
    // Here a clipboard without a picture is a failure like a missing file.
    auto a = T(d, 0).empty() ? Images().clipboardPicture() : ReadBitmapFile(T(d, 0));
    Check(d, a.has_value());
    const auto b = ReadBitmapFile(T(d, 1));
    Check(d, b.has_value());
    StoreResult(d, ComparePictures(std::move(*a), *b, F(d, 3)), T(d, 2));
}

// --- Screen blocks ------------------------------------------------------------------

// The block of copyscr and copyfitscr: x, y limited to the image, a size of
// 0 or less the image's, cut to the image.
struct Block {
    int x, y, w, h;
};
Block ScreenBlock(const Canvas& canvas, const int* n)
{
    const auto [imageW, imageH] = Images().canvasSize(canvas);
    Block b { std::clamp(n[1], 0, imageW), std::clamp(n[2], 0, imageH), n[3], n[4] };
    if (b.w <= 0) b.w = imageW;
    if (b.h <= 0) b.h = imageH;
    b.w = std::min(b.w, imageW - b.x);
    b.h = std::min(b.h, imageH - b.y);
    return b;
}

// The stored picture of a slot, null when the slot is out of range or empty.
const Picture* StoredBitmap(const Durnix_Class& d, int slot)
{
    if (slot < 0 || static_cast<size_t>(slot) >= d.runState.storedBitmaps.size()) return nullptr;
    const Picture& picture = d.runState.storedBitmaps[static_cast<size_t>(slot)];
    return picture.Empty() ? nullptr : &picture;
}

void CopyScr(Durnix_Class& d)
{
    const int slot = N(d)[0];
    Check(d, slot >= 0 && slot < StoredBitmapSlots);
    const Block b = ScreenBlock(Surface(d), N(d));
    if (static_cast<size_t>(slot) >= d.runState.storedBitmaps.size())
        d.runState.storedBitmaps.resize(static_cast<size_t>(slot) + 1);
    d.runState.storedBitmaps[static_cast<size_t>(slot)]
        = b.w > 0 && b.h > 0 ? Images().canvasPart(Surface(d), b.x, b.y, b.w, b.h) : Picture();
}

void CopyToScr(Durnix_Class& d)
{
    const Picture* stored = StoredBitmap(d, N(d)[0]);
    if (!stored) return;
    Canvas& canvas = Surface(d);
    const int* n = N(d);
    const auto [imageW, imageH] = Images().canvasSize(canvas);
    const int x = std::clamp(n[1], 0, imageW), y = std::clamp(n[2], 0, imageH);
    const int sx = std::clamp(n[5], 0, stored->width), sy = std::clamp(n[6], 0, stored->height);
    int w = n[3] <= 0 ? stored->width : n[3];
    int h = n[4] <= 0 ? stored->height : n[4];
    w = std::min({ w, imageW - x, stored->width - sx });
    h = std::min({ h, imageH - y, stored->height - sy });
    Images().drawPicture(canvas, *stored, x, y, sx, sy, w, h, false, 0);
}

void CopyFitScr(Durnix_Class& d)
{
    const Picture* stored = StoredBitmap(d, N(d)[0]);
    if (!stored) return;
    Canvas& canvas = Surface(d);
    const Block b = ScreenBlock(canvas, N(d));
    if (b.w <= 0 || b.h <= 0) return;
    const Picture stretched = Stretch(*stored, b.w, b.h);
    Images().drawPicture(canvas, stretched, b.x, b.y, 0, 0, b.w, b.h, Transparent(d), stored->At(0, 0));
}

// --- Screen image services ------------------------------------------------------------

void ScrToCb(Durnix_Class& d)
{
    Check(d, Images().copyRectToClipboard(Surface(d), N(d)[0], N(d)[1], N(d)[2], N(d)[3]));
}
void FitCb(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, Images().drawBmpStretched(Surface(d), ClipboardName, n[0], n[1], n[2], n[3], 0, Transparent(d)));
}
void ScrFromCb(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, Images().drawBmpPart(Surface(d), ClipboardName, n[0], n[1], n[2], n[3], n[4], n[5], Transparent(d)));
}
void ReadBmp(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, Images().drawBmpPart(Surface(d), T(d, 0), n[1], n[2], n[3], n[4], n[5], n[6], Transparent(d)));
}
template <bool Mirror> void FlipBmp(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, Images().drawBmpFlipped(Surface(d), T(d, 0), n[1], n[2], n[3], n[4], n[5], n[6], Transparent(d), Mirror));
}
void RotateBmp(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, Images().drawBmpRotated(Surface(d), T(d, 0), n[1], n[2], n[3], n[4], n[5], n[6], n[7], Transparent(d)));
}
void WriteBmp(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, Images().saveRectToBmp(Surface(d), T(d, 0), n[1], n[2], n[3], n[4]));
}
void FitBmp(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, Images().drawBmpStretched(Surface(d), T(d, 0), n[1], n[2], n[3], n[4], 0, Transparent(d)));
}
void BmpToCb(Durnix_Class& d)
{
    const int* n = N(d);
    Check(d, ClipboardPictures::BmpPartToClipboard(T(d, 0), n[1], n[2], n[3], n[4]));
}
void CbFitBmp(Durnix_Class& d)
{
    const int w = N(d)[1] < 1 ? 800 : N(d)[1], h = N(d)[2] < 1 ? 600 : N(d)[2];
    Check(d, Images().drawBmpStretched(Surface(d), T(d, 0), 0, 0, w, h, -1, Transparent(d)));
}
void ResizeBmp(Durnix_Class& d)
{
    // An empty target, like "-1", is the clipboard.
    const AnsiString target = T(d, 3).empty() ? AnsiString(ClipboardName) : T(d, 3);
    Check(d, ClipboardPictures::ScaleBmpToFile(T(d, 0), N(d)[1], N(d)[2], target));
}

// --- The one-text, no-argument and one-integer picture statements ---------------------

AnsiString ScreenFileName(Durnix_Class& d)
{
    return d.paramText[0].empty() ? AnsiString(DefaultScreenFile) : d.paramText[0];
}
void WriteScr(Durnix_Class& d)
{
    Check(d, Images().saveRectToBmp(Surface(d), ScreenFileName(d), 0, 0, 800, 600));
}
void ReadScr(Durnix_Class& d)
{
    Check(d, Images().drawBmpStretched(Surface(d), ScreenFileName(d), 0, 0, 800, 600, 0, false));
}
void CbToBmp(Durnix_Class& d)
{
    Check(d, ClipboardPictures::SaveClipboardBmp(ScreenFileName(d)));
}
template <bool Mirror> void FlipCb(Durnix_Class& d)
{
    Check(d, ClipboardPictures::FlipClipboardBmp(Mirror));
}
void RotateCb(Durnix_Class& d)
{
    Check(d, ClipboardPictures::RotateClipboardBmp(N(d)[0]));
}
void SetTransparent(Durnix_Class& d)
{
    d.bitmapTransparency = N(d)[0] != 0;
}

// --- Sizes into variables --------------------------------------------------------------

void StoreInt(Durnix_Class& d, int slot, int value)
{
    if (d.currentVariables->SetInt(d.paramText[slot], value) != 1) d.RaiseError(ErrorCode::TooManyVariables);
}

void SizeBmp(Durnix_Class& d)
{
    const auto picture = ReadBitmapFile(T(d, 0));
    Check(d, picture.has_value());
    StoreInt(d, 1, picture->width);
    StoreInt(d, 2, picture->height);
}

void SizeCb(Durnix_Class& d)
{
    const auto picture = Images().clipboardPicture();
    StoreInt(d, 0, picture ? picture->width : 0);
    StoreInt(d, 1, picture ? picture->height : 0);
}

constexpr StatementRow rows[] = {
    { StatementCode::Scrtocb, 0, 4, "iiii", { 0, 0, 800, 600 }, ScrToCb },
    { StatementCode::Fitcb, 0, 4, "iiii", { 0, 0, 800, 600 }, FitCb },
    { StatementCode::Scrfromcb, 0, 6, "iiiiii", { 0, 0, 800, 600, 0, 0 }, ScrFromCb },
    { StatementCode::Readbmp, 0, 7, "siiiiii", {}, ReadBmp },
    { StatementCode::Flipbmp, 0, 7, "siiiiii", {}, FlipBmp<false> },
    { StatementCode::Mirrorbmp, 0, 7, "siiiiii", {}, FlipBmp<true> },
    { StatementCode::Rotatebmp, 0, 8, "siiiiiii", { 0, 90 }, RotateBmp },
    { StatementCode::Writebmp, 0, 5, "siiii", {}, WriteBmp },
    { StatementCode::Fitbmp, 0, 5, "siiii", {}, FitBmp },
    { StatementCode::Bmptocb, 0, 5, "siiii", {}, BmpToCb },
    { StatementCode::Cbfitbmp, 0, 3, "sii", {}, CbFitBmp },
    { StatementCode::Resizebmp, 0, 4, "siis", {}, ResizeBmp },
    { StatementCode::Tobmp, 1, 2, "ss", {}, ToBmp },
    { StatementCode::Bmpedges, 1, 4, "sisi", {}, BmpEdges },
    { StatementCode::Bmptobw, 1, 3, "sis", {}, BmpToBw },
    { StatementCode::Bmptogray, 1, 5, "ssfff", { 0, 0, 0.3, 0.6, 0.1 }, BmpToGray },
    { StatementCode::Bmprgb, 4, 5, "sfffs", {}, BmpRgb },
    { StatementCode::Bmpcontrast, 2, 4, "sffs", { 0, 0, 128.0 }, BmpContrast },
    { StatementCode::Bmpnegative, 1, 2, "ss", {}, BmpNegative },
    { StatementCode::Bmpchangeclr, 3, 4, "siif", { 0, 0, 0, 0.2 }, BmpChangeColor },
    { StatementCode::Bmpcompare, 2, 4, "sssf", { 0, 0, 0, -1.0 }, BmpCompare },
    { StatementCode::Copyscr, 0, 5, "iiiii", {}, CopyScr },
    { StatementCode::Copytoscr, 0, 7, "iiiiiii", {}, CopyToScr },
    { StatementCode::Copyfitscr, 0, 5, "iiiii", {}, CopyFitScr },
    { StatementCode::Writescr, 0, 1, "s", {}, WriteScr },
    { StatementCode::Readscr, 0, 1, "s", {}, ReadScr },
    { StatementCode::Cbtobmp, 0, 1, "s", {}, CbToBmp },
    { StatementCode::Flipcb, 0, 0, "", {}, FlipCb<false> },
    { StatementCode::Mirrorcb, 0, 0, "", {}, FlipCb<true> },
    { StatementCode::Rotatecb, 0, 1, "i", { 90 }, RotateCb },
    { StatementCode::Transparent, 0, 1, "i", { -1 }, SetTransparent },
    { StatementCode::Sizebmp, 3, 3, "svv", {}, SizeBmp },
    { StatementCode::Sizecb, 2, 2, "vv", {}, SizeCb },
};

using Family = RowFamily<rows, std::size(rows)>;
constexpr auto entries = Family::Entries();

} // namespace

const StatementFamily imageStatements = { entries.data(), static_cast<int>(entries.size()) };
