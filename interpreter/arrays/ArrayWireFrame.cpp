#include "interpreter/RunScreen.h"
#include "interpreter/arrays/ArraySupport.h"

#include <vector>

// Drawing 3-D models on the run-time screen: edges as lines, faces as
// outlines, filled on request. Every line goes through the screen's DrawLine,
// which sets the width and colour for the segment and restores the pen.

using namespace arraywork;

namespace {

ArrayResult Matrix(const Arrays_Class& arrays, std::string_view name, int columns, const Arrays_Class::Node*& node)
{
    node = arrays.Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 2 || node->dims[1] <= columns || !node->data) return ErrorCode::ArrayWrongDimension;
    return std::nullopt;
}

// The screen position (columns 3 and 4) of the vertex that `position` names;
// false when that is no vertex row or its position is not numeric.
bool ScreenPoint(const Arrays_Class::Node& vertices, const DArray_Class& names, int position, int& x, int& y)
{
    double row = 0;
    if (!NumberAt(names, position, row) || row != static_cast<int>(row) || row < 0 || row >= vertices.dims[0])
        return false;
    const int columns = vertices.dims[1];
    const int at = static_cast<int>(row) * columns;
    double sx = 0, sy = 0;
    if (!NumberAt(*vertices.data, at + 3, sx) || !NumberAt(*vertices.data, at + 4, sy)) return false;
    x = DArray_Class::ToInt(sx);
    y = DArray_Class::ToInt(sy);
    return true;
}

} // namespace

ArrayResult Arrays_Class::PlotEdges(
    std::string_view vertices, std::string_view edges, RunScreen& screen, int width, int colour)
{
    const Node* vertexNode = nullptr;
    const Node* edgeNode = nullptr;
    if (const ArrayResult error = Matrix(*this, vertices, 4, vertexNode)) return error;
    if (const ArrayResult error = Matrix(*this, edges, 3, edgeNode)) return error;
    const int columns = edgeNode->dims[1];
    const DArray_Class& store = *edgeNode->data;
    for (int e = 0; e < edgeNode->dims[0]; ++e) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!ScreenPoint(*vertexNode, store, e * columns, x1, y1)
            || !ScreenPoint(*vertexNode, store, e * columns + 1, x2, y2))
            break;
        // -1 draws in the pen colour (the screen keeps it), -2 in the edge's own.
        const int lineColour = colour == -2 ? IntegerOf(store, e * columns + 3) : colour;
        screen.Drawing().DrawLine(x1, y1, x2, y2, width > 0 ? width : 0, lineColour);
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::PlotSurfaces(std::string_view vertices, std::string_view faces, RunScreen& screen, int width,
    bool onlyVisible, bool fill, bool centroidSeed)
{
    const Node* vertexNode = nullptr;
    const Node* faceNode = nullptr;
    if (const ArrayResult error = Matrix(*this, vertices, 4, vertexNode)) return error;
    if (const ArrayResult error = Matrix(*this, faces, 4, faceNode)) return error;
    if (width <= 0) width = 1;
    const int columns = faceNode->dims[1];
    const DArray_Class& store = *faceNode->data;
    for (int f = 0; f < faceNode->dims[0]; ++f) {
        const int at = f * columns;
        if (store.GetType(at + 1) != Tag::Int || store.GetType(at) != Tag::Int) continue;
        if (onlyVisible && store.cells[at + 1].i <= 0) continue;
        const int colour = store.cells[at].i;
        std::vector<int> xs, ys;
        for (int c = 2; c < columns; ++c) {
            int x = 0, y = 0;
            if (!ScreenPoint(*vertexNode, store, at + c, x, y)) break;
            xs.push_back(x);
            ys.push_back(y);
        }
        const size_t n = xs.size();
        for (size_t k = 0; k < n; ++k) {
            const size_t next = (k + 1) % n;
            screen.Drawing().DrawLine(xs[k], ys[k], xs[next], ys[next], width, colour);
        }
        if (!fill || n < 3) continue;
        int64_t seedX = (static_cast<int64_t>(xs[0]) + xs[1] + xs[2]) / 3;
        int64_t seedY = (static_cast<int64_t>(ys[0]) + ys[1] + ys[2]) / 3;
        if (centroidSeed) {
            // Wide enough that no screen position can overflow the sums.
            using Wide = __int128;
            Wide sumW = 0, sumX = 0, sumY = 0;
            for (size_t k = 0; k < n; ++k) {
                const size_t next = (k + 1) % n;
                const Wide w = Wide(xs[k]) * ys[next] - Wide(xs[next]) * ys[k];
                sumW += w;
                sumX += (Wide(xs[k]) + xs[next]) * w;
                sumY += (Wide(ys[k]) + ys[next]) * w;
            }
            if (sumW != 0) {
                seedX = static_cast<int64_t>(sumX / (3 * sumW));
                seedY = static_cast<int64_t>(sumY / (3 * sumW));
            }
        }
        screen.Drawing().FloodFillToBorder(static_cast<int>(seedX), static_cast<int>(seedY), colour, colour);
    }
    return std::nullopt;
}
