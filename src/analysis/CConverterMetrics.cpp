#include "analysis/CConverterMetrics.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <utility>

#include "data/CKalvoData.h"
#include "data/CNonFinite.h"
#include "dsp/CWindowProfile.h"
#include "dsp/CWndDlg.h"
#include "dsp/MixedRadixFft.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Bins per block of the first pass, which keeps each block's sum and
// largest power so that later questions about the spectrum need not read it
// all again.
constexpr int64_t kBlock = 1024;

double Db(double ratio) { return 10.0 * std::log10(ratio); }

// Disjoint spans of bins (signed indices, both ends included) that belong
// to a component: DC, the fundamental, the harmonics.
class Spans {
public:
    bool Contains(int64_t i) const {
        for (const auto& [a, b] : m_spans)
            if (i >= a && i <= b) return true;
        return false;
    }
    bool Intersects(int64_t a, int64_t b) const {
        for (const auto& [x, y] : m_spans)
            if (x <= b && a <= y) return true;
        return false;
    }
    // Adds the bins of a ... b that no span holds yet; returns how many.
    int64_t Add(int64_t a, int64_t b) {
        int64_t added = 0;
        int64_t runStart = 0;
        bool inRun = false;
        for (int64_t i = a; i <= b + 1; ++i) {
            const bool free = i <= b && !Contains(i);
            if (free && !inRun) {
                runStart = i;
                inRun = true;
            } else if (!free && inRun) {
                m_pending.emplace_back(runStart, i - 1);
                added += i - runStart;
                inRun = false;
            }
        }
        for (const auto& s : m_pending) m_spans.push_back(s);
        m_pending.clear();
        return added;
    }
    int64_t Count() const {
        int64_t n = 0;
        for (const auto& [a, b] : m_spans) n += b - a + 1;
        return n;
    }

private:
    std::vector<std::pair<int64_t, int64_t>> m_spans;
    std::vector<std::pair<int64_t, int64_t>> m_pending;
};

// The powers of the working range, read once into per-block sums and
// maxima.
class Powers {
public:
    Powers(const CKalvoData& data, int64_t first, int64_t last)
        : m_re(data.Inphase().GetData()), m_im(data.Quadrature().GetData()), m_n(data.GetCount()),
          m_first(first), m_last(last) {
        const int64_t count = last - first + 1;
        const int64_t blocks = (count + kBlock - 1) / kBlock;
        m_sum.resize(static_cast<size_t>(blocks));
        m_max.resize(static_cast<size_t>(blocks));
        for (int64_t b = 0; b < blocks; ++b) {
            double sum = 0.0, max = -1.0;
            ForRuns(BlockStart(b), BlockEnd(b), [&](const double* re, const double* im, int64_t k) {
                SumAndMax(re, im, k, sum, max);
            });
            m_sum[static_cast<size_t>(b)] = sum;
            m_max[static_cast<size_t>(b)] = max;
            m_dTotal += sum;
        }
    }

    double Total() const { return m_dTotal; }
    double At(int64_t i) const {
        const int64_t s = i < 0 ? i + m_n : i;
        return m_re[s] * m_re[s] + m_im[s] * m_im[s];
    }
    // Sum over i = a ... b of the range, leaving out the bins of the spans.
    double Sum(int64_t a, int64_t b, const Spans& spans) const {
        a = std::max(a, m_first);
        b = std::min(b, m_last);
        double sum = 0.0;
        for (int64_t i = a; i <= b; ++i)
            if (!spans.Contains(i)) sum += At(i);
        return sum;
    }
    // Sum of every bin of the range outside the spans.
    double SumOutside(const Spans& spans) const {
        double sum = 0.0;
        for (size_t b = 0; b < m_sum.size(); ++b) {
            const int64_t a = BlockStart(static_cast<int64_t>(b)), e = BlockEnd(static_cast<int64_t>(b));
            sum += spans.Intersects(a, e - 1) ? Sum(a, e - 1, spans) : m_sum[b];
        }
        return sum;
    }
    // The strongest bin of the range outside the spans (the first of equal
    // ones), or false when every bin is in a span.
    bool Strongest(const Spans& spans, int64_t& bin) const {
        std::vector<double> max = m_max;
        std::vector<char> exact(max.size(), 0);
        for (;;) {
            const auto it = std::max_element(max.begin(), max.end());
            if (it == max.end() || *it < 0.0) return false;
            const size_t b = static_cast<size_t>(it - max.begin());
            const int64_t a = BlockStart(static_cast<int64_t>(b)), e = BlockEnd(static_cast<int64_t>(b));
            if (!exact[b] && spans.Intersects(a, e - 1)) {
                double m = -1.0;
                for (int64_t i = a; i < e; ++i)
                    if (!spans.Contains(i)) m = std::max(m, At(i));
                max[b] = m;
                exact[b] = 1;
                continue;
            }
            for (int64_t i = a; i < e; ++i)
                if (At(i) == *it && !spans.Contains(i)) {
                    bin = i;
                    return true;
                }
            return false;
        }
    }

private:
    int64_t BlockStart(int64_t b) const { return m_first + b * kBlock; }
    int64_t BlockEnd(int64_t b) const { return std::min(m_last + 1, m_first + (b + 1) * kBlock); }

