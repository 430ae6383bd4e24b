#include "interpreter/arrays/Array3D.h"
#include "interpreter/arrays/ArraySupport.h"

#include <algorithm>
#include <cmath>
#include <map>

// Projection, rotation, visibility and centroids of 3-D models held in arrays.

using namespace arraywork;

namespace model {

Camera::Camera(const double values[6])
    : distance(values[0] == 0 ? 1e-8 : values[0])
    , sinTheta(std::sin(values[1]))
    , cosTheta(std::cos(values[1]))
    , sinPhi(std::sin(values[2]))
    , cosPhi(std::cos(values[2]))
    , scale(values[3])
    , offsetX(values[4])
    , offsetY(values[5])
{ }

void Camera::Project(double x, double y, double z, double& screenX, double& screenY) const
{
    const double u = -x * sinTheta + y * cosTheta;
    const double along = x * cosTheta + y * sinTheta;
    const double v = -cosPhi * along + z * sinPhi;
    const double w = -sinPhi * along - z * cosPhi + distance;
    screenX = scale * u / w + offsetX;
    screenY = offsetY - scale * v / w;
}

void Rotate(int axis, double angle, double& x, double& y, double& z)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double x0 = x, y0 = y, z0 = z;
    if (axis == 1) {
        y = c * y0 - s * z0;
        z = s * y0 + c * z0;
    } else if (axis == 2) {
        x = c * x0 + s * z0;
        z = -s * x0 + c * z0;
    } else {
        x = c * x0 - s * y0;
        y = s * x0 + c * y0;
    }
}

Centroid FaceCentroid(const std::vector<double>& xs, const std::vector<double>& ys)
{
    Centroid result;
    const size_t n = xs.size();
    for (size_t k = 0; k < n && k < 3; ++k) {
        result.meanX += xs[k];
        result.meanY += ys[k];
    }
    result.meanX /= 3;
    result.meanY /= 3;
    double sumW = 0, sumX = 0, sumY = 0;
    for (size_t k = 0; k < n; ++k) {
        const size_t next = (k + 1) % n;
        const double w = xs[k] * ys[next] - xs[next] * ys[k];
        sumW += w;
        sumX += (xs[k] + xs[next]) * w;
        sumY += (ys[k] + ys[next]) * w;
    }
    if (sumW != 0) {
        result.x = sumX / (3 * sumW);
        result.y = sumY / (3 * sumW);
    } else {
        // No area, no centroid: the mean of the first corners stands in.
        result.x = result.meanX;
        result.y = result.meanY;
    }
    result.halfArea = std::fabs(sumW) / 4;
    return result;
}

} // namespace model

namespace {

// The camera's six numbers: 70 for a wrong shape, 71 for a text among them.
ArrayResult ReadCamera(const Arrays_Class& arrays, std::string_view name, double values[6])
{
    const Arrays_Class::Node* node = arrays.Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 1 || node->dims[0] < 6 || !node->data) return ErrorCode::ArrayWrongDimension;
    for (int k = 0; k < 6; ++k)
        if (!NumberAt(*node->data, k, values[k])) return ErrorCode::ArrayWrongDataType;
    return std::nullopt;
}

// A two-dimensional array of more than `columns` columns, or the error.
ArrayResult Matrix(const Arrays_Class& arrays, std::string_view name, int columns, Arrays_Class::Node*& node)
{
    node = arrays.Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 2 || node->dims[1] <= columns || !node->data) return ErrorCode::ArrayWrongDimension;
    return std::nullopt;
}

double Clamped(double value)
{
    return std::clamp(value, -2147483648.0, 2147483647.0);
}

// The vertex row that a face or an edge names at position, when it is a whole
// number within the vertex array.
bool VertexRow(const DArray_Class& store, int position, int rows, int& row)
{
    double value = 0;
    if (!NumberAt(store, position, value) || value != std::trunc(value) || value < 0 || value >= rows) return false;
    row = static_cast<int>(value);
    return true;
}

