#pragma once

#include <complex>
#include <vector>

// The transforms behind mfft and mdft, apart from the arrays so that tests can
// hold them against a plain sum: X(j) = sum over k of x(k) e^(-2 pi i jk/N).
namespace fourier {

// The largest number of samples a transform uses.
constexpr int MaxSamples = 4096;

// Radix-2 transform in place; n is a power of two of at most MaxSamples.
void Fast(std::complex<double>* data, int n);
// The plain sum, twiddles taken from a table indexed by jk mod n.
void Discrete(const std::complex<double>* input, std::complex<double>* output, int n);
// The window weight of sample k of n for a kind 0 to 5.
double Window(int kind, int k, int n);

} // namespace fourier
