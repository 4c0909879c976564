#pragma once
#include <cstdint>
#include <vector>

namespace kv {

class CKalvoData;
class CWndDlg;

// The window command: asks before windowing data that is already windowed,
// runs the window dialog and applies the chosen window to the working range
// of the Time Data under the wait cursor ("Windowing Time Data...").
// Returns true when the data was windowed.
bool WindowTimeData(CKalvoData& timeData, CWndDlg& settings);

// Multiplies the working range of the data point by point by the window of
// the type (1 Dolph-Chebyshev with gamma, 2 Kaiser-Bessel with alpha, 3 and
// 4 Blackman-Harris four and seven term, 5 Hanning, 6 Gaussian, 7 Hamming;
// any other type acts as 3), the Quadrature column only when the data is
// complex; then sets the window marker to the type (3 for a type that acts
// as 3).
void ApplyWindow(CKalvoData& data, int32_t type, double parameter);

// The n weights of a window. A window of fewer than two points has the
// weight 1 (its only point is its centre).
std::vector<double> WindowWeights(int32_t type, int32_t n, double parameter);

// The Dolph-Chebyshev window of n points whose sidelobes lie
// 20 log10(1 + 10^(gamma / 20)) dB below the main lobe (gamma of at least 1
// is in dB, a smaller one a linear ratio). Built from Chebyshev polynomial
// samples with the FFT; lengths the FFT does not accept use the chirp DFT.
std::vector<double> DolphChebyshevWindow(int32_t n, double gamma);

// The modified Bessel function of the first kind, order 0, by its power
// series, summed until a term changes the sum by less than tolerance
// (relative).
double BesselI0(double x, double tolerance);

}  // namespace kv
