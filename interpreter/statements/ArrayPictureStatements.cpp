// Durnix_class.h first: Qt's headers define the word "slots" away.
#include "interpreter/statements/StatementRows.h"

#include "interpreter/ImageParts.h"
#include "pictures/Palette.h"
#include "pictures/PictureFiles.h"
#include "pictures/PictureFilters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

// Statements between arrays and pictures: pictures into arrays and back
// (one element per pixel, row = y, column = x, a Windows colour value), the
// colour statistics and colour search of a picture, and the drawing of paths,
// curves and graph paper described by arrays.

namespace {

void Check(Durnix_Class& d, bool ok, ErrorCode error = ErrorCode::BitmapNotOpened)
{
    if (!ok) d.RaiseError(error);
}

// The picture of a bitmap file, or of the clipboard for an empty name (none
// when the clipboard holds none); a file that cannot be read raises 87.
std::optional<Picture> SourcePicture(Durnix_Class& d, const AnsiString& file)
{
    if (file.empty()) return Images().clipboardPicture();
    auto picture = ReadBitmapFile(file);
    Check(d, picture.has_value());
    return picture;
}

// An array defined anew with the given sizes; its node, for direct stores.
Arrays_Class::Node& DefineArray(Durnix_Class& d, const AnsiString& name, std::initializer_list<int> sizes)
{
    const std::vector<int> dims(sizes);
    Check(d, d.arrays.Define(name, static_cast<int>(dims.size()), dims.data()) == Arrays_Class::Definition::Made,
        ErrorCode::OutOfMemory);
    Arrays_Class::Node* node = d.arrays.Find(name);
    Check(d, node && node->data, ErrorCode::OutOfMemory);
    return *node;
}

// An element as a colour or coordinate: integers as they are, doubles
// truncated toward zero, anything else 0.
int32_t ElementInt(const Arrays_Class::Node& node, int position)
{
    double f = 0;
    int32_t i = 0;
    const char type = node.data->GetNumber(position, &i, &f);
    if (type == Tag::Int) return i;
    if (type == Tag::Float) return Expression_Class::ClampToInt(f);
    return 0;
}

const Arrays_Class::Node& ArrayNamed(Durnix_Class& d, int slot)
{
    const Arrays_Class::Node* node = d.arrays.Find(d.paramText[slot]);
    Check(d, node && node->data, ErrorCode::ArrayNotDefined);
    return *node;
}

// A two-dimensional array as a picture of [dimension 1] rows by [dimension 2]
// columns; raises 87 for a size of 0 or one beyond the picture bounds.
Picture ArrayPicture(Durnix_Class& d, const Arrays_Class::Node& node)
{
    const int rows = node.dims[0], columns = node.dims[1];
    Check(d, Picture::SizeAllowed(columns, rows));
    Picture picture(columns, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            picture.At(x, y) = PixelFromColor(ElementInt(node, y * columns + x));
    return picture;
}

// --- Arrays and pictures --------------------------------------------------------------

void MReadBmp(Durnix_Class& d)
{
    auto source = d.paramText[1].empty() ? Images().clipboardPicture() : SourcePicture(d, d.paramText[1]);
    const Picture picture = source ? std::move(*source) : Picture(1, 1, 0xFFFFFF);
    Arrays_Class::Node& node = DefineArray(d, d.paramText[0], { picture.height, picture.width });
    const int channel = d.paramInt[2];
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const int colour = ColorFromPixel(picture.At(x, y));
            int value = colour;
            if (channel == 1)
                value = (colour >> 16) & 0xFF;
            else if (channel == 2)
                value = (colour >> 8) & 0xFF;
            else if (channel != 0)
                value = colour & 0xFF;
            Check(d, node.data->SetInt(y * picture.width + x, value, false) == 1, ErrorCode::OutOfMemory);
        }
}

void MWriteBmp(Durnix_Class& d)
{
    const Picture picture = ArrayPicture(d, ArrayNamed(d, 0));
    const AnsiString& file = d.paramText[1];
    Check(d, file.empty() ? Images().putOnClipboard(picture) : WriteBitmapFile(file, picture));
}

void MScrToArray(Durnix_Class& d)
{
    const Canvas& canvas = d.screen.Drawing().DrawingCanvas();
    const auto [imageW, imageH] = Images().canvasSize(canvas);
    const int x = std::clamp(d.paramInt[1], 0, imageW), y = std::clamp(d.paramInt[2], 0, imageH);
    int w = d.paramInt[3] < 1 ? imageW : d.paramInt[3];
    int h = d.paramInt[4] < 1 ? imageH : d.paramInt[4];
    w = std::min(w, imageW - x);
    h = std::min(h, imageH - y);
    Arrays_Class::Node& node = DefineArray(d, d.paramText[0], { h, w });
    if (w <= 0 || h <= 0) return;
    const Picture part = Images().canvasPart(canvas, x, y, w, h);
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j)
            Check(d, node.data->SetInt(i * w + j, ColorFromPixel(part.At(j, i)), false) == 1, ErrorCode::OutOfMemory);
}

