#include "interpreter/arrays/Arrays_class.h"

#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

// Times each whole-array operation on prepared arrays beside the same kernel
// in plain C++ over std::vector<double>, and prints both and their ratio.

namespace {

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* name, double ours, double plain, const char* target)
{
    if (plain > 0)
        std::printf(
            "%-40s %9.1f ms  plain %9.1f ms  ratio %5.2f  (%s)\n", name, ours * 1e3, plain * 1e3, ours / plain, target);
    else
        std::printf("%-40s %9.1f ms  (%s)\n", name, ours * 1e3, target);
}

std::mt19937_64 random(42);

std::vector<double> RandomValues(size_t n)
{
    std::uniform_real_distribution<double> value(-1, 1);
    std::vector<double> values(n);
    for (double& v : values)
        v = value(random);
    return values;
}

void Fill(Arrays_Class& arrays, const char* name, std::vector<int> sizes, const std::vector<double>& values)
{
    arrays.Define(name, static_cast<int>(sizes.size()), sizes.data());
    DArray_Class& store = *arrays.Find(name)->data;
    for (size_t k = 0; k < values.size(); ++k)
        store.SetFloat(static_cast<int>(k), values[k], false);
}

// Plain elimination with the same pivot rule, over one vector.
double PlainDeterminant(std::vector<double> m, int n)
{
    double det = 1;
    for (int i = 0; i < n - 1; ++i) {
        double* row = &m[static_cast<size_t>(i) * n];
        const double pivot = row[i];
        for (int c = i; c < n; ++c)
            row[c] /= pivot;
        det *= pivot;
        for (int e = i + 1; e < n; ++e) {
            double* other = &m[static_cast<size_t>(e) * n];
            const double f = other[i];
            for (int c = i; c < n; ++c)
                other[c] -= f * row[c];
        }
    }
    return det * m.back();
}

void PlainInverse(std::vector<double> m, int n, std::vector<double>& inv)
{
    inv.assign(static_cast<size_t>(n) * n, 0.0);
    for (int k = 0; k < n; ++k)
        inv[static_cast<size_t>(k) * n + k] = 1;
    for (int i = 0; i < n; ++i) {
        double* row = &m[static_cast<size_t>(i) * n];
        double* irow = &inv[static_cast<size_t>(i) * n];
        const double pivot = row[i];
        for (int c = i; c < n; ++c)
            row[c] /= pivot;
        for (int c = 0; c < n; ++c)
            irow[c] /= pivot;
        for (int e = i + 1; e < n; ++e) {
            double* other = &m[static_cast<size_t>(e) * n];
            double* iother = &inv[static_cast<size_t>(e) * n];
            const double f = other[i];
            for (int c = i; c < n; ++c)
                other[c] -= f * row[c];
            for (int c = 0; c < n; ++c)
                iother[c] -= f * irow[c];
        }
    }
    for (int p = n - 2; p >= 0; --p)
        for (int i = n - 1; i > p; --i) {
            const double f = m[static_cast<size_t>(p) * n + i];
            for (int c = 0; c < n; ++c)
                inv[static_cast<size_t>(p) * n + c] -= f * inv[static_cast<size_t>(i) * n + c];
        }
}

void PlainShellSort(std::vector<double>& v)
{
    const size_t n = v.size();
    for (size_t gap = n / 2; gap > 0; gap /= 2)
        for (size_t i = gap; i < n; ++i) {
            const double t = v[i];
            size_t j = i;
            for (; j >= gap && v[j - gap] > t; j -= gap)
                v[j] = v[j - gap];
            v[j] = t;
        }
}

void PlainFft(std::vector<std::complex<double>>& a)
{
    const int n = static_cast<int>(a.size());
    for (int i = 1, j = 0; i < n; ++i) {
        int bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[static_cast<size_t>(i)], a[static_cast<size_t>(j)]);
    }
    for (int len = 2; len <= n; len <<= 1) {
        const double angle = -2 * M_PI / len;
        for (int s = 0; s < n; s += len)
            for (int k = 0; k < len / 2; ++k) {
                const std::complex<double> w(std::cos(angle * k), std::sin(angle * k));
                const auto t = w * a[static_cast<size_t>(s + k + len / 2)];
                const auto u = a[static_cast<size_t>(s + k)];
                a[static_cast<size_t>(s + k)] = u + t;
                a[static_cast<size_t>(s + k + len / 2)] = u - t;
            }
    }
}

} // namespace