    // Calls f(re, im, count) for the stored runs of signed indices a ... e - 1.
    template <class F>
    void ForRuns(int64_t a, int64_t e, F&& f) const {
        if (a < 0) {
            const int64_t stop = std::min<int64_t>(e, 0);
            f(m_re + a + m_n, m_im + a + m_n, stop - a);
        }
        if (e > 0) {
            const int64_t start = std::max<int64_t>(a, 0);
            f(m_re + start, m_im + start, e - start);
        }
    }

    static void SumAndMax(const double* re, const double* im, int64_t count, double& sum, double& max) {
        double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
        double m0 = max, m1 = max;
        int64_t k = 0;
        for (; k + 4 <= count; k += 4) {
            const double p0 = re[k] * re[k] + im[k] * im[k];
            const double p1 = re[k + 1] * re[k + 1] + im[k + 1] * im[k + 1];
            const double p2 = re[k + 2] * re[k + 2] + im[k + 2] * im[k + 2];
            const double p3 = re[k + 3] * re[k + 3] + im[k + 3] * im[k + 3];
            s0 += p0;
            s1 += p1;
            s2 += p2;
            s3 += p3;
            m0 = p0 > m0 ? p0 : m0;
            m1 = p1 > m1 ? p1 : m1;
            m0 = p2 > m0 ? p2 : m0;
            m1 = p3 > m1 ? p3 : m1;
        }
        for (; k < count; ++k) {
            const double p = re[k] * re[k] + im[k] * im[k];
            s0 += p;
            m0 = p > m0 ? p : m0;
        }
        sum += (s0 + s1) + (s2 + s3);
        max = std::max(m0, m1);
    }

    const double* m_re;
    const double* m_im;
    int64_t m_n;
    int64_t m_first;
    int64_t m_last;
    std::vector<double> m_sum;
    std::vector<double> m_max;
    double m_dTotal = 0.0;
};

// How a tone of the measured frequency and phase spreads over the bins
// after the window, from a noise-free model of it: the shares of its power
// in its own span and in the bins counted as noise, and its power in the
// range for a unit amplitude.
struct ToneSpread {
    double m_dInSpan = 1.0;
    double m_dInNoise = 0.0;
    double m_dUnitPower = 0.0;  // range power of a unit tone, transform scale 1
};

