#include "interpreter/arrays/ArrayFourier.h"
#include "interpreter/arrays/ArraySupport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

// Fourier transforms of a signal held in rows 0 (real) and 1 (imaginary) of a
// two-dimensional array; the spectrum goes to rows 2 to 7.

using namespace arraywork;

namespace {

constexpr double Pi = 3.14159265358979323846;

// The twiddles e^(-2 pi i m/n) for m = 0 .. n-1, each computed directly so
// that none carries the error of a recurrence.
const std::vector<std::complex<double>>& Twiddles(int n)
{
    static std::vector<std::complex<double>> table;
    static int tableSize = 0;
    if (tableSize != n) {
        table.resize(static_cast<size_t>(n));
        for (int m = 0; m < n; ++m) {
            const double angle = -2 * Pi * m / n;
            table[static_cast<size_t>(m)] = { std::cos(angle), std::sin(angle) };
        }
        tableSize = n;
    }
    return table;
}

// The work tables of the input and the output, made once for the program.
struct WorkTables {
    std::array<std::complex<double>, fourier::MaxSamples> input;
    std::array<std::complex<double>, fourier::MaxSamples> output;
};

WorkTables& Tables()
{
    static WorkTables tables;
    return tables;
}

} // namespace

namespace fourier {

void Fast(std::complex<double>* data, int n)
{
    for (int i = 1, j = 0; i < n; ++i) {
        int bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(data[i], data[j]);
    }
    const auto& twiddles = Twiddles(n);
    for (int length = 2; length <= n; length <<= 1) {
        const int half = length / 2;
        const int step = n / length;
        for (int start = 0; start < n; start += length)
            for (int k = 0; k < half; ++k) {
                const std::complex<double> t = twiddles[static_cast<size_t>(k * step)] * data[start + k + half];
                const std::complex<double> u = data[start + k];
                data[start + k] = u + t;
                data[start + k + half] = u - t;
            }
    }
}

void Discrete(const std::complex<double>* input, std::complex<double>* output, int n)
{
    const auto& twiddles = Twiddles(n);
    for (int j = 0; j < n; ++j) {
        std::complex<double> sum = 0;
        int m = 0; // j k mod n, kept without a product
        for (int k = 0; k < n; ++k) {
            sum += input[k] * twiddles[static_cast<size_t>(m)];
            m += j;
            if (m >= n) m -= n;
        }
        output[j] = sum;
    }
}

double Window(int kind, int k, int n)
{
    const double last = n - 1;
    const double m = 2 * Pi * k / last;
    switch (kind) {
    case 1:
        return 0.54 - 0.46 * std::cos(m);
    case 2:
        return 0.5 - 0.5 * std::cos(m);
    case 3:
        return 0.42 - 0.5 * std::cos(m) + 0.08 * std::cos(2 * m);
    case 4:
        return 0.35875 - 0.48829 * std::cos(m) + 0.14128 * std::cos(2 * m) - 0.01168 * std::cos(3 * m);
    case 5:
        return k <= (n - 1) / 2 ? 2 * k / last : 2 - 2 * k / last;
    default:
        return 1;
    }
}

} // namespace fourier

ArrayResult Arrays_Class::FourierTransform(std::string_view name, int& window, Transform transform)
{
    window = std::clamp(window, 0, 5);
    Node* node = Find(name);
    if (!node) return ErrorCode::ArrayNotDefined;
    if (node->dimCount != 2 || node->dims[0] < 8) return ErrorCode::ArrayWrongDimension;
    if (node->dims[1] < 16 || !node->data) return ErrorCode::ArrayWrongDataType;
    DArray_Class& store = *node->data;
    const int columns = node->dims[1];
    const int samples = std::min(columns, fourier::MaxSamples);
    int n = samples;
    if (transform == Transform::Fast) {
        n = 2;
        while (n < samples)
            n *= 2;
    }
    WorkTables& tables = Tables();
    std::complex<double>* input = tables.input.data();
    // Rows 0 and 1 hold the samples; samples past the row are zeros.
    for (int k = 0; k < n; ++k) {
        double re = 0;
        double im = 0;
        if (k < samples) {
            NumberAt(store, k, re);
            NumberAt(store, columns + k, im);
        }
        const double w = fourier::Window(window, k, n);
        input[k] = { re * w, im * w };
    }
    std::complex<double>* output = tables.output.data();
    if (transform == Transform::Fast) {
        std::copy(input, input + n, output);
        fourier::Fast(output, n);
    } else {
        fourier::Discrete(input, output, n);
    }
    const int half = n / 2;
    const int last = std::min(half, samples - 1);
    for (int k = 0; k <= last; ++k) {
        const double re = output[k].real();
        const double im = output[k].imag();
        const double magnitude = std::sqrt(re * re + im * im);
        const double a = k == 0 || k == half ? magnitude / 2 : magnitude;
        const double values[6] = {
            a / half,
            2 * a * a / half,
            re,
            im,
            magnitude,
            re == 0 && im == 0 ? 0.0 : std::atan2(im, re),
        };
        for (int r = 0; r < 6; ++r)
            if (!store.SetFloat((r + 2) * columns + k, values[r], true)) return ErrorCode::ArrayWrongDataType;
    }
    return std::nullopt;
}