// The corners of a face: its vertex rows from column 2 up to the first column
// that names none.
std::vector<int> Corners(const Arrays_Class::Node& faces, int face, int vertexRows)
{
    std::vector<int> corners;
    const int columns = faces.dims[1];
    for (int c = 2; c < columns; ++c) {
        int row = 0;
        if (!VertexRow(*faces.data, face * columns + c, vertexRows, row)) break;
        corners.push_back(row);
    }
    return corners;
}

bool Coordinates(const Arrays_Class::Node& vertices, int row, double point[3])
{
    const int columns = vertices.dims[1];
    for (int k = 0; k < 3; ++k)
        if (!NumberAt(*vertices.data, row * columns + k, point[k])) return false;
    return true;
}

} // namespace

ArrayResult Arrays_Class::Project3DArray(std::string_view vertices, std::string_view camera)
{
    Node* node = nullptr;
    if (const ArrayResult error = Matrix(*this, vertices, 4, node)) return error;
    double values[6];
    if (const ArrayResult error = ReadCamera(*this, camera, values)) return error;
    const model::Camera view(values);
    const int rows = node->dims[0];
    const int columns = node->dims[1];
    for (int r = 0; r < rows; ++r) {
        double point[3];
        if (!Coordinates(*node, r, point)) continue;
        double x = 0, y = 0;
        view.Project(point[0], point[1], point[2], x, y);
        if (!node->data->SetFloat(r * columns + 3, Clamped(x), false)
            || !node->data->SetFloat(r * columns + 4, Clamped(y), false))
            return ErrorCode::ArrayWrongDataType;
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::Project3DPoint(
    std::string_view camera, double x, double y, double z, double& screenX, double& screenY)
{
    double values[6];
    if (const ArrayResult error = ReadCamera(*this, camera, values)) return error;
    model::Camera(values).Project(x, y, z, screenX, screenY);
    return std::nullopt;
}

ArrayResult Arrays_Class::RotateVertices(std::string_view vertices, double angle, int axis, int firstRow, int lastRow)
{
    Node* node = nullptr;
    if (const ArrayResult error = Matrix(*this, vertices, 2, node)) return error;
    axis = std::clamp(axis, 1, 3);
    const int rows = node->dims[0];
    const int columns = node->dims[1];
    if (firstRow < 0) firstRow = 0;
    if (lastRow < 0 || lastRow > rows - 1) lastRow = rows - 1;
    for (int r = firstRow; r <= lastRow; ++r) {
        double point[3] = { 0, 0, 0 };
        for (int k = 0; k < 3; ++k)
            NumberAt(*node->data, r * columns + k, point[k]);
        model::Rotate(axis, angle, point[0], point[1], point[2]);
        for (int k = 0; k < 3; ++k)
            if (!node->data->SetFloat(r * columns + k, point[k], false)) return ErrorCode::ArrayWrongDimension;
    }
    return std::nullopt;
}

ArrayResult Arrays_Class::FindVisibleFaces(std::string_view vertices, std::string_view camera, std::string_view faces,
    std::string_view edgeArray, double shade, const int* palette)
{
    Node* vertexNode = nullptr;
    Node* faceNode = nullptr;
    if (const ArrayResult error = Matrix(*this, vertices, 2, vertexNode)) return error;
    double values[6];
    if (const ArrayResult error = ReadCamera(*this, camera, values)) return error;
    if (const ArrayResult error = Matrix(*this, faces, 4, faceNode)) return error;
    shade = std::clamp(shade, 0.0, 1.0);
    const double distance = values[0] == 0 ? 1e-8 : values[0];
    const double eye[3] = { distance * std::sin(values[2]) * std::cos(values[1]),
        distance * std::sin(values[2]) * std::sin(values[1]), distance * std::cos(values[2]) };
    const int vertexRows = vertexNode->dims[0];
    const int faceRows = faceNode->dims[0];
    const int faceColumns = faceNode->dims[1];
    struct Edge {
        int count;
        int shaded;
        int colour;
    };
    std::map<std::pair<int, int>, size_t> edgeIndex;
    std::vector<std::pair<std::pair<int, int>, Edge>> edges;
    for (int f = 0; f < faceRows; ++f) {
        const std::vector<int> corners = Corners(*faceNode, f, vertexRows);
        if (corners.size() < 3) continue;
        double p[3][3];
        bool numeric = true;
        for (int k = 0; k < 3; ++k)
            numeric = numeric && Coordinates(*vertexNode, corners[static_cast<size_t>(k)], p[k]);
        if (!numeric) continue;
        const double a[3] = { p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2] };
        const double b[3] = { p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2] };
        const double normal[3] = { a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0] };
        const double toEye
            = normal[0] * (eye[0] - p[0][0]) + normal[1] * (eye[1] - p[0][1]) + normal[2] * (eye[2] - p[0][2]);
        const bool visible = toEye > 0;
        if (!faceNode->data->SetInt(f * faceColumns + 1, visible ? 1 : 0, false)) return ErrorCode::ArrayWrongDataType;
        if (edgeArray.empty() || !visible) continue;
        int colour = IntegerOf(*faceNode->data, f * faceColumns);
        if (colour >= 0 && colour <= 15 && palette) colour = palette[colour];
        const int red = static_cast<int>((colour & 0xFF) * shade);
        const int green = static_cast<int>(((colour >> 8) & 0xFF) * shade);
        const int blue = static_cast<int>(((colour >> 16) & 0xFF) * shade);
        const int shaded = red + green * 256 + blue * 65536;
        for (size_t k = 0; k < corners.size(); ++k) {
            const int from = corners[k];
            const int to = corners[(k + 1) % corners.size()];
            const std::pair<int, int> key { std::min(from, to), std::max(from, to) };
            const auto found = edgeIndex.find(key);
            if (found != edgeIndex.end()) {
                ++edges[found->second].second.count;
                continue;
            }
            edgeIndex.emplace(key, edges.size());
            edges.push_back({ key, Edge { 1, shaded, colour } });
        }
    }
    if (edgeArray.empty()) return std::nullopt;
    const std::vector<int> sizes { static_cast<int>(edges.size()), 5 };
    auto store = NewStore(SizeProduct(sizes));
    if (!store) return ErrorCode::OutOfMemory;
    for (size_t k = 0; k < edges.size(); ++k) {
        const int row = static_cast<int>(k) * 5;
        const auto& [key, edge] = edges[k];
        const int cells[5] = { key.first, key.second, edge.count, edge.shaded, edge.colour };
        for (int c = 0; c < 5; ++c)
            store->SetInt(row + c, cells[c], false);
    }
    Install(edgeArray, sizes, std::move(store));
    return std::nullopt;
}