ToneSpread ModelTone(const CWindowProfile& window, int64_t n, int64_t first, int64_t last, bool twoSided,
                     int64_t peakBin, double centre, double phase, int32_t span, const Spans& spans,
                     int64_t noiseBins) {
    const std::vector<double>& w = window.ModelWeights();
    const int64_t L = static_cast<int64_t>(w.size());
    // A window longer than the model is modelled at the model's length with
    // the tone's offset from its bin kept; the range, the spans and the
    // tone's bin scale with the length.
    const bool same = L == n;
    const double ratio = static_cast<double>(L) / static_cast<double>(n);
    const int64_t bin = same ? peakBin : static_cast<int64_t>(std::llround(static_cast<double>(peakBin) * ratio));
    const double f = same ? centre : static_cast<double>(bin) + (centre - static_cast<double>(peakBin));
    const int64_t mFirst = same ? first : static_cast<int64_t>(std::floor(static_cast<double>(first) * ratio));
    const int64_t mLast = same ? last : std::min<int64_t>(L / 2 - 1, static_cast<int64_t>(std::floor(static_cast<double>(last + 1) * ratio)) - 1);

    std::vector<double> re(static_cast<size_t>(L)), im(static_cast<size_t>(L)), outRe(static_cast<size_t>(L)),
        outIm(static_cast<size_t>(L));
    const double a = kTwoPi * f / static_cast<double>(L);
    const std::complex<double> step = std::polar(1.0, a);
    for (int64_t start = 0; start < L; start += 1024) {
        std::complex<double> z = std::polar(1.0, a * static_cast<double>(start) + phase);
        for (int64_t i = start; i < std::min(L, start + 1024); ++i) {
            re[static_cast<size_t>(i)] = w[static_cast<size_t>(i)] * z.real();
            im[static_cast<size_t>(i)] = twoSided ? w[static_cast<size_t>(i)] * z.imag() : 0.0;
            z *= step;
        }
    }
    ChirpDft(L, re.data(), im.data(), outRe.data(), outIm.data());
    auto power = [&](int64_t i) {
        const size_t s = static_cast<size_t>(i < 0 ? i + L : i);
        return outRe[s] * outRe[s] + outIm[s] * outIm[s];
    };

    double total = 0.0, inSpan = 0.0, inNoise = 0.0;
    int64_t noiseHere = 0;
    for (int64_t i = mFirst; i <= mLast; ++i) {
        const double p = power(i);
        total += p;
        const bool own = same ? i >= peakBin - span && i <= peakBin + span : i >= bin - span && i <= bin + span;
        if (own) {
            inSpan += p;
        } else if (same ? !spans.Contains(i) : (i < -span || i > span)) {
            inNoise += p;
            ++noiseHere;
        }
    }
    ToneSpread spread;
    if (!(total > 0.0)) return spread;
    spread.m_dInSpan = inSpan / total;
    spread.m_dInNoise = inNoise / total;
    spread.m_dUnitPower = total;
    if (same) return spread;

    // The longer spectrum has bins the model does not: they get the level
    // of the model's sidelobes far from the tone. Sidelobes that fall off
    // (the cosine sums, Kaiser-Bessel, Gaussian) leave next to nothing there;
    // sidelobes that keep their level (Dolph-Chebyshev) leak into them all,
    // with a ripple whose phase against the bins drifts once around the
    // whole circle, so that only the whole circle's mean is their level.
    double outer = 0.0, circle = 0.0;
    int64_t outerBins = 0, circleBins = 0;
    for (int64_t i = -L / 2; i < L / 2; ++i) {
        int64_t distance = i > bin ? i - bin : bin - i;
        if (!twoSided) distance = std::min(distance, i + bin > 0 ? i + bin : -(i + bin));
        if (distance <= span || (i <= span && i >= -span)) continue;
        const double p = power(i);
        circle += p;
        ++circleBins;
        if (distance >= L / 4) {
            outer += p;
            ++outerBins;
        }
    }
    if (outerBins > 0 && circleBins > 0 && noiseBins > noiseHere) {
        const double level = window.FlatSidelobes() ? circle / circleBins : outer / outerBins;
        spread.m_dInNoise += static_cast<double>(noiseBins - noiseHere) * level / total;
    }
    spread.m_dUnitPower = total / (ratio * ratio);
    return spread;
}

// The tone's offset from its strongest bin, in bins, from the power of that
// bin and of its stronger neighbour: the offset at which the window's own
// lobe gives the same ratio. (The power centroid of the span, which serves
// wide lobes well, is pulled towards the strongest bin when the lobe is
// narrow: 0.105 for a tone 0.3 bins off without a window.) `side` is +1 when
// the neighbour above is the stronger, else -1; `ratio` its power over the
// strongest bin's.
double ToneOffset(const CWindowProfile& window, int side, double ratio) {
    auto lobeRatio = [&](double d) { return window.LobePower(1.0 - d) / window.LobePower(d); };
    if (!(ratio > lobeRatio(0.0))) return 0.0;
    if (!(ratio < 1.0)) return 0.5 * side;
    double lo = 0.0, hi = 0.5;
    for (int i = 0; i < 40; ++i) {
        const double mid = 0.5 * (lo + hi);
        (lobeRatio(mid) < ratio ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi) * side;
}

}  // namespace

std::string CConverterMetrics::WindowName(int32_t type) {
    switch (CWindowProfile::EffectiveType(type)) {
        case CWndDlg::kDolphChebyshev: return LoadString(IDS_CONV_WINDOW_DOLPH);
        case CWndDlg::kKaiserBessel: return LoadString(IDS_CONV_WINDOW_KAISER);
        case CWndDlg::kBlackmanHarris4: return LoadString(IDS_CONV_WINDOW_BH4);
        case CWndDlg::kBlackmanHarris7: return LoadString(IDS_CONV_WINDOW_BH7);
        case CWndDlg::kHanning: return LoadString(IDS_CONV_WINDOW_HANNING);
        case CWndDlg::kGaussian: return LoadString(IDS_CONV_WINDOW_GAUSSIAN);
        case CWndDlg::kHamming: return LoadString(IDS_CONV_WINDOW_HAMMING);
        default: return LoadString(IDS_CONV_WINDOW_NONE);
    }
}

