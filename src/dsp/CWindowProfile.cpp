#include "dsp/CWindowProfile.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "dsp/CWndDlg.h"
#include "dsp/WindowFunctions.h"

namespace kv {

namespace {

constexpr double kTwoPi = 6.283185307179586;

std::vector<double> Weights(int32_t type, double parameter, int32_t n) {
    if (type == CWindowProfile::kNoWindow) return std::vector<double>(static_cast<size_t>(n), 1.0);
    return WindowWeights(type, n, parameter);
}

// sum of w[i] exp(j a (i - centre)) for a = angle per point; the rotating
// factor is set afresh every 1024 points so that its rounding cannot grow.
std::complex<double> RotatedSum(const std::vector<double>& w, double a, double centre) {
    std::complex<double> sum = 0.0;
    const size_t n = w.size();
    const std::complex<double> step = std::polar(1.0, a);
    for (size_t start = 0; start < n; start += 1024) {
        std::complex<double> z = std::polar(1.0, a * (static_cast<double>(start) - centre));
        const size_t end = std::min(n, start + 1024);
        for (size_t i = start; i < end; ++i) {
            sum += w[i] * z;
            z *= step;
        }
    }
    return sum;
}

}  // namespace

int32_t CWindowProfile::EffectiveType(int32_t marker) {
    if (marker < 0) return kNoWindow;
    if (marker >= CWndDlg::kDolphChebyshev && marker <= CWndDlg::kHamming) return marker;
    return CWndDlg::kBlackmanHarris4;
}

CWindowProfile::CWindowProfile(int32_t type, double parameter, int32_t n)
    : m_nType(EffectiveType(type)), m_nLength(std::max(n, 1)) {
    if (m_nType == CWndDlg::kDolphChebyshev || m_nType == CWndDlg::kKaiserBessel) m_dParameter = parameter;
    m_weights = Weights(m_nType, m_dParameter, std::min(m_nLength, kModelLength));
    double sum = 0.0, squares = 0.0;
    for (double v : m_weights) {
        sum += v;
        squares += v * v;
    }
    const double count = static_cast<double>(m_weights.size());
    m_dCoherentGain = sum / count;
    m_dPowerGain = squares / count;
    m_lobe = m_nLength <= kLobeLength ? m_weights : Weights(m_nType, m_dParameter, kLobeLength);
    m_dLobeSum = 0.0;
    for (double v : m_lobe) m_dLobeSum += v;
    m_dHalfWidth = FindHalfWidth(m_lobe);
    m_bFlatSidelobes = HasFlatSidelobes(m_lobe);
}

std::shared_ptr<const CWindowProfile> CWindowProfile::Cached(int32_t type, double parameter, int32_t n) {
    static std::mutex lock;
    static std::shared_ptr<const CWindowProfile> last;
    const int32_t effective = EffectiveType(type);
    const bool parametric = effective == CWndDlg::kDolphChebyshev || effective == CWndDlg::kKaiserBessel;
    std::lock_guard<std::mutex> guard(lock);
    if (last && last->m_nType == effective && last->m_nLength == std::max(n, 1) &&
        (!parametric || last->m_dParameter == parameter))
        return last;
    last = std::make_shared<const CWindowProfile>(type, parameter, n);
    return last;
}

double CWindowProfile::NoiseBandwidth() const {
    return m_dCoherentGain != 0.0 ? m_dPowerGain / (m_dCoherentGain * m_dCoherentGain) : 0.0;
}

int32_t CWindowProfile::SpanBins() const {
    // A hair of tolerance keeps a null that rounding puts just above a half
    // bin (4.5000000001) in the smaller span.
    const double span = std::ceil(m_dHalfWidth - 0.5 - 1e-9);
    if (!(span >= 1.0)) return 1;
    return span > 1e6 ? 1000000 : static_cast<int32_t>(span);
}

std::complex<double> CWindowProfile::Spectrum(double f) const {
    const double L = static_cast<double>(m_weights.size());
    return RotatedSum(m_weights, -kTwoPi * f / L, 0.0);
}

double CWindowProfile::LobePower(double f) const {
    if (m_dLobeSum == 0.0) return 0.0;
    const double L = static_cast<double>(m_lobe.size());
    return std::norm(RotatedSum(m_lobe, -kTwoPi * f / L, 0.0)) / (m_dLobeSum * m_dLobeSum);
}

bool CWindowProfile::HasFlatSidelobes(const std::vector<double>& w) {
    const double L = static_cast<double>(w.size());
    if (L < 64) return false;
    auto level = [&](double from) {
        double sum = 0.0;
        for (int k = 0; k < 64; ++k) sum += std::norm(RotatedSum(w, -kTwoPi * (from + k / 8.0) / L, 0.0));
        return sum;
    };
    const double near = level(std::floor(L / 8)), far = level(std::floor(L / 4));
    return near <= 2.0 * far;
}

double CWindowProfile::FindHalfWidth(const std::vector<double>& w) {
    const size_t n = w.size();
    if (n < 2) return 1.0;
    const double L = static_cast<double>(n);
    const double centre = (L - 1.0) / 2.0;
    // The window is symmetric, so its spectrum about the centre is real.
    auto response = [&](double f) { return RotatedSum(w, kTwoPi * f / L, centre).real(); };
    const double peak = response(0.0);
    if (!(peak > 0.0)) return 1.0;
    const double step = 1.0 / 8.0;
    const double limit = std::min(512.0, L / 2.0);
    double f0 = 0.0, r0 = peak;
    double f1 = step, r1 = response(f1);
    for (double f2 = 2 * step; f1 < limit; f2 += step) {
        if (r1 <= 0.0) {
            // A zero between f0 and f1: halve the bracket to the last bit.
            double lo = f0, hi = f1;
            for (int k = 0; k < 60 && hi - lo > 1e-12; ++k) {
                const double mid = 0.5 * (lo + hi);
                (response(mid) > 0.0 ? lo : hi) = mid;
            }
            return 0.5 * (lo + hi);
        }
        const double r2 = response(f2);
        if (std::fabs(r1) <= std::fabs(r0) && std::fabs(r1) < std::fabs(r2)) {
            // A minimum of the magnitude without a zero: narrow it down by
            // golden sections.
            double a = f0, b = f2;
            const double g = 0.6180339887498949;
            double c = b - g * (b - a), d = a + g * (b - a);
            double rc = std::fabs(response(c)), rd = std::fabs(response(d));
            for (int k = 0; k < 60 && b - a > 1e-10; ++k) {
                if (rc < rd) {
                    b = d;
                    d = c;
                    rd = rc;
                    c = b - g * (b - a);
                    rc = std::fabs(response(c));
                } else {
                    a = c;
                    c = d;
                    rc = rd;
                    d = a + g * (b - a);
                    rd = std::fabs(response(d));
                }
            }
            return 0.5 * (a + b);
        }
        f0 = f1;
        r0 = r1;
        f1 = f2;
        r1 = r2;
    }
    return 1.0;
}

}  // namespace kv