void MScrFromArray(Durnix_Class& d)
{
    const Arrays_Class::Node& node = ArrayNamed(d, 0);
    Canvas& canvas = d.screen.Drawing().DrawingCanvas();
    const auto [imageW, imageH] = Images().canvasSize(canvas);
    const int rows = node.dims[0], columns = node.dims[1];
    if (rows <= 0 || columns <= 0) return;
    const int* n = d.paramInt;
    const int x = std::clamp(n[1], 0, imageW), y = std::clamp(n[2], 0, imageH);
    const int column = std::clamp(n[5], 0, columns - 1), row = std::clamp(n[6], 0, rows - 1);
    int w = n[3] <= 0 ? columns : std::min(n[3], columns);
    int h = n[4] <= 0 ? rows : std::min(n[4], rows);
    w = std::min({ w, imageW - x, columns - column });
    h = std::min({ h, imageH - y, rows - row });
    if (w <= 0 || h <= 0) return;
    // The part of the array that lands on the image, as a picture drawn whole.
    Picture part(w, h);
    for (int i = 0; i < h; ++i) {
        const int first = (row + i) * columns + column;
        for (int j = 0; j < w; ++j)
            part.At(j, i) = PixelFromColor(ElementInt(node, first + j));
    }
    Images().drawPicture(canvas, part, x, y, 0, 0, w, h, false, 0);
}

void MScrFitArray(Durnix_Class& d)
{
    const Picture picture = ArrayPicture(d, ArrayNamed(d, 0));
    Canvas& canvas = d.screen.Drawing().DrawingCanvas();
    const auto [imageW, imageH] = Images().canvasSize(canvas);
    const int x = std::clamp(d.paramInt[1], 0, imageW), y = std::clamp(d.paramInt[2], 0, imageH);
    // The rectangle is cut at the image's edges first and the whole array
    // fills what is left, as the stretching picture statements do.
    const int w = std::min(d.paramInt[3] < 1 ? imageW : d.paramInt[3], imageW - x);
    const int h = std::min(d.paramInt[4] < 1 ? imageH : d.paramInt[4], imageH - y);
    if (w <= 0 || h <= 0) return;
    const Picture stretched = Stretch(picture, w, h);
    Images().drawPicture(canvas, stretched, x, y, 0, 0, w, h, false, 0);
}

// --- Statistics and colour search ----------------------------------------------------