ConverterResults CConverterMetrics::Compute(const CKalvoData& freq, const CWindowProfile& window, double binScale,
                                            const ConverterOptions& options) {
    ConverterResults r;
    r.m_nWindowType = window.GetType();
    r.m_dMainLobeHalfWidth = window.MainLobeHalfWidth();
    r.m_dFullScale = options.m_dFullScale;
    r.m_strFrequencyUnit = freq.m_Fs.GetFreqUnitName();
    r.m_bSpanFromWindow = options.m_nSpanBins <= 0;
    const int64_t K = r.m_bSpanFromWindow ? window.SpanBins() : options.m_nSpanBins;
    r.m_nSpanBins = static_cast<int32_t>(K);

    const int64_t n = freq.GetCount();
    int32_t first32 = 0, last32 = -1;
    if (n <= 0 || !freq.StoredWorkingRange(first32, last32)) {
        r.m_nProblem = ConverterResults::kNoData;
        r.m_strError = LoadString(IDS_CONV_NO_DATA);
        return r;
    }
    const int64_t first = first32, last = last32;
    const int64_t M = last - first + 1;
    r.m_bTwoSided = first < 0;
    r.m_nBins = static_cast<int32_t>(M);
    const double step = freq.m_dStep;

    const Powers powers(freq, first, last);
    if (!std::isfinite(powers.Total())) {
        r.m_nProblem = ConverterResults::kNotFinite;
        r.m_strError = CNonFinite::OfRange(freq).Message();
        return r;
    }

    // DC and its span are left out of the search for the fundamental.
    Spans search;
    const int64_t dcBins = search.Add(std::max(first, -K), std::min(last, K));
    int64_t p = 0;
    if (!powers.Strongest(search, p) || !(powers.At(p) > 0.0)) {
        const bool narrow = M - dcBins < 4;
        r.m_nProblem = narrow ? ConverterResults::kTooNarrow : ConverterResults::kNoTone;
        r.m_strError = narrow ? FormatPrintf(IDS_CONV_TOO_NARROW, static_cast<int>(M), static_cast<int>(K))
                              : LoadString(IDS_CONV_NO_TONE);
        return r;
    }

    // The fundamental's span, then DC's, then each harmonic's, each taking
    // only bins that no earlier one took.
    Spans spans;
    const int64_t fundA = std::max(first, p - K), fundB = std::min(last, p + K);
    spans.Add(fundA, fundB);
    const int64_t fundCount = fundB - fundA + 1;
    double spanSum = 0.0;
    for (int64_t i = fundA; i <= fundB; ++i) {
        const double q = powers.At(i);
        spanSum += q;
    }
    const double above = p + 1 <= last ? powers.At(p + 1) : 0.0, below = p - 1 >= first ? powers.At(p - 1) : 0.0;
    const double f0 = static_cast<double>(p) +
                      ToneOffset(window, above >= below ? 1 : -1, std::max(above, below) / powers.At(p));
    r.m_dFundamentalBin = f0;
    r.m_dFundamentalFrequency = f0 * step;
    spans.Add(std::max(first, -K), std::min(last, K));

    struct HarmonicSpan {
        double position;
        int64_t count;
        double sum;
        bool separate;
    };
    std::vector<HarmonicSpan> harmonics;
    const double N = static_cast<double>(n);
    for (int32_t k = 2; k <= std::min(options.m_nHarmonics, ConverterOptions::kMaxHarmonics); ++k) {
        double x = k * f0;
        if (r.m_bTwoSided) {
            x -= N * std::floor((x + N / 2.0) / N);  // into [-N/2, N/2)
        } else {
            x = std::fmod(x, N);
            if (x > N / 2.0) x = N - x;  // folded into the first Nyquist zone
        }
        const int64_t c = static_cast<int64_t>(std::llround(x));
        HarmonicSpan h{x, 0, 0.0, c >= first && c <= last && !spans.Contains(c)};
        if (h.separate) {
            const int64_t a = std::max(first, c - K), b = std::min(last, c + K);
            h.sum = powers.Sum(a, b, spans);
            h.count = spans.Add(a, b);
        }
        harmonics.push_back(h);
    }

    const int64_t noiseBins = M - spans.Count();
    if (noiseBins < 4 || noiseBins < M / 4) {
        r.m_nProblem = ConverterResults::kTooNarrow;
        r.m_strError = FormatPrintf(IDS_CONV_TOO_NARROW, static_cast<int>(M), static_cast<int>(K));
        return r;
    }
    const double restSum = powers.SumOutside(spans);

    // The phase of the tone at the first point, from its strongest bin with
    // the window's linear phase taken out.
    const double delta = static_cast<double>(p) - f0;
    const int64_t s = p < 0 ? p + n : p;
    const double phase = std::atan2(freq.Quadrature()[static_cast<int32_t>(s)], freq.Inphase()[static_cast<int32_t>(s)]) +
                         kPi * delta * (N - 1.0) / N;
    const ToneSpread spread =
        ModelTone(window, n, first, last, r.m_bTwoSided, p, f0, phase, static_cast<int32_t>(K), spans, noiseBins);

    // The span holds the tone's in-span share and its bins' noise; the noise
    // bins hold the noise and the tone's leakage. Solved for both.
    const double leak = spread.m_dInSpan > 0.0 ? spread.m_dInNoise / spread.m_dInSpan : 0.0;
    const double den = static_cast<double>(noiseBins) - leak * static_cast<double>(fundCount);
    const double num = restSum - leak * spanSum;
    const double noisePerBin = den > 0.0 && num > 0.0 ? num / den : 0.0;
    const double signal = (spanSum - noisePerBin * static_cast<double>(fundCount)) / spread.m_dInSpan;
    if (!(signal > 0.0) || !(spread.m_dUnitPower > 0.0)) {
        r.m_nProblem = ConverterResults::kNoTone;
        r.m_strError = LoadString(IDS_CONV_NO_TONE);
        return r;
    }
    const double noise = noisePerBin * static_cast<double>(M);
    r.m_bWindowLimited = spread.m_dInNoise * signal > noisePerBin * static_cast<double>(noiseBins);

    double distortion = 0.0;
    double spur = 0.0;
    double spurFrequency = 0.0;
    for (size_t j = 0; j < harmonics.size(); ++j) {
        const HarmonicSpan& h = harmonics[j];
        ConverterHarmonic out;
        out.m_nOrder = static_cast<int32_t>(j) + 2;
        out.m_dFrequency = h.position * step;
        out.m_bSeparate = h.separate;
        out.m_dDbc = kNaN;
        if (h.separate) {
            const double power = h.sum - noisePerBin * static_cast<double>(h.count);
            if (power > 0.0) {
                out.m_dDbc = Db(power / signal);
                distortion += power;
                if (power > spur) {
                    spur = power;
                    spurFrequency = out.m_dFrequency;
                }
            }
        }
        r.m_Harmonics.push_back(out);
    }
    // The strongest bin outside every span, with what its own span holds.
    int64_t b = 0;
    if (powers.Strongest(spans, b)) {
        const double own = powers.At(b) - noisePerBin;
        double around = 0.0;
        int64_t count = 0;
        for (int64_t i = std::max(first, b - K); i <= std::min(last, b + K); ++i)
            if (!spans.Contains(i)) {
                around += powers.At(i);
                ++count;
            }
        const double power = std::max(own, around - noisePerBin * static_cast<double>(count));
        if (power > spur) {
            spur = power;
            spurFrequency = static_cast<double>(b) * step;
        }
    }

    const double scale2 = binScale * binScale;
    const double fullScalePower = options.m_dFullScale * options.m_dFullScale * scale2 * spread.m_dUnitPower;
    r.m_dSignalDbfs = Db(signal / fullScalePower);
    r.m_dSnr = noise > 0.0 ? Db(signal / noise) : kInf;
    r.m_dSinad = noise + distortion > 0.0 ? Db(signal / (noise + distortion)) : kInf;
    r.m_dThd = distortion > 0.0 ? Db(distortion / signal) : -kInf;
    r.m_dSfdr = spur > 0.0 ? Db(signal / spur) : kInf;
    r.m_dSfdrFrequency = spurFrequency;
    r.m_dEnob = (r.m_dSinad - 1.76 - r.m_dSignalDbfs) / 6.02;
    r.m_dNoiseFloorDbfs = noisePerBin > 0.0 ? Db(noisePerBin / fullScalePower) : -kInf;
    double hzPerUnit = 1.0;
    freq.GetFs(&hzPerUnit);
    const double binHz = std::fabs(step) * hzPerUnit;
    r.m_dNsdDbfsPerHz = binHz > 0.0 && std::isfinite(binHz) ? r.m_dNoiseFloorDbfs - Db(binHz) : kNaN;
    r.m_bValid = true;
    return r;
}

