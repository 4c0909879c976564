#include "dsp/WindowFunctions.h"

#include <algorithm>
#include <cmath>

#include "data/CKalvoData.h"
#include "dsp/CWndDlg.h"
#include "dsp/MixedRadixFft.h"
#include "platform/CPlatform.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kBesselTolerance = 1e-20;

// log I0(x) for x >= 0; past the range of doubles by the asymptotic series,
// which is exact to double precision there.
double LogBesselI0(double x) {
    if (x < 700.0) return std::log(BesselI0(x, kBesselTolerance));
    const double u = 1.0 / (8.0 * x);
    return x - 0.5 * std::log(kTwoPi * x) + std::log1p(u + 4.5 * u * u + 37.5 * u * u * u);
}

std::vector<double> KaiserBessel(int32_t n, double alpha) {
    std::vector<double> w(static_cast<size_t>(n));
    const double centre = (n - 1) / 2.0, step = 2.0 / (n - 1);
    const double b = kPi * alpha;
    const double i0b = BesselI0(b, kBesselTolerance);
    const bool direct = std::isfinite(i0b);
    const double logI0b = direct ? 0.0 : LogBesselI0(b);
    for (int32_t i = 0; i < n; ++i) {
        const double x = (i - centre) * step;
        const double y = b * std::sqrt(std::max(0.0, 1.0 - x * x));
        // For very large alpha I0 overflows; the ratio is then taken from
        // the logarithms.
        w[static_cast<size_t>(i)] =
            direct ? BesselI0(y, kBesselTolerance) / i0b : std::exp(LogBesselI0(y) - logI0b);
    }
    return w;
}

}  // namespace

double BesselI0(double x, double tolerance) {
    const double d = x / 2.0;
    double sum = d * d + 1.0;
    if (std::fabs((sum - 1.0) / sum) < tolerance) return sum;
    // d^k / k! as a running product: the same terms without the overflow
    // of d^k and k! on their own.
    double root = d;
    for (int k = 2; k < 100000; ++k) {
        root *= d / k;
        const double next = sum + root * root;
        if (!std::isfinite(next)) return next;
        if (std::fabs((next - sum) / next) < tolerance) return next;
        sum = next;
    }
    return sum;
}

std::vector<double> DolphChebyshevWindow(int32_t n, double gamma) {
    if (n <= 0) return {};
    std::vector<double> w(static_cast<size_t>(n), 1.0);
    if (n == 1) return w;
    const double g = std::fabs(gamma);
    const double r = g >= 1.0 ? std::pow(10.0, g / -20.0) : g;
    if (!(r > 0.0) || !std::isfinite(r)) return w;  // no finite sidelobe ratio: no attenuation
    const double t = (r + 1.0) / r;
    const double acoshT = std::log(t + std::sqrt(t - 1.0) * std::sqrt(t + 1.0));
    const double x0 = std::cosh(acoshT / (n - 1));
    const double c = std::cos(2.0 * std::acos(1.0 / x0));
    const double alpha = (3.0 - c) / (c + 1.0);
    const double A = (alpha + 1.0) / 2.0, B = (alpha - 1.0) / 2.0;
    const double M = (n - 1) / 2.0;
    std::vector<double> re(static_cast<size_t>(n)), im(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        const double theta = static_cast<double>(i) / n;
        double x = A * std::cos(kTwoPi * theta) + B;
        if (x < -1.0) x = -1.0;  // rounding only; acos needs x >= -1
        const double T = std::fabs(x) <= 1.0 ? std::cos(M * std::acos(x))
                                              : std::cosh(M * std::log(x + std::sqrt(x * x - 1.0)));
        const double W = r * T;
        if (n % 2 == 1) {
            re[i] = W;
            im[i] = 0.0;
        } else {
            const double phi = kPi * theta;
            re[i] = W * std::cos(phi);
            im[i] = -W * std::sin(phi);
            if (i > n / 2) {
                re[i] = -re[i];
                im[i] = -im[i];
            }
        }
    }
    std::vector<double> outRe(static_cast<size_t>(n)), outIm(static_cast<size_t>(n));
    if (FftLengthSupported(n))
        MixedRadixFft(n, 1.0f, re.data(), im.data(), outRe.data(), outIm.data());
    else
        ChirpDft(n, re.data(), im.data(), outRe.data(), outIm.data());
    const int32_t h = (n + 1) / 2;
    const double c0 = outRe[0];
    if (!(std::isfinite(c0) && c0 != 0.0)) return w;
    for (int32_t k = 0; k < h; ++k) {
        const double v = k == 0 ? 1.0 : outRe[static_cast<size_t>(k)] / c0;
        if (n % 2 == 1) {
            w[static_cast<size_t>(h - 1 + k)] = v;
            w[static_cast<size_t>(h - 1 - k)] = v;
        } else {
            w[static_cast<size_t>(h + k)] = v;
            w[static_cast<size_t>(h - 1 - k)] = v;
        }
    }
    return w;
}

