#include "interpreter/arrays/ArrayMatrix.h"
#include "interpreter/arrays/ArraySupport.h"

#include <cmath>
#include <utility>

// Matrix product, determinant, inverse and transpose. The kernels work on
// doubles in row-major order and run their sums in index order, so a result
// does not depend on the machine (this file is built without contraction).

using namespace arraywork;

namespace {

// The elements of a square or rectangular matrix as doubles; false when one is
// not a number.
bool ReadMatrix(const Arrays_Class::Node& node, std::vector<double>& values)
{
    const int positions = node.dims[0] * node.dims[1];
    values.resize(static_cast<size_t>(positions));
    for (int k = 0; k < positions; ++k)
        if (!NumberAt(*node.data, k, values[static_cast<size_t>(k)])) return false;
    return true;
}

// The checks the determinant and the inverse share.
ArrayResult CheckSquare(const Arrays_Class::Node* node)
{
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 2 || !node->data) return ErrorCode::ArrayWrongDimension;
    if (node->dims[0] != node->dims[1]) return ErrorCode::ArrayNotSquare;
    if (node->dims[0] < 2) return ErrorCode::ArrayWrongDimension;
    return std::nullopt;
}

} // namespace

namespace matrixkernel {

bool Pivot(std::vector<double>& m, std::vector<double>* inverse, int n, int i, double& det)
{
    double* row = m.data() + static_cast<size_t>(i) * n;
    if (std::fabs(row[i]) > PivotThreshold) return true;
    for (int j = i + 1; j < n; ++j) {
        double* other = m.data() + static_cast<size_t>(j) * n;
        if (std::fabs(other[i]) <= PivotThreshold) continue;
        for (int c = i; c < n; ++c)
            std::swap(row[c], other[c]);
        if (inverse) {
            double* a = inverse->data() + static_cast<size_t>(i) * n;
            double* b = inverse->data() + static_cast<size_t>(j) * n;
            for (int c = 0; c < n; ++c)
                std::swap(a[c], b[c]);
        }
        det = -det;
        return true;
    }
    return false;
}

double Determinant(std::vector<double> m, int n)
{
    double det = 1;
    for (int i = 0; i < n - 1; ++i) {
        if (!Pivot(m, nullptr, n, i, det)) return 0;
        double* row = m.data() + static_cast<size_t>(i) * n;
        const double pivot = row[i];
        for (int c = i; c < n; ++c)
            row[c] /= pivot;
        det *= pivot;
        for (int e = i + 1; e < n; ++e) {
            double* other = m.data() + static_cast<size_t>(e) * n;
            const double factor = other[i];
            for (int c = i; c < n; ++c)
                other[c] -= factor * row[c];
        }
    }
    const double last = m[static_cast<size_t>(n) * n - 1];
    return std::fabs(last) > PivotThreshold ? det * last : 0;
}

bool Invert(std::vector<double> m, int n, std::vector<double>& result, double& det)
{
    std::vector<double> inverse(static_cast<size_t>(n) * n, 0.0);
    for (int k = 0; k < n; ++k)
        inverse[static_cast<size_t>(k) * n + k] = 1;
    result.assign(static_cast<size_t>(n) * n, 0.0);
    det = 1;
    for (int i = 0; i < n - 1; ++i) {
        if (!Pivot(m, &inverse, n, i, det)) {
            det = 0;
            return false;
        }
        double* row = m.data() + static_cast<size_t>(i) * n;
        double* inverseRow = inverse.data() + static_cast<size_t>(i) * n;
        const double pivot = row[i];
        for (int c = i; c < n; ++c)
            row[c] /= pivot;
        for (int c = 0; c < n; ++c)
            inverseRow[c] /= pivot;
        det *= pivot;
        for (int e = i + 1; e < n; ++e) {
            double* other = m.data() + static_cast<size_t>(e) * n;
            double* inverseOther = inverse.data() + static_cast<size_t>(e) * n;
            const double factor = other[i];
            for (int c = i; c < n; ++c)
                other[c] -= factor * row[c];
            for (int c = 0; c < n; ++c)
                inverseOther[c] -= factor * inverseRow[c];
        }
    }
    const double last = m[static_cast<size_t>(n) * n - 1];
    if (!(std::fabs(last) > PivotThreshold)) {
        det = 0;
        return false;
    }
    double* lastRow = inverse.data() + static_cast<size_t>(n - 1) * n;
    for (int c = 0; c < n; ++c)
        lastRow[c] /= last;
    det *= last;
    for (int p = n - 2; p >= 0; --p) {
        double* row = m.data() + static_cast<size_t>(p) * n;
        double* inverseRow = inverse.data() + static_cast<size_t>(p) * n;
        for (int i = n - 1; i > p; --i) {
            const double factor = row[i];
            const double* source = m.data() + static_cast<size_t>(i) * n;
            const double* inverseSource = inverse.data() + static_cast<size_t>(i) * n;
            for (int c = p + 1; c < n; ++c)
                row[c] -= factor * source[c];
            for (int c = 0; c < n; ++c)
                inverseRow[c] -= factor * inverseSource[c];
        }
    }
    result = std::move(inverse);
    return true;
}

void Multiply(const std::vector<double>& a, const std::vector<double>& b, int rows, int inner, int columns,
    std::vector<double>& product)
{
    product.assign(static_cast<size_t>(rows) * columns, 0.0);
    // i-k-j order: each element still sums its terms in the order of k.
    for (int r = 0; r < rows; ++r) {
        double* out = product.data() + static_cast<size_t>(r) * columns;
        for (int k = 0; k < inner; ++k) {
            const double factor = a[static_cast<size_t>(r) * inner + k];
            const double* row = b.data() + static_cast<size_t>(k) * columns;
            for (int c = 0; c < columns; ++c)
                out[c] += factor * row[c];
        }
    }
}

} // namespace matrixkernel