namespace {

std::string DbText(double v, const char* unit) {
    if (std::isnan(v)) return "-";
    if (std::isinf(v)) return std::string(v > 0 ? "inf " : "-inf ") + unit;
    // A value that rounds to zero shows as 0.00, not -0.00.
    return StringPrintf("%.2f %s", std::fabs(v) < 0.005 ? 0.0 : v, unit);
}

}  // namespace

std::vector<CConverterMetrics::Line> CConverterMetrics::ResultLines(const ConverterResults& r) {
    std::vector<Line> lines;
    if (!r.m_bValid) return lines;
    auto add = [&](StringId label, const std::string& value) { lines.push_back({LoadString(label), value}); };
    const char* unit = r.m_strFrequencyUnit.c_str();
    add(IDS_CONV_FUNDAMENTAL, StringPrintf("%.6f %s (bin %.3f)", r.m_dFundamentalFrequency, unit, r.m_dFundamentalBin));
    add(IDS_CONV_SIGNAL, DbText(r.m_dSignalDbfs, "dBFS") + StringPrintf(" (full scale %g)", r.m_dFullScale));
    add(IDS_CONV_SNR, DbText(r.m_dSnr, "dB"));
    add(IDS_CONV_SINAD, DbText(r.m_dSinad, "dB"));
    add(IDS_CONV_THD, DbText(r.m_dThd, "dBc"));
    add(IDS_CONV_SFDR, DbText(r.m_dSfdr, "dBc") +
                           (std::isfinite(r.m_dSfdr) ? StringPrintf(" at %.6f %s", r.m_dSfdrFrequency, unit)
                                                      : std::string()));
    add(IDS_CONV_ENOB, std::isfinite(r.m_dEnob) ? StringPrintf("%.2f bits", r.m_dEnob) : std::string("-"));
    add(IDS_CONV_NOISE_FLOOR, DbText(r.m_dNoiseFloorDbfs, "dBFS"));
    add(IDS_CONV_NSD, DbText(r.m_dNsdDbfsPerHz, "dBFS/Hz"));
    add(IDS_CONV_SPAN, FormatPrintf(r.m_bSpanFromWindow ? IDS_CONV_SPAN_WINDOW : IDS_CONV_SPAN_SET,
                                    static_cast<int>(r.m_nSpanBins), WindowName(r.m_nWindowType).c_str(),
                                    r.m_dMainLobeHalfWidth));
    add(IDS_CONV_SPECTRUM, LoadString(r.m_bTwoSided ? IDS_CONV_TWO_SIDED : IDS_CONV_ONE_SIDED) +
                               StringPrintf(", %d bins", static_cast<int>(r.m_nBins)));
    return lines;
}

