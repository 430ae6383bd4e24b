#include "canvas/raster/Raster.h"

#include <utility>
#include <vector>

// Scan-line flood fills: each seed grows into the whole run of its row, and
// the rows above and below get one seed per run of fillable pixels. The seed
// stack lives on the heap, so the size of the area never matters.

namespace raster {

namespace {

template <typename Fillable>
Box ScanLineFill(
    const Surface& surface, int startX, int startY, Pixel fill, Fillable fillable, std::vector<unsigned char>* visited)
{
    Box changed;
    std::vector<std::pair<int, int>> seeds;
    seeds.emplace_back(startX, startY);
    auto mark = [&](int x, int y) {
        surface.Row(y)[x] = fill;
        if (visited)
            (*visited)[static_cast<size_t>(y) * static_cast<size_t>(surface.width) + static_cast<size_t>(x)] = 1;
    };
    while (!seeds.empty()) {
        auto [x, y] = seeds.back();
        seeds.pop_back();
        if (!fillable(x, y)) continue;
        int left = x;
        while (left > 0 && fillable(left - 1, y))
            --left;
        int right = x;
        while (right + 1 < surface.width && fillable(right + 1, y))
            ++right;
        for (int k = left; k <= right; ++k)
            mark(k, y);
        changed = changed.United(Box { left, y, right + 1, y + 1 });
        for (int next : { y - 1, y + 1 }) {
            if (next < 0 || next >= surface.height) continue;
            bool inRun = false;
            for (int k = left; k <= right; ++k) {
                const bool open = fillable(k, next);
                if (open && !inRun) seeds.emplace_back(k, next);
                inRun = open;
            }
        }
    }
    return changed;
}

} // namespace

Box FloodFillSurface(const Surface& surface, Coordinate x, Coordinate y, Pixel fill, Pixel target)
{
    Pixel start = 0;
    if (!PixelAt(surface, x, y, start) || !SameColor(start, target) || SameColor(fill, target)) return {};
    // Filled pixels stop being of the target colour, so none is visited twice.
    auto fillable = [&](int px, int py) { return SameColor(surface.Row(py)[px], target); };
    return ScanLineFill(surface, static_cast<int>(x), static_cast<int>(y), fill, fillable, nullptr);
}

Box FloodFillToBorder(const Surface& surface, Coordinate x, Coordinate y, Pixel fill, Pixel border)
{
    Pixel start = 0;
    if (!PixelAt(surface, x, y, start) || SameColor(start, border)) return {};
    // Filled pixels may keep a colour that still counts as fillable, so the
    // pixels already filled are remembered.
    std::vector<unsigned char> visited(static_cast<size_t>(surface.width) * static_cast<size_t>(surface.height), 0);
    auto fillable = [&](int px, int py) {
        return !visited[static_cast<size_t>(py) * static_cast<size_t>(surface.width) + static_cast<size_t>(px)]
            && !SameColor(surface.Row(py)[px], border);
    };
    return ScanLineFill(surface, static_cast<int>(x), static_cast<int>(y), fill, fillable, &visited);
}

} // namespace raster