ArrayResult Arrays_Class::ComputeCentroids(std::string_view vertices, std::string_view faces, std::string_view target)
{
    Node* vertexNode = nullptr;
    Node* faceNode = nullptr;
    if (const ArrayResult error = Matrix(*this, vertices, 4, vertexNode)) return error;
    if (const ArrayResult error = Matrix(*this, faces, 4, faceNode)) return error;
    const int faceRows = faceNode->dims[0];
    const int vertexRows = vertexNode->dims[0];
    const int vertexColumns = vertexNode->dims[1];
    const std::vector<int> sizes { faceRows, 5 };
    auto store = NewStore(SizeProduct(sizes));
    if (!store) return ErrorCode::OutOfMemory;
    for (int f = 0; f < faceRows; ++f) {
        std::vector<double> xs, ys;
        for (int row : Corners(*faceNode, f, vertexRows)) {
            double x = 0, y = 0;
            if (!NumberAt(*vertexNode->data, row * vertexColumns + 3, x)
                || !NumberAt(*vertexNode->data, row * vertexColumns + 4, y))
                break;
            xs.push_back(x);
            ys.push_back(y);
        }
        const model::Centroid centroid = model::FaceCentroid(xs, ys);
        const double cells[5] = { centroid.meanX, centroid.meanY, centroid.x, centroid.y, centroid.halfArea };
        for (int c = 0; c < 5; ++c)
            store->SetFloat(f * 5 + c, cells[c], false);
    }
    Install(target, sizes, std::move(store));
    return std::nullopt;
}