std::string CConverterMetrics::HarmonicText(const ConverterHarmonic& h, const std::string& unit) {
    std::string level;
    if (!h.m_bSeparate)
        level = LoadString(IDS_CONV_HARMONIC_HIDDEN);
    else if (std::isnan(h.m_dDbc))
        level = LoadString(IDS_CONV_HARMONIC_NOISE);
    else
        level = StringPrintf("%.2f dBc", h.m_dDbc);
    return StringPrintf("H%-3d %14.6f %s  %s", h.m_nOrder, h.m_dFrequency, unit.c_str(), level.c_str());
}

std::string CConverterMetrics::FormatText(const ConverterResults& r) {
    std::string text = LoadString(IDS_CONV_TITLE) + "\n";
    if (!r.m_bValid) return text + "  " + r.m_strError + "\n";
    for (const Line& line : ResultLines(r))
        text += StringPrintf("  %-18s %s\n", line.label.c_str(), line.value.c_str());
    if (!r.m_Harmonics.empty()) {
        text += "  " + LoadString(IDS_CONV_HARMONICS) + "\n";
        for (const ConverterHarmonic& h : r.m_Harmonics) text += "    " + HarmonicText(h, r.m_strFrequencyUnit) + "\n";
    }
    if (r.m_bWindowLimited) text += "  " + LoadString(IDS_CONV_WINDOW_LIMITED) + "\n";
    return text;
}

}  // namespace kv