ArrayResult Arrays_Class::Multiply(std::string_view a, std::string_view b, std::string_view target)
{
    const Node* left = Find(a);
    const Node* right = Find(b);
    if (!left || !right) return ErrorCode::ArrayNotDefined;
    if (!IsMatrix(*left) || !IsMatrix(*right) || left->dims[1] != right->dims[0] || !left->data || !right->data)
        return ErrorCode::ArrayWrongDimension;
    const int rows = left->dims[0];
    const int inner = left->dims[1];
    const int columns = right->dims[1];
    // Past the checks the target counts as made: a product that fails then
    // leaves no target, whether it stood before or names a source.
    std::vector<double> x;
    std::vector<double> y;
    if (!ReadMatrix(*left, x) || !ReadMatrix(*right, y)) {
        Remove(target);
        return ErrorCode::ArrayWrongDataType;
    }
    const std::vector<int> sizes { rows, columns };
    auto store = NewStore(SizeProduct(sizes));
    if (!store) {
        Remove(target);
        return ErrorCode::OutOfMemory;
    }
    std::vector<double> product;
    matrixkernel::Multiply(x, y, rows, inner, columns, product);
    for (size_t k = 0; k < product.size(); ++k)
        store->SetFloat(static_cast<int>(k), product[k], false);
    Install(target, sizes, std::move(store));
    return std::nullopt;
}

ArrayResult Arrays_Class::Determinant(std::string_view name, double& det)
{
    const Node* node = Find(name);
    if (const ArrayResult error = CheckSquare(node)) return error;
    const int n = node->dims[0];
    std::vector<double> m;
    // A matrix with an element that is no number has the determinant 0.
    det = ReadMatrix(*node, m) ? matrixkernel::Determinant(std::move(m), n) : 0;
    return std::nullopt;
}

ArrayResult Arrays_Class::Invert(std::string_view name, std::string_view target, double& det)
{
    const Node* node = Find(name);
    if (const ArrayResult error = CheckSquare(node)) return error;
    const std::vector<int> sizes = node->dims;
    const int n = sizes[0];
    std::vector<double> m;
    const bool numeric = ReadMatrix(*node, m);
    auto store = NewStore(SizeProduct(sizes));
    if (!store) return ErrorCode::OutOfMemory;
    if (!numeric) {
        // The target stands with the source's sizes and no element set.
        Install(target, sizes, std::move(store));
        return ErrorCode::ArrayWrongDataType;
    }
    std::vector<double> inverse;
    matrixkernel::Invert(std::move(m), n, inverse, det);
    for (size_t k = 0; k < inverse.size(); ++k)
        store->SetFloat(static_cast<int>(k), inverse[k], false);
    Install(target, sizes, std::move(store));
    return std::nullopt;
}

ArrayResult Arrays_Class::Transpose(std::string_view name, std::string_view target)
{
    const Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount > 2 || !node->data) return ErrorCode::ArrayWrongDimension;
    const int rows = node->dims[0];
    const int columns = node->dimCount == 2 ? node->dims[1] : 1;
    const std::vector<int> sizes { columns, rows };
    auto store = NewStore(SizeProduct(sizes));
    if (!store) return ErrorCode::OutOfMemory;
    const DArray_Class& source = *node->data;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int from = r * columns + c;
            const char type = source.GetType(from);
            if (type != Tag::Unset && !store->SetValue(c * rows + r, type, source.GetValue(from), false))
                return ErrorCode::OutOfMemory;
        }
    // A one-dimensional source of n elements becomes n x 1, the same order.
    Install(target, node->dimCount == 2 ? sizes : std::vector<int> { rows, 1 }, std::move(store));
    return std::nullopt;
}