int main()
{
    Arrays_Class arrays;
    const int n = 512;
    const auto a = RandomValues(static_cast<size_t>(n) * n);
    const auto b = RandomValues(static_cast<size_t>(n) * n);
    Fill(arrays, "a", { n, n }, a);
    Fill(arrays, "b", { n, n }, b);

    double ours = Seconds([&] { arrays.Multiply("a", "b", "c"); });
    double plain = Seconds([&] {
        std::vector<double> c(static_cast<size_t>(n) * n, 0.0);
        for (int r = 0; r < n; ++r)
            for (int k = 0; k < n; ++k)
                for (int j = 0; j < n; ++j)
                    c[static_cast<size_t>(r) * n + j]
                        += a[static_cast<size_t>(r) * n + k] * b[static_cast<size_t>(k) * n + j];
    });
    Report("mmultiply 512 x 512", ours, plain, "at most 3 x");

    double det = 0;
    ours = Seconds([&] { arrays.Determinant("a", det); });
    plain = Seconds([&] { det = PlainDeterminant(a, n); });
    Report("mdet 512 x 512", ours, plain, "at most 2 x");
    ours = Seconds([&] { arrays.Invert("a", "i", det); });
    plain = Seconds([&] {
        std::vector<double> inv;
        PlainInverse(a, n, inv);
    });
    Report("minvert 512 x 512", ours, plain, "at most 2 x");

    const auto million = RandomValues(1000000);
    Fill(arrays, "s", { 1000000 }, million);
    ours = Seconds([&] { arrays.Sort("s", 0, 0); });
    plain = Seconds([&] {
        auto copy = million;
        PlainShellSort(copy);
    });
    Report("msort 1,000,000 doubles", ours, plain, "at most 2 x");

    std::vector<double> alternating(1 << 20);
    for (size_t k = 0; k < alternating.size(); ++k)
        alternating[k] = k % 2 ? static_cast<double>(k) : 1e9 + static_cast<double>(k);
    Fill(arrays, "s", { 1 << 20 }, alternating);
    Report("msort 2^20 small odd, large even", Seconds([&] { arrays.Sort("s", 0, 0); }), 0, "under 1 s");

    Fill(arrays, "r", { 200000, 4 }, RandomValues(800000));
    Report("msortc 200,000 x 4 rows", Seconds([&] { arrays.Sort("r", 0, 1); }), 0, "under 1 s");

    Fill(arrays, "f", { 8, 4096 }, RandomValues(2 * 4096));
    ours = Seconds([&] {
        for (int k = 0; k < 1000; ++k) {
            int window = 0;
            arrays.FourierTransform("f", window, Arrays_Class::Transform::Fast);
        }
    });
    const auto samples = RandomValues(2 * 4096);
    plain = Seconds([&] {
        std::vector<double> out(6 * 4096);
        for (int round = 0; round < 1000; ++round) {
            std::vector<std::complex<double>> x(4096);
            for (size_t k = 0; k < 4096; ++k)
                x[k] = { samples[k], samples[4096 + k] };
            PlainFft(x);
            for (size_t k = 0; k <= 2048; ++k) {
                out[k] = std::abs(x[k]);
                out[4096 + k] = x[k].real();
                out[8192 + k] = x[k].imag();
                out[12288 + k] = std::arg(x[k]);
            }
        }
    });
    Report("1,000 mfft of 8 x 4096", ours, plain, "at most 3 x");
    Report("mdft of 4096 samples", Seconds([&] {
        int window = 0;
        arrays.FourierTransform("f", window, Arrays_Class::Transform::Discrete);
    }),
        0, "under 100 ms");

    const std::string path = "/tmp/qv_bench_arrays_" + std::to_string(getpid()) + ".qva";
    Fill(arrays, "w", { 1000000 }, million);
    ours = Seconds([&] { arrays.WriteFile("w", path); });
    plain = Seconds([&] {
        std::FILE* file = std::fopen(path.c_str(), "w");
        std::fprintf(file, "1 1000000\n");
        for (int k = 0; k < 1000000; ++k)
            std::fprintf(file, "%d f %lf\r\n", k, million[static_cast<size_t>(k)]);
        std::fclose(file);
    });
    Report("mwrite 1,000,000 doubles", ours, plain, "at most 1.5 x");
    ours = Seconds([&] { arrays.ReadFile("w", path); });
    plain = Seconds([&] {
        std::FILE* file = std::fopen(path.c_str(), "r");
        int dims = 0, size = 0, position = 0;
        char letter = 0;
        double value = 0;
        if (std::fscanf(file, "%d %d", &dims, &size) == 2)
            while (std::fscanf(file, "%d %c %lf", &position, &letter, &value) == 3) { }
        std::fclose(file);
    });
    Report("mread 1,000,000 doubles", ours, plain, "at most 1.5 x");
    std::remove(path.c_str());
    return 0;
}
