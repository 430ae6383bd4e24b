#include "interpreter/Durnix_class.h"
#include "interpreter/arrays/ArrayMatrix.h"
#include "interpreter/arrays/ArraySupport.h"
#include "interpreter/statements/StatementTable.h"

#include <cmath>

// mpolyfit data, coeffs: the least-squares polynomial through the points of
// data (x in row 0, y in row 1); coeffs[0] holds the degree on entry and the
// coefficients, lowest power first, on return.

namespace {

// The degree asked for: an integer, a double truncated, anything else -1;
// raised to 1 when below.
int WantedDegree(const Arrays_Class::Node& coeffs)
{
    int32_t degree = -1;
    const char type = coeffs.data ? coeffs.data->GetType(0) : Tag::Unset;
    if (type == Tag::Int || type == Tag::Float) coeffs.data->GetNumber(0, &degree);
    return degree < 1 ? 1 : degree;
}

// Point k's coordinate in a row; texts, unset and missing values count as 0.
double Coordinate(const Arrays_Class::Node& data, int row, int k)
{
    double value = 0;
    if (row < data.dims[0] && data.data) arraywork::NumberAt(*data.data, row * data.dims[1] + k, value);
    return value;
}

// Solves the normal equations as written: elimination without a search for
// the largest pivot; a column without a pivot leaves every coefficient 0.
std::vector<double> Solve(std::vector<double> a, std::vector<double> b, int n)
{
    std::vector<double> zeros(static_cast<size_t>(n), 0.0);
    for (int i = 0; i < n - 1; ++i) {
        double* row = a.data() + static_cast<size_t>(i) * n;
        if (std::fabs(row[i]) <= matrixkernel::PivotThreshold) {
            int j = i + 1;
            while (j < n && std::fabs(a[static_cast<size_t>(j) * n + i]) <= matrixkernel::PivotThreshold)
                ++j;
            if (j == n) return zeros;
            for (int c = 0; c < n; ++c)
                std::swap(row[c], a[static_cast<size_t>(j) * n + c]);
            std::swap(b[static_cast<size_t>(i)], b[static_cast<size_t>(j)]);
        }
        for (int e = i + 1; e < n; ++e) {
            double* other = a.data() + static_cast<size_t>(e) * n;
            const double factor = other[i] / row[i];
            for (int c = i; c < n; ++c)
                other[c] -= factor * row[c];
            b[static_cast<size_t>(e)] -= factor * b[static_cast<size_t>(i)];
        }
    }
    if (std::fabs(a[static_cast<size_t>(n) * n - 1]) <= matrixkernel::PivotThreshold) return zeros;
    std::vector<double> x(static_cast<size_t>(n), 0.0);
    for (int r = n - 1; r >= 0; --r) {
        double sum = b[static_cast<size_t>(r)];
        for (int c = r + 1; c < n; ++c)
            sum -= a[static_cast<size_t>(r) * n + c] * x[static_cast<size_t>(c)];
        x[static_cast<size_t>(r)] = sum / a[static_cast<size_t>(r) * n + r];
    }
    return x;
}

void PolynomialFit(Durnix_Class& d)
{
    d.SetParamDefaults(2, 0, '2');
    d.paramType[1] = '1';
    int given = 0;
    d.ParseParamsWithNames(2, 2, given);
    const Arrays_Class::Node* data = d.arrays.Find(d.paramText[0]);
    const Arrays_Class::Node* coeffs = d.arrays.Find(d.paramText[1]);
    const int degree = WantedDegree(*coeffs);
    const int points = data->dims[1];
    if (degree >= points) d.RaiseError(ErrorCode::ArrayWrongDataType);
    const int n = degree + 1;
    // The normal matrix must fit where any array would.
    if (static_cast<int64_t>(n) * n > DArray_Class::MaxCapacity) d.RaiseError(ErrorCode::OutOfMemory);
    std::vector<double> powers(static_cast<size_t>(2 * degree + 1), 0.0);
    std::vector<double> right(static_cast<size_t>(n), 0.0);
    for (int k = 0; k < points; ++k) {
        const double x = Coordinate(*data, 0, k);
        const double y = Coordinate(*data, 1, k);
        double power = 1;
        for (int p = 0; p <= 2 * degree; ++p) {
            powers[static_cast<size_t>(p)] += power;
            if (p <= degree) right[static_cast<size_t>(p)] += y * power;
            power *= x;
        }
    }
    std::vector<double> normal(static_cast<size_t>(n) * n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            normal[static_cast<size_t>(r) * n + c] = powers[static_cast<size_t>(r + c)];
    const std::vector<double> solution = Solve(std::move(normal), std::move(right), n);
    const AnsiString name = d.paramText[1];
    while (d.arrays.DimSize(name, 1) < n)
        if (!d.arrays.AppendFloat(name, 0.0)) d.RaiseError(ErrorCode::OutOfMemory);
    DArray_Class& store = *d.arrays.Find(name)->data;
    for (int k = 0; k < n; ++k)
        store.SetFloat(k, solution[static_cast<size_t>(k)], true);
}

constexpr StatementEntry entries[] = {
    { StatementCode::Mpolyfit, PolynomialFit },
};

} // namespace

const StatementFamily polyfitStatement = { entries, 1 };