std::vector<double> WindowWeights(int32_t type, int32_t n, double parameter) {
    if (n <= 0) return {};
    if (n < 2) return std::vector<double>(static_cast<size_t>(n), 1.0);  // no step to divide by
    if (type == CWndDlg::kDolphChebyshev) return DolphChebyshevWindow(n, parameter);
    if (type == CWndDlg::kKaiserBessel) return KaiserBessel(n, parameter);
    std::vector<double> w(static_cast<size_t>(n));
    if (type == CWndDlg::kGaussian) {
        const double centre = (n - 1) / 2.0, step = 7.0 / (n - 1);
        for (int32_t i = 0; i < n; ++i) {
            const double x = (i - centre) * step;
            w[static_cast<size_t>(i)] = std::exp(-0.5 * x * x);
        }
        return w;
    }
    const double step = kTwoPi / (n - 1);
    for (int32_t i = 0; i < n; ++i) {
        const double x = i * step;
        double v;
        switch (type) {
            case CWndDlg::kBlackmanHarris7:
                v = 0.271051400693424 - 0.433297939234485 * std::cos(x) + 0.21812299954311 * std::cos(2 * x) -
                    0.065925446388031 * std::cos(3 * x) + 0.010811742098371 * std::cos(4 * x) -
                    0.000776584825226 * std::cos(5 * x) + 0.000013887217352 * std::cos(6 * x);
                break;
            case CWndDlg::kHanning: v = 1.0 - (std::cos(x) + 1.0) * 0.5; break;
            case CWndDlg::kHamming: v = (1.0 - std::cos(x)) * 0.46 + 0.08; break;
            default:
                v = 0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
                break;
        }
        w[static_cast<size_t>(i)] = v;
    }
    return w;
}

void ApplyWindow(CKalvoData& data, int32_t type, double parameter) {
    int32_t n = 0, first = 0;
    if (!data.IsEmpty()) {
        first = std::max<int32_t>(data.m_nStart, 0);
        const int32_t last = std::min<int32_t>(data.m_nStop, data.GetCount() - 1);
        n = std::max<int32_t>(last - first + 1, 0);
    }
    const std::vector<double> w = WindowWeights(type, n, parameter);
    const bool complex = !data.IsReal();
    if (n > 0) {
        double* re = data.Inphase().GetWritableData() + first;
        for (int32_t i = 0; i < n; ++i) re[i] *= w[static_cast<size_t>(i)];
        if (complex) {
            double* im = data.Quadrature().GetWritableData() + first;
            for (int32_t i = 0; i < n; ++i) im[i] *= w[static_cast<size_t>(i)];
        }
    }
    // The marker names the window applied: an unknown type acts as the
    // four-term Blackman-Harris and is recorded as that.
    data.m_nWindow = type >= CWndDlg::kDolphChebyshev && type <= CWndDlg::kHamming ? type : CWndDlg::kBlackmanHarris4;
}

bool WindowTimeData(CKalvoData& timeData, CWndDlg& settings) {
    if (timeData.m_nWindow != -1 && !AskYesNo(LoadString(IDS_WND_ALREADY_WINDOWED))) return false;
    if (!RunDialog(settings)) return false;
    CWaitCursor wait(LoadString(IDS_WINDOWING));
    ApplyWindow(timeData, settings.m_nWindowType, settings.WindowParameter());
    return true;
}

}  // namespace kv