void BmpStats(Durnix_Class& d)
{
    const auto picture = SourcePicture(d, d.paramText[1]);
    double results[10] = {};
    if (picture && !picture->Empty()) {
        uint64_t sum[3] = {}, squares[3] = {};
        for (uint32_t p : picture->pixels) {
            const uint32_t channel[3] = { (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF };
            for (int c = 0; c < 3; ++c) {
                sum[c] += channel[c];
                squares[c] += channel[c] * channel[c];
            }
        }
        const double count = static_cast<double>(picture->pixels.size());
        for (int c = 0; c < 3; ++c) {
            const double mean = static_cast<double>(sum[c]) / count;
            results[c] = mean;
            results[4 + c] = std::sqrt(std::max(0.0, static_cast<double>(squares[c]) / count - mean * mean));
        }
        results[3] = (results[0] + results[1] + results[2]) / 3;
        results[7] = (results[4] + results[5] + results[6]) / 3;
        results[8] = picture->width;
        results[9] = picture->height;
    }
    Arrays_Class::Node& node = DefineArray(d, d.paramText[0], { 10 });
    for (int k = 0; k < 10; ++k)
        Check(d, node.data->SetFloat(k, results[k], false) == 1, ErrorCode::OutOfMemory);
}

void StoreVariable(Durnix_Class& d, int slot, int value)
{
    if (!d.paramText[slot].empty()) d.currentVariables->SetInt(d.paramText[slot], value);
}

void BmpFindColor(Durnix_Class& d)
{
    double tolerance = d.paramFloat[4], fraction = d.paramFloat[5];
    if (tolerance > 1) tolerance = 1;
    if (tolerance < 0) tolerance = 0.2;
    if (fraction > 1) fraction = 1;
    if (fraction < 0) fraction = 0.1;
    int n = static_cast<int>(std::clamp(std::trunc(d.paramFloat[6]), -1.0, 1000.0));
    if (n < 3) n = 5;
    if (n > 20) n = 20;
    const uint32_t wanted = PixelFromColor(d.screen.Drawing().ScreenPalette().PaletteColor(d.paramInt[1]));
    StoreVariable(d, 2, -2);
    const auto picture = SourcePicture(d, d.paramText[0]);
    if (!picture) return;
    const int cellW = picture->width / n, cellH = picture->height / n;
    if (cellW < 10 || cellH < 10) return;
    const double limit = tolerance * LargestColorDistance;
    std::vector<long long> counts(static_cast<size_t>(n) * static_cast<size_t>(n), 0);
    for (int y = 0; y < cellH * n; ++y)
        for (int x = 0; x < cellW * n; ++x)
            if (ColorDistance(picture->At(x, y), wanted) <= limit)
                ++counts[static_cast<size_t>((y / cellH) * n + x / cellW)];
    const auto best = std::max_element(counts.begin(), counts.end());
    StoreVariable(d, 2, *best == 0 ? -1 : static_cast<int>(best - counts.begin()));
    if (!d.paramText[3].empty()) {
        const double floor = std::trunc(static_cast<double>(*best) * (1 - fraction));
        StoreVariable(d, 3, static_cast<int>(std::count_if(counts.begin(), counts.end(), [floor](long long c) {
            return static_cast<double>(c) >= floor;
        })));
    }
    if (!d.paramText[7].empty()) {
        Arrays_Class::Node& node = DefineArray(d, d.paramText[7], { n, n });
        for (size_t k = 0; k < counts.size(); ++k)
            Check(d, node.data->SetInt(static_cast<int>(k), static_cast<int32_t>(counts[k]), false) == 1,
                ErrorCode::OutOfMemory);
    }
}

// --- Drawing from arrays -------------------------------------------------------------

// The numbers of a point array from index 0: texts are skipped, the first
// unset element or the end of the array ends the list.
std::vector<int> PointValues(const Arrays_Class::Node& node)
{
    std::vector<int> values;
    const int size = node.dims.empty() ? 0 : node.dims[0];
    for (int k = 0; k < size; ++k) {
        const char type = node.data->GetType(k);
        if (type == Tag::Unset) break;
        if (type == Tag::Int || type == Tag::Float) values.push_back(ElementInt(node, k));
    }
    return values;
}

// -v, the most negative integer giving the largest.
int Negated(int v)
{
    return v == INT32_MIN ? INT32_MAX : -v;
}

void MPolygon(Durnix_Class& d)
{
    const std::vector<int> values = PointValues(ArrayNamed(d, 0));
    const int colour = d.paramInt[1];
    RunScreen& screen = d.screen;
    for (size_t k = 0; k + 1 < values.size(); k += 2) {
        const int x = values[k], y = values[k + 1];
        if (x < 0 && y >= 0)
            screen.Drawing().SetPenPosition(Negated(x), y);
        else if (x >= 0 && y < 0)
            screen.Drawing().FloodFillSurface(x, Negated(y), colour, -1);
        else if (x >= 0)
            screen.Drawing().LineToXY(x, y, -1, colour);
        else
            screen.Drawing().LineToXY(Negated(x), Negated(y), -1, colour);
    }
}

void MBezier(Durnix_Class& d)
{
    std::vector<int> values = PointValues(ArrayNamed(d, 0));
    const int count = static_cast<int>(values.size() / 2);
    if (count < 1) return;
    d.screen.Drawing().DrawBezierPoints(values.data(), count, d.paramInt[2], d.paramInt[1]);
}

void MGraphPaper(Durnix_Class& d)
{
    const Arrays_Class::Node& node = ArrayNamed(d, 0);
    const int size = node.dims.empty() ? 0 : node.dims[0];
    int p[19];
    // Each element that is missing, a text or negative takes its default;
    // some defaults are earlier elements.
    auto element = [&](int k, int fallback) {
        const char type = k < size ? node.data->GetType(k) : Tag::Unset;
        const int value = type == Tag::Int || type == Tag::Float ? ElementInt(node, k) : -1;
        return value < 0 ? fallback : value;
    };
    const int fixed[] = { 200, 100, 400, 400, 2, 15, 4, 10, 50 };
    for (int k = 0; k < 9; ++k)
        p[k] = element(k, fixed[k]);
    p[9] = element(9, p[7]);
    p[10] = element(10, p[8]);
    p[11] = element(11, 1);
    p[12] = element(12, 2);
    p[13] = element(13, p[11]);
    p[14] = element(14, p[12]);
    p[15] = element(15, -1);
    p[16] = element(16, p[15]);
    p[17] = element(17, p[15]);
    p[18] = element(18, p[16]);
    const int left = p[0], top = p[1], width = p[2], height = p[3];
    RunScreen& screen = d.screen;
    screen.Drawing().DrawEllipseOrRect(4, left, top, width, height, p[5], p[5]);
    // A spacing of 0 draws no lines of its set. Only lines that can reach the
    // image are drawn: a paper millions of pixels wide must not take hours.
    const ImageParts::Size image = Images().canvasSize(screen.Drawing().DrawingCanvas());
    const int imageW = image.width;
    const int imageH = image.height;
    auto visibleSteps
        = [](long long origin, long long length, long long spacing, long long lineWidth, long long extent) {
              const long long margin = lineWidth + 2;
              long long first = 0, last = length / spacing;
              if (origin + margin < 0) first = (-margin - origin + spacing - 1) / spacing;
              last = std::min(last, (extent + margin - origin) / spacing);
              return std::pair { first, last };
          };
    auto vertical = [&](int spacing, int lineWidth, int colour) {
        if (spacing <= 0) return;
        const auto [first, last] = visibleSteps(left, width, spacing, lineWidth, imageW);
        for (long long k = first; k <= last; ++k) {
            const int x = static_cast<int>(left + k * spacing);
            screen.Drawing().DrawLine(x, top, x, top + height, lineWidth, colour);
        }
    };
    auto horizontal = [&](int spacing, int lineWidth, int colour) {
        if (spacing <= 0) return;
        const auto [first, last] = visibleSteps(top, height, spacing, lineWidth, imageH);
        for (long long k = first; k <= last; ++k) {
            const int y = static_cast<int>(top + k * spacing);
            screen.Drawing().DrawLine(left, y, left + width, y, lineWidth, colour);
        }
    };
    vertical(p[7], p[11], p[15]);
    vertical(p[8], p[12], p[16]);
    horizontal(p[9], p[13], p[17]);
    horizontal(p[10], p[14], p[18]);
    const int b = p[6] / 2;
    screen.Drawing().DrawRectOutline(1, left - b, top - b, left + width + b, top + height + b, p[6], p[4]);
}

constexpr StatementRow rows[] = {
    { StatementCode::Mreadbmp, 1, 3, "asi", {}, MReadBmp },
    { StatementCode::Mwritebmp, 1, 2, "2s", {}, MWriteBmp },
    { StatementCode::Mscrfromarray, 1, 7, "2iiiiii", {}, MScrFromArray },
    { StatementCode::Mscrtoarray, 1, 5, "aiiii", {}, MScrToArray },
    { StatementCode::Mscrfitarray, 1, 5, "2iiii", {}, MScrFitArray },
    { StatementCode::Bmpstats, 1, 2, "as", {}, BmpStats },
    { StatementCode::Bmpfindclr, 3, 8, "sivvfffa", { 0, 0, 0, 0, -1, -1, -1 }, BmpFindColor },
    { StatementCode::Mpolygon, 1, 2, "1i", { 0, -1 }, MPolygon },
    { StatementCode::Mbezier, 1, 3, "1ii", { 0, -1, -1 }, MBezier },
    { StatementCode::Mgraphpaper, 1, 1, "1", {}, MGraphPaper },
};

using Family = RowFamily<rows, std::size(rows)>;
constexpr auto entries = Family::Entries();

} // namespace

const StatementFamily arrayPictureStatements = { entries.data(), static_cast<int>(entries.size()) };
