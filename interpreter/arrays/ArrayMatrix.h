#pragma once

#include <vector>

// The plain matrix kernels behind the array operations, on row-major doubles.
// Elimination exchanges rows only when a pivot's magnitude is not above the
// threshold, taking the first row below whose entry is above it, and negates
// the determinant per exchange; a column without such a row makes the matrix
// singular.
namespace matrixkernel {

constexpr double PivotThreshold = 1e-6;

// Finds a pivot for column i, exchanging rows of m (and of inverse, whole)
// when needed; false when the column has none.
bool Pivot(std::vector<double>& m, std::vector<double>* inverse, int n, int i, double& det);
double Determinant(std::vector<double> m, int n);
// False (result all zeros, det 0) for a singular matrix.
bool Invert(std::vector<double> m, int n, std::vector<double>& result, double& det);
void Multiply(const std::vector<double>& a, const std::vector<double>& b, int rows, int inner, int columns,
    std::vector<double>& product);

} // namespace matrixkernel
